#pragma once

#include "MovementFlag.h"

#include <QDate>

namespace dao {
class Database;
}

namespace stock {

// The first document number of a day: the date as yyyymmdd followed by 001.
qint64 firstNumberOf(const QDate &day);

// The current document number of a series on a day: the highest number of that day
// (yyyymmdd001 to yyyymmdd999) stored for the flag, or the day's first number while the
// day has none; newNumber asks for the number after the highest one. Numbers outside the
// day's range (other days, or numbers saved in another form) play no part.
qint64 documentNumber(dao::Database &db, MovementFlag flag, const QDate &today, bool newNumber);

} // namespace stock
