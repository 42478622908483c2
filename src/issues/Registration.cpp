#include "Registration.h"

#include "FrmCancelOut.h"
#include "FrmCancelScrap.h"
#include "FrmProductOut.h"
#include "FrmProductOutPatch.h"
#include "FrmProductScrap.h"
#include "shell/WindowRegistry.h"

namespace issues {

void registerWindows()
{
    shell::registerWindowType<FrmCancelOut>(u"FrmCancelOut");
    shell::registerWindowType<FrmCancelScrap>(u"FrmCancelScrap");
    shell::registerWindowType<FrmProductOut>(u"FrmProductOut");
    shell::registerWindowType<FrmProductOutPatch>(u"FrmProductOutPatch");
    shell::registerWindowType<FrmProductScrap>(u"FrmProductScrap");
}

} // namespace issues
