#include "QueriesFixture.h"

#include "dao/Database.h"
#include "queries/MovementQueryKind.h"
#include "queries/MovementSearch.h"
#include "widgets/DateRange.h"

using namespace Qt::StringLiterals;

namespace {

class SummaryPlanTest : public QueriesFixture {};

// A summary of a period must read the register through its date index: grouped by the bare
// reagent key, the planner walks the whole register in reagent order instead.
TEST_F(SummaryPlanTest, PeriodSummariesUseTheDateIndex)
{
    const daterange::Condition year = daterange::dateCondition(daterange::ThisYear, {2026, 1, 1}, {2026, 1, 15});
    for (const queries::MovementQueryKind *kind : {&queries::receiptQuery(), &queries::issueQuery()}) {
        const queries::Search search = queries::periodSearch(*kind, u"今年"_s, year, {u"生化"_s});
        const queries::Statement s = queries::summaryStatement(*kind, search);
        QStringList plan;
        for (const dao::Row &row :
             db().select(u"EXPLAIN QUERY PLAN "_s + s.query.sql + s.tail, s.params).rows)
            plan << row.text(3);
        EXPECT_TRUE(plan.filter(u"SEARCH TABLE shijibiandongdengji USING INDEX"_s).join(u' ').contains(u"登记日期>?"_s))
            << plan.join(u"\n"_s).toStdString();
    }
}

} // namespace
