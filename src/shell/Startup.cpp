#include "Startup.h"

#include "FrmLogin.h"
#include "FrmMain.h"
#include "ModBase.h"
#include "ModData.h"
#include "platform/Dialogs.h"
#include "schema/ModDBtoNEW.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"

namespace ModBase {
namespace {

// A later start of the same program folder brings this run's main window forward.
void raiseMainWindow()
{
    FrmMain *main = FrmMain::instance();
    if (!main)
        return;
    if (main->isMinimized())
        main->showNormal();
    main->raise();
    main->activateWindow();
}

} // namespace

bool PrevInstance(platform::SingleInstance &instance)
{
    if (instance.raiseRunning())
        return true;
    instance.listen(raiseMainWindow);
    return false;
}

bool StartUp(platform::SingleInstance &instance)
{
    if (platform::ansiCodePage() == 950) {
        platform::msgBox(QStringLiteral("本軟體不能運行于繁體作業系統，請下載相應版本！\n\n請到本軟體的網站下載簡體中文版本。"),
                         platform::Buttons::Ok, platform::Icon::Information, QStringLiteral("Information"));
        return false;
    }
    if (PrevInstance(instance))
        return false;
    const QString folder = AddSlash(platform::programFolder());
    IniFile = folder + IniFileName;
    if (!LoadSettings())
        return false;
    HelpFile = folder + QStringLiteral("澜鉴帮助.chm");
    SysDate = QDate::currentDate();
    ConnStr = QStringLiteral(";pwd=") + DBPassword;
    if (!ModData::CheckDB())
        return false;
    return ModDBtoNEW::UpgradeDB(*DB());
}

std::unique_ptr<FrmMain> Main(platform::SingleInstance &instance)
{
    if (!StartUp(instance))
        return nullptr;
    auto main = std::make_unique<FrmMain>();
    if (!main->load())
        return nullptr;
    main->showMaximized();
    FrmLogin login(main.get());
    platform::execModal(&login);
    return main;
}

} // namespace ModBase
