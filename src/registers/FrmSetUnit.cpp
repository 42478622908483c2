#include "FrmSetUnit.h"

#include "shell/ModBase.h"

using namespace registers;

namespace {

RegisterKind kind()
{
    LookupTexts t;
    t.objectName = QStringLiteral("FrmSetUnit");
    t.caption = QStringLiteral("试剂包装单位设置");
    t.label = QStringLiteral("包装单位:");
    t.table = QStringLiteral("danwei");
    t.keyField = QStringLiteral("单位ID");
    t.nameField = QStringLiteral("单位");
    t.emptyNameMessage = QStringLiteral("包装单位不能为空");
    t.nameIndex = 0;
    t.pickName = &ModBase::PickUnit;
    t.helpTopic = QStringLiteral("::/3.htm#32");
    t.helpPage = QStringLiteral("/Demo/46.htm");
    RegisterKind k = lookupRegister(t);
    k.rowFromDatabase = true; // a clicked row is read again by its key
    return k;
}

} // namespace

FrmSetUnit::FrmSetUnit(QWidget *parent) : RegisterWindow(kind(), parent) {}
