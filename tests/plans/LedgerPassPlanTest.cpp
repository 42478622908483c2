#include "TempFolder.h"
#include "dao/Database.h"
#include "queries/LedgerOverview.h"
#include "queries/Stocktaking.h"
#include "schema/Schema.h"
#include "shell/ModBase.h"

#include <QDate>

#include <gtest/gtest.h>

// The ledger's passes over the register (the opening sums read ten years of it) must read
// the date index that carries what they sum and never the register's rows, which are five
// times its size. The store is empty: the planner decides from the indexes alone.

namespace {

struct PassCase {
    const char *name;
    QString sql;
    QVariantList params;
    const char *search; // the index's range
};

void PrintTo(const PassCase &c, std::ostream *os)
{
    *os << c.name;
}

std::vector<PassCase> cases()
{
    const QDate start(2026, 2, 1), end(2026, 2, 28);
    return {
        {"OverviewOpening", queries::OpeningSumsSql, {start}, "登记日期<?"},
        {"OverviewPeriod", queries::PeriodSumsSql, {start, end}, "登记日期>? AND 登记日期<?"},
        {"StocktakingLines", queries::StocktakingLinesSql, {start, end}, "登记日期<?"},
    };
}

class LedgerPassPlan : public ::testing::TestWithParam<PassCase> {};

} // namespace

TEST_P(LedgerPassPlan, ReadsOnlyTheCoveringDateIndex)
{
    TempFolder dir;
    auto db = dao::Database::create(dir.file(QStringLiteral("plan.dat")), ModBase::DBPassword);
    schema::createTables(*db);
    QStringList lines;
    for (const dao::Row &row : db->select(QStringLiteral("EXPLAIN QUERY PLAN ") + GetParam().sql, GetParam().params).rows)
        lines.append(row.text(row.size() - 1));
    EXPECT_EQ(lines, QStringList{QStringLiteral("SEARCH TABLE shijibiandongdengji USING COVERING INDEX "
                                                "shijibiandongdengji_登记日期_变动标志_试剂ID_数量_单价 (%1)")
                                     .arg(QString::fromUtf8(GetParam().search))});
}

INSTANTIATE_TEST_SUITE_P(Statements, LedgerPassPlan, ::testing::ValuesIn(cases()),
                         [](const auto &info) { return std::string(info.param.name); });
