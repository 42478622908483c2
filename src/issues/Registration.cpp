#include "Registration.h"

#include "FrmCancelOut.h"
#include "FrmCancelScrap.h"
#include "FrmProductOut.h"
#include "shell/WindowRegistry.h"

namespace issues {

void registerWindows()
{
    shell::registerWindow(QStringLiteral("FrmCancelOut"), [](QWidget *parent) { return new FrmCancelOut(parent); });
    shell::registerWindow(QStringLiteral("FrmCancelScrap"), [](QWidget *parent) { return new FrmCancelScrap(parent); });
    shell::registerWindow(QStringLiteral("FrmProductOut"), [](QWidget *parent) { return new FrmProductOut(parent); });
}

} // namespace issues
