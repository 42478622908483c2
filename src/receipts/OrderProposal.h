#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>
#include <vector>

namespace dao {
class Database;
}

// The purchase proposal: what the issue history and the stock of each reagent say should
// be bought, as lines of the order grid.
namespace receipts {

// The columns of the order grid, shared by the order window and its add-lines dialog.
enum OrderColumn {
    OrderId, OrderName, OrderSpec, OrderMaker, OrderSupplier, OrderQuantity, OrderUnit,
    OrderPrice, OrderAmount, OrderRate, OrderStock, OrderPrint,
};
inline constexpr int OrderLineColumns = OrderPrint; // the eleven columns of a line, 试剂ID to 现库存
// The headers of columns 0 to 10 of a proposal.
QStringList orderHeader();
// The widths of the twelve columns in the order window, in twips.
QList<int> orderWidths();

struct PurchasePeriod {
    QString text;
    qint16 days;
    float factor; // single precision: 1.8, 1.4 and 1.3 are the nearest floats
};
const QList<PurchasePeriod> &purchasePeriods();

// The days of issue history a proposal looks at, and of receipts its supplier comes from.
inline constexpr int HistoryDays = 182;
inline constexpr int SupplierDays = 720;

// What the register and the stock hold about one reagent.
struct ReagentHistory {
    QStringList cells; // 试剂ID, 品名, 规格, 厂商, 单位
    std::optional<double> issued;     // issued in the history window; none without an issue there
    std::optional<double> issuePrice; // price of the latest of those issues
    std::optional<double> newestPrice; // price of its newest movement of any kind; read only without issues
    QDate firstIssue;                 // first issue in the history window
    bool olderIssues = false;         // issued before the window as well; read only with issues in it
    double stock = 0;                 // sum of its lots
    std::optional<qint32> supplierId; // supplier of its newest receipt within SupplierDays
    QString supplier;                 // that supplier's short name

    qint32 id() const { return cells.value(0).toInt(); }
};

// The reagents of the reagent register joined with their manufacturer, that satisfy
// condition (an SQL condition over shijijibenxinxi and changshang with bound params;
// empty: all), in the order orderBy, each with its history as of today, in one statement.
std::vector<ReagentHistory> readHistories(dao::Database &db, const QDate &today, const QString &condition,
                                          const QVariantList &params, const QString &orderBy);

// The statement readHistories runs for a handful of reagents: `where` (empty or
// " WHERE ...") selects them. ?1 is the start of the issue history, ?2 that of the
// receipts, then `where`'s parameters four times.
QString historySql(const QString &where);
// For many reagents it sweeps the lines since the start of the receipts (?2) instead,
// ?1 the start of the issue history; then it reads, by slices of reagents (the "%1" in the
// statement), whether those issued only within the history had issues before the receipts
// (?1 that start here).
extern const QString RecentLinesSql;
extern const QString OlderIssuesSql;

// The facts a line of either window starts from.
struct LineBasis {
    QString issuedText; // "0" without issues in the window
    QString priceText;  // the latest issue price, else the newest movement's price, else "0"
    float issued = 0;
    float days = 0;     // days of history: since the first issue, 182 with older issues, else at least 15
    qint32 stock = 0;   // whole units, rounded half to even
};
LineBasis lineBasis(const ReagentHistory &reagent, const QDate &today);

// The quantity to buy: the issue rate over the period, with its safety factor, less the
// stock, in the single-precision steps of the order window.
float proposedNeed(const PurchasePeriod &period, float issued, float days, qint32 stock);

// The proposal line of a reagent (columns 0 to 10), or none when it is left out: its stock
// suffices, or supplierFilter (a supplier key, -1 for all) names another supplier than
// that of its newest receipt.
std::optional<QStringList> proposalLine(const ReagentHistory &reagent, const PurchasePeriod &period,
                                        const QDate &today, qint32 supplierFilter);

// The line a reagent gets when it is added by hand: quantity 1, no filter.
QStringList candidateLine(const ReagentHistory &reagent, const QDate &today);

} // namespace receipts
