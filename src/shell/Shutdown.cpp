#include "Shutdown.h"

#include "ModBase.h"
#include "ModData.h"
#include "ModINI.h"
#include "dao/Database.h"
#include "platform/Dialogs.h"
#include "platform/System.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>

namespace ModBase {
namespace {

void writeKey(const char16_t *section, const char16_t *key, const QString &value)
{
    ModINI::WriteINI(QString::fromUtf16(section), QString::fromUtf16(key), value, IniFile);
}

// The copy is taken while this connection holds the write lock, so no other program can
// change the file in between; it is written under a temporary name and renamed only when
// complete, so a failed copy never leaves a truncated file under a backup's name.
void copyDatabase(const QString &target)
{
    auto db = dao::Database::open(DBFile, DBPassword);
    db->begin();
    QFile source(DBFile);
    if (!source.open(QIODevice::ReadOnly))
        return;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return;
    // In pieces, so a large store is never held in memory whole.
    constexpr qint64 kChunk = 4 << 20;
    bool complete = true;
    while (complete && !source.atEnd()) {
        const QByteArray piece = source.read(kChunk);
        complete = source.error() == QFileDevice::NoError && out.write(piece) == piece.size();
    }
    // Closing another handle of the file drops this process's record locks: the reading is
    // done by now, and the transaction only ends.
    source.close();
    db->rollback();
    if (complete)
        out.commit();
    else
        out.cancelWriting();
}

} // namespace

void BackupAtExit()
{
    try {
        ModData::CloseAll();
        BackupPath = MakePath(BackupPath);
        writeKey(u"自动备份数据库", u"备份目录", BackupPath);
        if (BackupPath.isEmpty() || !AutoBackup)
            return;
        const QString target = BackupPath + SysDate.toString(QStringLiteral("yyyyMMdd")) + u'_'
                               + QTime::currentTime().toString(QStringLiteral("HHmm")) + DBFileName;
        copyDatabase(target);
    } catch (...) {
        // The program ends anyway; the database file was only read.
    }
}

void ExitCompact()
{
    try {
        ModData::CloseAll();
        {
            // Another workstation with the file open refuses this: no counting then.
            const auto exclusive = dao::Database::open(DBFile, DBPassword, dao::Database::Mode::Exclusive);
            if (OpenTimes < 11) {
                ++OpenTimes;
                writeKey(u"软件打开次数", u"times", QString::number(OpenTimes));
                return;
            }
            OpenTimes = 1;
            writeKey(u"软件打开次数", u"times", QString::number(OpenTimes));
            if (platform::isNetworkPath(DBFile))
                return;
            platform::msgBox(QStringLiteral("软件关闭前需要优化数据库，时间约需数秒到数分钟，请按确定继续"));
        } // the compaction takes the file for itself
        ModData::CompactDB();
    } catch (...) {
        // Counting and compacting are housekeeping: the program ends anyway.
    }
}

} // namespace ModBase
