#include "RegisterKind.h"

namespace registers {

RegisterKind lookupRegister(const LookupTexts &t)
{
    RegisterKind s;
    s.objectName = t.objectName;
    s.caption = t.caption;
    s.searchLabel = t.label;
    s.showAllCaption = QStringLiteral("全显(&A)");
    s.frameCaption = t.caption;
    s.table = t.table;
    s.keyField = t.keyField;
    s.nameField = t.nameField;
    s.listColumns = t.keyField + QStringLiteral(", 拼音码, ") + t.nameField;
    s.colWidths = {0, 800, 1900};
    s.nameIndex = t.nameIndex;
    s.pinyinIndex = 1 - t.nameIndex;
    s.fields.resize(2);
    s.fields[s.nameIndex] = {t.label, 2, 2, true};
    s.fields[s.pinyinIndex] = {QStringLiteral("拼 音 码:"), 1, 1, true};
    s.layoutOrder = {s.nameIndex, s.pinyinIndex};
    s.emptyNameMessage = t.emptyNameMessage;
    s.trimOnSave = true;
    s.pickName = t.pickName;
    s.helpTopic = t.helpTopic;
    s.helpPage = t.helpPage;
    return s;
}

RegisterKind cardRegister(const CardTexts &t)
{
    RegisterKind s;
    s.objectName = t.objectName;
    s.caption = t.caption;
    s.searchLabel = t.searchLabel;
    s.showAllCaption = QStringLiteral("显示全部(&A)");
    s.frameCaption = t.caption;
    s.table = t.table;
    s.keyField = t.keyField;
    s.nameField = t.nameField;
    s.listColumns = t.keyField + QStringLiteral(", 拼音码, ") + t.nameField + QStringLiteral(" AS ") + t.nameField
                    + QStringLiteral("简称, ") + t.fullNameField
                    + QStringLiteral(", 地址, 邮政编码, 电话, 传真, 联系人, Email, 主页");
    s.colWidths = {0, 800, 1500, 2600, 2600, 900, 1300, 1300, 900, 1800, 1800};
    s.fields = {
        {QStringLiteral("拼 音 码:"), 1, 1, true}, {QStringLiteral("简    称:"), 2, 2, true},
        {QStringLiteral("联系地址:"), 3, 4},       {QStringLiteral("邮政编码:"), 4, 5},
        {QStringLiteral("电    话:"), 5, 6},       {QStringLiteral("传    真:"), 6, 7},
        {QStringLiteral("联 系 人:"), 7, 8},       {QStringLiteral("Email   :"), 8, 9},
        {QStringLiteral("主    页:"), 9, 10},      {QStringLiteral("全    称:"), 10, 3},
    };
    s.nameIndex = 1;
    s.pinyinIndex = 0;
    s.layoutOrder = {1, 0, 9, 2, 3, 4, 5, 6, 7, 8};
    s.emptyNameMessage = t.emptyNameMessage;
    s.trimOnSave = false;
    s.exportTitle = t.exportTitle;
    s.references = t.references;
    s.inUseMessage = t.inUseMessage;
    s.pickId = t.pickId;
    s.pickName = t.pickName;
    s.helpTopic = t.helpTopic;
    s.helpPage = t.helpPage;
    return s;
}

} // namespace registers
