#include "FrmSetCategory.h"

#include "shell/ModBase.h"

using namespace registers;

namespace {

RegisterKind kind()
{
    LookupTexts t;
    t.objectName = QStringLiteral("FrmSetCategory");
    t.caption = QStringLiteral("组别设置");
    t.label = QStringLiteral("组    别:");
    t.table = QStringLiteral("zubie");
    t.keyField = QStringLiteral("组别ID");
    t.nameField = QStringLiteral("组别");
    t.emptyNameMessage = QStringLiteral("组别不能为空");
    t.nameIndex = 1;
    t.pickName = &ModBase::PickGroup;
    t.helpTopic = QStringLiteral("::/3.htm#31");
    t.helpPage = QStringLiteral("/Demo/45.htm");
    return lookupRegister(t);
}

} // namespace

FrmSetCategory::FrmSetCategory(QWidget *parent) : RegisterWindow(kind(), parent) {}
