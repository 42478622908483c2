#pragma once

#include "Schema.h"

#include <QHash>

namespace schema {

// SQLite 3.15 can neither drop nor rename a column, nor move one: a table changes its layout
// by being rebuilt. The rows move with their keys into a new table of the layout `to`
// (whose name may differ from `from`), which then takes the old one's place with its
// indexes and triggers; the counter goes on where the old table's stood, so a deleted key is
// never handed out again. A field of `to` takes the old column of its own name, or of the
// name `renamed` gives for it; a field without one reads Null, a Yes/No field No. An old
// column that `to` does not keep must be named in `dropped`, so no data goes unnoticed.
// Runs inside the caller's transaction; throws dao::DaoError.
void rebuildTable(dao::Database &db, const QString &from, const Layout &to,
                  const QHash<QString, QString> &renamed = {}, const QStringList &dropped = {});

} // namespace schema
