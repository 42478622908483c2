#pragma once

#include <QString>

#include <functional>

class QWidget;

// The windows of the later subsystems that the shell opens by name (the dispatcher's
// business windows and registers, the warning window after login). main.cpp registers
// them, so the shell never includes their headers.
namespace shell {

// Makes a new window; parent is its owner (null: none). Constructing it is its load.
using WindowFactory = std::function<QWidget *(QWidget *parent)>;

void registerWindow(const QString &name, WindowFactory factory);
// Registers the window class W under its name.
template <typename W>
void registerWindowType(const char16_t *name)
{
    registerWindow(QString::fromUtf16(name), [](QWidget *parent) { return new W(parent); });
}
bool isRegistered(const QString &name);
// A new window of that name, or null when none is registered.
QWidget *createWindow(const QString &name, QWidget *parent);
// Forgets every registration (tests start from an empty registry).
void clearWindowRegistry();

// A window whose first queries wait until it is shown. A caller that needs their results
// before deciding whether to show it (the login and the warning window) runs them at once.
class DeferredLoad {
public:
    virtual ~DeferredLoad() = default;
    virtual void loadNow() = 0;
};

} // namespace shell
