#include "ModBase.h"

#include "ModData.h"
#include "ModINI.h"
#include "dao/DaoError.h"
#include "platform/Dialogs.h"
#include "platform/System.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>

#include <cmath>
#include <limits>
#include <optional>

namespace ModBase {
namespace {

QPointer<QLabel> g_statusPanel;

// A settings value that does not parse as its type; LoadSettings stops on it.
struct BadSetting {};

float toSingle(const QString &text)
{
    const auto n = platform::convert::parseNumber(text);
    if (!n || std::fabs(*n) > std::numeric_limits<float>::max())
        throw BadSetting{};
    return static_cast<float>(*n);
}

template <typename Int>
Int toWhole(double value)
{
    const double r = platform::convert::roundHalfEven(value);
    if (r < static_cast<double>(std::numeric_limits<Int>::min())
        || r > static_cast<double>(std::numeric_limits<Int>::max()))
        throw BadSetting{};
    return static_cast<Int>(r);
}

bool toFlag(const QString &text)
{
    const auto f = platform::convert::parseFlag(text);
    if (!f)
        throw BadSetting{};
    return *f;
}

qint16 toShort(const QString &text)
{
    const auto n = platform::convert::parseNumber(text);
    if (!n)
        throw BadSetting{};
    return toWhole<qint16>(*n);
}

// Reads one key; a blank one gets its default written and taken.
template <typename T, typename Parse>
void loadKey(const char16_t *section, const char16_t *key, T &var, const QString &defaultText, T defaultValue,
             Parse parse)
{
    const QString s = QString::fromUtf16(section);
    const QString k = QString::fromUtf16(key);
    const QString text = ModINI::GetINI(s, k, IniFile);
    if (text.trimmed().isEmpty()) {
        ModINI::WriteINI(s, k, defaultText, IniFile);
        var = defaultValue;
    } else {
        var = parse(text);
    }
}

} // namespace

dao::Database *DB()
{
    return ModData::Connection();
}

dao::Recordset *RS()
{
    return ModData::SharedRecordset();
}

void ResetState()
{
    SysDate = QDate();
    IniFile = HelpFile = ConnStr = DBPath = DBFile = SQL = BackupPath = SysDir = UnitName = QString();
    AutoBackup = AutoOut = TipNow = PSWProtect = NoPriceCheck = false;
    SXDays = 0;
    OutRate = 0;
    OpenTimes = QueryDate = OutMode = ShowStop = QueryOrder = 0;
    LastUser = OrderBy = QString();
    LoginOK = SuperUser = PSWOK = HasTip = false;
    UserID = 0;
    UserName = UserPSW = UserQX = QString();
    HelpKind = 0;
    PickMode = false;
    PickGYSID = CurSJID = PickCSID = 0;
    PickGYS = PickLocation = PickDepartment = PickClaimant = PickCS = PickGroup = PickUnit = QString();
    NewItemName = NewItemPY = QString();
    NameWidth = LowLimit = HighLimit = 0;
    InDH = OutDH = BSDH = 0;
    PrintGrid = GridSnapshot();
    PrintTitle = PrintKind = QString();
    PrintTotal = Currency();
    PageCount = PrintColCount = 0;
    PrintColWidth.fill(0);
}

void ShowErr(const std::exception &e)
{
    const auto *dao = dynamic_cast<const dao::DaoError *>(&e);
    const QString description = dao ? dao->description() : QString::fromLocal8Bit(e.what());
    platform::msgBox(QStringLiteral("Dr. Watson 发现您的操作有误。\n\n") + description, platform::Buttons::Ok,
                     platform::Icon::Exclamation, QStringLiteral("Dr. Watson"));
}

void ShowErr()
{
    try {
        throw;
    } catch (const std::exception &e) {
        ShowErr(e);
    } catch (...) {
        ShowErr(std::runtime_error("未知错误"));
    }
}

void SetStatusPanel(QLabel *panel)
{
    g_statusPanel = panel;
}

void SetStatus(const QString &message, bool busy)
{
    if (!g_statusPanel)
        return;
    if (message.isEmpty())
        g_statusPanel->setText(QStringLiteral("待命"));
    else
        g_statusPanel->setText(busy ? message + QStringLiteral("，请等待...") : message);
    g_statusPanel->repaint();
}

void EnterToTab(int &keyCode)
{
    if (keyCode != Qt::Key_Return && keyCode != Qt::Key_Enter && keyCode != 13)
        return;
    if (QWidget *w = QApplication::focusWidget()) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(w, &tab);
    }
    keyCode = 0;
}

QString AddSlash(const QString &path)
{
    if (path.isEmpty() || path.endsWith(u'/'))
        return path;
    return path + u'/';
}

QString MakePath(QString &path)
{
    if (path.isEmpty())
        return QString();
    path = AddSlash(path);
    if (!QFileInfo(path).isDir()) {
        // Only the last level is made, as the folder call did.
        if (!QDir().mkdir(path)) {
            platform::msgBox(QStringLiteral("驱动器错误！无法创建目录：") + path);
            return QString();
        }
    }
    return path;
}

QString BrowseFolder(QWidget *owner, const QString &title)
{
    return platform::dialogs().browseFolder(owner, title, QString());
}

QString GetTargetPath(QWidget *owner)
{
    for (;;) {
        const QString folder = BrowseFolder(owner, QStringLiteral("请选择目标目录:"));
        // The same folder written another way (a final separator, "..", a link) is still
        // the database folder.
        if (folder.isEmpty() || DBPath.isEmpty()
            || QFileInfo(QDir::cleanPath(folder)) != QFileInfo(QDir::cleanPath(DBPath)))
            return folder;
        platform::msgBox(QStringLiteral("冲突！不能选择系统数据库的目录，请选择其它目录"), platform::Buttons::Ok,
                         platform::Icon::Information, QString(), owner);
    }
}

bool LoadSettings()
{
    try {
        const QFileInfo ini(IniFile);
        if (ini.exists() && !ini.isFile())
            throw BadSetting{};
        if (ini.exists()) {
            DBPath = ModINI::GetINI(QStringLiteral("数据库"), QStringLiteral("数据库所在的目录"), IniFile);
            if (DBPath.trimmed().isEmpty()) {
                DBPath = BrowseFolder(nullptr, QStringLiteral("请设置数据库所在的目录，如单机使用，该目录通常是 .../Vialdesk/Data"));
                ModINI::WriteINI(QStringLiteral("数据库"), QStringLiteral("数据库所在的目录"), DBPath, IniFile);
            }
        } else {
            DBPath = platform::programFolder() + QStringLiteral("/Data");
            ModINI::WriteINI(QStringLiteral("数据库"), QStringLiteral("数据库所在的目录"), DBPath, IniFile);
        }
        DBFile = DBPath.trimmed().isEmpty() ? QString() : AddSlash(DBPath) + DBFileName;

        const auto flag = [](const QString &t) { return toFlag(t); };
        const auto roundedShort = [](const QString &t) { return toWhole<qint16>(toSingle(t)); };
        loadKey(u"自动备份数据库", u"自动备份", AutoBackup, QStringLiteral("True"), true, flag);
        BackupPath = ModINI::GetINI(QStringLiteral("自动备份数据库"), QStringLiteral("备份目录"), IniFile);
        loadKey(u"失效间隔的天数", u"间隔", SXDays, QStringLiteral("30"), qint32(30),
                [](const QString &t) { return toWhole<qint32>(toSingle(t)); });
        loadKey(u"出库加成率", u"加成", OutRate, QStringLiteral("1"), 1.0f, [](const QString &t) { return toSingle(t); });
        loadKey(u"软件打开次数", u"times", OpenTimes, QStringLiteral("1"), qint16(1),
                [](const QString &t) { return toShort(t); });
        loadKey(u"自动打开试剂出库窗口", u"自动进入出库窗口", AutoOut, QStringLiteral("False"), false, flag);
        loadKey(u"失效库存试剂提醒", u"立即提醒", TipNow, QStringLiteral("True"), true, flag);
        loadKey(u"数据维护", u"密码保护", PSWProtect, QStringLiteral("True"), true, flag);
        loadKey(u"查询默认日期", u"日期", QueryDate, QStringLiteral("0"), qint16(0), roundedShort);
        loadKey(u"首选出库方式", u"出库方式", OutMode, QStringLiteral("0"), qint16(0), roundedShort);
        LastUser = ModINI::GetINI(QStringLiteral("上次登陆用户"), QStringLiteral("用户名"), IniFile);
        loadKey(u"显示已停用试剂", u"显示", ShowStop, QStringLiteral("0"), qint16(0), roundedShort);
        loadKey(u"查询排序", u"查询排序", QueryOrder, QStringLiteral("0"), qint16(0), roundedShort);
        loadKey(u"出库价确认", u"不需要", NoPriceCheck, QStringLiteral("True"), true, flag);
        return true;
    } catch (const BadSetting &) {
        platform::msgBox(QStringLiteral("系统参数读取错误！请联系管理员。"));
        return false;
    }
}

} // namespace ModBase
