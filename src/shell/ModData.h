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
// The shared connection, opened first when needed: the one way windows reach the
// database. Throws when no database file is set or it cannot be opened.
dao::Database &database();
dao::Recordset *SharedRecordset();

QString FmtDate(const QDate &date);
// Deletes the saved query whose name equals the argument exactly (letter case counts).
void DropQuery(const QString &name);
// The start-up check and first opening of the database; false when the program must end
// (the message was shown).
bool CheckDB();
// Rewrites the database without its free space while no other program has it open; true
// when done. Leaves the database closed (callers open it again); a failure leaves the file
// as it was.
bool CompactDB();
// Asks the logged-in user for the password again; true only when confirmed with it.
bool CheckPSW();

QString GetPYChar(const QString &ch);
QString GetPY(const QString &text);
float TextWidthCJK(const QString &text);

// Sets OrderBy and QueryOrder and remembers the order in the settings file.
void SetQueryOrder(qint16 &order);
// The OrderBy of order 0 (group, name, date) or 1 (date, name); empty for any other.
QString QueryOrderText(qint16 order);

} // namespace ModData
