#include "System.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QStorageInfo>

#include <clocale>
#include <langinfo.h>

namespace platform {
namespace {
QString g_programFolder;
int g_codePage = 0;
}

int codePageOfCodeset(const QString &codeset)
{
    const QString c = codeset.toUpper().remove(u'-').remove(u'_');
    if (c.startsWith(QStringLiteral("BIG5")) || c == QStringLiteral("CP950")
        || c == QStringLiteral("EUCTW"))
        return 950;
    return 936;
}

int ansiCodePage()
{
    if (g_codePage != 0)
        return g_codePage;
    std::setlocale(LC_CTYPE, "");
    const char *codeset = nl_langinfo(CODESET);
    return codePageOfCodeset(QString::fromLatin1(codeset ? codeset : ""));
}

void setAnsiCodePage(int codePage)
{
    g_codePage = codePage;
}

QString programFolder()
{
    if (!g_programFolder.isEmpty())
        return g_programFolder;
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

void setProgramFolder(const QString &folder)
{
    g_programFolder = QDir::cleanPath(folder);
}

QString shortDate(const QDate &date)
{
    // The short date of the Chinese (PRC) desktop the reports were made for, whatever the
    // session's locale: an English "15 Jan 2026" would read wrong on a Chinese report.
    return date.toString(QStringLiteral("yyyy/M/d"));
}

QString desktopFolder()
{
    const QString d = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return d.isEmpty() ? QDir::homePath() : d;
}

bool isNetworkPath(const QString &path)
{
    if (path.startsWith(QStringLiteral("\\\\")) || path.startsWith(QStringLiteral("//")))
        return true;
    QFileInfo info(path);
    QString probe = info.absoluteFilePath();
    while (!probe.isEmpty() && !QFileInfo::exists(probe))
        probe = QFileInfo(probe).absolutePath() == probe ? QString() : QFileInfo(probe).absolutePath();
    if (probe.isEmpty())
        return false;
    static const QByteArrayList network = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs",
                                           "9p", "afs", "ncpfs"};
    return network.contains(QStorageInfo(probe).fileSystemType());
}

} // namespace platform
