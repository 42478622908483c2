#include "DocumentNumber.h"

#include "dao/Database.h"

namespace stock {

qint64 firstNumberOf(const QDate &day)
{
    return (static_cast<qint64>(day.year()) * 10000 + day.month() * 100 + day.day()) * 1000 + 1;
}

qint64 documentNumber(dao::Database &db, MovementFlag flag, const QDate &today, bool newNumber)
{
    const qint64 first = firstNumberOf(today);
    const QVariant highest = db.scalar(
        QStringLiteral("SELECT MAX(单号) FROM shijibiandongdengji WHERE 变动标志=? AND 单号 BETWEEN ? AND ?"),
        {flag, first, first + 998});
    if (highest.isNull())
        return first;
    const qint64 number = highest.toLongLong();
    return newNumber ? number + 1 : number;
}

} // namespace stock
