#include "Registration.h"

#include "FrmQAll.h"
#include "FrmQIn.h"
#include "FrmQInventory.h"
#include "FrmQOut.h"
#include "FrmQScrap.h"
#include "FrmQTip.h"
#include "shell/WindowRegistry.h"

namespace queries {
namespace {

template <typename W>
void add(const char16_t *name)
{
    shell::registerWindow(QString::fromUtf16(name), [](QWidget *parent) { return new W(parent); });
}

} // namespace

void registerWindows()
{
    add<FrmQAll>(u"FrmQAll");
    add<FrmQIn>(u"FrmQIn");
    add<FrmQInventory>(u"FrmQInventory");
    add<FrmQOut>(u"FrmQOut");
    add<FrmQScrap>(u"FrmQScrap");
    add<FrmQTip>(u"FrmQTip");
}

} // namespace queries
