#include "OrderFixture.h"
#include "receipts/OrderProposal.h"

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>
#include <vector>

using namespace receipts;

namespace {

enum Supplier { NoSupplier, SupplierA, SupplierB };

struct Move {
    int flag;
    int daysAgo;
    double quantity;
    double price;
    Supplier supplier = NoSupplier;
};

struct ProposalCase {
    const char *name;
    int period;
    std::vector<Move> moves;
    std::vector<double> lots;
    int filter; // -1 all suppliers
    bool kept;
    const char *quantity = "";
    const char *price = "";
    const char *amount = "";
    const char *rate = "";
    const char *stock = "";
    const char *supplier = "";
};

void PrintTo(const ProposalCase &c, std::ostream *os)
{
    *os << c.name;
}

// One reagent in a store with two suppliers; its proposal line, or none.
class OneReagent : public OrderFixture {
protected:
    void stock(const std::vector<Move> &moves, const std::vector<double> &lots)
    {
        ids[SupplierA] = store.supplier(QStringLiteral("甲公司"));
        ids[SupplierB] = store.supplier(QStringLiteral("乙公司"));
        reagentId = reagent(QStringLiteral("葡萄糖"), QStringLiteral("PTT"), QStringLiteral("生化"),
                            store.maker(QStringLiteral("迈瑞")));
        for (const Move &m : moves)
            movement(m.flag, reagentId, m.daysAgo, m.quantity, m.price, ids[m.supplier]);
        for (double q : lots)
            lot(reagentId, q);
    }
    ReagentHistory history()
    {
        const auto all = readHistories(db(), today(), QString(), {}, QString());
        EXPECT_EQ(all.size(), 1u);
        return all.front();
    }

    qint32 ids[3] = {0, 0, 0};
    qint32 reagentId = 0;
};

class Proposal : public OneReagent, public ::testing::WithParamInterface<ProposalCase> {};

} // namespace

TEST_P(Proposal, LineOfOneReagent)
{
    const ProposalCase &c = GetParam();
    stock(c.moves, c.lots);
    const qint32 filter = c.filter < 0 ? -1 : ids[c.filter];
    const auto line = proposalLine(history(), purchasePeriods().at(c.period), today(), filter);
    ASSERT_EQ(line.has_value(), c.kept);
    if (!line)
        return;
    ASSERT_EQ(line->size(), OrderLineColumns);
    EXPECT_EQ(line->at(OrderId), QString::number(reagentId));
    EXPECT_EQ(line->mid(OrderName, 3), (QStringList{QStringLiteral("葡萄糖"), QStringLiteral("100T"), QStringLiteral("迈瑞")}));
    EXPECT_EQ(line->at(OrderUnit), QStringLiteral("盒"));
    EXPECT_EQ(line->at(OrderQuantity), QString::fromUtf8(c.quantity));
    EXPECT_EQ(line->at(OrderPrice), QString::fromUtf8(c.price));
    EXPECT_EQ(line->at(OrderAmount), QString::fromUtf8(c.amount));
    EXPECT_EQ(line->at(OrderRate), QString::fromUtf8(c.rate));
    EXPECT_EQ(line->at(OrderStock), QString::fromUtf8(c.stock));
    EXPECT_EQ(line->at(OrderSupplier), QString::fromUtf8(c.supplier));
}

// Issues are flag 2, receipts flag 1, scrap flag 3. Period 0 is 15 days with factor 2.0.
INSTANTIATE_TEST_SUITE_P(
    Cases, Proposal,
    ::testing::Values(
        // 15 x 30 x 2.0 = 900, over 60 days 15, less the stock of 4; the latest issue's price.
        ProposalCase{"IssuedThirtyOverSixtyDays", 0, {{2, 60, 10, 2.0}, {2, 30, 20, 2.5}}, {4}, -1, true,
                     "11", "2.5", "27.50", "30/60", "4"},
        ProposalCase{"HalfRoundsDownToEven", 0, {{2, 72, 6, 2.5}}, {}, -1, true, "2", "2.5", "5.00", "6/72", "0"},
        ProposalCase{"HalfRoundsUpToEven", 0, {{2, 60, 7, 2.5}}, {}, -1, true, "4", "2.5", "10.00", "7/60", "0"},
        // 120 x 3 x 1.3f = 467.99997 and /24 = 19.499998: 19, where decimal arithmetic gives 20.
        ProposalCase{"SinglePrecisionSteps", 4, {{2, 24, 3, 2.5}}, {}, -1, true, "19", "2.5", "47.50", "3/24", "0"},
        ProposalCase{"StockBelowHalfCountsAsNone", 0, {{1, 100, 5, 8.5, SupplierA}}, {0.4}, -1, true, "1", "8.5",
                     "8.50", "0/182", "0", "甲公司"},
        ProposalCase{"StockHalfRoundsToEven", 0, {{2, 60, 30, 2.5}}, {2.5}, -1, true, "13", "2.5", "32.50", "30/60",
                     "2"},
        // 1.4 + 2.8 + 3.3 adds up to 7.499999999999999 in binary; the lots hold 7.5.
        ProposalCase{"StockSummingToAHalfRoundsToEven", 0, {{2, 60, 30, 2.5}}, {1.4, 2.8, 3.3}, -1, true, "7",
                     "2.5", "17.50", "30/60", "8"},
        ProposalCase{"OnlyOlderIssuesNoStock", 0, {{2, 183, 5, 3.0}}, {}, -1, true, "1", "3", "3.00", "0/182", "0"},
        ProposalCase{"OnlyOlderIssuesWithStock", 0, {{2, 183, 5, 3.0}}, {1}, -1, false},
        ProposalCase{"ScrapIsNoIssue", 0, {{3, 30, 10, 3.0}}, {1}, -1, false},
        ProposalCase{"OnlyIssuedToday", 0, {{2, 0, 10, 2.5}}, {}, -1, true, "20", "2.5", "50.00", "10/15", "0"},
        ProposalCase{"FirstIssueOnTheWindowStart", 0, {{2, 182, 30, 2.5}}, {}, -1, true, "5", "2.5", "12.50",
                     "30/182", "0"},
        ProposalCase{"OlderIssuesMeanTheWholeWindow", 0, {{2, 300, 1, 2.5}, {2, 60, 30, 2.5}}, {}, -1, true, "5",
                     "2.5", "12.50", "30/182", "0"},
        ProposalCase{"NeedCoveredByStock", 0, {{2, 60, 30, 2.5}}, {15}, -1, false},
        ProposalCase{"RateBelowHalfWithoutStock", 0, {{2, 180, 1, 2.5}}, {}, -1, true, "1", "2.5", "2.50", "0/182",
                     "0"},
        ProposalCase{"NoMovementAtAll", 0, {}, {}, -1, true, "1", "0", "0.00", "0/182", "0"},
        ProposalCase{"FilterKeepsItsSupplier", 0, {{1, 100, 5, 3.0, SupplierA}}, {}, SupplierA, true, "1", "3",
                     "3.00", "0/182", "0", "甲公司"},
        ProposalCase{"FilterDropsTheNewestReceiptsOtherSupplier", 0,
                     {{1, 300, 5, 3.0, SupplierA}, {1, 100, 5, 3.0, SupplierB}}, {}, SupplierA, false},
        ProposalCase{"FilterKeepsWithoutReceiptIn720Days", 0, {{1, 721, 5, 3.0, SupplierB}}, {}, SupplierA, true,
                     "1", "3", "3.00", "0/182", "0", ""},
        ProposalCase{"AllSuppliersShowTheNewestReceipts", 0,
                     {{1, 300, 5, 3.0, SupplierA}, {1, 100, 5, 4.0, SupplierB}}, {}, -1, true, "1", "4", "4.00",
                     "0/182", "0", "乙公司"}),
    [](const ::testing::TestParamInfo<ProposalCase> &info) { return std::string(info.param.name); });

TEST(ProposalNeed, SinglePrecisionFactorsOfEveryPeriod)
{
    struct Case {
        int period;
        float issued, days;
        qint32 stock;
        float need;
    } cases[] = {
        {0, 30, 60, 4, 11},   {1, 10, 120, 0, 4},  // 30 x 10 x 1.8f = 540, /120 = 4.5: 4
        {2, 10, 100, 0, 9},   {3, 10, 120, 3, 7},  // 90 x 10 x 1.4f = 1260, /120 = 10.5: 10
        {4, 3, 24, 0, 19},    {4, 3, 24, 25, -6},
    };
    for (const Case &c : cases)
        EXPECT_EQ(proposedNeed(purchasePeriods().at(c.period), c.issued, c.days, c.stock), c.need)
            << "period " << c.period << " issued " << c.issued << " days " << c.days;
}

namespace {

struct CandidateCase {
    std::vector<Move> moves;
    const char *rate;
    const char *amount;
    const char *supplier;
};

class CandidateLine : public OneReagent, public ::testing::WithParamInterface<CandidateCase> {};
class ReagentHistories : public OrderFixture {};

} // namespace

TEST_P(CandidateLine, QuantityOneWithTheIssueRate)
{
    const CandidateCase &c = GetParam();
    stock(c.moves, {30});
    const QStringList line = candidateLine(history(), today());
    EXPECT_EQ(line.at(OrderQuantity), QStringLiteral("1"));
    EXPECT_EQ(line.at(OrderRate), QString::fromUtf8(c.rate));
    EXPECT_EQ(line.at(OrderAmount), QString::fromUtf8(c.amount));
    EXPECT_EQ(line.at(OrderSupplier), QString::fromUtf8(c.supplier));
    EXPECT_EQ(line.at(OrderStock), QStringLiteral("30"));
}

INSTANTIATE_TEST_SUITE_P(Cases, CandidateLine,
                         ::testing::Values(CandidateCase{{{1, 100, 5, 2.5, SupplierA}, {2, 40, 20, 2.5}}, "20/40", "2.50",
                                                         "甲公司"},
                                           CandidateCase{{{2, 200, 5, 3.0}}, "0/182", "3.00", ""},
                                           CandidateCase{{{1, 800, 5, 4.0, SupplierB}}, "0/182", "4.00", ""}));

// The history is read by date range for many reagents and by reagent for a few: both
// readings must agree.
TEST_F(ReagentHistories, ManyAndFewReagentsReadTheSame)
{
    const qint32 maker = store.maker(QStringLiteral("迈瑞"));
    const qint32 suppliers[] = {0, store.supplier(QStringLiteral("甲公司")), store.supplier(QStringLiteral("乙公司")), 99};
    const int days[] = {0, 30, 181, 182, 183, 400, 719, 720, 721};
    {
        dao::Transaction t(db());
        for (int i = 0; i < 260; ++i) {
            const qint32 id = reagent(QStringLiteral("试剂%1").arg(i), QStringLiteral("SJ"), QStringLiteral("生化"), maker);
            for (int k = 0; k < i % 7; ++k)
                movement(1 + (i / 3 + k) % 3, id, days[(i + 2 * k) % 9], 1 + k, 1.5 + i % 5,
                               suppliers[(i + k) % 4]);
            if (i % 3)
                lot(id, i % 4 * 0.75);
        }
        t.commit();
    }
    const auto facts = [](const ReagentHistory &h) {
        return std::make_tuple(h.cells, h.issued, h.issuePrice, h.firstIssue, h.olderIssues, h.stock, h.supplierId,
                               h.supplier, h.issued ? std::nullopt : h.newestPrice);
    };
    const auto all = readHistories(db(), today(), QString(), {}, QStringLiteral("shijijibenxinxi.试剂ID"));
    ASSERT_EQ(all.size(), 260u);
    for (const ReagentHistory &h : all) {
        const auto one = readHistories(db(), today(), QStringLiteral("shijijibenxinxi.试剂ID = ?"),
                                       {h.id()}, QString());
        ASSERT_EQ(one.size(), 1u);
        EXPECT_TRUE(facts(one.front()) == facts(h)) << "reagent " << h.id();
    }
}
