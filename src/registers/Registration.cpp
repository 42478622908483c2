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
namespace {

template <typename W>
void add(const char16_t *name)
{
    shell::registerWindow(QString::fromUtf16(name), [](QWidget *parent) { return new W(parent); });
}

} // namespace

void registerWindows()
{
    add<FrmSetProduct>(u"FrmSetProduct");
    add<FrmSetCategory>(u"FrmSetCategory");
    add<FrmSetUnit>(u"FrmSetUnit");
    add<FrmSetLocation>(u"FrmSetLocation");
    add<FrmSetManufacturer>(u"FrmSetManufacturer");
    add<FrmSetSupplier>(u"FrmSetSupplier");
    add<FrmSetDepartment>(u"FrmSetDepartment");
    add<FrmSetHandling>(u"FrmSetHandling");
    add<FrmSetUser>(u"FrmSetUser");
}

} // namespace registers
