#include "issues/LotTake.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

issues::ChosenLot lotOf(const char *quantity, float price = 10)
{
    issues::ChosenLot lot;
    lot.quantityText = QString::fromLatin1(quantity);
    lot.quantity = lot.quantityText.toFloat();
    lot.price = price;
    return lot;
}

TEST(LotTakeTest, IssueTakeProposesPriceSpinnerAndQuantity)
{
    struct Case {
        const char *lot;
        std::optional<double> lastIssue;
        float outRate;
        const char *price;
        int spinMax, spinValue;
        const char *quantity;
    };
    const Case cases[] = {
        {"0.5", std::nullopt, 1, "10.00", 1, 1, "0.5"}, // below one unit: the whole lot
        {"2.5", std::nullopt, 1, "10.00", 2, 1, "1"},   // halves round to even
        {"3.5", std::nullopt, 1, "10.00", 4, 1, "1"},
        {"20", 30.0, 1, "10.00", 20, 1, "1"},           // the last issue exceeds the lot
        {"50", 30.0, 1, "10.00", 50, 30, "30"},
        {"50", 0.4, 1, "10.00", 50, 1, "1"},
        {"50", 2.5, 1, "10.00", 50, 2, "2"},
        {"10", std::nullopt, 1.1f, "11.00", 10, 1, "1"}, // the mark-up
    };
    for (const Case &c : cases) {
        const issues::LotProposal p = issues::issueTake(lotOf(c.lot), c.outRate, c.lastIssue);
        EXPECT_EQ(p.price, QString::fromLatin1(c.price)) << c.lot;
        EXPECT_EQ(p.spinMax, c.spinMax) << c.lot;
        EXPECT_EQ(p.spinValue, c.spinValue) << c.lot;
        EXPECT_EQ(p.quantity, QString::fromLatin1(c.quantity)) << c.lot;
    }
    // The single-precision price is the figure it was written as: 1.005, not 1.00499999.
    EXPECT_EQ(issues::issueTake(lotOf("10", 1.005f), 1, std::nullopt).price, QStringLiteral("1.01"));
    EXPECT_EQ(issues::issueTake(lotOf("10", 0.125f), 1, std::nullopt).price, QStringLiteral("0.13"));
}

TEST(LotTakeTest, ScrapTakeProposesTheWholeLotAtItsOwnPrice)
{
    struct Case {
        const char *lot;
        float price;
        const char *proposedPrice;
        int spin; // maximum and value
    };
    const Case cases[] = {
        {"0.4", 8, "8", 1}, // below one unit: the spinner on 1, the quantity the lot's
        {"2.5", 12.5f, "12.5", 2},
        {"3.5", 0.1f, "0.1", 4},
        {"1234.75", 10, "10", 1235},
    };
    for (const Case &c : cases) {
        const issues::LotProposal p = issues::scrapTake(lotOf(c.lot, c.price));
        EXPECT_EQ(p.price, QString::fromLatin1(c.proposedPrice)) << c.lot;
        EXPECT_EQ(p.spinMax, c.spin) << c.lot;
        EXPECT_EQ(p.spinValue, c.spin) << c.lot;
        EXPECT_EQ(p.quantity, QString::fromLatin1(c.lot)) << c.lot;
    }
}

TEST(LotTakeTest, ARowOfTheLotListIsReadByPosition)
{
    const QStringList row = {QStringLiteral("7"),   QStringLiteral("3"),    QStringLiteral("XJYS"),
                             QStringLiteral("血清样本"), QStringLiteral("10ml"), QStringLiteral("B1"),
                             QStringLiteral("2026-06-30"), QStringLiteral("兰州生物"), QStringLiteral("生化"),
                             QStringLiteral("2.5"), QStringLiteral("盒"),   QStringLiteral("12.5"),
                             QStringLiteral("一号冰箱"), QStringLiteral("4"), QStringLiteral("国药准字"),
                             QStringLiteral("15")};
    const issues::ChosenLot lot = issues::chosenLotOf(row);
    EXPECT_EQ(lot.lotId, 7);
    EXPECT_EQ(lot.reagentId, 3);
    EXPECT_EQ(lot.name, QStringLiteral("血清样本"));
    EXPECT_EQ(lot.batch, QStringLiteral("B1"));
    EXPECT_EQ(lot.expiry, QDate(2026, 6, 30));
    EXPECT_FLOAT_EQ(lot.quantity, 2.5f);
    EXPECT_EQ(lot.unit, QStringLiteral("盒"));
    EXPECT_FLOAT_EQ(lot.price, 12.5f);
    EXPECT_EQ(lot.place, QStringLiteral("一号冰箱"));
    EXPECT_EQ(lot.supplierId, 4);
    EXPECT_EQ(lot.receiptId, QStringLiteral("15"));
}

} // namespace
