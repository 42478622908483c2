#include "FrmTool.h"

#include "platform/Dialogs.h"
#include "platform/System.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mendkit"));
    platform::setAppTitle(QStringLiteral("澜鉴维护工具"));
    FrmTool window(platform::programFolder(), platform::desktopFolder());
    window.show();
    return app.exec();
}
