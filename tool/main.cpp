#include "FrmTool.h"

#include "platform/Dialogs.h"
#include "platform/QtTranslations.h"
#include "platform/System.h"

#include <QApplication>
#include <QStyle>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mendkit"));
    platform::installQtTranslations(app);
    // The tool's own sign in its title bar, not Qt's logo.
    QApplication::setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon));
    platform::setAppTitle(QStringLiteral("澜鉴维护工具"));
    FrmTool window(platform::programFolder(), platform::desktopFolder());
    window.show();
    return app.exec();
}
