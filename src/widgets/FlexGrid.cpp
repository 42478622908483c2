#include "FlexGrid.h"

#include <QSignalBlocker>

#include "dao/Collation.h"
#include "dao/Row.h"
#include "platform/Convert.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>
#include <optional>
#include <stdexcept>

// The header row: presses on a section make that column current for the whole grid, as
// a click on the grid's fixed row does; dragging across sections selects nothing more.
class FlexHeader : public QHeaderView {
public:
    explicit FlexHeader(FlexGrid *grid) : QHeaderView(Qt::Horizontal, grid), m_grid(grid)
    {
        connect(this, &QHeaderView::sectionPressed, this, [this](int) { m_onSection = true; });
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        m_onSection = false;
        QHeaderView::mousePressEvent(event);
        m_grid->headerMouse(FlexGrid::MouseAction::Down, event, m_onSection);
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (m_onSection && event->buttons() != Qt::NoButton)
            return;
        QHeaderView::mouseMoveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QHeaderView::mouseReleaseEvent(event);
        m_onSection = false;
        m_grid->headerMouse(FlexGrid::MouseAction::Up, event, false);
    }
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        QHeaderView::mouseDoubleClickEvent(event);
        m_grid->headerMouse(FlexGrid::MouseAction::Double, event, false);
    }

private:
    FlexGrid *m_grid;
    bool m_onSection = false;
};

namespace {

[[noreturn]] void outOfRange()
{
    throw std::out_of_range("下标越界");
}

} // namespace

FlexGrid::FlexGrid(QWidget *parent) : QTableWidget(parent)
{
    m_header = new FlexHeader(this);
    setHorizontalHeader(m_header);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_header->setHighlightSections(false);
    m_header->setSectionsClickable(true);
    m_header->setDefaultSectionSize(qRound(DefaultColWidth / twipsPerPixelX()));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ContiguousSelection);
    setSelectionBehavior(SelectItems);
    setWordWrap(false);

    connect(m_header, &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        // A width the user dragged; the program's own widths are kept exactly in twips.
        if (!m_syncing && col < m_widths.size() && size > 0)
            m_widths[col] = qRound(size * twipsPerPixelX());
    });

    setCols(2);
    setRows(2);
    setCurrent(1, 0, 1, 0, false);
}

double FlexGrid::twipsPerPixelX() const
{
    return 1440.0 / logicalDpiX();
}

double FlexGrid::twipsPerPixelY() const
{
    return 1440.0 / logicalDpiY();
}

int FlexGrid::headerHeight() const
{
    // The height the table view gives its header when it lays it out.
    return qMax(m_header->minimumSizeHint().height(), m_header->sizeHint().height());
}

void FlexGrid::setRows(int rows)
{
    m_syncing = true;
    setRowCount(qMax(1, rows) - 1);
    m_syncing = false;
    clampCurrent();
}

void FlexGrid::setCols(int cols)
{
    cols = qMax(1, cols);
    const int old = columnCount();
    m_syncing = true;
    setColumnCount(cols);
    m_widths.resize(cols);
    m_alignments.resize(cols);
    for (int c = old; c < cols; ++c) {
        m_widths[c] = DefaultColWidth;
        m_alignments[c] = General;
        applyWidth(c);
    }
    m_syncing = false;
    ensureHeaderItems();
    clampCurrent();
}

void FlexGrid::ensureHeaderItems()
{
    // Without an item the header would show column numbers instead of a blank caption.
    for (int c = 0; c < columnCount(); ++c) {
        if (!horizontalHeaderItem(c))
            setHorizontalHeaderItem(c, new QTableWidgetItem);
    }
}

QTableWidgetItem *FlexGrid::cell(int row, int col) const
{
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        outOfRange();
    return row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
}

QTableWidgetItem *FlexGrid::cellForWrite(int row, int col)
{
    if (QTableWidgetItem *it = cell(row, col))
        return it;
    auto *it = new QTableWidgetItem;
    setItem(row - 1, col, it);
    alignCell(it, col);
    return it;
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    const QTableWidgetItem *it = cell(row, col);
    return it ? it->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    QTableWidgetItem *it = cellForWrite(row, col);
    it->setText(text);
    if (row > 0)
        alignCell(it, col);
}

void FlexGrid::alignCell(QTableWidgetItem *item, int col) const
{
    Qt::Alignment a = m_alignments.value(col);
    if (a == General)
        a = platform::convert::isNumeric(item->text()) ? Qt::AlignRight : Qt::AlignLeft;
    if (!(a & Qt::AlignVertical_Mask))
        a |= Qt::AlignVCenter;
    item->setTextAlignment(a);
}

int FlexGrid::ColWidth(int col) const
{
    if (col < 0 || col >= Cols())
        outOfRange();
    return m_widths.at(col);
}

void FlexGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= Cols())
        outOfRange();
    m_widths[col] = qMax(0, twips);
    m_syncing = true;
    applyWidth(col);
    m_syncing = false;
}

void FlexGrid::setColWidths(const QList<int> &twips)
{
    for (int c = 0; c < Cols() && c < twips.size(); ++c)
        setColWidth(c, twips.at(c));
}

void FlexGrid::applyWidth(int col)
{
    const int twips = m_widths.at(col);
    if (twips == 0) {
        hideColumn(col);
        return;
    }
    showColumn(col);
    m_header->resizeSection(col, qMax(1, qRound(twips / twipsPerPixelX())));
}

Qt::Alignment FlexGrid::ColAlignment(int col) const
{
    if (col < 0 || col >= Cols())
        outOfRange();
    return m_alignments.at(col);
}

void FlexGrid::setColAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= Cols())
        outOfRange();
    m_alignments[col] = alignment;
    for (int r = 0; r < rowCount(); ++r) {
        if (QTableWidgetItem *it = item(r, col))
            alignCell(it, col);
    }
}

QColor FlexGrid::CellBackColor(int row, int col) const
{
    const QTableWidgetItem *it = cell(row, col);
    return it && it->background().style() != Qt::NoBrush ? it->background().color() : QColor();
}

void FlexGrid::setCellBackColor(int row, int col, const QColor &color)
{
    cellForWrite(row, col)->setBackground(color.isValid() ? QBrush(color) : QBrush());
}

QColor FlexGrid::CellForeColor(int row, int col) const
{
    const QTableWidgetItem *it = cell(row, col);
    return it && it->foreground().style() != Qt::NoBrush ? it->foreground().color() : QColor();
}

void FlexGrid::setCellForeColor(int row, int col, const QColor &color)
{
    cellForWrite(row, col)->setForeground(color.isValid() ? QBrush(color) : QBrush());
}

void FlexGrid::setRow(int row)
{
    if (row < 0 || row >= Rows())
        outOfRange();
    setCurrent(row, m_col, row, m_col, true);
}

void FlexGrid::setCol(int col)
{
    if (col < 0 || col >= Cols())
        outOfRange();
    setCurrent(m_row, col, m_row, col, true);
}

void FlexGrid::setRowSel(int row)
{
    if (row < 0 || row >= Rows())
        outOfRange();
    m_rowSel = row;
    showSelection(false);
}

void FlexGrid::setColSel(int col)
{
    if (col < 0 || col >= Cols())
        outOfRange();
    m_colSel = col;
    showSelection(false);
}

void FlexGrid::setCurrent(int row, int col, int rowSel, int colSel, bool scroll)
{
    const bool moved = row != m_row || col != m_col;
    m_row = row;
    m_col = col;
    m_rowSel = rowSel;
    m_colSel = colSel;
    showSelection(scroll);
    if (moved)
        Q_EMIT RowColChange();
}

void FlexGrid::clampCurrent()
{
    const int lastRow = Rows() - 1;
    const int lastCol = Cols() - 1;
    setCurrent(qMin(m_row, lastRow), qMin(m_col, lastCol), qMin(m_rowSel, lastRow), qMin(m_colSel, lastCol),
               false);
}

void FlexGrid::showSelection(bool scroll)
{
    m_syncing = true;
    const bool autoScrollWas = hasAutoScroll();
    setAutoScroll(scroll);
    QItemSelectionModel *sm = selectionModel();
    if (m_row >= 1) {
        sm->setCurrentIndex(model()->index(m_row - 1, m_col), QItemSelectionModel::NoUpdate);
        // The header row is no table row: a selection reaching it starts at row 1.
        const int top = qMax(1, qMin(m_row, m_rowSel));
        const int bottom = qMax(1, qMax(m_row, m_rowSel));
        const QItemSelection block(model()->index(top - 1, qMin(m_col, m_colSel)),
                                   model()->index(bottom - 1, qMax(m_col, m_colSel)));
        sm->select(block, QItemSelectionModel::ClearAndSelect);
    } else {
        sm->clear();
    }
    setAutoScroll(autoScrollWas);
    m_syncing = false;
}

void FlexGrid::takeSelectionFromView()
{
    const QModelIndex cur = currentIndex();
    if (!cur.isValid())
        return;
    // The view moves its current cell to where a drag or a shifted move ends, so that is
    // the selection's end; its opposite corner is where the selection began.
    const int cr = cur.row() + 1;
    const int cc = cur.column();
    int row = cr;
    int col = cc;
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.size() == 1) {
        const QTableWidgetSelectionRange &r = ranges.first();
        const int top = r.topRow() + 1;
        const int bottom = r.bottomRow() + 1;
        if ((cr == top || cr == bottom) && (cc == r.leftColumn() || cc == r.rightColumn())) {
            row = cr == top ? bottom : top;
            col = cc == r.leftColumn() ? r.rightColumn() : r.leftColumn();
        }
    }
    const bool moved = row != m_row || col != m_col;
    m_row = row;
    m_col = col;
    m_rowSel = cr;
    m_colSel = cc;
    if (moved)
        Q_EMIT RowColChange();
}

void FlexGrid::setRedraw(bool on)
{
    m_redraw = on;
    setUpdatesEnabled(on);
}

double FlexGrid::RowPos(int row) const
{
    if (row < 0 || row >= Rows())
        outOfRange();
    if (row == 0)
        return 0;
    return (headerHeight() + rowViewportPosition(row - 1)) * twipsPerPixelY();
}

double FlexGrid::RowHeight(int row) const
{
    if (row < 0 || row >= Rows())
        outOfRange();
    return (row == 0 ? headerHeight() : rowHeight(row - 1)) * twipsPerPixelY();
}

void FlexGrid::Clear()
{
    clearContents();
    for (int c = 0; c < columnCount(); ++c)
        horizontalHeaderItem(c)->setText(QString());
}

void FlexGrid::RemoveItem(int row)
{
    if (row < 1 || row >= Rows())
        outOfRange();
    m_syncing = true;
    removeRow(row - 1);
    m_syncing = false;
    clampCurrent();
}

void FlexGrid::Fill(const dao::Result &result)
{
    QList<QStringList> rows;
    rows.reserve(result.size());
    for (const dao::Row &r : result.rows) {
        QStringList texts;
        texts.reserve(r.size());
        for (int c = 0; c < r.size(); ++c) {
            const QVariant &v = r[c];
            texts.append(v.typeId() == QMetaType::Double ? platform::convert::doubleText(v.toDouble())
                                                          : v.toString());
        }
        rows.append(texts);
    }
    Fill(result.columns, rows);
}

void FlexGrid::Fill(const QStringList &header, const QList<QStringList> &rows)
{
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    m_syncing = true;
    setRowCount(0);
    setColumnCount(0);
    m_widths.clear();
    m_alignments.clear();
    m_syncing = false;
    setCols(static_cast<int>(header.size()));
    for (int c = 0; c < header.size(); ++c)
        horizontalHeaderItem(c)->setText(header.at(c));
    m_syncing = true;
    setRowCount(static_cast<int>(rows.size()));
    // One change notice per cell would cost more than the cells themselves; the view
    // repaints from the model once updates are back on.
    const QSignalBlocker quiet(model());
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList &texts = rows.at(r);
        for (int c = 0; c < columnCount() && c < texts.size(); ++c) {
            auto *it = new QTableWidgetItem(texts.at(c));
            alignCell(it, c);
            setItem(r, c, it);
        }
    }
    m_syncing = false;
    const int first = rows.isEmpty() ? 0 : 1;
    setCurrent(first, 0, first, 0, true);
    setUpdatesEnabled(updates);
}

void FlexGrid::Sort(int col, Qt::SortOrder order)
{
    if (col < 0 || col >= Cols())
        outOfRange();
    struct Key {
        int row;
        QString text;
        std::optional<double> number;
    };
    const int n = rowCount();
    QList<Key> keys;
    keys.reserve(n);
    for (int r = 0; r < n; ++r) {
        const QString text = item(r, col) ? item(r, col)->text() : QString();
        keys.append({r, text, platform::convert::parseNumber(text)});
    }
    const auto compare = [](const Key &a, const Key &b) {
        if (a.number && b.number)
            return *a.number < *b.number ? -1 : (*b.number < *a.number ? 1 : 0);
        return dao::compareChinese(a.text, b.text);
    };
    std::stable_sort(keys.begin(), keys.end(), [&](const Key &a, const Key &b) {
        const int c = compare(a, b);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });

    // Whole items move, so each cell keeps its colours and alignment.
    const int cols = columnCount();
    QList<QList<QTableWidgetItem *>> taken(n);
    for (int r = 0; r < n; ++r) {
        taken[r].reserve(cols);
        for (int c = 0; c < cols; ++c)
            taken[r].append(takeItem(r, c));
    }
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < cols; ++c)
            setItem(r, c, taken[keys[r].row][c]);
    }
    showSelection(false);
}

GridSnapshot FlexGrid::snapshot() const
{
    GridSnapshot s;
    for (int c = 0; c < Cols(); ++c) {
        s.header.append(TextMatrix(0, c));
        s.colWidths.append(m_widths.at(c));
        s.colAlignments.append(static_cast<int>(m_alignments.at(c)));
    }
    for (int r = 1; r < Rows(); ++r) {
        QStringList texts;
        QList<QColor> colors;
        for (int c = 0; c < Cols(); ++c) {
            texts.append(TextMatrix(r, c));
            colors.append(CellForeColor(r, c));
        }
        s.rows.append(texts);
        s.foreColors.append(colors);
    }
    return s;
}

void FlexGrid::mouseEvent(MouseAction action, Qt::MouseButton button, int row, int col, double y)
{
    m_mouseRow = row;
    m_mouseCol = col;
    switch (action) {
    case MouseAction::Down:
        m_pressed = true;
        Q_EMIT MouseDown(button, row, col, y);
        break;
    case MouseAction::Up:
        Q_EMIT MouseUp(button, row, col, y);
        if (m_pressed) {
            m_pressed = false;
            Q_EMIT Click(row, col);
        }
        break;
    case MouseAction::Double:
        Q_EMIT DblClick(row, col);
        break;
    }
}

void FlexGrid::headerMouse(MouseAction action, QMouseEvent *event, bool onSection)
{
    const QPoint pos = event->position().toPoint();
    const int col = m_header->logicalIndexAt(pos.x());
    if (action == MouseAction::Down && onSection && col >= 0) {
        // The whole column becomes the selection, so the column is current for a sort.
        const int last = Rows() - 1;
        setCurrent(last >= 1 ? 1 : 0, col, last, col, false);
    }
    mouseEvent(action, event->button(), 0, col, pos.y() * twipsPerPixelY());
}

void FlexGrid::viewMouse(MouseAction action, QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const int r = rowAt(pos.y());
    const int col = columnAt(pos.x());
    const int row = r >= 0 ? r + 1 : -1;
    if (action != MouseAction::Up) {
        if (row >= 1 && col >= 0)
            takeSelectionFromView();
        else
            showSelection(false); // a press beside the cells leaves the selection as it was
    }
    mouseEvent(action, event->button(), row, col, (headerHeight() + pos.y()) * twipsPerPixelY());
}

void FlexGrid::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    viewMouse(MouseAction::Down, event);
}

void FlexGrid::mouseMoveEvent(QMouseEvent *event)
{
    QTableWidget::mouseMoveEvent(event);
    if (event->buttons() != Qt::NoButton && currentIndex().isValid())
        takeSelectionFromView();
}

void FlexGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableWidget::mouseReleaseEvent(event);
    viewMouse(MouseAction::Up, event);
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    viewMouse(MouseAction::Double, event);
}

void FlexGrid::keyPressEvent(QKeyEvent *event)
{
    QTableWidget::keyPressEvent(event);
    takeSelectionFromView();
}
