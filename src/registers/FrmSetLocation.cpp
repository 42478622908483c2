#include "FrmSetLocation.h"

#include "shell/ModBase.h"

using namespace registers;

namespace {

RegisterKind kind()
{
    LookupTexts t;
    t.objectName = QStringLiteral("FrmSetLocation");
    t.caption = QStringLiteral("存放地点设置");
    t.label = QStringLiteral("存放地点:");
    t.table = QStringLiteral("cunfangdidian");
    t.keyField = QStringLiteral("存放地点ID");
    t.nameField = QStringLiteral("存放地点");
    t.emptyNameMessage = QStringLiteral("存放地点不能为空");
    t.nameIndex = 1;
    t.pickName = &ModBase::PickLocation;
    t.helpTopic = QStringLiteral("::/3.htm#33");
    t.helpPage = QStringLiteral("/Demo/47.htm");
    return lookupRegister(t);
}

} // namespace

FrmSetLocation::FrmSetLocation(QWidget *parent) : RegisterWindow(kind(), parent) {}
