#include "StoreFixture.h"

#include "dao/Database.h"
#include "shell/ModBase.h"
#include "stock/OutLineReversal.h"

using namespace Qt::StringLiterals;
using stock::reverseOutLine;

namespace {

// One reagent received once, 10 at 10.50, with no lot yet; 张三 and 李四 are two ordinary
// users.
class OutLineReversalTest : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        zhang = store.user({.name = u"张三"_s, .code = u"02"_s, .super = false});
        li = store.user({.name = u"李四"_s, .code = u"03"_s, .super = false});
        reagent = store.reagent({});
        supplier = store.supplier(u"北京医药"_s);
        receipt = store.line({.flag = 1, .reagent = reagent, .quantity = 10, .price = 10.5, .supplier = supplier,
                              .place = u"一号冰箱"_s});
        receiptId = QString::number(receipt);
    }

    qint64 line(int flag, double price, const QString &receiptRef, qint32 user)
    {
        return store.line({.flag = flag, .reagent = reagent, .quantity = 2, .price = price, .supplier = supplier,
                           .user = user, .place = u"一号冰箱"_s, .receiptRef = receiptRef});
    }
    // A lot of the received batch, expiry, price, place and supplier.
    void addLot(double quantity, const QString &receiptRef)
    {
        store.lot({.reagent = reagent, .quantity = quantity, .price = 10.5, .place = u"一号冰箱"_s,
                   .supplier = supplier, .receiptRef = receiptRef});
    }

    // Every lot's eight fields after its key, in key order.
    QStringList lots()
    {
        QStringList out;
        for (const dao::Row &r : db().select(u"SELECT 试剂ID, 批号, 有效期, 数量, 单价, 存放地点, 供应商ID, "
                                             "COALESCE(入库ID, 'null') FROM shijikucun ORDER BY 库存ID"_s)
                                     .rows) {
            QStringList fields;
            for (int i = 0; i < r.size(); ++i)
                fields << r.text(i);
            out << fields.join(u' ');
        }
        return out;
    }
    // Lots written as lotOf() writes them, with this store's keys.
    QStringList expected(const QStringList &lots) const
    {
        QStringList out;
        for (QString l : lots)
            out << l.replace(u"%r"_s, QString::number(reagent))
                       .replace(u"%s"_s, QString::number(supplier))
                       .replace(u"%1"_s, receiptId);
        return out;
    }
    bool exists(qint64 id)
    {
        return db().scalar(u"SELECT COUNT(*) FROM shijibiandongdengji WHERE 登记ID=?"_s, {id}).toInt() == 1;
    }

    qint32 zhang = 0, li = 0, reagent = 0, supplier = 0;
    qint64 receipt = 0;
    QString receiptId;
};

// What the store holds besides the receipt, before the line is reversed.
enum class Store {
    LotLeft,          // the receipt's lot, 3.333 left
    LotUsedUp,        // the receipt's lot issued to the end and deleted
    ReceiptGone,      // neither the lot nor its receipt line is left
    OldAndOtherLots,  // the receipt's lot, then a lot of another receipt and an old lot without one
};

struct Case {
    const char *name;
    int flag;
    double price;      // the line's price: marked up on issue lines, typed on scrap lines
    bool fromReceipt;  // the line names its lot's receipt in 入库ID
    Store store;
    bool othersLine;   // the line was entered by 李四, not by 张三
    bool superUser;    // the reversing user, 张三, counts as a super user
    bool reversed;
    QStringList lotsAfter;
};

// A lot of the received batch as lots() shows it: %r, %s and %1 stand for the reagent,
// the supplier and the receipt line.
QString lotOf(const char *quantity, const char *price = "10.5", const char *receiptOf = "%1")
{
    return u"%r B1 2026-12-31 "_s + QLatin1StringView(quantity) + u' ' + QLatin1StringView(price) +
           u" 一号冰箱 %s "_s + QLatin1StringView(receiptOf);
}

const Case kCases[] = {
    {"LotFoundByReceiptGrowsToTwoDecimals", 2, 11.55, true, Store::LotLeft, false, false, true, {lotOf("5.33")}},
    {"UsedUpLotIsMadeAgainAtTheReceiptPrice", 2, 11.55, true, Store::LotUsedUp, false, false, true, {lotOf("2")}},
    {"ScrapLineTakesTheReceiptPriceNotTheTypedOne", 3, 8, true, Store::LotUsedUp, false, false, true, {lotOf("2")}},
    {"WithoutItsReceiptTheLotTakesTheLinePrice", 2, 11.55, true, Store::ReceiptGone, false, false, true,
     {lotOf("2", "11.55")}},
    {"WithoutReceiptIdOnlyTheOldLotGrows", 2, 10.5, false, Store::OldAndOtherLots, false, false, true,
     {lotOf("3.333"), lotOf("4", "10.5", "999"), lotOf("3", "10.5", "null")}},
    {"WithoutReceiptIdAndNoOldLotALotWithoutReceiptIsMade", 2, 9, false, Store::LotUsedUp, false, false, true,
     {lotOf("2", "9", "")}},
    {"AnotherUsersLineIsRefused", 2, 11.55, true, Store::LotLeft, true, false, false, {lotOf("3.333")}},
    {"ASuperUserReversesAnyonesLine", 3, 11.55, true, Store::LotLeft, true, true, true, {lotOf("5.33")}},
};

void PrintTo(const Case &c, std::ostream *os) { *os << c.name; }

class OutLineDecision : public OutLineReversalTest, public ::testing::WithParamInterface<Case> {};

} // namespace

TEST_P(OutLineDecision, OnTheLotAndTheRegister)
{
    const Case &c = GetParam();
    if (c.store != Store::LotUsedUp && c.store != Store::ReceiptGone)
        addLot(3.333, receiptId);
    if (c.store == Store::OldAndOtherLots) {
        addLot(4, u"999"_s);
        addLot(1, QString());
    }
    if (c.store == Store::ReceiptGone)
        db().exec(u"DELETE FROM shijibiandongdengji WHERE 登记ID=?"_s, {receipt});
    const qint64 id = line(c.flag, c.price, c.fromReceipt ? receiptId : QString(), c.othersLine ? li : zhang);

    const stock::ReversalResult result = reverseOutLine(db(), id, {u"张三"_s, c.superUser});

    EXPECT_EQ(result.outcome, c.reversed ? stock::ReversalResult::Reversed : stock::ReversalResult::Refused);
    EXPECT_EQ(result.message, c.reversed ? QString()
                                         : u"当前用户“张三”，不能撤销用户“李四”登记的数据\n\n"
                                           "只有登记本条数据的用户本身，或超级用户才能作撤销操作。"_s);
    EXPECT_EQ(exists(id), !c.reversed);
    EXPECT_EQ(lots(), expected(c.lotsAfter));
    EXPECT_FALSE(db().inTransaction());
}

INSTANTIATE_TEST_SUITE_P(Cases, OutLineDecision, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(OutLineReversalTest, OnlyIssueAndScrapLinesThatStillExistAreReversed)
{
    addLot(10, receiptId);
    EXPECT_THROW(reverseOutLine(db(), receipt, {u"张三"_s, true}), dao::DaoError);
    EXPECT_THROW(reverseOutLine(db(), receipt + 100, {u"张三"_s, true}), dao::DaoError);
    EXPECT_TRUE(exists(receipt));
    EXPECT_EQ(lots(), expected({lotOf("10")}));
    EXPECT_FALSE(db().inTransaction());
}

// Two workstations list the same line; the second reversal finds it gone and leaves the
// lot as the first one made it.
TEST_F(OutLineReversalTest, TheSameLineFromTwoConnectionsReturnsItsQuantityOnce)
{
    addLot(0.5, receiptId);
    const qint64 id = line(2, 11.55, receiptId, zhang);
    const auto other = dao::Database::open(ModBase::DBFile, ModBase::DBPassword);
    ASSERT_EQ(reverseOutLine(db(), id, {u"张三"_s, false}).outcome, stock::ReversalResult::Reversed);
    EXPECT_THROW(reverseOutLine(*other, id, {u"张三"_s, false}), dao::DaoError);
    EXPECT_EQ(lots(), expected({lotOf("2.5")}));
    EXPECT_FALSE(other->inTransaction());
}
