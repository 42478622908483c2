#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace dao {

struct RepairResult {
    QString damagedCopy;                           // the original, moved aside unchanged
    QList<std::pair<QString, qint64>> keptRows;    // each table and the rows kept of it
};

// The engine's repair: rebuilds the file into a fresh one with every row that can still be
// read (a damaged page loses only its own rows) and keeps the damaged original beside it.
// The original is only read; it is moved aside once the rebuilt file is complete.
// Throws DaoError ErrUnrecognized when nothing of the file can be read (not decryptable
// with the key: random bytes, another password); the file is then left as it was.
RepairResult repairDatabase(const QString &path, const QString &key);

} // namespace dao
