#pragma once

#include <QString>

namespace reports {

// The folder "报表" of the program folder, created when missing. Throws std::runtime_error
// when it cannot be created.
QString reportFolder();

// A report title as the name part of a file: characters that a file name cannot hold (on
// this system or on a Windows share) become "_"; the rest stays as typed.
QString fileNamePart(const QString &title);

} // namespace reports
