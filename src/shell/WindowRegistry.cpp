#include "WindowRegistry.h"

#include <QHash>

namespace shell {
namespace {

QHash<QString, WindowFactory> &factories()
{
    static QHash<QString, WindowFactory> map;
    return map;
}

} // namespace

void registerWindow(const QString &name, WindowFactory factory)
{
    factories().insert(name, std::move(factory));
}

bool isRegistered(const QString &name)
{
    return factories().contains(name);
}

QWidget *createWindow(const QString &name, QWidget *parent)
{
    const auto it = factories().constFind(name);
    if (it == factories().constEnd() || !*it)
        return nullptr;
    return (*it)(parent);
}

void clearWindowRegistry()
{
    factories().clear();
}

} // namespace shell
