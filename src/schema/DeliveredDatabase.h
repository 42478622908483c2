#pragma once

#include <QString>

namespace schema {

// The database password: the key of every database file the program writes and opens.
inline const QString DatabasePassword = QStringLiteral("桐汐砾苇岫澄");

// Writes the empty database file of the current layout, keyed with `key`, at `path`, unless
// a file is already there: an existing database is never touched. The file appears only
// once it is complete. True when it was written; throws dao::DaoError when it cannot be.
bool writeDeliveredDatabase(const QString &path, const QString &key);

} // namespace schema
