#include "DeliveredDatabase.h"

#include "Schema.h"

#include "dao/Database.h"
#include "dao/PresenceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace schema {

bool writeDeliveredDatabase(const QString &path, const QString &key)
{
    if (QFileInfo::exists(path))
        return false;
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        throw dao::DaoError(dao::ErrGeneric, QStringLiteral("不能建立文件夹：") + info.absolutePath());
    const QString partial = info.absolutePath() + QStringLiteral("/~") + info.fileName();
    QFile::remove(partial);
    {
        auto db = dao::Database::create(partial, key);
        createTables(*db, kCurrent);
    }
    QFile::remove(dao::PresenceLock::lockPathFor(partial));
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw dao::DaoError(dao::ErrGeneric, QStringLiteral("不能写入文件：") + path);
    }
    return true;
}

} // namespace schema
