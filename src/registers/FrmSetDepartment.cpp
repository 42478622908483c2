#include "FrmSetDepartment.h"

#include "shell/ModBase.h"

using namespace registers;

namespace {

RegisterKind kind()
{
    LookupTexts t;
    t.objectName = QStringLiteral("FrmSetDepartment");
    t.caption = QStringLiteral("认领部门设置");
    t.label = QStringLiteral("认领部门:");
    t.table = QStringLiteral("renlingbumen");
    t.keyField = QStringLiteral("认领部门ID");
    t.nameField = QStringLiteral("认领部门");
    t.emptyNameMessage = QStringLiteral("认领部门不能为空");
    t.nameIndex = 1;
    t.pickName = &ModBase::PickDepartment;
    t.helpTopic = QStringLiteral("::/3.htm#36");
    t.helpPage = QStringLiteral("/Demo/410.htm");
    return lookupRegister(t);
}

} // namespace

FrmSetDepartment::FrmSetDepartment(QWidget *parent) : RegisterWindow(kind(), parent) {}
