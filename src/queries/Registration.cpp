#include "Registration.h"

#include "FrmQAll.h"
#include "FrmQIn.h"
#include "FrmQInventory.h"
#include "FrmQOut.h"
#include "FrmQScrap.h"
#include "FrmQTip.h"
#include "shell/WindowRegistry.h"

namespace queries {
void registerWindows()
{
    shell::registerWindowType<FrmQAll>(u"FrmQAll");
    shell::registerWindowType<FrmQIn>(u"FrmQIn");
    shell::registerWindowType<FrmQInventory>(u"FrmQInventory");
    shell::registerWindowType<FrmQOut>(u"FrmQOut");
    shell::registerWindowType<FrmQScrap>(u"FrmQScrap");
    shell::registerWindowType<FrmQTip>(u"FrmQTip");
}

} // namespace queries
