#include "Startup.h"

#include "ModBase.h"
#include "ModData.h"
#include "platform/Dialogs.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"

namespace ModBase {

bool PrevInstance(platform::SingleInstance &instance)
{
    return instance.raiseRunning();
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
    return ModData::CheckDB();
}

} // namespace ModBase
