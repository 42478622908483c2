#pragma once

#include <QString>

namespace dao {

// The engine's repair: rebuilds the file into a fresh one keeping every readable row, and
// keeps the damaged original beside it (returned path). The original is moved aside only
// once the rebuilt file is complete. Throws DaoError when nothing can be read.
QString repairDatabase(const QString &path, const QString &key);

} // namespace dao
