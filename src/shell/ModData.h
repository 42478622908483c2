#pragma once

#include <QDate>
#include <QString>

#include <functional>

namespace dao {
class Database;
class Recordset;
} // namespace dao

// The shared data-access, pinyin and list routines.
namespace ModData {

// Opens the shared connection on DBFile (shared, read-write, keyed); reuses it while it
// is open on that file. Nothing happens when DBFile is empty. Failures reach the caller.
void OpenDB();
// Runs SQL (a table name or a query) into the shared recordset RS, standing on its first
// row. Nothing happens when DBFile is empty, and RS keeps what it held.
void OpenRS();
// Closes the shared recordset and connection, ignoring every failure.
void CloseAll();
// The open connection, or null.
dao::Database *Connection();
dao::Recordset *SharedRecordset();

QString FmtDate(const QDate &date);
// Deletes the saved query whose name equals the argument exactly (letter case counts).
void DropQuery(const QString &name);
// The start-up check and first opening of the database; false when the program must end
// (the message was shown).
bool CheckDB();

QString GetPYChar(const QString &ch);
QString GetPY(const QString &text);
float TextWidthCJK(const QString &text);

// The compaction of the database file: true when it completed; the database is left
// closed. The backup routines install it; while none is installed nothing is compacted.
inline std::function<bool()> CompactDB;

// Sets OrderBy and QueryOrder and remembers the order in the settings file.
void SetQueryOrder(qint16 &order);

} // namespace ModData
