#pragma once

#include <QString>

// The Windows profile-string calls on an INI file in code page 936 with CR LF lines, as
// both programs use them: missing file, section or key read as the default; section and
// key names compare without letter case; a write changes only its own line, appends a new
// key at the end of its section and a new section at the end of the file.
namespace platform::profile {

// The value as the API copies it into a buffer of bufferSize characters: at most
// bufferSize - 1 bytes, cut at a character boundary; blanks around it are removed and one
// pair of enclosing quotes is dropped. *truncated tells whether the value did not fit.
QString read(const QString &file, const QString &section, const QString &key,
             const QString &defaultValue = QString(), int bufferSize = 255, bool *truncated = nullptr);

// Writes key=value, creating the file and the section when needed; false when the file
// cannot be read or written.
bool write(const QString &file, const QString &section, const QString &key, const QString &value);

} // namespace platform::profile
