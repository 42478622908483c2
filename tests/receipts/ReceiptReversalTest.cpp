#include "ReceiptsFixture.h"

#include "stock/ReceiptReversal.h"

#include <optional>

using namespace stock;
using platform::Answer;

namespace {

class ReversalFixture : public ReceiptsFixture {
protected:
    void SetUp() override
    {
        ReceiptsFixture::SetUp();
        store.user({.name = QStringLiteral("李四"), .code = QStringLiteral("ls"), .super = false});
    }

    // A receipt line of 2 with the lot it created.
    qint64 receive(qint32 userId = 1)
    {
        return store.receipt({.number = 20260110001, .invoice = QStringLiteral("F1"), .date = QDate(2026, 1, 10),
                              .reagent = 1, .quantity = 2, .price = 10.5, .supplier = 1, .user = userId,
                              .place = QStringLiteral("一号冰箱")});
    }
    // A lot of the same batch, price, place and supplier, remembering `receipt` (null: none).
    qint64 lotLike(double quantity, const QVariant &receipt)
    {
        return store.lot({.reagent = 1, .quantity = quantity, .price = 10.5, .place = QStringLiteral("一号冰箱"),
                          .supplier = 1, .receiptRef = receipt.toString()});
    }
    std::optional<double> lotQuantity(qint64 lotId)
    {
        const QVariant q = db().scalar(QStringLiteral("SELECT 数量 FROM shijikucun WHERE 库存ID=?"), {lotId});
        return q.isNull() ? std::nullopt : std::optional<double>(q.toDouble());
    }
    qint64 ownLot(qint64 receipt)
    {
        return db().scalar(QStringLiteral("SELECT 库存ID FROM shijikucun WHERE 入库ID=?"), {QString::number(receipt)})
            .toLongLong();
    }
    bool recordExists(qint64 id)
    {
        return db().scalar(QStringLiteral("SELECT COUNT(*) FROM shijibiandongdengji WHERE 登记ID=?"), {id}).toInt() == 1;
    }
    // The reversal of one line with its messages shown, as the reversal run does it.
    static bool reverse(const ReversalLine &l, const QString &user, bool super)
    {
        return reverseRow(
            [&](dao::Database &db, int, bool confirmed) { return reverseReceiptLine(db, l, {user, super}, confirmed); }, 1,
            nullptr);
    }
    static ReversalLine line(qint64 id, const char *owner = "张三")
    {
        return {id, 1, QStringLiteral("血清样本"), QString::fromUtf8(owner)};
    }
};

enum class LotKind { Own, Old, OnlyAnotherLinesLot };

struct DecisionCase {
    const char *name;
    LotKind kind;
    double lotQuantity;
    const char *message; // the box shown; null for none
    Answer answer;
    bool reversed;
    std::optional<double> lotAfter; // empty: the lot is gone
};

const char *const kPartial = "试剂“血清样本”已经部分出库！不能直接撤消入库。\n\n如需撤消这一入库记录，必须先撤消该试剂的所有出库记录";
const char *const kAllIssued = "试剂“血清样本”已出库完毕！不能撤消入库。";
const char *const kTwoReceipts = "试剂“血清样本”同批号有两次或两次以上的入库记录！确实要撤消本次入库记录？";

const DecisionCase kDecisions[] = {
    {"OwnLotUntouched", LotKind::Own, 2, nullptr, Answer::Ok, true, std::nullopt},
    {"OwnLotPartlyIssued", LotKind::Own, 1.5, kPartial, Answer::Ok, false, 1.5},
    {"OwnLotLargerLosesTheLine", LotKind::Own, 3.25, nullptr, Answer::Ok, true, 1.25},
    {"OldLotEqual", LotKind::Old, 2, nullptr, Answer::Ok, true, std::nullopt},
    {"OldLotPartlyIssued", LotKind::Old, 0.5, kPartial, Answer::Ok, false, 0.5},
    {"OldLotTwoReceiptsYes", LotKind::Old, 5.1, kTwoReceipts, Answer::Yes, true, 3.1},
    {"OldLotTwoReceiptsNo", LotKind::Old, 5.1, kTwoReceipts, Answer::No, false, 5.1},
    {"AnotherLinesLotIsNeverTaken", LotKind::OnlyAnotherLinesLot, 2, kAllIssued, Answer::Ok, false, 2},
};

void PrintTo(const DecisionCase &c, std::ostream *os) { *os << c.name; }

class ReversalDecision : public ReversalFixture, public ::testing::WithParamInterface<DecisionCase> {};

} // namespace

TEST_P(ReversalDecision, OnTheLot)
{
    const DecisionCase &c = GetParam();
    const qint64 id = receive();
    qint64 lot = ownLot(id);
    if (c.kind == LotKind::Own) {
        db().exec(QStringLiteral("UPDATE shijikucun SET 数量=? WHERE 库存ID=?"), {c.lotQuantity, lot});
    } else {
        db().exec(QStringLiteral("DELETE FROM shijikucun WHERE 库存ID=?"), {lot});
        lot = lotLike(c.lotQuantity, c.kind == LotKind::Old ? QVariant() : QVariant(QStringLiteral("999")));
    }
    if (c.message)
        dialogs.expectExact(QString::fromUtf8(c.message), c.answer);

    EXPECT_EQ(reverse(line(id), ModBase::UserName, false), c.reversed);
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(recordExists(id), !c.reversed);
    EXPECT_EQ(lotQuantity(lot), c.lotAfter);
    EXPECT_FALSE(db().inTransaction());
}

INSTANTIATE_TEST_SUITE_P(Cases, ReversalDecision, ::testing::ValuesIn(kDecisions),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ReversalFixture, NoLotAtAllMeansAllIssued)
{
    const qint64 id = receive();
    db().exec(QStringLiteral("DELETE FROM shijikucun"));
    dialogs.expectExact(QString::fromUtf8(kAllIssued));
    EXPECT_FALSE(reverse(line(id), ModBase::UserName, false));
    EXPECT_TRUE(recordExists(id));
}

TEST_F(ReversalFixture, OnlyTheOwnerOrASuperUserMayReverse)
{
    const qint64 id = receive(1);
    dialogs.expectExact(QStringLiteral("当前用户“李四”，不能撤销用户“张三”登记的数据\n\n"
                                       "只有登记本条数据的用户本身，或超级用户才能作撤销操作。"));
    EXPECT_FALSE(reverse(line(id), QStringLiteral("李四"), false));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().title, QStringLiteral("没有权限！"));
    EXPECT_TRUE(recordExists(id));
    EXPECT_EQ(lotQuantity(ownLot(id)), 2.0);

    // The comparison is exact: another letter case is another user.
    const qint64 other = receive(1);
    dialogs.expect(QStringLiteral("当前用户“admin”，不能撤销用户“Admin”"));
    EXPECT_FALSE(reverse({other, 1, QStringLiteral("血清样本"), QStringLiteral("Admin")}, QStringLiteral("admin"), false));

    EXPECT_TRUE(reverse(line(id), QStringLiteral("李四"), true));
    EXPECT_FALSE(recordExists(id));
}

TEST_F(ReversalFixture, ASecondReversalOfTheSameLineChangesNothing)
{
    const qint64 id = receive();
    const qint64 old = lotLike(2, QVariant()); // an old lot that the attributes would match
    ASSERT_TRUE(reverse(line(id), ModBase::UserName, false));

    dialogs.expect(QStringLiteral("Dr. Watson 发现您的操作有误。"));
    EXPECT_FALSE(reverse(line(id), ModBase::UserName, false));
    EXPECT_EQ(lotQuantity(old), 2.0);
    EXPECT_EQ(count(QStringLiteral("shijibiandongdengji")), 0);
    EXPECT_FALSE(db().inTransaction());
}

TEST_F(ReversalFixture, OnlyReceiptRecordsAreReversed)
{
    storeLine(2, 20260110001);
    const qint64 issue = db().lastInsertId();
    dialogs.expect(QStringLiteral("Dr. Watson"));
    EXPECT_FALSE(reverse(line(issue), ModBase::UserName, false));
    EXPECT_TRUE(recordExists(issue));
}
