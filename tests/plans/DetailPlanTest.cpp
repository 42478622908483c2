#include "TempFolder.h"
#include "dao/Database.h"
#include "queries/MovementQueryKind.h"
#include "queries/MovementSearch.h"
#include "schema/Schema.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"

#include <QDate>

#include <gtest/gtest.h>

// The detail of a movement query leaves its order to the grid, so the engine never sorts
// (nor holds a second time) a million lines; 不限 reads the register straight through, a
// period searches it by date. The store is empty: the planner decides from the indexes.
TEST(DetailPlan, NoSortByTheEngineAndTheRegisterReadOnceOrByDate)
{
    TempFolder dir;
    const auto db = dao::Database::create(dir.file(QStringLiteral("plan.dat")), ModBase::DBPassword);
    schema::createTables(*db);
    const QDate today(2026, 3, 10);
    for (const auto *kind : {&queries::receiptQuery(), &queries::issueQuery(), &queries::scrapQuery()}) {
        for (const qint16 order : {0, 1}) {
            for (const int option : {daterange::Unlimited, daterange::LastYear}) {
                const std::optional<daterange::Range> r = daterange::presetRange(option, today);
                const queries::Search search = queries::periodSearch(
                    *kind, QString(), daterange::dateCondition(option, r ? r->start : today, r ? r->end : today),
                    QStringList(4, QString()));
                const queries::Statement s = queries::detailStatement(*kind, search, ModData::QueryOrderText(order));
                QStringList lines;
                for (const dao::Row &row :
                     db->select(QStringLiteral("EXPLAIN QUERY PLAN ") + s.query.sql + s.tail, s.params).rows)
                    lines.append(row.text(row.size() - 1));
                const std::string shown = kind->window.toStdString() + "\n" + lines.join(u'\n').toStdString();
                EXPECT_EQ(lines.filter(QStringLiteral("TEMP B-TREE")), QStringList()) << shown;
                EXPECT_FALSE(lines.filter(option == daterange::Unlimited
                                              ? QStringLiteral("SCAN TABLE shijibiandongdengji")
                                              : QStringLiteral("SEARCH TABLE shijibiandongdengji USING INDEX"))
                                 .isEmpty())
                    << shown;
            }
        }
    }
}
