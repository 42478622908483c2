#include "FrmSetHandling.h"

#include "shell/ModBase.h"

using namespace registers;

namespace {

RegisterKind kind()
{
    LookupTexts t;
    t.objectName = QStringLiteral("FrmSetHandling");
    t.caption = QStringLiteral("认领人设置");
    t.label = QStringLiteral("认 领 人:");
    t.table = QStringLiteral("renlingren");
    t.keyField = QStringLiteral("认领人ID");
    t.nameField = QStringLiteral("认领人");
    t.emptyNameMessage = QStringLiteral("认领人不能为空");
    t.nameIndex = 1;
    t.pickName = &ModBase::PickClaimant;
    t.helpTopic = QStringLiteral("::/3.htm#37");
    t.helpPage = QStringLiteral("/Demo/411.htm");
    return lookupRegister(t);
}

} // namespace

FrmSetHandling::FrmSetHandling(QWidget *parent) : RegisterWindow(kind(), parent) {}
