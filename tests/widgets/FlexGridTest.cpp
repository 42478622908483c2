#include "TempFolder.h"
#include "dao/Collation.h"
#include "dao/Database.h"
#include "platform/Convert.h"
#include "dao/Row.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

QStringList column(const FlexGrid &g, int col)
{
    QStringList texts;
    for (int r = 1; r < g.Rows(); ++r)
        texts.append(g.TextMatrix(r, col));
    return texts;
}

// A grid of one key column and a running number, so the order of equal keys shows.
void fillKeys(FlexGrid &g, const QStringList &keys)
{
    QList<QStringList> rows;
    for (int i = 0; i < keys.size(); ++i)
        rows.append({keys.at(i), QString::number(i)});
    g.Fill({QStringLiteral("品名"), QStringLiteral("序")}, rows);
}

struct SortCase {
    const char *name;
    QStringList keys;
    Qt::SortOrder order;
    QStringList expected;
};

void PrintTo(const SortCase &c, std::ostream *os)
{
    *os << c.name;
}

class FlexGridSort : public ::testing::TestWithParam<SortCase> {};

} // namespace

TEST_P(FlexGridSort, OrdersTheDataRowsAndNeverTheHeader)
{
    const SortCase &c = GetParam();
    FlexGrid g;
    fillKeys(g, c.keys);
    g.Sort(0, c.order);
    EXPECT_EQ(column(g, 0), c.expected);
    EXPECT_EQ(g.TextMatrix(0, 0), QStringLiteral("品名"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlexGridSort,
    ::testing::Values(
        SortCase{"NumbersByValueNotByText",
                 {QStringLiteral("9"), QStringLiteral("1,234.50"), QStringLiteral("10"), QStringLiteral("-2")},
                 Qt::AscendingOrder,
                 {QStringLiteral("-2"), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("1,234.50")}},
        SortCase{"NumbersDescending",
                 {QStringLiteral("0.5"), QStringLiteral("200.00"), QStringLiteral("35")},
                 Qt::DescendingOrder,
                 {QStringLiteral("200.00"), QStringLiteral("35"), QStringLiteral("0.5")}},
        SortCase{"ChineseInPinyinOrder",
                 {QStringLiteral("磁珠"), QStringLiteral("白蛋白"), QStringLiteral("安瓿"), QStringLiteral("胺类")},
                 Qt::AscendingOrder,
                 {QStringLiteral("安瓿"), QStringLiteral("胺类"), QStringLiteral("白蛋白"), QStringLiteral("磁珠")}},
        SortCase{"ChineseDescending",
                 {QStringLiteral("白蛋白"), QStringLiteral("磁珠"), QStringLiteral("安瓿")},
                 Qt::DescendingOrder,
                 {QStringLiteral("磁珠"), QStringLiteral("白蛋白"), QStringLiteral("安瓿")}},
        SortCase{"DatesAsText",
                 {QStringLiteral("2026-03-01"), QStringLiteral("2025-12-31"), QStringLiteral("2026-01-15")},
                 Qt::AscendingOrder,
                 {QStringLiteral("2025-12-31"), QStringLiteral("2026-01-15"), QStringLiteral("2026-03-01")}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FlexGrid, EqualKeysKeepTheirOrderBothWays)
{
    FlexGrid g;
    fillKeys(g, {QStringLiteral("乙"), QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("甲")});
    g.Sort(0, Qt::DescendingOrder);
    EXPECT_EQ(column(g, 1), (QStringList{QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("3")}));
    g.Sort(0, Qt::AscendingOrder);
    EXPECT_EQ(column(g, 1), (QStringList{QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("2")}));
}

// The header sort keys each distinct text once; it must order the rows as comparing every
// cell by its text does: numbers by value when both are numbers, else in Chinese order,
// equal cells keeping their order either way.
TEST(FlexGrid, HeaderSortOrdersAsComparingEveryCellByItsText)
{
    const QStringList names{QStringLiteral("血清样本"), QStringLiteral("阿莫西林"), QStringLiteral("ALT试剂"),
                            QStringLiteral("alt试剂"), QString(), QStringLiteral("谷丙转氨酶"), QStringLiteral("血清")};
    const QStringList numbers{QStringLiteral("1,234.50"), QStringLiteral("9"), QStringLiteral("1"),
                              QStringLiteral("1.00"), QStringLiteral("-2"), QStringLiteral("10")};
    const QStringList dates{QStringLiteral("2026-01-09"), QStringLiteral("2025-12-31"), QStringLiteral("2026-01-10")};
    QList<QStringList> rows;
    for (int i = 0; i < 60; ++i)
        rows.append({names.at(i * 7 % names.size()), numbers.at(i * 5 % numbers.size()),
                     dates.at(i * 2 % dates.size()), QString::number(i)});
    const auto byText = [](const QString &a, const QString &b) {
        const auto na = platform::convert::parseNumber(a);
        const auto nb = platform::convert::parseNumber(b);
        if (na && nb)
            return *na < *nb ? -1 : (*nb < *na ? 1 : 0);
        return dao::compareChinese(a, b);
    };
    for (int col = 0; col < 3; ++col) {
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            QList<QStringList> expected = rows;
            std::stable_sort(expected.begin(), expected.end(), [&](const QStringList &a, const QStringList &b) {
                const int c = byText(a.at(col), b.at(col));
                return order == Qt::AscendingOrder ? c < 0 : c > 0;
            });
            FlexGrid g;
            g.Fill({QStringLiteral("品名"), QStringLiteral("数量"), QStringLiteral("日期"), QStringLiteral("序")}, rows);
            g.Sort(col, order);
            EXPECT_EQ(g.snapshot().rows, expected) << "column " << col << " order " << order;
        }
    }
}

// A fill with an order shows the rows as the engine's ORDER BY of the same keys does:
// nulls, then numbers, then texts; Chinese order or bytes; ties by the next key.
TEST(FlexGrid, FillOrderIsTheOrderByOfItsKeys)
{
    TempFolder dir;
    auto db = dao::Database::create(dir.file(QStringLiteral("order.dat")), QStringLiteral("k"));
    db->execScript(QStringLiteral(
        "CREATE TABLE t (id INTEGER, 组别 TEXT, 日期 TEXT);"
        "INSERT INTO t VALUES (7, '血清', '2026-01-02'), (3, '阿胶', '2026-01-02'), (5, NULL, '2026-01-01'),"
        " (1, '', '2026-01-03'), (9, 'B组', NULL), (2, '血清', '2026-01-01'), (8, 12, '2026-01-02'),"
        " (4, 2.5, '2026-01-02'), (6, '阿胶', '2026-01-02'), (10, '', '2026-01-01');"));
    using Compare = FlexGrid::OrderKey::Compare;
    const struct {
        QList<FlexGrid::OrderKey> keys;
        QString orderBy;
    } cases[] = {
        {{{1, Compare::Chinese}, {2, Compare::Bytes}, {0, Compare::Number}}, QStringLiteral("组别 COLLATE ZH, 日期, id")},
        {{{2, Compare::Bytes}, {1, Compare::Chinese}, {0, Compare::Number}}, QStringLiteral("日期, 组别 COLLATE ZH, id")},
        {{{1, Compare::Bytes}, {0, Compare::Number}}, QStringLiteral("组别, id")},
    };
    for (const auto &c : cases) {
        const QString select = QStringLiteral("SELECT id, 组别, 日期 FROM t WHERE id > ?");
        FlexGrid expected;
        expected.Fill(*db, select + QStringLiteral(" ORDER BY ") + c.orderBy, {0});
        FlexGrid g;
        g.Fill(*db, select, {0}, {}, c.keys);
        EXPECT_EQ(g.snapshot().rows, expected.snapshot().rows) << c.orderBy.toStdString();
    }
}

TEST(FlexGrid, CellColoursTravelWithTheirRow)
{
    FlexGrid g;
    fillKeys(g, {QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("2")});
    for (int c = 0; c < g.Cols(); ++c)
        g.setCellForeColor(1, c, Qt::red); // the row of "3"
    g.setCellBackColor(2, 1, Qt::blue);   // the row of "1"
    g.Sort(0, Qt::AscendingOrder);

    EXPECT_EQ(column(g, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_EQ(g.CellForeColor(3, 0), QColor(Qt::red));
    EXPECT_EQ(g.CellForeColor(3, 1), QColor(Qt::red));
    EXPECT_EQ(g.CellBackColor(1, 1), QColor(Qt::blue));
    EXPECT_FALSE(g.CellForeColor(1, 0).isValid());
    EXPECT_FALSE(g.CellBackColor(3, 1).isValid());
}

TEST(FlexGrid, FillsFromAQueryAndAnEmptyOneLeavesTheHeader)
{
    auto names = std::make_shared<const QStringList>(QStringList{QStringLiteral("单号"), QStringLiteral("单价")});
    dao::Result result;
    result.columns = *names;
    result.rows.emplace_back(names, QVariantList{QVariant(qint64(20260115001)), QVariant(12.5)});
    result.rows.emplace_back(names, QVariantList{QVariant(qint64(20260115002)), QVariant()});

    FlexGrid g;
    g.setColWidth(1, 0);
    g.Fill(result);
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.TextMatrix(0, 0), QStringLiteral("单号"));
    EXPECT_EQ(g.TextMatrix(1, 0), QStringLiteral("20260115001"));
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("12.5"));
    EXPECT_EQ(g.TextMatrix(2, 1), QString());
    EXPECT_EQ(g.ColWidth(1), FlexGrid::DefaultColWidth);
    EXPECT_FALSE(g.isColumnHidden(1));
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 0);

    result.rows.clear();
    g.Fill(result);
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.TextMatrix(0, 1), QStringLiteral("单价"));
    EXPECT_EQ(g.Row(), 0);
}

TEST(FlexGrid, HeaderTextsAreCellsOfRowZero)
{
    FlexGrid g;
    g.setCols(3);
    EXPECT_EQ(g.TextMatrix(0, 2), QString()); // blank, not a column number
    g.setTextMatrix(0, 2, QStringLiteral("金额↑"));
    EXPECT_EQ(g.TextMatrix(0, 2), QStringLiteral("金额↑"));
    EXPECT_EQ(g.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("金额↑"));
    g.setTextMatrix(1, 2, QStringLiteral("5.00"));
    g.Clear();
    EXPECT_EQ(g.TextMatrix(0, 2), QString());
    EXPECT_EQ(g.TextMatrix(1, 2), QString());
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_THROW(g.TextMatrix(2, 0), std::out_of_range);
}

TEST(FlexGrid, WidthsInTwipsAndZeroHides)
{
    FlexGrid g;
    g.setCols(3);
    g.setColWidth(0, 0);
    g.setColWidth(1, 1500);
    g.setColWidth(2, 1550);
    EXPECT_TRUE(g.isColumnHidden(0));
    EXPECT_EQ(g.ColWidth(0), 0);
    EXPECT_EQ(g.ColWidth(2), 1550); // kept exactly, though not a whole number of pixels
    EXPECT_LT(g.columnWidth(1), g.columnWidth(2));
    g.setColWidth(0, 800);
    EXPECT_FALSE(g.isColumnHidden(0));
    EXPECT_NEAR(g.columnWidth(0), g.columnWidth(1) * 800 / 1500.0, 1);
}

// The room a cell of the grid gives its text: the column less the item view's text margins
// on both sides and the grid line.
int textRoom(const FlexGrid &g, int col)
{
    const int margin = g.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &g) + 1;
    return g.columnWidth(col) - 2 * margin - 1;
}

TEST(FlexGrid, ColumnsOfTheDocumentWidthsHoldTheirTextsInAnyFont)
{
    QFont wide(QStringLiteral("DejaVu Sans"));
    wide.setPixelSize(16);
    QFont large(QStringLiteral("WenQuanYi Micro Hei"));
    large.setPointSize(14);
    QFont small(QStringLiteral("WenQuanYi Micro Hei"));
    small.setPixelSize(11);
    const QFont fonts[] = {QApplication::font(), wide, large, small};
    // 单号 and 金额 1300 twips, 单价 800, 登记日期 1300, 品名 2550, as the document windows set them.
    const struct {
        int twips;
        QString text;
    } cells[] = {
        {1300, QStringLiteral("20261210001")}, {1300, QStringLiteral("1,943.00")},
        {800, QStringLiteral("2006.35")},      {1300, QStringLiteral("2026-12-10")},
        {2550, QStringLiteral("乙肝表面抗原检测试剂")},
    };
    for (const QFont &font : fonts) {
        SCOPED_TRACE(font.toString().toStdString());
        FlexGrid g;
        g.setFont(font);
        g.setCols(static_cast<int>(std::size(cells)));
        for (int c = 0; c < g.Cols(); ++c) {
            g.setColWidth(c, cells[c].twips);
            g.setTextMatrix(1, c, cells[c].text);
        }
        const QFontMetrics metrics(g.font());
        for (int c = 0; c < g.Cols(); ++c) {
            const int text = metrics.horizontalAdvance(cells[c].text);
            EXPECT_GE(textRoom(g, c), text) << cells[c].text.toStdString() << " is cut";
            EXPECT_EQ(g.ColWidth(c), cells[c].twips);
        }
    }
}

TEST(FlexGrid, ColumnsFollowAChangeOfFont)
{
    FlexGrid g;
    QFont font = g.font();
    font.setPixelSize(12);
    g.setFont(font);
    g.setColWidth(0, 1300);
    const int before = g.columnWidth(0);
    font.setPixelSize(24);
    g.setFont(font);
    EXPECT_NEAR(g.columnWidth(0), 2 * before, 2);
    EXPECT_EQ(g.ColWidth(0), 1300);
}

TEST(FlexGrid, GeneralAlignmentPutsNumbersRight)
{
    FlexGrid g;
    g.setTextMatrix(1, 0, QStringLiteral("1,234.50"));
    g.setTextMatrix(1, 1, QStringLiteral("盒"));
    const auto alignment = [&g](int col) { return g.model()->index(0, col).data(Qt::TextAlignmentRole).toInt(); };
    EXPECT_TRUE(alignment(0) & Qt::AlignRight);
    EXPECT_TRUE(alignment(1) & Qt::AlignLeft);
    g.setColAlignment(0, Qt::AlignCenter);
    EXPECT_EQ(alignment(0), int(Qt::AlignCenter));
}

TEST(FlexGrid, SnapshotHoldsHeaderRowsWidthsAndAlignments)
{
    FlexGrid g;
    g.Fill({QStringLiteral("ID"), QStringLiteral("品名")},
           {{QStringLiteral("7"), QStringLiteral("试剂盒")}, {QStringLiteral("8"), QStringLiteral("血清")}});
    g.setColWidth(0, 0);
    g.setColWidth(1, 2550);
    g.setColAlignment(1, Qt::AlignRight);
    g.setCellForeColor(2, 1, Qt::red);

    const GridSnapshot s = g.snapshot();
    EXPECT_EQ(s.header, (QStringList{QStringLiteral("ID"), QStringLiteral("品名")}));
    ASSERT_EQ(s.rowCount(), 2);
    EXPECT_EQ(s.text(1, 1), QStringLiteral("血清"));
    EXPECT_EQ(s.colWidths, (QList<int>{0, 2550}));
    EXPECT_EQ(s.colAlignments, (QList<int>{0, int(Qt::AlignRight)}));
    EXPECT_EQ(s.foreColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(s.foreColor(0, 1), QColor(Qt::black));
}

TEST(FlexGrid, RemoveItemAndRowsKeepTheCurrentRowInRange)
{
    FlexGrid g;
    fillKeys(g, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    g.setRow(3);
    g.RemoveItem(2);
    EXPECT_EQ(column(g, 0), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    EXPECT_EQ(g.Row(), 2);
    g.setRows(1);
    EXPECT_EQ(g.Row(), 0);
    EXPECT_THROW(g.RemoveItem(0), std::out_of_range);
}

TEST(FlexGrid, SelectionRunsFromRowToRowSel)
{
    FlexGrid g;
    fillKeys(g, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
    QSignalSpy changes(&g, &FlexGrid::RowColChange);
    g.setRow(2);
    g.setColSel(g.Cols() - 1);
    EXPECT_EQ(changes.size(), 1);
    EXPECT_EQ(g.RowSel(), 2);
    const QItemSelection ranges = g.selectionModel()->selection();
    ASSERT_EQ(ranges.size(), 1);
    EXPECT_EQ(ranges.first().top(), 1);
    EXPECT_EQ(ranges.first().width(), 2);
}

class FlexGridMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        g.resize(400, 300);
        fillKeys(g, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                     QStringLiteral("e"), QStringLiteral("f")});
        g.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    }

    QPoint cellCentre(int row, int col) const
    {
        return g.visualRect(g.model()->index(row - 1, col)).center();
    }

    FlexGrid g;
};

TEST_F(FlexGridMouse, AClickOnTheHeaderLiesInRowZeroAndMakesItsColumnCurrent)
{
    QSignalSpy downs(&g, &FlexGrid::MouseDown);
    QSignalSpy clicks(&g, &FlexGrid::Click);
    QHeaderView *header = g.horizontalHeader();
    const QPoint onSecond(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onSecond);

    ASSERT_EQ(downs.size(), 1);
    EXPECT_EQ(downs.at(0).at(1).toInt(), 0);
    const double y = downs.at(0).at(3).toDouble();
    EXPECT_LE(g.RowPos(0), y);
    EXPECT_GT(g.RowPos(1), y);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_EQ(g.MouseRow(), 0);

    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cellCentre(1, 0));
    EXPECT_EQ(downs.at(1).at(1).toInt(), 1);
    EXPECT_GE(downs.at(1).at(3).toDouble(), g.RowPos(1));
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 0);
}

TEST_F(FlexGridMouse, ASelectionMadeUpwardsKeepsItsStartAsRow)
{
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cellCentre(5, 0));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(2, 0));
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(g.RowSel(), 2);
    EXPECT_EQ(g.MouseRow(), 2);
}

TEST(FlexGrid, FillsFromAStatementAsItSteps)
{
    TempFolder dir;
    auto db = dao::Database::create(dir.file(QStringLiteral("grid.dat")), QStringLiteral("k"));
    db->execScript(QStringLiteral("CREATE TABLE t (id INTEGER, 单价 REAL, 品名 TEXT);"
                                  "INSERT INTO t VALUES (20260115001, 12.5, '试剂盒'), (2, NULL, ''),"
                                  " (-9223372036854775808, 1, 'x');"));
    FlexGrid g;
    g.setColWidth(1, 0);
    g.Fill(*db, QStringLiteral("SELECT id AS 单号, 单价, 品名 FROM t WHERE id > ? ORDER BY id DESC"), {0});
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.snapshot().header, (QStringList{QStringLiteral("单号"), QStringLiteral("单价"), QStringLiteral("品名")}));
    EXPECT_EQ(g.snapshot().rows, (QList<QStringList>{
                                     {QStringLiteral("20260115001"), QStringLiteral("12.5"), QStringLiteral("试剂盒")},
                                     {QStringLiteral("2"), QString(), QString()}}));
    EXPECT_EQ(g.ColWidth(1), FlexGrid::DefaultColWidth);
    EXPECT_EQ(g.Row(), 1);

    // Integers are written by the grid itself, as the engine would give them as text.
    g.Fill(*db, QStringLiteral("SELECT -id AS 负, CAST(单价 AS INTEGER) FROM t WHERE id > 0 ORDER BY id"));
    EXPECT_EQ(column(g, 0), (QStringList{QStringLiteral("-2"), QStringLiteral("-20260115001")}));
    EXPECT_EQ(column(g, 1), (QStringList{QString(), QStringLiteral("12")}));

    // A statement failing on its third row leaves the new header and no rows.
    EXPECT_THROW(g.Fill(*db, QStringLiteral("SELECT abs(id) AS 绝对值 FROM t ORDER BY id DESC")), dao::DaoError);
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.TextMatrix(0, 0), QStringLiteral("绝对值"));
    EXPECT_EQ(g.Row(), 0);
}

TEST(FlexGrid, ColumnsDroppedAndAddedAgainComeBackEmpty)
{
    FlexGrid g;
    g.setCols(3);
    g.setTextMatrix(0, 2, QStringLiteral("金额"));
    g.setTextMatrix(1, 2, QStringLiteral("5.00"));
    g.setCellForeColor(1, 2, Qt::red);
    g.setTextMatrix(1, 0, QStringLiteral("甲"));
    g.setCols(2);
    g.setCols(3);
    EXPECT_EQ(g.TextMatrix(0, 2), QString());
    EXPECT_EQ(g.TextMatrix(1, 2), QString());
    EXPECT_FALSE(g.CellForeColor(1, 2).isValid());
    EXPECT_EQ(g.TextMatrix(1, 0), QStringLiteral("甲"));
    g.setTextMatrix(1, 1, QStringLiteral("乙"));
    EXPECT_EQ(g.TextMatrix(1, 0), QStringLiteral("甲"));
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("乙"));
}

TEST(FlexGrid, StepsRealsIntoTheSameTextsAsEverywhere)
{
    TempFolder dir;
    auto db = dao::Database::create(dir.file(QStringLiteral("grid.dat")), QStringLiteral("k"));
    db->execScript(QStringLiteral("CREATE TABLE t (n INTEGER, v REAL);"
                                  "INSERT INTO t VALUES (1, 0.1), (2, 2.5e-7), (3, 1e25), (4, -3.0), (5, 1234567.125);"));
    FlexGrid g;
    g.Fill(*db, QStringLiteral("SELECT v FROM t ORDER BY n"));
    EXPECT_EQ(column(g, 0), (QStringList{QStringLiteral("0.1"), QStringLiteral("0.00000025"),
                                         QStringLiteral("10000000000000000905969664"), QStringLiteral("-3"),
                                         QStringLiteral("1234567.125")}));
}

// Rows of a fill share large blocks; the texts larger than a block and the rows changed,
// sorted, cut or removed after it must all read back as they were written.
TEST(FlexGrid, RowsOfAFillStayRightWhenChangedAfterwards)
{
    const QString big(3 << 20, QLatin1Char('x'));
    const QString mid(700 << 10, QLatin1Char('y'));
    FlexGrid g;
    g.Fill({QStringLiteral("品名"), QStringLiteral("序"), QStringLiteral("备注")},
           {{mid, QStringLiteral("3"), QStringLiteral("甲")},
            {big, QStringLiteral("1"), QString()},
            {mid, QStringLiteral("2"), QStringLiteral("丙")},
            {QStringLiteral("短"), QStringLiteral("4")}});
    g.setTextMatrix(2, 2, QStringLiteral("乙"));
    g.Sort(1, Qt::AscendingOrder);
    EXPECT_EQ(column(g, 1), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    EXPECT_EQ(column(g, 2), (QStringList{QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("甲"), QString()}));
    EXPECT_EQ(g.TextMatrix(1, 0), big);
    EXPECT_EQ(g.TextMatrix(3, 0), mid);
    g.RemoveItem(2);
    g.setCols(2);
    EXPECT_EQ(column(g, 0), (QStringList{big, mid, QStringLiteral("短")}));
    EXPECT_EQ(column(g, 1), (QStringList{QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("4")}));

    g.Fill({QStringLiteral("品名")}, {{QStringLiteral("新")}});
    EXPECT_EQ(column(g, 0), QStringList{QStringLiteral("新")});
    g.Clear();
    g.setTextMatrix(1, 0, QStringLiteral("再"));
    EXPECT_EQ(column(g, 0), QStringList{QStringLiteral("再")});
}

namespace {

QString throwingFormat(double value)
{
    if (value == 80000)
        throw std::runtime_error("format failed");
    return platform::convert::standard(value);
}

} // namespace

// A result of a hundred thousand rows is built on a worker thread while the engine steps
// on: every kind of field (integers and texts in a column of numbers too), the order, the
// written texts and both kinds of failure must come out as a small result's do.
TEST(FlexGrid, ALargeFillBuiltBesideTheStepsReadsAsTheStatement)
{
    TempFolder dir;
    auto db = dao::Database::create(dir.file(QStringLiteral("large.dat")), QStringLiteral("k"));
    db->execScript(QStringLiteral(
        "CREATE TABLE t AS WITH RECURSIVE s(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM s WHERE n < 100000)"
        " SELECT n, CASE n % 4 WHEN 0 THEN '血清' || (n % 97) WHEN 1 THEN NULL WHEN 2 THEN n % 13 ELSE 'a' || (n % 7) END"
        " AS 组别, CASE n % 3 WHEN 0 THEN n * 0.25 WHEN 1 THEN n ELSE '7.5' END AS 单价,"
        " CASE n % 5 WHEN 0 THEN x'4142' WHEN 1 THEN char(0) || char(1) || 'abc' ELSE '试剂' || n END AS 品名 FROM s;"));
    using Compare = FlexGrid::OrderKey::Compare;
    const QString select = QStringLiteral("SELECT n, 组别, 单价, 品名 FROM t");
    FlexGrid expected;
    expected.Fill(db->select(select + QStringLiteral(" ORDER BY 组别 COLLATE ZH, n")));
    for (int r = 1; r < expected.Rows(); ++r)
        expected.setTextMatrix(r, 2, platform::convert::standard(expected.TextMatrix(r, 2).toDouble()));

    FlexGrid g;
    int written = 0;
    const QList<FlexGrid::NumberFormat> formats{{2, &platform::convert::standard, [&written](const QString &) { ++written; }}};
    g.Fill(*db, select, {}, formats, {{1, Compare::Chinese}, {0, Compare::Number}});
    ASSERT_EQ(g.Rows(), 100001);
    EXPECT_EQ(written, 100000);
    // A NUL is dropped from a cell; what is left reads as itself, not as a reference.
    EXPECT_EQ(column(g, 3).count(QString(QChar(1)) + QStringLiteral("abc")), 20000);
    EXPECT_EQ(g.snapshot().header, expected.snapshot().header);
    for (int r = 1; r < g.Rows(); ++r)
        for (int c = 0; c < 4; ++c)
            ASSERT_EQ(g.TextMatrix(r, c), expected.TextMatrix(r, c)) << "row " << r << " col " << c;

    EXPECT_THROW(g.Fill(*db, QStringLiteral("SELECT CASE WHEN n = 90000 THEN abs(-9223372036854775808) ELSE n END AS 序 "
                                            "FROM t ORDER BY n")),
                 dao::DaoError);
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.TextMatrix(0, 0), QStringLiteral("序"));
    EXPECT_THROW(g.Fill(*db, QStringLiteral("SELECT n, n * 1.0 AS 数 FROM t ORDER BY n"), {}, {{1, &throwingFormat}}),
                 std::runtime_error);
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.TextMatrix(0, 1), QStringLiteral("数"));
    // That failure came half way through a row; the next fill starts clean.
    g.Fill(*db, QStringLiteral("SELECT n, 单价 FROM t WHERE n <= 2 ORDER BY n"));
    EXPECT_EQ(g.snapshot().rows, (QList<QStringList>{{QStringLiteral("1"), QStringLiteral("1")},
                                                     {QStringLiteral("2"), QStringLiteral("7.5")}}));
}

// A large fill keeps a text repeated down a column once and the rows refer to it; every
// cell must read back as a small fill gives it, whether it repeats or not, begins with a
// byte that marks a reference, holds a NUL, or is changed, sorted or cut after the fill.
TEST(FlexGrid, TextsKeptOnceReadBackAsWritten)
{
    const QStringList repeated{QStringLiteral("北京试剂有限公司"), QString(QChar(1)) + QStringLiteral("abcdef"),
                               QString(QChar(2)) + QStringLiteral("x"), QString(QChar(1)), QStringLiteral("血清清")};
    const auto rowOf = [&repeated](int i) {
        return QStringList{QStringLiteral("批号%1").arg(i), repeated.at(i % repeated.size()),
                           // as long as a reference, so kept in the row
                           QString(QChar(i % 3 ? 1 : 2)) + QStringLiteral("%1").arg(i % 11, 3, 10, QLatin1Char('0'))};
    };
    // More rows than a column of distinct texts is pooled for.
    constexpr int count = 150000;
    TempFolder dir;
    auto db = dao::Database::create(dir.file(QStringLiteral("texts.dat")), QStringLiteral("k"));
    db->execScript(QStringLiteral(
        "CREATE TABLE t AS WITH RECURSIVE s(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM s WHERE n < 149999)"
        " SELECT n, '批号' || n AS 批号, CASE n % 5 WHEN 0 THEN '北京试剂有限公司' WHEN 1 THEN char(1) || 'abcdef'"
        " WHEN 2 THEN char(2) || 'x' WHEN 3 THEN char(1) ELSE '血' || char(0) || '清清' END AS 厂商,"
        " char(CASE WHEN n % 3 THEN 1 ELSE 2 END) || printf('%03d', n % 11) AS 标 FROM s;"));
    FlexGrid g;
    g.Fill(*db, QStringLiteral("SELECT 批号, 厂商, 标 FROM t ORDER BY n"));
    ASSERT_EQ(g.Rows(), count + 1);
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(g.TextMatrix(i + 1, c), rowOf(i).at(c)) << "row " << i + 1 << " col " << c;

    const QString changed = QString(QChar(1)) + QStringLiteral("新");
    g.setTextMatrix(count, 1, changed);
    EXPECT_EQ(g.TextMatrix(count, 1), changed);
    EXPECT_EQ(g.TextMatrix(count, 0), QStringLiteral("批号%1").arg(count - 1));
    EXPECT_EQ(g.TextMatrix(count, 2), rowOf(count - 1).at(2));
    g.Sort(1, Qt::AscendingOrder);
    g.setCols(2);
    ASSERT_EQ(g.Rows(), count + 1);
    for (int r = 1; r < g.Rows(); ++r) {
        const int i = g.TextMatrix(r, 0).mid(2).toInt();
        ASSERT_EQ(g.TextMatrix(r, 1), i == count - 1 ? changed : rowOf(i).at(1)) << "row " << r;
    }
}
