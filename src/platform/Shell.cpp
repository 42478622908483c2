#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {
namespace {

bool startFirst(const QStringList &programs, const QStringList &args)
{
    for (const QString &p : programs) {
        const QString exe = QStandardPaths::findExecutable(p);
        if (!exe.isEmpty() && QProcess::startDetached(exe, args))
            return true;
    }
    return false;
}

QUrl toUrl(const QString &fileOrUrl)
{
    const QUrl url(fileOrUrl);
    if (url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(fileOrUrl);
}

class DesktopShell final : public Shell {
public:
    bool open(QWidget *, const QString &fileOrUrl) override
    {
        const QUrl url = toUrl(fileOrUrl);
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
            return false;
        return QDesktopServices::openUrl(url);
    }

    bool startCalculator() override
    {
        return startFirst({QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                           QStringLiteral("galculator"), QStringLiteral("mate-calc"),
                           QStringLiteral("xcalc")},
                          {});
    }

    bool explore(const QString &folder) override
    {
        if (!QFileInfo(folder).isDir())
            return false;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    }

    bool showHelp(const QString &helpFile, const QString &topic) override
    {
        if (!QFileInfo::exists(helpFile))
            return false;
        return startFirst({QStringLiteral("xchm"), QStringLiteral("kchmviewer")},
                          {helpFile + topic});
    }
};

DesktopShell &desktopShell()
{
    static DesktopShell s;
    return s;
}

Shell *g_shell = nullptr;

} // namespace

Shell &shell()
{
    return g_shell ? *g_shell : desktopShell();
}

void setShell(Shell *impl)
{
    g_shell = impl;
}

} // namespace platform
