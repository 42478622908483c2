#include "issues/Registration.h"
#include "queries/Registration.h"
#include "receipts/Registration.h"
#include "registers/Registration.h"
#include "shell/FrmMain.h"
#include "shell/SafeApplication.h"
#include "shell/Startup.h"
#include "shell/ToolIcons.h"
#include "platform/Dialogs.h"
#include "platform/QtTranslations.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"

int main(int argc, char **argv)
{
    SafeApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vialdesk"));
    platform::installQtTranslations(app);
    QApplication::setWindowIcon(programIcon());
    platform::setAppTitle(QStringLiteral("澜鉴"));
    platform::SingleInstance instance(platform::programFolder());
    registers::registerWindows();
    receipts::registerWindows();
    queries::registerWindows();
    issues::registerWindows();
    const auto frmMain = ModBase::Main(instance);
    if (!frmMain)
        return 0;
    return app.exec();
}
