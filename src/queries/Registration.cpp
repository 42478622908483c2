#include "Registration.h"

#include "FrmQAll.h"
#include "shell/WindowRegistry.h"

namespace queries {

void registerWindows()
{
    shell::registerWindow(QStringLiteral("FrmQAll"), [](QWidget *parent) { return new FrmQAll(parent); });
}

} // namespace queries
