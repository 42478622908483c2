#pragma once

#include "platform/Convert.h"
#include "widgets/GridSnapshot.h"

#include <QColor>
#include <QDate>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class QPainter;

namespace reports {

inline constexpr int RowsPerPage = 35;
// The page: 210 x 280 mm in twips.
inline constexpr int PageWidth = 11904;
inline constexpr int PageHeight = 15872;

// Pages of a report of that many data rows; 0 when there is none.
int pagesFor(int dataRows);

// The printed widths (twips) of grid columns 1 to N for a report kind; empty for a kind
// the preview does not know.
QList<int> columnWidthsFor(const QString &kind);
// Sets PrintColWidth and PrintColCount from PrintKind; another kind leaves both as they were.
void SetColWide();

// Everything a page is drawn from.
struct PageReport {
    GridSnapshot grid;
    QString title;
    QString kind;
    platform::convert::Currency total;
    int pageCount = 0;
    QList<int> colWidths; // grid columns 1 to N
    QString unitName;
    QString userName;
    QDate printDate;

    // From the report hand-off and the printed columns in the shared state.
    static PageReport fromHandOff(const QDate &printDate);
};

// What a page is drawn on, in twips from the top left corner of its drawing area.
class PageSurface {
public:
    virtual ~PageSurface() = default;
    // The width of the drawing area, which centres the table.
    virtual int innerWidth() const = 0;
    // The width of the sheet, which centres the title.
    virtual int outerWidth() const = 0;
    virtual void clear() = 0;
    // Writes the text with its top left corner at (x, y), not bold.
    virtual void printAt(int x, int y, int fontSize, const QString &text, const QColor &colour) = 0;
    // Writes a table cell as printAt does, cut off `width` twips right of x, so a long text
    // stops at the next column's line instead of running over its cell.
    virtual void printCell(int x, int y, int width, int fontSize, const QString &text, const QColor &colour) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
};

// A surface on a painter whose device has pixelsPerTwip device pixels a twip.
class PainterSurface final : public PageSurface {
public:
    PainterSurface(QPainter &painter, double pixelsPerTwip, int innerWidth, int outerWidth);

    int innerWidth() const override { return m_innerWidth; }
    int outerWidth() const override { return m_outerWidth; }
    void clear() override;
    void printAt(int x, int y, int fontSize, const QString &text, const QColor &colour) override;
    void printCell(int x, int y, int width, int fontSize, const QString &text, const QColor &colour) override;
    void line(int x1, int y1, int x2, int y2) override;

private:
    void write(const QRectF &box, int flags, int fontSize, const QString &text, const QColor &colour);

    QPainter &m_painter;
    double m_scale;
    int m_innerWidth;
    int m_outerWidth;
};

// The width the title is centred by: 120 twips for a blank, a hyphen or a digit, 240 for
// any other character.
int titleWidth(const QString &title);

// Draws page (from 1) of the report: the title, the line of page, total, page sum and
// date, the table of the printed columns and the signature line of the report kind.
void drawPage(PageSurface &surface, const PageReport &report, int page);

// The faces a page is written in: 宋体, which the column widths are made for, or the
// Chinese face the program installs.
QStringList pageFonts();

// The page picture of the preview (15 twips a pixel) with the page drawn on it.
QImage renderPage(const PageReport &report, int page);

} // namespace reports
