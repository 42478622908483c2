#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace dao {
class Database;
}

// Brings a database file of any earlier release to the current schema.
namespace ModDBtoNEW {

// Finds the version of the open file and runs every step from there to the current one.
// Each step runs in one transaction together with what marks its version, so a file is
// never left half converted. False when a step failed: it was rolled back, the file stays
// at the version before it, the message was shown and the program must end. A file of the
// current version then gets the indexes of the current layout in place of earlier ones
// (once: a file that has them is not written).
bool UpgradeDB(dao::Database &db);

// The version of the open file: 3.0 when nothing is found, the last marker found below 5.0,
// and from 5.2 on the stamp as it reads (so "6.0" is 6, while a stamp that is no number
// leaves 5.2). Failing look-ups are passed over.
float DetectDBVersion(dao::Database &db);
// The version a stamp stands for, blanks around it allowed; empty when it is no number.
std::optional<float> ParseStamp(const QVariant &stamp);

// The rights string through the steps that widen it, from 23 characters at 3.4 to 26 at
// 5.1. A string shorter than its version's length is first filled up with "0".
QString RightsAt37(const QString &rights, bool superUser);
QString RightsAt40(const QString &rights, bool superUser);
QString RightsAt51(const QString &rights);

} // namespace ModDBtoNEW
