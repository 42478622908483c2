#include "BenchSupport.h"

#include "StoreGenerator.h"
#include "dao/Database.h"
#include "platform/System.h"
#include "schema/ModDBtoNEW.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModINI.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>

#include <cstdio>
#include <stdexcept>

namespace bench {
namespace {

// A store made by an earlier program goes through the upgrade chain once, as the program's
// first start after an update would take it, so that no case times that first start.
void upgradeStore(const QString &path)
{
    auto db = dao::Database::open(path, ModBase::DBPassword);
    const QString before = db->scalar(QStringLiteral("PRAGMA schema_version")).toString();
    QElapsedTimer clock;
    clock.start();
    if (!ModDBtoNEW::UpgradeDB(*db))
        throw std::runtime_error("the store's upgrade failed");
    if (db->scalar(QStringLiteral("PRAGMA schema_version")).toString() != before)
        std::fprintf(stderr, "brought %s to the current layout in %.1f s\n", qPrintable(path),
                     static_cast<double>(clock.elapsed()) / 1000.0);
}

} // namespace

QString storePath()
{
    static const QString path = [] {
        const QString size = qEnvironmentVariable("VIALDESK_BENCH_SIZE", QStringLiteral("medium"));
        QString p = qEnvironmentVariable("VIALDESK_BENCH_STORE");
        if (p.isEmpty())
            p = QCoreApplication::applicationDirPath() + QStringLiteral("/store-%1.dat").arg(size);
        if (!QFileInfo::exists(p)) {
            std::fprintf(stderr, "generating the %s store into %s ...\n", qPrintable(size), qPrintable(p));
            QDir().mkpath(QFileInfo(p).absolutePath());
            // Written under a name of its own and renamed when complete, so a run that
            // starts meanwhile never opens half a store.
            const QString part = p + QStringLiteral(".part%1").arg(QCoreApplication::applicationPid());
            QFile::remove(part);
            const StoreSize s = size == QStringLiteral("small")   ? StoreSize::small()
                                : size == QStringLiteral("large") ? StoreSize::large()
                                                                  : StoreSize();
            generateStore(part, ModBase::DBPassword, s, 20261210);
            if (!QFile::rename(part, p))
                QFile::remove(part); // another run finished the same store first
        }
        upgradeStore(p);
        return p;
    }();
    return path;
}

ProgramFolder::ProgramFolder(bool copyStore)
{
    ModData::CloseAll();
    ModBase::ResetState();
    platform::setProgramFolder(m_dir.path());
    QString dataFolder = QFileInfo(storePath()).absolutePath();
    m_database = storePath();
    if (copyStore) {
        dataFolder = m_dir.filePath(QStringLiteral("Data"));
        QDir().mkpath(dataFolder);
        m_database = dataFolder + QStringLiteral("/MarloSJGL.dat");
        if (!QFile::copy(storePath(), m_database))
            throw std::runtime_error("cannot copy the store");
    } else if (QFileInfo(storePath()).fileName() != ModBase::DBFileName) {
        // The program opens its database by its fixed name: give the store that name.
        dataFolder = m_dir.filePath(QStringLiteral("Data"));
        QDir().mkpath(dataFolder);
        m_database = dataFolder + QStringLiteral("/MarloSJGL.dat");
        QFile::link(QFileInfo(storePath()).absoluteFilePath(), m_database);
    }
    ModBase::IniFile = m_dir.filePath(ModBase::IniFileName);
    ModINI::WriteINI(QStringLiteral("数据库"), QStringLiteral("数据库所在的目录"), dataFolder, ModBase::IniFile);
    ModBase::LoadSettings();
    ModBase::SysDate = QDate(2026, 12, 10);
    ModBase::UserID = 1;
    ModBase::UserName = QStringLiteral("管理员");
    ModBase::UnitName = QStringLiteral("市第一人民医院检验科");
    ModData::OpenDB();
}

ProgramFolder::~ProgramFolder()
{
    ModData::CloseAll();
    platform::setProgramFolder(QString());
}

double peakMemoryMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double residentMemoryMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

} // namespace bench
