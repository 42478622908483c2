#include "OrderStore.h"

#include "dao/Database.h"
#include "dao/Recordset.h"

namespace receipts {

std::optional<qint64> saveOrder(dao::Database &db, const QDate &day, const QTime &time, qint32 userId,
                                const QList<QStringList> &lines)
{
    dao::Transaction t(db);
    dao::Recordset header(db, QStringLiteral("dingdanjiben"));
    header.addNew();
    header.setField(1, day.toString(QStringLiteral("yyyyMMdd")) + time.toString(QStringLiteral("HHmmss")));
    header.setField(2, day);
    header.setField(3, time.toString(QStringLiteral("HH:mm:ss")));
    header.setField(4, userId);
    const qint64 key = header.update();

    for (const QStringList &line : lines) {
        for (int c = 1; c <= 6; ++c) {
            if (line.value(c).trimmed().isEmpty())
                return std::nullopt;
        }
    }
    for (const QStringList &line : lines) {
        db.exec(QStringLiteral("INSERT INTO dingdanmingxi (订单基本ID, 品名, 规格, 厂商, 供应商, 数量, 单位, 单价, 金额,"
                               " [出库数/天数], 现库存) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {key, line.value(1), line.value(2), line.value(3), line.value(4), line.value(5), line.value(6),
                 line.value(7), line.value(8), line.value(9), line.value(10)});
    }
    t.commit();
    return key;
}

QList<SavedOrder> recentOrders(dao::Database &db, int count)
{
    const dao::Result r = db.select(QStringLiteral("SELECT 订单基本ID, 订单号 FROM dingdanjiben"
                                                   " ORDER BY 订单号 DESC, 订单基本ID DESC LIMIT ?"),
                                    {count});
    QList<SavedOrder> out;
    for (const dao::Row &row : r.rows)
        out.append({row[0].toLongLong(), row.text(1)});
    return out;
}

dao::Result orderLines(dao::Database &db, qint64 key)
{
    return db.select(QStringLiteral("SELECT 订单明细ID, 品名, 规格, 厂商, 供应商, 数量, 单位, 单价, 金额,"
                                    " [出库数/天数], 现库存 FROM dingdanmingxi WHERE 订单基本ID = ?"
                                    " ORDER BY 订单明细ID"),
                     {key});
}

} // namespace receipts
