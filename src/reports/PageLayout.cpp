#include "PageLayout.h"

#include "platform/System.h"
#include "shell/ModBase.h"
#include "shell/ReportHandOff.h"

#include <QPainter>

#include <algorithm>
#include <numeric>

namespace reports {
namespace {

using platform::convert::Currency;
using platform::convert::roundHalfEven;
using platform::convert::standard;

constexpr int kTableTop = 2100;
constexpr int kRowHeight = 350;

int roundedHalf(int value)
{
    return static_cast<int>(roundHalfEven(value / 2.0));
}

// The amount a cell shows; a text that is no number adds nothing.
Currency cellAmount(const QString &text)
{
    const auto v = platform::convert::parseNumber(text);
    return v ? Currency::fromDouble(*v) : Currency{};
}

void drawSignature(PageSurface &s, const PageReport &report, int x0, int width, int y)
{
    const QColor black(Qt::black);
    const QString &kind = report.kind;
    if (kind == ReportKind::RegOut || kind == ReportKind::RegOutHZ) {
        s.printAt(x0, y, 10, QStringLiteral("使用部门："), black);
        s.printAt(5200, y, 10, QStringLiteral("发货："), black);
        s.printAt(7200, y, 10, QStringLiteral("领货："), black);
    } else if (kind == ReportKind::RegIndent) {
        s.printAt(x0, y, 10, QStringLiteral("采购单位：") + report.unitName, black);
        s.printAt(7200, y, 10, QStringLiteral("签名："), black);
    } else if (kind == ReportKind::RegIn) {
        s.printAt(5200, y, 10, QStringLiteral("库管："), black);
        s.printAt(7200, y, 10, QStringLiteral("入库："), black);
    } else {
        s.printAt(7200, y, 10, QStringLiteral("签名："), black);
    }
    s.printAt(width - 700, y, 10, QStringLiteral("制表：") + report.userName, black);
}

} // namespace

int pagesFor(int dataRows)
{
    return dataRows <= 0 ? 0 : (dataRows + RowsPerPage - 1) / RowsPerPage;
}

QList<int> columnWidthsFor(const QString &kind)
{
    if (kind == ReportKind::RegIn || kind == ReportKind::RegOut || kind == ReportKind::RegBS)
        return {1150, 2100, 1100, 1000, 1000, 800, 500, 950, 1000};
    if (kind == ReportKind::RegStore)
        return {2500, 1100, 1000, 1150, 1000, 800, 500, 950, 1000};
    if (kind == ReportKind::RegIndent)
        return {2750, 1500, 1100, 1100, 800, 600, 950, 1200};
    if (kind == ReportKind::RegInHZ || kind == ReportKind::RegOutHZ)
        return {3550, 1500, 1400, 800, 600, 950, 1200};
    return {};
}

void SetColWide()
{
    const QList<int> widths = columnWidthsFor(ModBase::PrintKind);
    if (widths.isEmpty())
        return;
    ModBase::PrintColWidth.fill(0);
    std::copy(widths.begin(), widths.end(), ModBase::PrintColWidth.begin());
    ModBase::PrintColCount = static_cast<qint32>(widths.size());
}

PageReport PageReport::fromHandOff(const QDate &printDate)
{
    PageReport r;
    r.grid = ModBase::PrintGrid;
    r.title = ModBase::PrintTitle;
    r.kind = ModBase::PrintKind;
    r.total = ModBase::PrintTotal;
    r.pageCount = ModBase::PageCount;
    const int n = std::clamp<int>(ModBase::PrintColCount, 0, static_cast<int>(ModBase::PrintColWidth.size()));
    r.colWidths = QList<int>(ModBase::PrintColWidth.begin(), ModBase::PrintColWidth.begin() + n);
    r.unitName = ModBase::UnitName;
    r.userName = ModBase::UserName;
    r.printDate = printDate;
    return r;
}

QStringList pageFonts()
{
    return {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
            QStringLiteral("WenQuanYi Micro Hei")};
}

PainterSurface::PainterSurface(QPainter &painter, double pixelsPerTwip, int innerWidth, int outerWidth)
    : m_painter(painter), m_scale(pixelsPerTwip), m_innerWidth(innerWidth), m_outerWidth(outerWidth)
{
}

void PainterSurface::clear()
{
    m_painter.fillRect(m_painter.viewport(), Qt::white);
}

void PainterSurface::write(const QRectF &box, int flags, int fontSize, const QString &text, const QColor &colour)
{
    QFont font;
    font.setFamilies(pageFonts());
    font.setBold(false);
    font.setPixelSize(std::max(1, static_cast<int>(roundHalfEven(fontSize * 20 * m_scale))));
    m_painter.setFont(font);
    m_painter.setPen(colour);
    m_painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | flags, text);
}

void PainterSurface::printAt(int x, int y, int fontSize, const QString &text, const QColor &colour)
{
    write(QRectF(x * m_scale, y * m_scale, 1e6, 1e6), Qt::TextDontClip, fontSize, text, colour);
}

void PainterSurface::printCell(int x, int y, int width, int fontSize, const QString &text, const QColor &colour)
{
    // Without TextDontClip the painter clips the text to the box.
    write(QRectF(x * m_scale, y * m_scale, std::max(0, width) * m_scale, 1e6), 0, fontSize, text, colour);
}

void PainterSurface::line(int x1, int y1, int x2, int y2)
{
    m_painter.setPen(QPen(Qt::black, std::max(1.0, 10 * m_scale)));
    m_painter.drawLine(QLineF(x1 * m_scale, y1 * m_scale, x2 * m_scale, y2 * m_scale));
}

int titleWidth(const QString &title)
{
    int width = 0;
    for (char32_t ch : title.toUcs4())
        width += (ch == U' ' || ch == U'-' || (ch >= U'0' && ch <= U'9')) ? 120 : 240;
    return width;
}

void drawPage(PageSurface &s, const PageReport &report, int page)
{
    const QColor black(Qt::black);
    s.clear();
    const GridSnapshot &grid = report.grid;
    const QList<int> &widths = report.colWidths;
    const int n = static_cast<int>(widths.size());
    const int width = std::accumulate(widths.begin(), widths.end(), 0);
    const int firstRow = RowsPerPage * page - (RowsPerPage - 1);
    const int lastRow = std::min(RowsPerPage * page, grid.rowCount());

    const int x0 = roundedHalf(s.innerWidth() - width);
    const int y0 = kTableTop;
    s.printAt(roundedHalf(s.outerWidth() - titleWidth(report.title)), 1200, 12, report.title, black);
    s.line(x0 - 50, y0 - 90, x0 + width - 10, y0 - 90);

    // A cell reaches from its text to the next column's line, the last one to the border.
    const auto room = [&](int c) { return widths[c - 1] - (c < n ? 50 : 20); };
    int x = x0;
    for (int c = 1; c <= n; ++c) {
        s.printCell(x, y0, room(c), 10, grid.header.value(c), black);
        x += widths[c - 1];
    }

    int y = y0 + kRowHeight;
    int drawn = 0;
    Currency pageSum;
    for (int r = firstRow; r <= lastRow; ++r) {
        const int row = r - 1; // the snapshot holds the data rows without the caption row
        ++drawn;
        s.line(x0 - 50, y - 65, x0 + width - 10, y - 65);
        x = x0;
        for (int c = 1; c <= n; ++c) {
            s.printCell(x, y, room(c), 10, grid.text(row, c), grid.foreColor(row, c));
            x += widths[c - 1];
        }
        if (n > 0)
            pageSum += cellAmount(grid.text(row, n));
        y += kRowHeight;
    }
    s.line(x0 - 50, y - 50, x0 + width - 10, y - 50);

    const int bottom = y0 + kRowHeight * (drawn + 1) - 60;
    x = x0;
    for (int c = 0; c < n; ++c) {
        s.line(x - 50, y0 - 90, x - 50, bottom);
        x += widths[c];
    }
    s.line(x0 + width - 20, y0 - 90, x0 + width - 20, bottom);

    const int infoY = y0 - kRowHeight;
    s.printAt(x0, infoY, 10,
              QStringLiteral("共%1页 第%2页").arg(report.pageCount).arg(page), black);
    s.printAt(2500, infoY, 10, QStringLiteral("总金额：") + standard(report.total.toDouble()) + QStringLiteral("元"),
              black);
    s.printAt(5500, infoY, 10, QStringLiteral("本页合计：") + standard(pageSum.toDouble()) + QStringLiteral("元"),
              black);
    s.printAt(width - 1550, infoY, 10, QStringLiteral("打印日期：") + platform::shortDate(report.printDate), black);

    drawSignature(s, report, x0, width, y0 + 100 + kRowHeight * (drawn + 1));
}

QImage renderPage(const PageReport &report, int page)
{
    constexpr double pixelsPerTwip = 1.0 / 15.0;
    QImage picture(static_cast<int>(roundHalfEven(PageWidth * pixelsPerTwip)),
                   static_cast<int>(roundHalfEven(PageHeight * pixelsPerTwip)), QImage::Format_RGB32);
    picture.setDotsPerMeterX(3780); // 96 dpi
    picture.setDotsPerMeterY(3780);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PainterSurface surface(painter, pixelsPerTwip, PageWidth, PageWidth);
    drawPage(surface, report, page);
    return picture;
}

} // namespace reports
