#include "receipts/FrmCancelIn.h"
#include "receipts/FrmProductIn.h"
#include "receipts/FrmProductPO.h"
#include "queries/Registration.h"
#include "registers/Registration.h"
#include "shell/FrmMain.h"
#include "shell/SafeApplication.h"
#include "shell/Startup.h"
#include "shell/WindowRegistry.h"
#include "platform/Dialogs.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"

int main(int argc, char **argv)
{
    SafeApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vialdesk"));
    platform::setAppTitle(QStringLiteral("澜鉴"));
    platform::SingleInstance instance(platform::programFolder());
    shell::registerWindow(QStringLiteral("FrmCancelIn"), [](QWidget *parent) { return new FrmCancelIn(parent); });
    shell::registerWindow(QStringLiteral("FrmProductIn"), [](QWidget *parent) { return new FrmProductIn(parent); });
    shell::registerWindow(QStringLiteral("FrmProductPO"), [](QWidget *parent) { return new FrmProductPO(parent); });
    registers::registerWindows();
    queries::registerWindows();
    const auto frmMain = ModBase::Main(instance);
    if (!frmMain)
        return 0;
    return app.exec();
}
