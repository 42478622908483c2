#include "SafeApplication.h"

#include "ModBase.h"

SafeApplication::SafeApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool SafeApplication::notify(QObject *receiver, QEvent *event)
{
    return shell::deliverGuarded([&] { return QApplication::notify(receiver, event); });
}

namespace shell {

bool deliverGuarded(const std::function<bool()> &deliver)
{
    try {
        return deliver();
    } catch (...) {
        ModBase::ShowErr();
        return false;
    }
}

} // namespace shell
