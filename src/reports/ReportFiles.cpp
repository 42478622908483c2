#include "ReportFiles.h"

#include "platform/System.h"

#include <QDir>

#include <stdexcept>

namespace reports {

QString reportFolder()
{
    const QString folder = platform::programFolder() + QStringLiteral("/报表");
    if (!QDir().mkpath(folder))
        throw std::runtime_error((QStringLiteral("无法创建文件夹 ") + folder).toLocal8Bit().toStdString());
    return folder;
}

QString fileNamePart(const QString &title)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString part = title;
    for (QChar &c : part) {
        if (c.unicode() < 0x20 || forbidden.contains(c))
            c = u'_';
    }
    return part;
}

} // namespace reports
