#include "Registration.h"

#include "FrmCancelOut.h"
#include "FrmCancelScrap.h"
#include "FrmProductOut.h"
#include "shell/WindowRegistry.h"

namespace issues {

void registerWindows()
{
    shell::registerWindowType<FrmCancelOut>(u"FrmCancelOut");
    shell::registerWindowType<FrmCancelScrap>(u"FrmCancelScrap");
    shell::registerWindowType<FrmProductOut>(u"FrmProductOut");
}

} // namespace issues
