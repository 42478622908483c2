#include "Registration.h"

#include "FrmCancelIn.h"
#include "FrmProductIn.h"
#include "FrmProductPO.h"
#include "shell/WindowRegistry.h"

namespace receipts {
namespace {

template <typename W>
void add(const char16_t *name)
{
    shell::registerWindow(QString::fromUtf16(name), [](QWidget *parent) { return new W(parent); });
}

} // namespace

void registerWindows()
{
    add<FrmProductIn>(u"FrmProductIn");
    add<FrmCancelIn>(u"FrmCancelIn");
    add<FrmProductPO>(u"FrmProductPO");
}

} // namespace receipts
