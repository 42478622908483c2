#include "FlexGrid.h"

#include "FlexModel.h"
#include "RowHandoff.h"
#include "Twips.h"
#include "dao/Collation.h"
#include "dao/Database.h"
#include "dao/Row.h"
#include "platform/Convert.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>
#include <charconv>
#include <optional>
#include <vector>
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

FlexGrid::FlexGrid(QWidget *parent) : QTableView(parent)
{
    m_model = new FlexModel(this);
    setModel(m_model);
    m_header = new FlexHeader(this);
    setHorizontalHeader(m_header);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_header->setHighlightSections(false);
    m_header->setSectionsClickable(true);
    m_scale = twips::fontScale(font());
    m_header->setDefaultSectionSize(twips::pixels(DefaultColWidth, m_scale));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(ContiguousSelection);
    setSelectionBehavior(SelectItems);
    setWordWrap(false);

    connect(m_header, &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        // A width the user dragged; the program's own widths are kept exactly in twips.
        if (!m_syncing && col < m_widths.size() && size > 0)
            m_widths[col] = twips::toTwips(size, m_scale);
    });

    setCols(2);
    setRows(2);
    setCurrent(1, 0, 1, 0, false);
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

int FlexGrid::Rows() const
{
    return m_model->rowCount() + 1;
}

int FlexGrid::Cols() const
{
    return m_model->columnCount();
}

void FlexGrid::setRows(int rows)
{
    m_syncing = true;
    m_model->setRowCount(qMax(1, rows) - 1);
    m_syncing = false;
    clampCurrent();
}

void FlexGrid::setCols(int cols)
{
    cols = qMax(1, cols);
    const int old = Cols();
    m_syncing = true;
    m_model->setColumnCount(cols);
    m_widths.resize(cols);
    for (int c = old; c < cols; ++c) {
        m_widths[c] = DefaultColWidth;
        applyWidth(c);
    }
    m_syncing = false;
    clampCurrent();
}

void FlexGrid::checkCell(int row, int col) const
{
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        outOfRange();
}

void FlexGrid::checkCol(int col) const
{
    if (col < 0 || col >= Cols())
        outOfRange();
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    checkCell(row, col);
    return row == 0 ? m_model->header(col) : m_model->text(row - 1, col);
}

QByteArrayView FlexGrid::cellBytes(int row, int col) const
{
    checkCell(row, col);
    if (row == 0)
        throw std::out_of_range("cellBytes: row 0 is the header");
    return m_model->cell(row - 1, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    checkCell(row, col);
    if (row == 0)
        m_model->setHeader(col, text);
    else
        m_model->setText(row - 1, col, text);
}

int FlexGrid::ColWidth(int col) const
{
    checkCol(col);
    return m_widths.at(col);
}

void FlexGrid::setColWidth(int col, int twips)
{
    checkCol(col);
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
    m_header->resizeSection(col, qMax(1, twips::pixels(twips, m_scale)));
}

void FlexGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() != QEvent::FontChange)
        return;
    // The widths in twips stay; their pixels follow the new font.
    m_scale = twips::fontScale(font());
    m_syncing = true;
    m_header->setDefaultSectionSize(twips::pixels(DefaultColWidth, m_scale));
    for (int c = 0; c < Cols(); ++c)
        applyWidth(c);
    m_syncing = false;
}

Qt::Alignment FlexGrid::ColAlignment(int col) const
{
    checkCol(col);
    return m_model->alignment(col);
}

void FlexGrid::setColAlignment(int col, Qt::Alignment alignment)
{
    checkCol(col);
    m_model->setAlignment(col, alignment);
}

QColor FlexGrid::CellBackColor(int row, int col) const
{
    checkCell(row, col);
    return m_model->backColor(row - 1, col);
}

void FlexGrid::setCellBackColor(int row, int col, const QColor &color)
{
    checkCell(row, col);
    m_model->setBackColor(row - 1, col, color);
}

QColor FlexGrid::CellForeColor(int row, int col) const
{
    checkCell(row, col);
    return m_model->foreColor(row - 1, col);
}

void FlexGrid::setCellForeColor(int row, int col, const QColor &color)
{
    checkCell(row, col);
    m_model->setForeColor(row - 1, col, color);
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
    const QItemSelection ranges = selectionModel()->selection();
    if (ranges.size() == 1) {
        const QItemSelectionRange &r = ranges.first();
        const int top = r.top() + 1;
        const int bottom = r.bottom() + 1;
        if ((cr == top || cr == bottom) && (cc == r.left() || cc == r.right())) {
            row = cr == top ? bottom : top;
            col = cc == r.left() ? r.right() : r.left();
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
    m_model->clearCells();
    showSelection(false);
}

void FlexGrid::RemoveItem(int row)
{
    if (row < 1 || row >= Rows())
        outOfRange();
    m_syncing = true;
    m_model->removeRow(row - 1);
    m_syncing = false;
    clampCurrent();
}

void FlexGrid::startFill(const QStringList &header)
{
    m_syncing = true;
    m_model->startFill(header);
}

void FlexGrid::finishFill()
{
    m_model->finishFill();
    // Widths and alignment go back to the defaults with the new columns.
    m_widths = QList<int>(Cols(), DefaultColWidth);
    for (int c = 0; c < Cols(); ++c)
        applyWidth(c);
    m_syncing = false;
    const int first = Rows() > 1 ? 1 : 0;
    setCurrent(first, 0, first, 0, true);
}

void FlexGrid::Fill(const dao::Result &result)
{
    startFill(result.columns);
    QStringList texts;
    for (const dao::Row &r : result.rows) {
        texts.clear();
        for (int c = 0; c < r.size(); ++c) {
            const QVariant &v = r[c];
            texts.append(v.typeId() == QMetaType::Double ? platform::convert::doubleText(v.toDouble())
                                                          : v.toString());
        }
        m_model->appendRow(texts);
    }
    finishFill();
}

void FlexGrid::Fill(const QStringList &header, const QList<QStringList> &rows)
{
    startFill(header);
    for (const QStringList &texts : rows)
        m_model->appendRow(texts);
    finishFill();
}

void FlexGrid::Fill(dao::Database &db, const QString &sql, const QVariantList &params,
                    const QList<NumberFormat> &formats, const QList<OrderKey> &order)
{
    // A result past this many rows is built on a worker while the engine steps the rest,
    // keeping its repeated texts once. A list no longer than the catalogue is built faster
    // here: the engine hands its sorted rows over quickly, and copying them to a worker and
    // looking up every text would cost more than the worker saves.
    constexpr int kRowsBeforeHandoff = 65536;
    bool started = false;
    roworder::FillOrder rowOrder(order);
    std::vector<const NumberFormat *> formatOf;
    const auto put = [&](const auto &row) {
        char digits[32];
        const int cols = static_cast<int>(formatOf.size());
        for (int c = 0; c < cols; ++c) {
            using Kind = dao::StepRow::Field::Kind;
            const auto field = row.field(c);
            const Kind kind = field.kind();
            if (const NumberFormat *format = formatOf[static_cast<size_t>(c)]) {
                const QString text = format->format(field.real());
                m_model->appendCell(text);
                if (format->written)
                    format->written(text);
            } else if (kind == Kind::Integer)
                // The engine would format the digits with its own printf on every read.
                m_model->appendCell(QByteArrayView(digits, std::to_chars(digits, std::end(digits), field.integer()).ptr));
            else if (kind != Kind::Real)
                m_model->appendCell(field.utf8());
            else if (const int n = platform::convert::shortDoubleText(field.real(), digits))
                m_model->appendCell(QByteArrayView(digits, n));
            else
                m_model->appendCell(platform::convert::doubleText(field.real()));
        }
        m_model->endRow();
        if (!order.isEmpty())
            rowOrder.take(row);
    };
    std::optional<RowHandoff> handoff;
    int stepped = 0;
    try {
        db.each(
            sql, params,
            [&](const QStringList &columns) {
                startFill(columns);
                started = true;
                formatOf.assign(static_cast<size_t>(columns.size()), nullptr);
                for (const NumberFormat &f : formats)
                    if (f.col >= 0 && f.col < columns.size())
                        formatOf[static_cast<size_t>(f.col)] = &f;
            },
            [&](const dao::StepRow &row) {
                if (handoff) {
                    handoff->add(row);
                    return;
                }
                put(row);
                if (++stepped < kRowsBeforeHandoff)
                    return;
                m_model->poolRepeatedTexts();
                std::vector<bool> formatted(formatOf.size());
                for (size_t c = 0; c < formatOf.size(); ++c)
                    formatted[c] = formatOf[c] != nullptr;
                handoff.emplace(std::move(formatted), [&put](const CopiedRows &rows) {
                    for (int r = 0; r < rows.size(); ++r)
                        put(rows.row(r));
                });
            });
        if (handoff)
            handoff->finish();
        if (!order.isEmpty()) {
            std::vector<int> rows = rowOrder.order();
            m_model->reorder(rows);
        }
    } catch (...) {
        // The worker stops before the model is emptied.
        handoff.reset();
        if (started) {
            finishFill();
            setRows(1);
        }
        throw;
    }
    finishFill();
}

void FlexGrid::Sort(int col, Qt::SortOrder order)
{
    checkCol(col);
    const int n = m_model->rowCount();
    roworder::DistinctValues values;
    std::vector<int> ranks(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r)
        ranks[static_cast<size_t>(r)] = values.intern(m_model->cell(r, col));
    const auto distinct = static_cast<size_t>(values.size());
    std::vector<std::optional<double>> numbers(distinct);
    bool allNumbers = true;
    for (size_t v = 0; v < distinct; ++v) {
        numbers[v] = platform::convert::parseNumber(QString::fromUtf8(values.bytes(static_cast<int>(v))));
        allNumbers = allNumbers && numbers[v].has_value();
    }
    // A column of numbers alone needs no collation keys.
    std::vector<dao::ChineseKey> keys;
    if (!allNumbers) {
        keys.reserve(distinct);
        for (size_t v = 0; v < distinct; ++v)
            keys.emplace_back(QString::fromUtf8(values.bytes(static_cast<int>(v))));
    }
    int rankCount = 0;
    const std::vector<int> rankOf = values.ranks(
        [&](int a, int b) {
            const auto &na = numbers[static_cast<size_t>(a)];
            const auto &nb = numbers[static_cast<size_t>(b)];
            if (na && nb)
                return *na < *nb ? -1 : (*nb < *na ? 1 : 0);
            return keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]);
        },
        rankCount);
    for (int &r : ranks)
        r = rankOf[static_cast<size_t>(r)];
    std::vector<int> rows = roworder::byRank(ranks, rankCount, order == Qt::DescendingOrder);
    // While the rows move, the view would hold a selection of a whole column (a header
    // click makes one) as a persistent index per row; the grid's block is shown again after.
    m_syncing = true;
    selectionModel()->clear();
    m_syncing = false;
    // Whole rows move, so each cell keeps its colours.
    m_model->reorder(rows);
    showSelection(false);
}

GridSnapshot FlexGrid::snapshot() const
{
    GridSnapshot s;
    for (int c = 0; c < Cols(); ++c) {
        s.header.append(TextMatrix(0, c));
        s.colWidths.append(m_widths.at(c));
        s.colAlignments.append(static_cast<int>(m_model->alignment(c)));
    }
    const int n = m_model->rowCount();
    s.rows.reserve(n);
    s.foreColors.reserve(n);
    for (int r = 0; r < n; ++r) {
        QStringList texts;
        QList<QColor> colors;
        for (int c = 0; c < Cols(); ++c) {
            texts.append(m_model->text(r, c));
            colors.append(m_model->foreColor(r, c));
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
    QTableView::mousePressEvent(event);
    viewMouse(MouseAction::Down, event);
}

void FlexGrid::mouseMoveEvent(QMouseEvent *event)
{
    QTableView::mouseMoveEvent(event);
    if (event->buttons() != Qt::NoButton && currentIndex().isValid())
        takeSelectionFromView();
}

void FlexGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    viewMouse(MouseAction::Up, event);
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    viewMouse(MouseAction::Double, event);
}

void FlexGrid::keyPressEvent(QKeyEvent *event)
{
    QTableView::keyPressEvent(event);
    takeSelectionFromView();
}
