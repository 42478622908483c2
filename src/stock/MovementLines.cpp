#include "MovementLines.h"

#include "dao/Database.h"
#include "shell/ModData.h"
#include "widgets/FlexGrid.h"

#include <optional>

namespace stock {

using platform::convert::Currency;

namespace {

const QString kReagentAndUser = QStringLiteral(
    " FROM shijibiandongdengji"
    " INNER JOIN shijijibenxinxi ON shijijibenxinxi.试剂ID = shijibiandongdengji.试剂ID"
    " INNER JOIN yonghu ON yonghu.用户ID = shijibiandongdengji.操作者ID");

const QString kAllJoins = QStringLiteral(
    " FROM shijibiandongdengji"
    " INNER JOIN shijijibenxinxi ON shijijibenxinxi.试剂ID = shijibiandongdengji.试剂ID"
    " INNER JOIN changshang ON changshang.厂商ID = shijijibenxinxi.厂商ID"
    " INNER JOIN gongyingshang ON gongyingshang.供应商ID = shijibiandongdengji.供应商ID"
    " INNER JOIN yonghu ON yonghu.用户ID = shijibiandongdengji.操作者ID");

QString whereFlag(MovementFlag flag)
{
    return QStringLiteral(" WHERE shijibiandongdengji.变动标志=%1").arg(int(flag));
}

const QString kShared = QStringLiteral(
    "SELECT shijibiandongdengji.登记ID, shijijibenxinxi.试剂ID, shijibiandongdengji.登记日期, "
    "shijijibenxinxi.品名, shijijibenxinxi.规格, shijibiandongdengji.批号, ");

const QString kAmount = QStringLiteral("shijibiandongdengji.数量*shijibiandongdengji.单价 AS 金额");

const QString kReportShared = QStringLiteral(
    "SELECT shijibiandongdengji.登记ID, shijibiandongdengji.登记日期, shijijibenxinxi.品名, "
    "shijijibenxinxi.规格, shijibiandongdengji.批号, changshang.厂商, shijibiandongdengji.数量, "
    "shijijibenxinxi.单位, shijibiandongdengji.单价, "
    "shijibiandongdengji.数量*shijibiandongdengji.单价 AS 金额, shijibiandongdengji.有效期, "
    "shijijibenxinxi.组别, shijijibenxinxi.批准文号, ");

} // namespace

LineQuery documentLines(MovementFlag flag)
{
    if (flag == Receipt)
        return {kShared +
                    QStringLiteral("shijibiandongdengji.有效期, changshang.厂商, shijibiandongdengji.数量, "
                                   "shijijibenxinxi.单位, shijibiandongdengji.单价, ") +
                    kAmount +
                    QStringLiteral(", shijibiandongdengji.存放地点, shijibiandongdengji.供应商ID, "
                                   "yonghu.用户名 AS 操作者, shijijibenxinxi.组别, gongyingshang.供应商, "
                                   "shijijibenxinxi.批准文号, shijibiandongdengji.单号, shijibiandongdengji.发票号") +
                    kAllJoins + whereFlag(flag),
                {DocumentAmountColumn}};
    return {kShared +
                QStringLiteral("shijibiandongdengji.认领部门, shijibiandongdengji.认领人, shijibiandongdengji.数量, "
                               "shijijibenxinxi.单位, shijibiandongdengji.单价, ") +
                kAmount +
                QStringLiteral(", shijibiandongdengji.有效期, shijibiandongdengji.供应商ID, "
                               "shijibiandongdengji.存放地点, yonghu.用户名 AS 操作者, shijijibenxinxi.组别, ") +
                (flag == Scrap ? QStringLiteral("shijibiandongdengji.报损原因, ") : QString()) +
                QStringLiteral("shijibiandongdengji.单号, shijibiandongdengji.入库ID") + kReagentAndUser +
                whereFlag(flag),
            {DocumentAmountColumn}};
}

LineQuery reportLines(MovementFlag flag)
{
    QString tail;
    switch (flag) {
    case Receipt:
        tail = QStringLiteral("gongyingshang.供应商, shijibiandongdengji.单号, shijibiandongdengji.发票号, "
                              "shijibiandongdengji.存放地点, ");
        break;
    case Issue:
        tail = QStringLiteral("shijibiandongdengji.存放地点, gongyingshang.供应商, shijibiandongdengji.单号, "
                              "shijibiandongdengji.发票号, shijibiandongdengji.认领部门, shijibiandongdengji.认领人, ");
        break;
    case Scrap:
        tail = QStringLiteral("shijibiandongdengji.存放地点, gongyingshang.供应商, shijibiandongdengji.单号, "
                              "shijibiandongdengji.发票号, shijibiandongdengji.报损原因, "
                              "shijibiandongdengji.认领部门, shijibiandongdengji.认领人, ");
        break;
    }
    return {kReportShared + tail + QStringLiteral("yonghu.用户名 AS 操作者") + kAllJoins + whereFlag(flag),
            {ReportAmountColumn}};
}

QList<roworder::Key> reportOrder(const QString &orderBy)
{
    using Compare = roworder::Key::Compare;
    // Columns of every report kind: 登记ID 0, 登记日期 1, 品名 2, 组别 11.
    const roworder::Key id{0, Compare::Number}, date{1, Compare::Bytes}, name{2, Compare::Chinese},
        group{11, Compare::Chinese};
    if (orderBy == ModData::QueryOrderText(0))
        return {group, name, date, id};
    if (orderBy == ModData::QueryOrderText(1))
        return {date, name, id};
    return {};
}

LineQuery summaryLines(MovementFlag flag)
{
    return {QStringLiteral("SELECT shijijibenxinxi.试剂ID, shijijibenxinxi.品名, shijijibenxinxi.规格, changshang.厂商, "
                           "ROUND(SUM(shijibiandongdengji.数量), 4) AS 数量, shijijibenxinxi.单位, "
                           "shijibiandongdengji.单价 AS 单价, "
                           "SUM(CAST(ROUND(shijibiandongdengji.数量*shijibiandongdengji.单价*10000) AS INTEGER)) "
                           "/ 10000.0 AS 金额"
                           " FROM shijibiandongdengji"
                           " INNER JOIN shijijibenxinxi ON shijijibenxinxi.试剂ID = shijibiandongdengji.试剂ID"
                           " INNER JOIN changshang ON changshang.厂商ID = shijijibenxinxi.厂商ID"
                           " INNER JOIN gongyingshang ON gongyingshang.供应商ID = shijibiandongdengji.供应商ID") +
                whereFlag(flag),
            {SummaryPriceColumn, SummaryAmountColumn}};
}

// Grouping by +试剂ID keeps the date index of a period condition: by the bare key the
// planner walks the whole register in reagent order.
const QString SummaryTail = QStringLiteral(
    " GROUP BY +shijijibenxinxi.试剂ID, shijijibenxinxi.品名, shijijibenxinxi.规格, changshang.厂商, "
    "shijijibenxinxi.单位, shijibiandongdengji.单价, shijijibenxinxi.组别"
    " ORDER BY shijijibenxinxi.组别 COLLATE ZH, shijijibenxinxi.品名 COLLATE ZH, shijibiandongdengji.单价");

dao::Result movementLines(dao::Database &db, const LineQuery &query, const QString &tail, const QVariantList &params)
{
    dao::Result result = db.select(query.sql + tail, params);
    for (dao::Row &row : result.rows)
        for (int col : query.standard)
            row.set(col, platform::convert::standard(row[col].toDouble()));
    return result;
}

namespace {

// An amount written "Standard" ("-1,234.50") in ten-thousandths, read from its bytes
// exactly as parseNumber and Currency would read it; nothing for any other text.
std::optional<qint64> standardUnits(QByteArrayView t)
{
    qsizetype i = 0;
    const bool negative = i < t.size() && t[i] == '-';
    if (negative)
        ++i;
    qint64 units = 0;
    int digits = 0;
    int group = -1; // digits since the last comma; -1 before any comma
    for (; i < t.size() && t[i] != '.'; ++i) {
        if (t[i] == ',') {
            if (digits == 0 || (group >= 0 && group != 3) || (group < 0 && digits > 3))
                return std::nullopt;
            group = 0;
        } else if (t[i] >= '0' && t[i] <= '9' && digits < 15) {
            units = units * 10 + (t[i] - '0');
            ++digits;
            if (group >= 0)
                ++group;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || (group >= 0 && group != 3) || t.size() - i != 3 || t[i + 1] < '0' || t[i + 1] > '9'
        || t[i + 2] < '0' || t[i + 2] > '9')
        return std::nullopt;
    units = (units * 100 + (t[i + 1] - '0') * 10 + (t[i + 2] - '0')) * 100;
    return negative ? -units : units;
}

// A cell of an amount column as the total counts it.
Currency amountOf(QByteArrayView cell)
{
    if (const std::optional<qint64> units = standardUnits(cell))
        return Currency{*units};
    return Currency::fromDouble(platform::convert::parseNumber(QString::fromUtf8(cell)).value_or(0));
}

} // namespace

Currency fillMovementLines(FlexGrid &grid, dao::Database &db, const LineQuery &query, const QString &tail,
                           const QVariantList &params, int amountColumn, const QList<roworder::Key> &order)
{
    Currency total;
    QList<FlexGrid::NumberFormat> formats;
    for (int col : query.standard) {
        FlexGrid::NumberFormat format{col, &platform::convert::standard};
        if (col == amountColumn)
            format.written = [&total](const QString &text) { total += amountOf(text.toUtf8()); };
        formats.append(format);
    }
    grid.Fill(db, query.sql + tail, params, formats, order);
    return query.standard.contains(amountColumn) ? total : columnTotal(grid, amountColumn);
}

Currency columnTotal(const FlexGrid &grid, int col)
{
    Currency total;
    for (int r = 1; r < grid.Rows(); ++r)
        total += amountOf(grid.cellBytes(r, col));
    return total;
}

} // namespace stock
