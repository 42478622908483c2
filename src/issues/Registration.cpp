#include "Registration.h"

#include "FrmProductOut.h"
#include "shell/WindowRegistry.h"

namespace issues {

void registerWindows()
{
    shell::registerWindow(QStringLiteral("FrmProductOut"), [](QWidget *parent) { return new FrmProductOut(parent); });
}

} // namespace issues
