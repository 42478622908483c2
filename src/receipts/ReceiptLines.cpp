#include "ReceiptLines.h"

#include "dao/Database.h"
#include "widgets/FlexGrid.h"

namespace receipts {

using platform::convert::Currency;

namespace {

const QString kJoins = QStringLiteral(
    " FROM shijibiandongdengji"
    " INNER JOIN shijijibenxinxi ON shijijibenxinxi.试剂ID = shijibiandongdengji.试剂ID"
    " INNER JOIN changshang ON changshang.厂商ID = shijijibenxinxi.厂商ID"
    " INNER JOIN gongyingshang ON gongyingshang.供应商ID = shijibiandongdengji.供应商ID"
    " INNER JOIN yonghu ON yonghu.用户ID = shijibiandongdengji.操作者ID"
    " WHERE shijibiandongdengji.变动标志=1");

} // namespace

const QString ReceiptLineSql = QStringLiteral(
    "SELECT shijibiandongdengji.登记ID, shijijibenxinxi.试剂ID, shijibiandongdengji.登记日期, "
    "shijijibenxinxi.品名, shijijibenxinxi.规格, shijibiandongdengji.批号, shijibiandongdengji.有效期, "
    "changshang.厂商, shijibiandongdengji.数量, shijijibenxinxi.单位, shijibiandongdengji.单价, "
    "shijibiandongdengji.数量*shijibiandongdengji.单价 AS 金额, shijibiandongdengji.存放地点, "
    "shijibiandongdengji.供应商ID, yonghu.用户名 AS 操作者, shijijibenxinxi.组别, gongyingshang.供应商, "
    "shijijibenxinxi.批准文号, shijibiandongdengji.单号, shijibiandongdengji.发票号") + kJoins;

const QString ReceiptPrintSql = QStringLiteral(
    "SELECT shijibiandongdengji.登记ID, shijibiandongdengji.登记日期, shijijibenxinxi.品名, "
    "shijijibenxinxi.规格, shijibiandongdengji.批号, changshang.厂商, shijibiandongdengji.数量, "
    "shijijibenxinxi.单位, shijibiandongdengji.单价, "
    "shijibiandongdengji.数量*shijibiandongdengji.单价 AS 金额, shijibiandongdengji.有效期, "
    "shijijibenxinxi.组别, shijijibenxinxi.批准文号, gongyingshang.供应商, shijibiandongdengji.单号, "
    "shijibiandongdengji.发票号, shijibiandongdengji.存放地点, yonghu.用户名 AS 操作者") + kJoins;

dao::Result receiptLines(dao::Database &db, const QString &sql, const QVariantList &params, int amountColumn)
{
    dao::Result result = db.select(sql, params);
    for (dao::Row &row : result.rows)
        row.set(amountColumn, platform::convert::standard(row[amountColumn].toDouble()));
    return result;
}

Currency columnTotal(const FlexGrid &grid, int col)
{
    Currency total;
    for (int r = 1; r < grid.Rows(); ++r)
        total += Currency::fromDouble(platform::convert::parseNumber(grid.TextMatrix(r, col)).value_or(0));
    return total;
}

} // namespace receipts
