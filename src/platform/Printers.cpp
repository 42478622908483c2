#include "Printers.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace platform {
namespace {

class ServerPrinters final : public Printers {
public:
    bool installed() override { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
            if (!all.isEmpty())
                info = all.first();
        }
        return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
};

Printers *g_printers = nullptr;

} // namespace

Printers &printers()
{
    static ServerPrinters server;
    return g_printers ? *g_printers : server;
}

void setPrinters(Printers *impl)
{
    g_printers = impl;
}

} // namespace platform
