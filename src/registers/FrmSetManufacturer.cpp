#include "FrmSetManufacturer.h"

#include "shell/ModBase.h"

using namespace registers;

namespace {

RegisterKind kind()
{
    CardTexts t;
    t.objectName = QStringLiteral("FrmSetManufacturer");
    t.caption = QStringLiteral("厂商设置");
    t.searchLabel = QStringLiteral("厂    商:");
    t.table = QStringLiteral("changshang");
    t.keyField = QStringLiteral("厂商ID");
    t.nameField = QStringLiteral("厂商");
    t.fullNameField = QStringLiteral("厂商全称");
    t.emptyNameMessage = QStringLiteral("生产厂商不能为空");
    t.exportTitle = QStringLiteral("厂商");
    t.references = {{QStringLiteral("shijijibenxinxi"), QStringLiteral("厂商ID")}};
    t.inUseMessage = QStringLiteral("厂商“%1”仍被试剂基本信息使用，不能删除。");
    t.pickId = &ModBase::PickCSID;
    t.pickName = &ModBase::PickCS;
    t.helpTopic = QStringLiteral("::/3.htm#34");
    t.helpPage = QStringLiteral("/Demo/48.htm");
    return cardRegister(t);
}

} // namespace

FrmSetManufacturer::FrmSetManufacturer(QWidget *parent) : RegisterWindow(kind(), parent) {}
