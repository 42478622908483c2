#include "StoreFixture.h"

#include "dao/Database.h"
#include "stock/MovementLines.h"
#include "widgets/FlexGrid.h"

namespace {

using namespace stock;

QStringList split(const char *names)
{
    return QString::fromUtf8(names).split(u' ');
}

class MovementLinesTest : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        const qint32 maker = store.maker(QStringLiteral("兰州生物"));
        supplier = store.supplier(QStringLiteral("北京医药"));
        reagent = store.reagent({.name = QStringLiteral("血清样本"), .maker = maker});
    }
    qint64 line(int flag, double quantity, double price, qint64 number = 20260115001)
    {
        return store.line({.flag = flag, .number = number, .reagent = reagent, .quantity = quantity, .price = price,
                           .department = QStringLiteral("急诊科"), .claimant = QStringLiteral("李四"),
                           .supplier = supplier, .reason = flag == Scrap ? QStringLiteral("过期") : QString(),
                           .receiptRef = QStringLiteral("7")});
    }

    qint32 supplier = 0;
    qint32 reagent = 0;
};

// The windows read these grids by position: the columns are the contract.
TEST_F(MovementLinesTest, EachKindHasItsColumns)
{
    const struct {
        LineQuery query;
        const char *columns;
    } cases[] = {
        {documentLines(Receipt), "登记ID 试剂ID 登记日期 品名 规格 批号 有效期 厂商 数量 单位 单价 金额 存放地点 供应商ID 操作者 "
                                 "组别 供应商 批准文号 单号 发票号"},
        {documentLines(Issue), "登记ID 试剂ID 登记日期 品名 规格 批号 认领部门 认领人 数量 单位 单价 金额 有效期 供应商ID 存放地点 "
                               "操作者 组别 单号 入库ID"},
        {documentLines(Scrap), "登记ID 试剂ID 登记日期 品名 规格 批号 认领部门 认领人 数量 单位 单价 金额 有效期 供应商ID 存放地点 "
                               "操作者 组别 报损原因 单号 入库ID"},
        {reportLines(Receipt), "登记ID 登记日期 品名 规格 批号 厂商 数量 单位 单价 金额 有效期 组别 批准文号 供应商 单号 发票号 "
                               "存放地点 操作者"},
        {reportLines(Issue), "登记ID 登记日期 品名 规格 批号 厂商 数量 单位 单价 金额 有效期 组别 批准文号 存放地点 供应商 单号 "
                             "发票号 认领部门 认领人 操作者"},
        {reportLines(Scrap), "登记ID 登记日期 品名 规格 批号 厂商 数量 单位 单价 金额 有效期 组别 批准文号 存放地点 供应商 单号 "
                             "发票号 报损原因 认领部门 认领人 操作者"},
        {summaryLines(Issue), "试剂ID 品名 规格 厂商 数量 单位 单价 金额"},
    };
    for (const auto &c : cases) {
        const QString tail = c.query.sql.contains(QStringLiteral("SUM(")) ? SummaryTail : QString();
        EXPECT_EQ(movementLines(db(), c.query, tail, {}).columns, split(c.columns)) << c.query.sql.toStdString();
    }
    EXPECT_EQ(split("操作者"), QStringList{movementLines(db(), documentLines(Issue), {}, {}).columns.at(
                                   documentOperatorColumn(Issue))});
    EXPECT_EQ(split("操作者"), QStringList{movementLines(db(), documentLines(Receipt), {}, {}).columns.at(
                                   documentOperatorColumn(Receipt))});
}

TEST_F(MovementLinesTest, ReadsOnlyItsFlagWithAmountsWrittenStandard)
{
    line(Receipt, 1000, 12.5);
    const qint64 issue = line(Issue, 1234.5, 10);
    line(Scrap, 1, 1);

    const dao::Result issues = movementLines(db(), documentLines(Issue), QStringLiteral(" AND shijibiandongdengji.单号=?"),
                                             {20260115001LL});
    ASSERT_EQ(issues.size(), 1);
    EXPECT_EQ(issues[0][0].toLongLong(), issue);
    EXPECT_EQ(issues[0].text(DocumentAmountColumn), QStringLiteral("12,345.00"));
    EXPECT_EQ(issues[0].text(6), QStringLiteral("急诊科"));
    EXPECT_EQ(issues[0].text(18), QStringLiteral("7"));

    const dao::Result scrap = movementLines(db(), reportLines(Scrap), {}, {});
    ASSERT_EQ(scrap.size(), 1);
    EXPECT_EQ(scrap[0].text(ReportAmountColumn), QStringLiteral("1.00"));
    EXPECT_EQ(scrap[0].text(17), QStringLiteral("过期"));
}

TEST_F(MovementLinesTest, SummaryAddsUpEachReagentAndPrice)
{
    line(Issue, 2, 1.5);
    line(Issue, 3, 1.5, 20260115002);
    line(Issue, 1, 2000);
    line(Receipt, 50, 1.5);

    const dao::Result rows = movementLines(db(), summaryLines(Issue), SummaryTail, {});
    ASSERT_EQ(rows.size(), 2);
    QStringList seen;
    for (const dao::Row &r : rows.rows)
        seen << r.text(4) + u'|' + r.text(SummaryPriceColumn) + u'|' + r.text(SummaryAmountColumn);
    seen.sort();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("1|2,000.00|2,000.00"), QStringLiteral("5|1.50|7.50")}));
}

// The stepped fill of the query windows shows the rows exactly as the read-back lines.
TEST_F(MovementLinesTest, SteppedFillShowsTheLinesAsRead)
{
    line(Issue, 1234.5, 10);
    line(Issue, 0.25, 3.333);
    line(Issue, 2, 0, 20260115002);
    for (const auto &[query, tail, amount] : {std::tuple{reportLines(Issue), QString(), ReportAmountColumn},
                                              std::tuple{summaryLines(Issue), SummaryTail, SummaryAmountColumn}}) {
        FlexGrid read;
        read.Fill(movementLines(db(), query, tail, {}));
        FlexGrid stepped;
        const platform::convert::Currency total = fillMovementLines(stepped, db(), query, tail, {}, amount);
        EXPECT_EQ(stepped.snapshot().header, read.snapshot().header);
        EXPECT_EQ(stepped.snapshot().rows, read.snapshot().rows) << query.sql.toStdString();
        EXPECT_EQ(total.units, columnTotal(read, amount).units);
        EXPECT_EQ(total.units, 123458300); // 12,345.00 + 0.83 + 0.00
    }
}

TEST_F(MovementLinesTest, ColumnTotalIsExactOverManyRows)
{
    FlexGrid grid;
    QList<QStringList> rows;
    for (int i = 0; i < 1000; ++i)
        rows.append({QStringLiteral("0.10")});
    rows.append({QStringLiteral("1,234,567.89")});
    rows.append({QString()});
    grid.Fill({QStringLiteral("金额")}, rows);
    EXPECT_EQ(columnTotal(grid, 0).toDouble(), 1234667.89);

    // Amounts are read from their bytes where they are written "Standard"; every text
    // counts as the number it reads as, whichever way it is read.
    for (const QString &text : {QStringLiteral("-1,234.50"), QStringLiteral("1234.50"), QStringLiteral("0.00"),
                                QStringLiteral("12,34.50"), QStringLiteral("1,2345.00"), QStringLiteral("1.5"),
                                QStringLiteral(" 3.00"), QStringLiteral("-0.01"), QStringLiteral("9,999,999,999.99"),
                                QStringLiteral("1e3"), QStringLiteral(",123.00"), QStringLiteral("abc")}) {
        grid.Fill({QStringLiteral("金额")}, {{text}});
        EXPECT_EQ(columnTotal(grid, 0).units,
                  platform::convert::Currency::fromDouble(platform::convert::parseNumber(text).value_or(0)).units)
            << text.toStdString();
    }
}

} // namespace
