#pragma once

#include <QDate>
#include <QList>
#include <QStringList>
#include <QTime>

#include <optional>

namespace dao {
class Database;
struct Result;
} // namespace dao

// Saved purchase orders: a header in dingdanjiben and its lines in dingdanmingxi.
namespace receipts {

struct SavedOrder {
    qint64 key = 0;
    QString number;
};

// Saves the lines (order-grid columns 0 to 10 each, column 0 not stored) as a new order
// numbered from the day and the time, in one transaction. None, and nothing stored, when a
// line has an empty 品名, 规格, 厂商, 供应商, 数量 or 单位.
std::optional<qint64> saveOrder(dao::Database &db, const QDate &day, const QTime &time, qint32 userId,
                                const QList<QStringList> &lines);

// The newest orders first, at most count of them.
QList<SavedOrder> recentOrders(dao::Database &db, int count);

// The lines of one order in the order they were saved: 订单明细ID, then the columns 1 to
// 10 of the order grid under their field names.
dao::Result orderLines(dao::Database &db, qint64 key);

} // namespace receipts
