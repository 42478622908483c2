#include "ModINI.h"

#include "platform/Profile.h"

namespace ModINI {

QString GetINI(const QString &section, const QString &key, const QString &file)
{
    return platform::profile::read(file, section, key, QString(), 255).trimmed();
}

bool WriteINI(const QString &section, const QString &key, const QString &value, const QString &file)
{
    return platform::profile::write(file, section, key, value);
}

} // namespace ModINI
