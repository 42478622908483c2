#include "OrderProposal.h"

#include "dao/Database.h"
#include "platform/Convert.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>

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
// Reagent keys bound to one statement of the follow-up reads, well below the engine's
// limit of 999 parameters.
constexpr size_t kKeysPerStatement = 500;

} // namespace

// The issues of the window, the receipts a supplier comes from and the lots are grouped
// through the reagent index (the "+" keeps the engine off the date index). What needs a
// reagent's whole history, its newest movement and whether it was issued before the window,
// is a seek on the reagent index, taken only where the line needs it. A receipt counts only
// while its supplier is still registered.
QString historySql(const QString &where)
{
    const QString inReagents = QStringLiteral(" IN (SELECT shijijibenxinxi.试剂ID") + kReagentSource + where + u')';
    const auto grouped = [&](const QString &reagent, const QString &date, const QString &start) {
        QString sql;
        if (!date.isEmpty())
            sql = QStringLiteral(" AND +") + date + QStringLiteral(" >= ") + start;
        return sql + QStringLiteral(" AND ") + reagent + inReagents + QStringLiteral(" GROUP BY ") + reagent;
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

// Read in date order and grouped here: the engine would sort every receipt of two years
// to group them.
const QString RecentLinesSql = QStringLiteral(
    "SELECT 试剂ID, 登记ID, 变动标志, 登记日期 >= ?1, 登记日期, 数量, 单价, 供应商ID FROM shijibiandongdengji"
    " WHERE 登记日期 >= ?2 AND 变动标志 IN (1, 2)");

// EXISTS stops at a reagent's first older issue; its oldest lines come first on the index.
const QString OlderIssuesSql = QStringLiteral(
    "SELECT 试剂ID FROM shijijibenxinxi WHERE EXISTS (SELECT 1 FROM shijibiandongdengji o"
    " WHERE o.试剂ID = shijijibenxinxi.试剂ID AND o.变动标志 = 2 AND +o.登记日期 < ?1) AND 试剂ID IN (%1)");

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


// The newest movement of each reagent of a slice, with its price.
const QString kNewestPricesSql = QStringLiteral(
    "SELECT n.试剂ID, m.单价 FROM (SELECT 试剂ID, MAX(登记ID) AS id FROM shijibiandongdengji"
    " WHERE 试剂ID IN (%1) GROUP BY 试剂ID) n INNER JOIN shijibiandongdengji m ON m.登记ID = n.id");

// What the sweep of the receipt window tells about one reagent.
struct RecentLines {
    std::optional<qint64> lastReceipt; // newest receipt whose supplier is registered
    qint64 receiptSupplier = 0;
    std::optional<qint64> lastIssue; // newest issue in the history window
    std::optional<double> issuePrice;
    std::optional<double> issued; // none while every quantity is empty, as SUM has it
    QByteArray firstIssue;
    bool issuedBefore = false; // issued in the receipt window before the history window
};

std::optional<double> numberAt(const dao::StepRow &row, int col)
{
    return row.isNull(col) ? std::nullopt : std::optional<double>(row.real(col));
}

std::unordered_map<qint64, RecentLines> sweepRecentLines(dao::Database &db, const QDate &today,
                                                         const QHash<qint64, QString> &suppliers)
{
    std::unordered_map<qint64, RecentLines> out;
    db.each(RecentLinesSql, {today.addDays(-HistoryDays), today.addDays(-SupplierDays)}, [](const QStringList &) {},
            [&](const dao::StepRow &row) {
                RecentLines &r = out[row.integer(0)];
                const qint64 id = row.integer(1);
                if (row.integer(2) == 1) {
                    if (!row.isNull(7) && suppliers.contains(row.integer(7)) && (!r.lastReceipt || id > *r.lastReceipt)) {
                        r.lastReceipt = id;
                        r.receiptSupplier = row.integer(7);
                    }
                    return;
                }
                if (row.integer(3) == 0) {
                    r.issuedBefore = true;
                    return;
                }
                if (const auto quantity = numberAt(row, 5))
                    r.issued = r.issued.value_or(0) + *quantity;
                const QByteArrayView date = row.utf8(4);
                if (!r.lastIssue || date < QByteArrayView(r.firstIssue))
                    r.firstIssue = date.toByteArray();
                if (!r.lastIssue || id > *r.lastIssue) {
                    r.lastIssue = id;
                    r.issuePrice = numberAt(row, 6);
                }
            });
    return out;
}

// Runs sql once per slice of the keys, its "%1" standing for the slice's placeholders,
// bound after the leading parameters.
void eachKeySlice(dao::Database &db, const QString &sql, const QVariantList &leading, const std::vector<qint64> &keys,
                  const std::function<void(const dao::StepRow &row)> &row)
{
    for (size_t from = 0; from < keys.size(); from += kKeysPerStatement) {
        const size_t to = std::min(keys.size(), from + kKeysPerStatement);
        QVariantList params = leading;
        QStringList marks;
        for (size_t i = from; i < to; ++i) {
            params.append(keys[i]);
            marks.append(QStringLiteral("?"));
        }
        db.each(sql.arg(marks.join(u',')), params, [](const QStringList &) {}, row);
    }
}

std::vector<ReagentHistory> readFew(dao::Database &db, const QDate &today, const QString &where,
                                    const QVariantList &params, const QString &orderBy)
{
    QVariantList all{today.addDays(-HistoryDays), today.addDays(-SupplierDays)};
    for (int i = 0; i < 4; ++i)
        all += params;
    const dao::Result result = db.select(historySql(where) + orderBy, all);

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

// The reagents found, in their order: 试剂ID, 品名, 规格, 厂商, 单位.
dao::Result reagentList(dao::Database &db, const QString &where, const QVariantList &params, const QString &orderBy)
{
    return db.select(QStringLiteral("SELECT shijijibenxinxi.试剂ID, shijijibenxinxi.品名, shijijibenxinxi.规格,"
                                    " changshang.厂商, shijijibenxinxi.单位")
                         + kReagentSource + where + orderBy,
                     params);
}

std::vector<ReagentHistory> readMany(dao::Database &db, const QDate &today, const dao::Result &reagents)
{
    QHash<qint64, QString> suppliers;
    for (const dao::Row &row : db.select(QStringLiteral("SELECT 供应商ID, 供应商 FROM gongyingshang")).rows)
        suppliers.insert(row[0].toLongLong(), row.text(1));
    const std::unordered_map<qint64, RecentLines> recent = sweepRecentLines(db, today, suppliers);

    // The lots are summed here too: cheaper than the engine's sort of every lot.
    std::unordered_map<qint64, double> stock;
    db.each(QStringLiteral("SELECT 试剂ID, 数量 FROM shijikucun WHERE 数量 IS NOT NULL"), {}, [](const QStringList &) {},
            [&](const dao::StepRow &row) { stock[row.integer(0)] += row.real(1); });

    std::vector<qint64> unissued;
    std::vector<qint64> onlyRecent;
    for (const dao::Row &row : reagents.rows) {
        const qint64 id = row[0].toLongLong();
        const auto r = recent.find(id);
        if (r == recent.end() || !r->second.lastIssue)
            unissued.push_back(id);
        else if (!r->second.issuedBefore)
            onlyRecent.push_back(id);
    }
    std::unordered_map<qint64, std::optional<double>> newest;
    eachKeySlice(db, kNewestPricesSql, {}, unissued,
                 [&](const dao::StepRow &row) { newest[row.integer(0)] = numberAt(row, 1); });
    std::unordered_set<qint64> older;
    eachKeySlice(db, OlderIssuesSql, {today.addDays(-SupplierDays)}, onlyRecent,
                 [&](const dao::StepRow &row) { older.insert(row.integer(0)); });

    std::vector<ReagentHistory> out;
    out.reserve(reagents.rows.size());
    for (const dao::Row &row : reagents.rows) {
        ReagentHistory h;
        for (int c = 0; c < 5; ++c)
            h.cells.append(row.text(c));
        const qint64 id = row[0].toLongLong();
        if (const auto lots = stock.find(id); lots != stock.end())
            h.stock = lots->second;
        const auto r = recent.find(id);
        if (r != recent.end() && r->second.lastIssue) {
            h.issued = r->second.issued;
            h.issuePrice = r->second.issuePrice;
            h.firstIssue = QDate::fromString(QString::fromUtf8(r->second.firstIssue.left(10)), Qt::ISODate);
            h.olderIssues = r->second.issuedBefore || older.contains(id);
        } else if (const auto n = newest.find(id); n != newest.end()) {
            h.newestPrice = n->second;
        }
        if (r != recent.end() && r->second.lastReceipt) {
            h.supplierId = static_cast<qint32>(r->second.receiptSupplier);
            h.supplier = suppliers.value(r->second.receiptSupplier);
        }
        out.push_back(std::move(h));
    }
    return out;
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
    const QString order = orderBy.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + orderBy;
    // The list is read first: its size decides the way, and the many-reagents way uses it.
    const dao::Result reagents = reagentList(db, where, params, order);
    const int registered = db.scalar(QStringLiteral("SELECT COUNT(*) FROM shijijibenxinxi")).toInt();
    if (reagents.size() <= std::max(kFewReagents, registered / kFewShareOfRegister))
        return readFew(db, today, where, params, order);
    return readMany(db, today, reagents);
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
    // The lots' total as the store keeps it, four decimals: lots of 1.4, 2.8 and 3.3 hold the
    // half 7.5 (counted as 8), not the 7.499999999999999 their binary sum makes of it.
    b.stock = static_cast<qint32>(convert::roundHalfEven(convert::roundTo(reagent.stock, 4)));
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
