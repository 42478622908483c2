#include "TempFolder.h"
#include "dao/Database.h"
#include "queries/LedgerCrosstab.h"
#include "receipts/OrderProposal.h"
#include "receipts/ReceiptLookUps.h"
#include "schema/Schema.h"
#include "shell/ModBase.h"
#include "stock/MovementLines.h"

#include <QDate>

#include <gtest/gtest.h>

// Every statement that groups the movement register by reagent (or lists its document
// numbers) under a date condition. Without statistics SQLite 3.15 prefers the 试剂ID (单号)
// index for the GROUP BY (DISTINCT) and walks the whole register in that order, many times
// slower on a large store than a search on the date index; "GROUP BY +试剂ID" ("+单号")
// keeps the date index. The store is empty: the
// planner decides from the indexes alone, so its plan is the large store's.
//
// A new statement of this kind is one more row of the table below (and its library in
// this folder's CMakeLists.txt).

namespace {

struct PlanCase {
    const char *name;
    QString sql;
    QVariantList params;
    bool byDate = true; // false: a handful of reagents, sought on the reagent index on purpose
};

void PrintTo(const PlanCase &c, std::ostream *os)
{
    *os << c.name;
}

const QDate kToday(2026, 3, 10);

std::vector<PlanCase> cases()
{
    const QVariantList starts{kToday.addDays(-receipts::HistoryDays), kToday.addDays(-receipts::SupplierDays)};
    const QString oneReagent = QStringLiteral(" WHERE shijijibenxinxi.试剂ID = ?");
    return {
        {"ProposalOfTheWholeStore", receipts::RecentLinesSql, starts},
        {"ProposalOlderIssues", receipts::OlderIssuesSql.arg(QStringLiteral("?,?")), {starts.at(1), 1, 2}, false},
        {"ProposalOfAFewReagents", receipts::historySql(oneReagent), starts + QVariantList{1, 1, 1, 1}, false},
        {"SummaryOfAPeriod",
         stock::summaryLines(stock::Issue).sql + QStringLiteral(" AND shijibiandongdengji.登记日期 BETWEEN ? AND ?")
             + stock::SummaryTail,
         {kToday.addMonths(-1), kToday}},
        {"LedgerIssuesByDepartment", queries::crosstabSql(queries::CrosstabRows::Department),
         {stock::Issue, kToday.addYears(-1), kToday}},
        {"RecentReceiptNumbers", receipts::RecentReceiptNumbersSql, {kToday.addDays(-1200), stock::Receipt}},
    };
}

class GroupByReagentPlan : public ::testing::TestWithParam<PlanCase> {
protected:
    void SetUp() override
    {
        m_db = dao::Database::create(m_dir.file(QStringLiteral("plan.dat")), ModBase::DBPassword);
        schema::createTables(*m_db);
    }

    QStringList plan(const PlanCase &c)
    {
        QStringList lines;
        for (const dao::Row &row : m_db->select(QStringLiteral("EXPLAIN QUERY PLAN ") + c.sql, c.params).rows)
            lines.append(row.text(row.size() - 1));
        return lines;
    }

    TempFolder m_dir;
    std::unique_ptr<dao::Database> m_db;
};

} // namespace

TEST_P(GroupByReagentPlan, SearchesTheRegisterByDateAndNeverWalksIt)
{
    const PlanCase &c = GetParam();
    const QStringList lines = plan(c);
    EXPECT_EQ(lines.filter(QStringLiteral("SCAN TABLE shijibiandongdengji")), QStringList()) << lines.join(u'\n').toStdString();
    if (c.byDate) {
        EXPECT_FALSE(lines.filter(QStringLiteral("USING INDEX shijibiandongdengji_登记日期")).isEmpty())
            << lines.join(u'\n').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Statements, GroupByReagentPlan, ::testing::ValuesIn(cases()),
                         [](const auto &info) { return std::string(info.param.name); });
