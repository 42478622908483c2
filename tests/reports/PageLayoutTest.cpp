#include "reports/PageLayout.h"

#include "ReportFixture.h"
#include "platform/System.h"

#include <QFont>
#include <QFontMetrics>

#include <numeric>

namespace {

using reports::PageReport;

struct Text {
    int x, y, size;
    QString text;
    QColor colour;
    int width = -1; // a cell's room, -1 for text written without one
};

class RecordingSurface final : public reports::PageSurface {
public:
    int innerWidth() const override { return reports::PageWidth; }
    int outerWidth() const override { return reports::PageWidth; }
    void clear() override { ++clears; }
    void printAt(int x, int y, int size, const QString &text, const QColor &colour) override
    {
        texts.append({x, y, size, text, colour});
    }
    void printCell(int x, int y, int width, int size, const QString &text, const QColor &colour) override
    {
        texts.append({x, y, size, text, colour, width});
    }
    void line(int x1, int y1, int x2, int y2) override { lines.append(QLine(x1, y1, x2, y2)); }

    const Text *find(const QString &start) const
    {
        for (const Text &t : texts)
            if (t.text.startsWith(start))
                return &t;
        return nullptr;
    }
    // The text that starts so; a failure and an empty text when none was drawn.
    Text at(const QString &start) const
    {
        if (const Text *t = find(start))
            return *t;
        ADD_FAILURE() << "not drawn: " << start.toStdString();
        return {-1, -1, 0, QString(), QColor()};
    }

    QList<Text> texts;
    QList<QLine> lines;
    int clears = 0;
};

PageReport oneRowReport(const QString &kind)
{
    GridSnapshot grid = receiptGrid(1);
    ModBase::PrintKind = kind;
    reports::SetColWide();
    grid.rows[0][ModBase::PrintColCount] = QStringLiteral("3.00"); // the amount is the last printed column
    PageReport r;
    r.grid = grid;
    r.title = QStringLiteral("入库单");
    r.kind = kind;
    r.total = platform::convert::Currency::fromDouble(1234.5);
    r.pageCount = 1;
    r.colWidths = reports::columnWidthsFor(kind);
    r.unitName = QStringLiteral("检验科");
    r.userName = QStringLiteral("王丽");
    r.printDate = QDate(2026, 3, 2);
    return r;
}

class PageLayout : public ReportTest {};

TEST_F(PageLayout, EachKindDrawsItsColumnsAndSignature)
{
    struct Sig {
        QString text;
        int x; // -1: the table's left edge
    };
    const struct {
        QString kind;
        int columns, width;
        QList<Sig> signature;
    } kinds[] = {
        {QStringLiteral("RegIn"), 9, 9600, {{QStringLiteral("库管："), 5200}, {QStringLiteral("入库："), 7200}}},
        {QStringLiteral("RegOut"), 9, 9600,
         {{QStringLiteral("使用部门："), -1}, {QStringLiteral("发货："), 5200}, {QStringLiteral("领货："), 7200}}},
        {QStringLiteral("RegBS"), 9, 9600, {{QStringLiteral("签名："), 7200}}},
        {QStringLiteral("RegStore"), 9, 10000, {{QStringLiteral("签名："), 7200}}},
        {QStringLiteral("RegIndent"), 8, 10000,
         {{QStringLiteral("采购单位：检验科"), -1}, {QStringLiteral("签名："), 7200}}},
        {QStringLiteral("RegInHZ"), 7, 10000, {{QStringLiteral("签名："), 7200}}},
        {QStringLiteral("RegOutHZ"), 7, 10000,
         {{QStringLiteral("使用部门："), -1}, {QStringLiteral("发货："), 5200}, {QStringLiteral("领货："), 7200}}},
    };
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.kind.toStdString());
        const PageReport report = oneRowReport(k.kind);
        EXPECT_EQ(ModBase::PrintColCount, k.columns);
        EXPECT_EQ(std::accumulate(ModBase::PrintColWidth.begin(), ModBase::PrintColWidth.end(), 0), k.width);
        RecordingSurface s;
        reports::drawPage(s, report, 1);
        const int x0 = (reports::PageWidth - k.width) / 2;

        // caption row at y 2100 and the data row at 2450, columns 1 to N from x0 on
        int x = x0;
        for (int c = 1; c <= k.columns; ++c) {
            const auto at = [&](int y) {
                return std::count_if(s.texts.begin(), s.texts.end(), [&](const Text &t) {
                    return t.x == x && t.y == y && t.size == 10;
                });
            };
            EXPECT_EQ(at(2100), 1) << "caption of column " << c;
            EXPECT_EQ(at(2450), 1) << "cell of column " << c;
            x += report.colWidths[c - 1];
        }
        EXPECT_EQ(s.texts.size(), 2 * k.columns + 1 + 4 + k.signature.size() + 1);
        EXPECT_EQ(s.at(report.grid.header[1]).x, x0);
        EXPECT_EQ(s.find(QStringLiteral("登记ID")), nullptr); // column 0 is never printed

        const int signatureY = 2100 + 100 + 700;
        for (const Sig &sig : k.signature) {
            const Text t = s.at(sig.text);
            EXPECT_EQ(t.x, sig.x < 0 ? x0 : sig.x);
            EXPECT_EQ(t.y, signatureY);
        }
        const Text maker = s.at(QStringLiteral("制表："));
        EXPECT_EQ(maker.text, QStringLiteral("制表：王丽"));
        EXPECT_EQ(maker.x, k.width - 700);
        EXPECT_EQ(maker.y, signatureY);

        // the line above the table
        EXPECT_EQ(s.at(QStringLiteral("共1页 第1页")).x, x0);
        EXPECT_EQ(s.at(QStringLiteral("总金额：1,234.50元")).x, 2500);
        EXPECT_EQ(s.at(QStringLiteral("本页合计：3.00元")).x, 5500);
        const Text date = s.at(QStringLiteral("打印日期："));
        EXPECT_EQ(date.text, QStringLiteral("打印日期：") + platform::shortDate(QDate(2026, 3, 2)));
        EXPECT_EQ(date.x, k.width - 1550);
        EXPECT_EQ(date.y, 1750);

        // title centred by its counted width (3 Chinese characters, 720 twips), size 12
        const Text title = s.at(QStringLiteral("入库单"));
        EXPECT_EQ(title.x, (reports::PageWidth - 720) / 2);
        EXPECT_EQ(title.y, 1200);
        EXPECT_EQ(title.size, 12);

        // rules: top, row, bottom, then the column lines and the right border
        const int right = x0 + k.width;
        EXPECT_EQ(s.lines[0], QLine(x0 - 50, 2010, right - 10, 2010));
        EXPECT_EQ(s.lines[1], QLine(x0 - 50, 2385, right - 10, 2385));
        EXPECT_EQ(s.lines[2], QLine(x0 - 50, 2750, right - 10, 2750));
        EXPECT_EQ(s.lines[3], QLine(x0 - 50, 2010, x0 - 50, 2100 + 700 - 60));
        EXPECT_EQ(s.lines.last(), QLine(right - 20, 2010, right - 20, 2100 + 700 - 60));
        EXPECT_EQ(s.lines.size(), 3 + k.columns + 1);
    }
}

TEST_F(PageLayout, TitleWidthCountsNarrowCharacters)
{
    EXPECT_EQ(reports::titleWidth(QStringLiteral("2026-01 15")), 10 * 120);
    EXPECT_EQ(reports::titleWidth(QStringLiteral("ABC")), 720);
    EXPECT_EQ(reports::titleWidth(QStringLiteral("库存1")), 600);
}

TEST_F(PageLayout, PagesOfThirtyFiveRows)
{
    const struct {
        int rows, pages;
    } cases[] = {{0, 0}, {1, 1}, {35, 1}, {36, 2}, {70, 2}, {71, 3}};
    for (const auto &c : cases)
        EXPECT_EQ(reports::pagesFor(c.rows), c.pages) << c.rows << " rows";

    PageReport report = oneRowReport(QStringLiteral("RegIn"));
    report.grid = receiptGrid(36);
    report.pageCount = 2;
    RecordingSurface first, second;
    reports::drawPage(first, report, 1);
    reports::drawPage(second, report, 2);
    const auto rowsOn = [](const RecordingSurface &s) {
        QStringList names;
        for (const Text &t : s.texts)
            if (t.text.startsWith(QStringLiteral("试剂")))
                names.append(t.text);
        return names;
    };
    EXPECT_EQ(rowsOn(first).size(), 35);
    EXPECT_EQ(rowsOn(first).first(), QStringLiteral("试剂1"));
    EXPECT_EQ(rowsOn(second), QStringList{QStringLiteral("试剂36")});
    EXPECT_EQ(second.at(QStringLiteral("共2页 第2页")).y, 1750);
    EXPECT_EQ(second.at(QStringLiteral("制表：")).y, 2100 + 100 + 700);
}

TEST_F(PageLayout, PageSumIsExactAndCellsKeepTheirColour)
{
    PageReport report = oneRowReport(QStringLiteral("RegStore"));
    const QStringList amounts = {QStringLiteral("1,234.00"), QStringLiteral("0.10"), QStringLiteral("0.20"),
                                 QString(), QStringLiteral("无")};
    report.grid = receiptGrid(static_cast<int>(amounts.size()));
    for (int r = 0; r < amounts.size(); ++r)
        report.grid.rows[r][9] = amounts[r];
    report.grid.foreColors = {{}, QList<QColor>(10, Qt::red), QList<QColor>(10, Qt::blue)};
    RecordingSurface s;
    reports::drawPage(s, report, 1);
    EXPECT_NE(s.find(QStringLiteral("本页合计：1,234.30元")), nullptr);
    EXPECT_EQ(s.at(QStringLiteral("试剂1")).colour, QColor(Qt::black));
    EXPECT_EQ(s.at(QStringLiteral("试剂2")).colour, QColor(Qt::red));
    EXPECT_EQ(s.at(QStringLiteral("试剂3")).colour, QColor(Qt::blue));
    EXPECT_EQ(s.at(QStringLiteral("品名")).colour, QColor(Qt::black));
}

TEST_F(PageLayout, ACellLongerThanItsColumnStopsAtTheNextColumnsLine)
{
    // Printed columns of "RegIn": 1 登记日期, 2 品名, 3 规格, ..., 9 金额 (the last).
    const struct {
        int col;
        QString text;
    } cases[] = {
        {2, QStringLiteral("乙肝表面抗原检测试剂盒")},
        {3, QStringLiteral("57mm*13mm")},
        {9, QStringLiteral("1,234,567,890.00")},
    };
    QFont pageFont;
    pageFont.setFamilies(reports::pageFonts());
    pageFont.setPixelSize(qRound(200 / 15.0)); // 10 points on the page picture
    const QFontMetrics metrics(pageFont);
    for (const auto &k : cases) {
        SCOPED_TRACE(k.text.toStdString());
        PageReport report = oneRowReport(QStringLiteral("RegIn"));
        const QList<int> &widths = report.colWidths;
        const int n = static_cast<int>(widths.size());
        const int x0 = (reports::PageWidth - std::accumulate(widths.begin(), widths.end(), 0)) / 2;
        const int cellX = x0 + std::accumulate(widths.begin(), widths.begin() + k.col - 1, 0);
        const int edge = cellX + widths[k.col - 1] - (k.col < n ? 50 : 20); // the next line, or the border
        ASSERT_GT(metrics.horizontalAdvance(k.text), (edge - cellX) / 15) << "the text must overrun its column";

        if (k.col < n)
            report.grid.rows[0][k.col + 1].clear();
        report.grid.rows[0][k.col].clear();
        const QImage without = reports::renderPage(report, 1);
        report.grid.rows[0][k.col] = k.text;
        const QImage with = reports::renderPage(report, 1);

        const int edgePx = edge / 15;
        const int top = 2450 / 15, height = 300 / 15; // the data row
        const QRect beyond(edgePx + 2, top, 30, height);
        const QRect inside(edgePx - 30, top, 29, height);
        EXPECT_TRUE(with.copy(beyond) == without.copy(beyond)) << "written over the next cell";
        EXPECT_FALSE(with.copy(inside) == without.copy(inside)) << "cut short of the line";
    }
}

TEST_F(PageLayout, AnUnknownKindKeepsThePrintedColumns)
{
    ModBase::PrintKind = QStringLiteral("RegIndent");
    reports::SetColWide();
    ModBase::PrintKind = QStringLiteral("regin");
    reports::SetColWide();
    EXPECT_EQ(ModBase::PrintColCount, 8);
    EXPECT_EQ(ModBase::PrintColWidth[0], 2750);
}

} // namespace
