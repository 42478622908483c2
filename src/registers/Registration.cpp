#include "Registration.h"

#include "FrmSetCategory.h"
#include "FrmSetDepartment.h"
#include "FrmSetHandling.h"
#include "FrmSetLocation.h"
#include "FrmSetManufacturer.h"
#include "FrmSetProduct.h"
#include "FrmSetSupplier.h"
#include "FrmSetUnit.h"
#include "FrmSetUser.h"
#include "shell/WindowRegistry.h"

namespace registers {
void registerWindows()
{
    shell::registerWindowType<FrmSetProduct>(u"FrmSetProduct");
    shell::registerWindowType<FrmSetCategory>(u"FrmSetCategory");
    shell::registerWindowType<FrmSetUnit>(u"FrmSetUnit");
    shell::registerWindowType<FrmSetLocation>(u"FrmSetLocation");
    shell::registerWindowType<FrmSetManufacturer>(u"FrmSetManufacturer");
    shell::registerWindowType<FrmSetSupplier>(u"FrmSetSupplier");
    shell::registerWindowType<FrmSetDepartment>(u"FrmSetDepartment");
    shell::registerWindowType<FrmSetHandling>(u"FrmSetHandling");
    shell::registerWindowType<FrmSetUser>(u"FrmSetUser");
}

} // namespace registers
