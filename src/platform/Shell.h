#pragma once

#include <QString>

class QWidget;

// Starting other programs: a file or address with its associated program, the
// calculator, the file manager, the help viewer. Each call returns false when no program
// could be started, and the caller does what it does for a failed shell call.
namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    virtual bool open(QWidget *owner, const QString &fileOrUrl) = 0;
    virtual bool startCalculator() = 0;
    virtual bool explore(const QString &folder) = 0;
    // topic as the help file names it, such as "::/4.htm#41"
    virtual bool showHelp(const QString &helpFile, const QString &topic) = 0;
};

Shell &shell();
// Installs an implementation (not owned); nullptr restores the desktop one.
void setShell(Shell *impl);

} // namespace platform
