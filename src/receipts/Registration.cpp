#include "Registration.h"

#include "FrmCancelIn.h"
#include "FrmProductIn.h"
#include "FrmProductPO.h"
#include "shell/WindowRegistry.h"

namespace receipts {
void registerWindows()
{
    shell::registerWindowType<FrmProductIn>(u"FrmProductIn");
    shell::registerWindowType<FrmCancelIn>(u"FrmCancelIn");
    shell::registerWindowType<FrmProductPO>(u"FrmProductPO");
}

} // namespace receipts
