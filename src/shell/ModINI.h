#pragma once

#include <QString>

// One key of the settings file.
namespace ModINI {

// The key's value, trimmed; empty when missing, empty or unreadable (never a message).
QString GetINI(const QString &section, const QString &key, const QString &file);
// True when the write succeeded; creates the file and the section when needed.
bool WriteINI(const QString &section, const QString &key, const QString &value, const QString &file);

} // namespace ModINI
