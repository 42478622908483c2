#include "shell/Startup.h"
#include "platform/Dialogs.h"
#include "platform/SingleInstance.h"
#include "platform/System.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vialdesk"));
    platform::setAppTitle(QStringLiteral("澜鉴"));
    platform::SingleInstance instance(platform::programFolder());
    ModBase::StartUp(instance);
    return 0;
}
