#include "OrderProposal.h"

#include "dao/Database.h"
#include "platform/Convert.h"

#include <algorithm>

namespace receipts {
namespace convert = platform::convert;

namespace {

const QString kReagentSource = QStringLiteral(
    " FROM changshang INNER JOIN shijijibenxinxi ON changshang.厂商ID = shijijibenxinxi.厂商ID");

// Up to this many reagents, or this share of the register, their movements and lots are
// read by reagent, beyond it in one sweep over the date range or the table: the sweep
// reads the lines of two years of the whole store, the seeks every line of the reagents
// found, which costs less while they are a small part of the register.
constexpr int kFewReagents = 50;
constexpr int kFewShareOfRegister = 50;

} // namespace

// One statement for the reagents of `where`. The issues of the window, the receipts a
// supplier comes from and the lots are grouped by reagent: for many reagents in a sweep
// (the "+" keeps the engine off the reagent index, whose walk visits the rows in random
// order), for a few through the reagent index (the "+" then keeps it off the date index).
// What needs a reagent's whole history, its newest movement and whether it was issued
// before the window, is a seek on the reagent index, taken only where the line needs it.
// ?1 is the start of the issue history, ?2 that of the receipts; a receipt counts only
// while its supplier is still registered. With few reagents `where`'s parameters come
// four times, else once.
QString historySql(const QString &where, bool few)
{
    const QString inReagents = QStringLiteral(" IN (SELECT shijijibenxinxi.试剂ID") + kReagentSource + where + u')';
    const auto grouped = [&](const QString &reagent, const QString &date, const QString &start) {
        QString sql;
        if (!date.isEmpty())
            sql = QStringLiteral(" AND ") + (few ? QStringLiteral("+") : QString()) + date + QStringLiteral(" >= ") + start;
        if (few)
            return sql + QStringLiteral(" AND ") + reagent + inReagents + QStringLiteral(" GROUP BY ") + reagent;
        return sql + QStringLiteral(" GROUP BY +") + reagent;
    };
    return QStringLiteral(
               "SELECT shijijibenxinxi.试剂ID, shijijibenxinxi.品名, shijijibenxinxi.规格, changshang.厂商,"
               " shijijibenxinxi.单位, w.issued, issue.单价, newest.单价, w.firstIssue,"
               " CASE WHEN w.试剂ID IS NULL THEN 0 ELSE EXISTS (SELECT 1 FROM shijibiandongdengji o"
               " WHERE o.试剂ID = shijijibenxinxi.试剂ID AND o.变动标志 = 2 AND o.登记日期 < ?1) END,"
               " stock.total, receipt.供应商ID, supplier.供应商")
           + kReagentSource
           // ?2 comes before the first "?" of `where`, which the engine numbers on from 3.
           + QStringLiteral(" LEFT JOIN (SELECT m.试剂ID AS 试剂ID, MAX(m.登记ID) AS lastReceipt FROM shijibiandongdengji m"
                            " WHERE m.变动标志 = 1 AND m.供应商ID IN (SELECT 供应商ID FROM gongyingshang)")
           + grouped(QStringLiteral("m.试剂ID"), QStringLiteral("m.登记日期"), QStringLiteral("?2"))
           + QStringLiteral(") r ON r.试剂ID = shijijibenxinxi.试剂ID"
                            " LEFT JOIN shijibiandongdengji receipt ON receipt.登记ID = r.lastReceipt"
                            " LEFT JOIN gongyingshang supplier ON supplier.供应商ID = receipt.供应商ID"
                            " LEFT JOIN (SELECT 试剂ID, SUM(数量) AS issued, MIN(登记日期) AS firstIssue,"
                            " MAX(登记ID) AS lastIssue FROM shijibiandongdengji WHERE 变动标志 = 2")
           + grouped(QStringLiteral("试剂ID"), QStringLiteral("登记日期"), QStringLiteral("?1"))
           + QStringLiteral(") w ON w.试剂ID = shijijibenxinxi.试剂ID"
                            " LEFT JOIN shijibiandongdengji issue ON issue.登记ID = w.lastIssue"
                            " LEFT JOIN shijibiandongdengji newest ON newest.登记ID = CASE WHEN w.试剂ID IS NULL THEN"
                            " (SELECT MAX(n.登记ID) FROM shijibiandongdengji n WHERE n.试剂ID = shijijibenxinxi.试剂ID) END"
                            " LEFT JOIN (SELECT 试剂ID, SUM(数量) AS total FROM shijikucun WHERE 1")
           + grouped(QStringLiteral("试剂ID"), QString(), QString())
           + QStringLiteral(") stock ON stock.试剂ID = shijijibenxinxi.试剂ID") + where;
}

namespace {

QString text(double value)
{
    return convert::doubleText(convert::roundTo(value, 4));
}

std::optional<double> number(const QVariant &v)
{
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}

QString rateText(float issued, float days)
{
    return convert::singleText(issued) + u'/' + convert::singleText(days);
}

QStringList lineOf(const ReagentHistory &reagent, const LineBasis &basis, const QString &quantity,
                   const QString &amount, const QString &rate)
{
    return {reagent.cells.value(0), reagent.cells.value(1), reagent.cells.value(2), reagent.cells.value(3),
            reagent.supplier,       quantity,               reagent.cells.value(4), basis.priceText,
            amount,                 rate,                   QString::number(basis.stock)};
}

float priceOf(const LineBasis &basis)
{
    return static_cast<float>(convert::parseNumber(basis.priceText).value_or(0));
}

} // namespace

QStringList orderHeader()
{
    return {QStringLiteral("试剂ID"), QStringLiteral("品名"), QStringLiteral("规格"), QStringLiteral("厂商"),
            QStringLiteral("供应商"), QStringLiteral("数量"), QStringLiteral("单位"), QStringLiteral("单价"),
            QStringLiteral("金额"), QStringLiteral("出库数/天数"), QStringLiteral("现库存")};
}

QList<int> orderWidths()
{
    return {0, 2200, 1500, 1000, 1000, 800, 600, 800, 1200, 1350, 800, 600};
}

const QList<PurchasePeriod> &purchasePeriods()
{
    static const QList<PurchasePeriod> periods = {
        {QStringLiteral("●半个月采购一次"), 15, 2.0f}, {QStringLiteral("●1个月采购一次"), 30, 1.8f},
        {QStringLiteral("●2个月采购一次"), 60, 1.5f},  {QStringLiteral("●3个月采购一次"), 90, 1.4f},
        {QStringLiteral("●4个月采购一次"), 120, 1.3f},
    };
    return periods;
}

std::vector<ReagentHistory> readHistories(dao::Database &db, const QDate &today, const QString &condition,
                                          const QVariantList &params, const QString &orderBy)
{
    const QString where = condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition;
    const int found = db.scalar(QStringLiteral("SELECT COUNT(*)") + kReagentSource + where, params).toInt();
    const int registered = db.scalar(QStringLiteral("SELECT COUNT(*) FROM shijijibenxinxi")).toInt();
    const bool few = found <= std::max(kFewReagents, registered / kFewShareOfRegister);
    const QString sql =
        historySql(where, few) + (orderBy.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + orderBy);
    QVariantList all{today.addDays(-HistoryDays), today.addDays(-SupplierDays)};
    for (int i = few ? 4 : 1; i > 0; --i)
        all += params;
    const dao::Result result = db.select(sql, all);

    std::vector<ReagentHistory> out;
    out.reserve(result.rows.size());
    for (const dao::Row &row : result.rows) {
        ReagentHistory h;
        for (int c = 0; c < 5; ++c)
            h.cells.append(row.text(c));
        h.issued = number(row[5]);
        h.issuePrice = number(row[6]);
        h.newestPrice = number(row[7]);
        h.firstIssue = QDate::fromString(row.text(8).left(10), Qt::ISODate);
        h.olderIssues = row[9].toInt() != 0;
        h.stock = row[10].toDouble();
        if (!row.isNull(11))
            h.supplierId = row[11].toInt();
        h.supplier = row.text(12);
        out.push_back(std::move(h));
    }
    return out;
}

LineBasis lineBasis(const ReagentHistory &reagent, const QDate &today)
{
    LineBasis b;
    if (reagent.issued) {
        b.issuedText = text(*reagent.issued);
        // A line written without a price counts as free rather than stopping the proposal.
        b.priceText = text(reagent.issuePrice.value_or(0));
    } else {
        b.issuedText = QStringLiteral("0");
        b.priceText = reagent.newestPrice ? text(*reagent.newestPrice) : QStringLiteral("0");
    }
    b.issued = static_cast<float>(convert::parseNumber(b.issuedText).value_or(0));
    b.stock = static_cast<qint32>(convert::roundHalfEven(reagent.stock));
    if (reagent.firstIssue.isValid())
        b.days = static_cast<float>(reagent.firstIssue.daysTo(today));
    if (reagent.olderIssues)
        b.days = HistoryDays;
    if (b.days <= 0)
        b.days = 15;
    return b;
}

float proposedNeed(const PurchasePeriod &period, float issued, float days, qint32 stock)
{
    const float p = static_cast<float>(period.days) * issued * period.factor;
    const float q = p / days;
    return static_cast<float>(convert::roundHalfEven(q) - stock);
}

std::optional<QStringList> proposalLine(const ReagentHistory &reagent, const PurchasePeriod &period,
                                        const QDate &today, qint32 supplierFilter)
{
    const LineBasis basis = lineBasis(reagent, today);
    std::optional<float> need;
    if (basis.issued > 0) {
        const float n = proposedNeed(period, basis.issued, basis.days, basis.stock);
        if (n > 0)
            need = n;
        else if (basis.stock >= 1)
            return std::nullopt;
    } else if (basis.stock >= 1) {
        return std::nullopt;
    }
    // A reagent without a receipt in the supplier window stays under any supplier filter.
    if (supplierFilter >= 0 && reagent.supplierId && *reagent.supplierId != supplierFilter)
        return std::nullopt;

    const float price = priceOf(basis);
    if (need)
        return lineOf(reagent, basis, convert::singleText(*need), convert::standard(price * *need),
                      rateText(basis.issued, basis.days));
    return lineOf(reagent, basis, QStringLiteral("1"), convert::standard(price * 1.0f), QStringLiteral("0/182"));
}

QStringList candidateLine(const ReagentHistory &reagent, const QDate &today)
{
    const LineBasis basis = lineBasis(reagent, today);
    const QString rate = basis.issued > 0 ? rateText(basis.issued, basis.days) : QStringLiteral("0/182");
    return lineOf(reagent, basis, QStringLiteral("1"), convert::standard(priceOf(basis)), rate);
}

} // namespace receipts
