#include "LedgerOverview.h"

#include "dao/Database.h"
#include "stock/MovementFlag.h"

#include <array>

namespace queries {
namespace {

constexpr int kFlags = stock::Scrap; // receipt, issue, scrap
constexpr int kColWidth = 1400;
const QString kAmount = amountUnits(QStringLiteral("shijibiandongdengji"));

struct RegisterFigures {
    std::array<Currency, kFlags> opening{}; // before the period, each flag rounded to cents
    std::array<Currency, kFlags> amount{};
    std::array<qint64, kFlags> lines{};
};

struct StockFigures {
    Currency amount;
    qint64 lots = 0;
};

// The period's figures and the opening sums each come from one pass that reads nothing but
// the date index carrying flag, quantity and price; the opening's pass over the whole
// history does no more for each line than add its amount to its flag's sum.
RegisterFigures registerFigures(dao::Database &db, const Period &period, bool withOpening)
{
    RegisterFigures f;
    const dao::Result r = db.select(PeriodSumsSql, {period.start, period.end});
    for (int i = 0; i < kFlags; ++i) {
        f.amount[i] = fromUnits(r[0][2 * i]);
        f.lines[i] = r[0][2 * i + 1].toLongLong();
    }
    if (withOpening) {
        const dao::Result o = db.select(OpeningSumsSql, {period.start});
        for (int i = 0; i < kFlags; ++i)
            f.opening[i] = cents(fromUnits(o[0][i]));
    }
    return f;
}

StockFigures stockFigures(dao::Database &db)
{
    const dao::Result r = db.select(QStringLiteral("SELECT SUM(") + amountUnits(QStringLiteral("shijikucun"))
                                    + QStringLiteral("), COUNT(*) FROM shijikucun"));
    return {fromUnits(r[0][0]), r[0][1].toLongLong()};
}

GridSnapshot threeRows(const QStringList &header)
{
    GridSnapshot g;
    g.header = header;
    g.rows = {QStringList{QStringLiteral("汇总金额")}, QStringList{QStringLiteral("记录数")}};
    for (QStringList &row : g.rows)
        while (row.size() < header.size())
            row << QString();
    g.colWidths = QList<int>(header.size(), kColWidth);
    return g;
}

// The period's receipts, issues and scrap from column `first` on.
void putPeriod(GridSnapshot &g, const RegisterFigures &f, int first)
{
    for (int i = 0; i < kFlags; ++i) {
        g.rows[0][first + i] = standardText(f.amount[i]);
        g.rows[1][first + i] = QString::number(f.lines[i]);
    }
}

void putStock(GridSnapshot &g, const StockFigures &s, int col)
{
    g.rows[0][col] = standardText(s.amount);
    g.rows[1][col] = QString::number(s.lots);
}

} // namespace

const QString OpeningSumsSql = [] {
    QStringList sums;
    for (int flag = 1; flag <= kFlags; ++flag)
        sums << QStringLiteral("SUM(CASE 变动标志 WHEN %1 THEN %2 END)").arg(flag).arg(kAmount);
    return QStringLiteral("SELECT ") + sums.join(u',') + QStringLiteral(" FROM shijibiandongdengji WHERE 登记日期<?1");
}();

const QString PeriodSumsSql = [] {
    QStringList columns;
    for (int flag = 1; flag <= kFlags; ++flag)
        columns << QStringLiteral("SUM(CASE 变动标志 WHEN %1 THEN %2 END)").arg(flag).arg(kAmount)
                << QStringLiteral("COUNT(CASE 变动标志 WHEN %1 THEN 1 END)").arg(flag);
    return QStringLiteral("SELECT ") + columns.join(u',')
           + QStringLiteral(" FROM shijibiandongdengji WHERE 登记日期 BETWEEN ?1 AND ?2");
}();

GridSnapshot periodSummary(dao::Database &db, const Period &period)
{
    GridSnapshot g = threeRows({QStringLiteral("概况"), QStringLiteral("本期入库"), QStringLiteral("本期出库"),
                                QStringLiteral("本期报损"), QStringLiteral("当前库存")});
    putPeriod(g, registerFigures(db, period, false), 1);
    putStock(g, stockFigures(db), 4);
    return g;
}

GridSnapshot overview(dao::Database &db, const Period &period)
{
    GridSnapshot g = threeRows({QStringLiteral("概况"), QStringLiteral("期初库存"), QStringLiteral("本期入库"),
                                QStringLiteral("本期出库"), QStringLiteral("本期报损"), QStringLiteral("期末库存"),
                                QStringLiteral("当前库存")});
    const RegisterFigures f = registerFigures(db, period, true);
    g.rows[0][1] = standardText(f.opening[0] - f.opening[1] - f.opening[2]);
    putPeriod(g, f, 2);
    // The closing balance combines the four figures as shown.
    const QStringList &shown = g.rows[0];
    g.rows[0][5] = standardText(cellValue(shown[1]) + cellValue(shown[2]) - cellValue(shown[3]) - cellValue(shown[4]));
    putStock(g, stockFigures(db), 6);
    return g;
}

} // namespace queries
