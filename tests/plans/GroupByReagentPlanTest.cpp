#include "TempFolder.h"
#include "dao/Database.h"
#include "receipts/OrderProposal.h"
#include "schema/Schema.h"
#include "shell/ModBase.h"

#include <QDate>

#include <gtest/gtest.h>

// Every statement that groups the movement register by reagent under a date condition.
// Without statistics SQLite 3.15 prefers the 试剂ID index for the GROUP BY and walks the
// whole register in reagent order, dozens of times slower on a large store than a search
// on the date index; "GROUP BY +试剂ID" keeps the date index. The store is empty: the
// planner decides from the indexes alone, so its plan is the large store's.
//
// A new statement of this kind is one more row of the table below (and its library in
// this folder's CMakeLists.txt).

namespace {

struct PlanCase {
    const char *name;
    QString sql;
    QVariantList params;
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
        {"ProposalOfTheWholeStore", receipts::historySql(QStringLiteral(" WHERE shijijibenxinxi.停用 = 0"), false),
         starts},
        {"ProposalOfAFewReagents", receipts::historySql(oneReagent, true), starts + QVariantList{1, 1, 1, 1}},
    };
}

class GroupByReagentPlan : public ::testing::TestWithParam<PlanCase> {
protected:
    void SetUp() override
    {
        m_db = dao::Database::create(m_dir.file(QStringLiteral("plan.dat")), ModBase::DBPassword);
        schema::createTables(*m_db);
    }

    // The plan's lines that read the register other than by a search on an index.
    QStringList registerWalks(const PlanCase &c)
    {
        QStringList walks;
        const dao::Result plan = m_db->select(QStringLiteral("EXPLAIN QUERY PLAN ") + c.sql, c.params);
        for (const dao::Row &row : plan.rows) {
            const QString detail = row.text(row.size() - 1);
            if (detail.startsWith(QStringLiteral("SCAN TABLE shijibiandongdengji")))
                walks.append(detail);
        }
        return walks;
    }

    TempFolder m_dir;
    std::unique_ptr<dao::Database> m_db;
};

} // namespace

TEST_P(GroupByReagentPlan, NeverWalksTheRegister)
{
    EXPECT_EQ(registerWalks(GetParam()), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Statements, GroupByReagentPlan, ::testing::ValuesIn(cases()),
                         [](const auto &info) { return std::string(info.param.name); });
