#include "ModData.h"

#include "FrmCheckPSW.h"
#include "ModBase.h"
#include "ModINI.h"
#include "dao/Recordset.h"
#include "dao/Repair.h"
#include "platform/CodePage936.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <array>

namespace ModData {
namespace {

std::unique_ptr<dao::Database> g_db;
std::unique_ptr<dao::Recordset> g_rs;

struct Initial {
    quint16 code;
    char letter;
};

// First characters of each initial in code page 936 order; I, U and V have none.
constexpr std::array<Initial, 23> kInitials = {{
    {0xB0A1, 'A'}, {0xB0C5, 'B'}, {0xB2C1, 'C'}, {0xB4EE, 'D'}, {0xB6EA, 'E'}, {0xB7A2, 'F'},
    {0xB8C1, 'G'}, {0xB9FE, 'H'}, {0xBBF7, 'J'}, {0xBFA6, 'K'}, {0xC0AC, 'L'}, {0xC2E8, 'M'},
    {0xC4C3, 'N'}, {0xC5B6, 'O'}, {0xC5BE, 'P'}, {0xC6DA, 'Q'}, {0xC8BB, 'R'}, {0xC8F6, 'S'},
    {0xCBFA, 'T'}, {0xCDDA, 'W'}, {0xCEF4, 'X'}, {0xD1B9, 'Y'}, {0xD4D1, 'Z'},
}};

QString pinyinOf(char32_t ch)
{
    if (ch < 0x80) {
        const QChar c(static_cast<char16_t>(ch));
        const QChar up = c.toUpper();
        if (up >= u'A' && up <= u'Z')
            return QString(up);
        if (c >= u'0' && c <= u'9')
            return QString(c);
        return QString();
    }
    const quint16 code = platform::cp936::codeOf(ch);
    if (code == 0)
        return QString(); // not in the code page: it becomes '?', which gives nothing
    if (code < kInitials.front().code)
        return QStringLiteral("0");
    char letter = 'A';
    for (const Initial &i : kInitials) {
        if (code < i.code)
            break;
        letter = i.letter;
    }
    return QString(QLatin1Char(letter));
}

// The folder's file whose name equals fileName without regard to letter case.
QString findCaseless(const QString &folder, const QString &fileName, bool &lookupFailed)
{
    lookupFailed = false;
    const QFileInfo dir(folder);
    if (!dir.exists())
        return QString();
    if (!dir.isDir() || !dir.isReadable()) {
        lookupFailed = true;
        return QString();
    }
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &e : entries)
        if (e.compare(fileName, Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(e);
    return QString();
}

void clearDatabaseKey()
{
    ModINI::WriteINI(QStringLiteral("数据库"), QStringLiteral("数据库所在的目录"), QString(), ModBase::IniFile);
}

} // namespace

void OpenDB()
{
    if (ModBase::DBFile.trimmed().isEmpty())
        return;
    if (g_db && QFileInfo(g_db->path()) == QFileInfo(ModBase::DBFile))
        return;
    g_rs.reset();
    g_db.reset();
    g_db = dao::Database::open(ModBase::DBFile, ModBase::DBPassword);
}

void OpenRS()
{
    if (ModBase::DBFile.trimmed().isEmpty())
        return;
    OpenDB();
    auto rs = std::make_unique<dao::Recordset>(*g_db, ModBase::SQL);
    g_rs = std::move(rs);
}

void CloseAll()
{
    g_rs.reset();
    g_db.reset();
}

dao::Database *Connection()
{
    return g_db.get();
}

dao::Database &database()
{
    OpenDB();
    if (!g_db)
        throw dao::DaoError(dao::ErrFileNotFound, QStringLiteral("没有打开数据库。"));
    return *g_db;
}

dao::Recordset *SharedRecordset()
{
    return g_rs.get();
}

QString FmtDate(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

void DropQuery(const QString &name)
{
    OpenDB();
    if (!g_db)
        return;
    const dao::Result views = g_db->select(QStringLiteral("SELECT name FROM sqlite_master WHERE type='view'"));
    for (const dao::Row &v : views.rows) {
        if (v.text(0) == name) {
            QString quoted = name;
            quoted.replace(u'"', QStringLiteral("\"\""));
            g_db->exec(QStringLiteral("DROP VIEW \"") + quoted + u'"');
            return;
        }
    }
}

namespace {

// The user learns what the repair kept and where the damaged original lies.
void tellRepaired(const dao::RepairResult &repair)
{
    QString text = QStringLiteral("数据库已修复。损坏的原文件保留为：\n") + repair.damagedCopy
                   + QStringLiteral("\n\n各表保留的记录：");
    for (const auto &[table, rows] : repair.keptRows)
        text += QStringLiteral("\n") + table + QStringLiteral("：") + QString::number(rows) + QStringLiteral(" 条");
    platform::msgBox(text, platform::Buttons::Ok, platform::Icon::Information);
}

} // namespace

bool CheckDB()
{
    using platform::msgBox;
    const QString fileName = ModBase::DBFileName;
    bool lookupFailed = false;
    QString found;
    if (!ModBase::DBFile.trimmed().isEmpty()) {
        const QFileInfo info(ModBase::DBFile);
        found = findCaseless(info.absolutePath(), info.fileName(), lookupFailed);
        if (!found.isEmpty() && QFileInfo(found).fileName().compare(fileName, Qt::CaseInsensitive) != 0)
            found.clear();
    }
    if (lookupFailed) {
        msgBox(QStringLiteral("找不到可用的数据库！程序将终止运行，请再打开一次，如仍出现此提示请联系管理员\n\n如仍有问题请联系作者"));
        clearDatabaseKey();
        return false;
    }
    if (found.isEmpty()) {
        msgBox(QStringLiteral("找不到可用的数据库！程序将终止运行，请重新打开程序，并指定数据库所在的目录。\n\n如仍有问题请联系开发商"));
        clearDatabaseKey();
        return false;
    }
    ModBase::DBFile = found;

    for (;;) {
        try {
            OpenDB();
            return true;
        } catch (const dao::DaoError &e) {
            switch (e.number()) {
            case dao::ErrDamaged: {
                const auto answer = msgBox(e.description() + QStringLiteral("\n\n试图修复它吗？"),
                                           platform::Buttons::YesNo, platform::Icon::Exclamation);
                if (answer != platform::Answer::Yes) {
                    // Running on without a database would fail at every step that follows.
                    msgBox(QStringLiteral("数据库文件已损坏且未修复，程序将终止运行。"), platform::Buttons::Ok,
                           platform::Icon::Exclamation);
                    return false;
                }
                try {
                    tellRepaired(dao::repairDatabase(ModBase::DBFile, ModBase::DBPassword));
                } catch (const dao::DaoError &repairError) {
                    if (repairError.number() != dao::ErrUnrecognized) {
                        ModBase::ShowErr(repairError);
                        return false;
                    }
                    msgBox(QStringLiteral("无法修复数据库文件“") + ModBase::DBFile
                               + QStringLiteral("”：用本系统的密码读不出其中任何内容，它不是本系统的数据库，"
                                                "或已用其他密码加密。\n\n文件未作任何改动，程序将终止运行。"),
                           platform::Buttons::Ok, platform::Icon::Exclamation);
                    return false;
                }
                continue;
            }
            case dao::ErrHeldExclusively:
            case dao::ErrExclusiveUse:
                msgBox(QStringLiteral("不能打开数据库文件“") + ModBase::DBFile + QStringLiteral("”，文件正在使用中"),
                       platform::Buttons::Ok, platform::Icon::Information);
                return false;
            default:
                ModBase::ShowErr(e);
                return false;
            }
        }
    }
}

bool CompactDB()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ModBase::SetStatus(QStringLiteral("正在压缩整理数据库"), true);
    bool done = false;
    CloseAll();
    try {
        // In place, holding the file alone: the engine rewrites it inside a transaction, so
        // the database is never missing and a failure leaves it as it was.
        auto db = dao::Database::open(ModBase::DBFile, ModBase::DBPassword, dao::Database::Mode::Exclusive);
        db->exec(QStringLiteral("VACUUM"));
        done = true;
    } catch (...) {
        // Another program has the file, or the engine failed: no compaction, no message.
    }
    ModBase::SetStatus(QString());
    QApplication::restoreOverrideCursor();
    return done;
}

bool CheckPSW()
{
    ModBase::PSWOK = false;
    FrmCheckPSW prompt;
    platform::execModal(&prompt);
    return ModBase::PSWOK;
}

QString GetPYChar(const QString &ch)
{
    const auto ucs = ch.toUcs4();
    return ucs.isEmpty() ? QString() : pinyinOf(ucs.first());
}

QString GetPY(const QString &text)
{
    if (text.isEmpty())
        return QString();
    QString code;
    for (char32_t ch : text.toUcs4())
        code += pinyinOf(ch).toUpper();
    return code.isEmpty() ? QStringLiteral("ABC") : code;
}

float TextWidthCJK(const QString &text)
{
    float width = 0;
    for (char32_t ch : text.toUcs4())
        width += platform::cp936::isDoubleByte(ch) ? 1.0f : 0.5f;
    return width;
}

QString QueryOrderText(qint16 order)
{
    if (order == 0)
        return QStringLiteral(" ORDER BY shijijibenxinxi.组别 COLLATE ZH,shijijibenxinxi.品名 COLLATE ZH, shijibiandongdengji.登记日期");
    if (order == 1)
        return QStringLiteral(" ORDER BY shijibiandongdengji.登记日期,shijijibenxinxi.品名 COLLATE ZH");
    return QString();
}

void SetQueryOrder(qint16 &order)
{
    if (const QString text = QueryOrderText(order); !text.isEmpty())
        ModBase::OrderBy = text;
    ModBase::QueryOrder = order;
    ModINI::WriteINI(QStringLiteral("查询排序"), QStringLiteral("查询排序"), QString::number(order), ModBase::IniFile);
}

} // namespace ModData
