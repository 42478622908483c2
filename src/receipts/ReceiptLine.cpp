#include "ReceiptLine.h"

#include "stock/LineWrite.h"
#include "stock/MovementFlag.h"
#include "dao/Database.h"
#include "platform/Convert.h"

namespace receipts {

using platform::convert::roundTo;

qint64 writeReceiptLine(dao::Database &db, const ReceiptLine &line)
{
    stock::requireTransaction(db);
    const double quantity = roundTo(line.quantity, 4);
    const double price = roundTo(line.price, 4);
    db.exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志, 单号, 发票号, 登记日期, 试剂ID, 批号, "
                           "有效期, 数量, 单价, 供应商ID, 操作者ID, 存放地点) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {stock::Receipt, line.number, line.invoice, line.date, line.reagentId, line.batch, line.expiry, quantity,
             price, line.supplierId, line.userId, line.place});
    const qint64 id = db.lastInsertId();
    db.exec(QStringLiteral("INSERT INTO shijikucun (试剂ID, 批号, 有效期, 数量, 单价, 存放地点, 供应商ID, 入库ID) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
            {line.reagentId, line.batch, line.expiry, quantity, price, line.place, line.supplierId,
             QString::number(id)});
    return id;
}

qint64 saveReceiptLine(dao::Database &db, const ReceiptLine &line)
{
    dao::Transaction t(db);
    const qint64 id = writeReceiptLine(db, line);
    t.commit();
    return id;
}

std::optional<LatestSupplier> latestSupplier(dao::Database &db)
{
    const qint64 id = db.scalar(QStringLiteral("SELECT MAX(登记ID) FROM shijibiandongdengji WHERE 变动标志=?"),
                                {stock::Receipt})
                          .toLongLong();
    if (id <= 0)
        return std::nullopt;
    const dao::Result r = db.select(
        QStringLiteral("SELECT gongyingshang.供应商ID, gongyingshang.供应商, shijibiandongdengji.存放地点 "
                       "FROM gongyingshang INNER JOIN shijibiandongdengji "
                       "ON gongyingshang.供应商ID = shijibiandongdengji.供应商ID WHERE 登记ID=?"),
        {id});
    if (r.empty())
        return std::nullopt;
    return LatestSupplier{r[0][0].toInt(), r[0].text(1), r[0].text(2)};
}

QString lastReceiptPrice(dao::Database &db, qint32 reagentId)
{
    const QVariant price = db.scalar(QStringLiteral("SELECT 单价 FROM shijibiandongdengji WHERE 变动标志=? "
                                                    "AND 试剂ID=? ORDER BY 登记ID DESC LIMIT 1"),
                                     {stock::Receipt, reagentId});
    return price.isNull() ? QString() : platform::convert::doubleText(price.toDouble());
}

} // namespace receipts
