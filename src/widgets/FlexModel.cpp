#include "FlexModel.h"

#include "RowOrder.h"
#include "platform/Convert.h"

#include <QBrush>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr auto ChunkSize = static_cast<qsizetype>(hugepages::PageSize);

// A cell's first byte may mark it: a reference to its column's pool, three bytes of seven
// bits each (never a NUL) after the mark; or a text of the cell's own that begins with
// either mark byte itself, escaped by one more byte.
constexpr char Pooled = '\x01';
constexpr char Escaped = '\x02';
constexpr qsizetype RefSize = 4;
constexpr int MostPooled = 1 << 21;
// Pooling a column pays while most of its texts repeat; it is judged every so many cells.
constexpr int PoolJudgedEvery = 65536;

void putRef(std::string &cells, int id)
{
    cells.push_back(Pooled);
    for (int shift = 0; shift < 21; shift += 7)
        cells.push_back(static_cast<char>(0x80 | ((id >> shift) & 0x7F)));
    cells.push_back('\0');
}

int refOf(QByteArrayView raw)
{
    int id = 0;
    for (int i = 0; i < 3; ++i)
        id |= (static_cast<unsigned char>(raw[1 + i]) & 0x7F) << (7 * i);
    return id;
}

// The bytes of one cell in a row block; a row may end before its last columns, which are
// then empty.
qsizetype endOf(QByteArrayView cells, qsizetype from)
{
    if (from >= cells.size())
        return -1;
    const void *nul = std::memchr(cells.data() + from, '\0', static_cast<size_t>(cells.size() - from));
    return nul ? static_cast<const char *>(nul) - cells.data() : -1;
}

QByteArrayView cellOf(QByteArrayView cells, int col)
{
    qsizetype start = 0;
    for (int c = 0; c < col; ++c) {
        const qsizetype end = endOf(cells, start);
        if (end < 0)
            return {};
        start = end + 1;
    }
    const qsizetype end = endOf(cells, start);
    return end < 0 ? QByteArrayView() : QByteArrayView(cells.data() + start, end - start);
}

// A NUL ends a cell in the block; a text holding one loses it. Bytes is the row being
// appended (std::string, cheap to append to) or a row rebuilt by an edit (QByteArray).
template <typename Bytes>
void putCell(Bytes &cells, QByteArrayView utf8);

// Rare, so kept out of line: a buffer for it on the path of every cell cost the
// catalogue's list of 50,000 reagents a twentieth of its time.
template <typename Bytes>
[[gnu::noinline]] void putCellWithoutNuls(Bytes &cells, QByteArrayView utf8)
{
    QByteArray kept;
    kept.reserve(utf8.size());
    for (char ch : utf8)
        if (ch != '\0')
            kept.push_back(ch);
    putCell(cells, kept);
}

template <typename Bytes>
void putCell(Bytes &cells, QByteArrayView utf8)
{
    if (utf8.isEmpty()) {
        cells.push_back('\0');
        return;
    }
    if (std::memchr(utf8.data(), '\0', static_cast<size_t>(utf8.size()))) {
        putCellWithoutNuls(cells, utf8);
        return;
    }
    // The escape is judged on the text as kept, whose first byte is what a reader sees.
    if (utf8.front() == Pooled || utf8.front() == Escaped)
        cells.push_back(Escaped);
    cells.append(utf8.data(), utf8.size());
    cells.push_back('\0');
}

template <typename Bytes>
void putCell(Bytes &cells, const QString &text)
{
    putCell(cells, QByteArrayView(text.toUtf8()));
}

QByteArray withCell(QByteArrayView cells, int col, const QString &text, int cols)
{
    QByteArray out;
    out.reserve(cells.size() + text.size() * 3 + cols);
    for (int c = 0; c < cols; ++c) {
        if (c == col)
            putCell(out, text);
        else {
            out.append(cellOf(cells, c));
            out.append('\0');
        }
    }
    return out;
}

QByteArrayView firstCells(QByteArrayView cells, int cols)
{
    qsizetype end = 0;
    for (int c = 0; c < cols; ++c) {
        const qsizetype next = endOf(cells, end);
        if (next < 0)
            return cells;
        end = next + 1;
    }
    return cells.first(end);
}

} // namespace

FlexModel::Line::Line(Line &&other) noexcept
    : m_data(other.m_data), m_size(other.m_size), colourSet(other.colourSet)
{
    other.colourSet = 0;
    other.m_data = nullptr;
    other.m_size = 0;
}

FlexModel::Line &FlexModel::Line::operator=(Line &&other) noexcept
{
    if (this != &other) {
        if (m_size & Owned)
            std::free(const_cast<char *>(m_data));
        colourSet = other.colourSet;
        m_data = other.m_data;
        m_size = other.m_size;
        other.colourSet = 0;
        other.m_data = nullptr;
        other.m_size = 0;
    }
    return *this;
}

FlexModel::Line::~Line()
{
    if (m_size & Owned)
        std::free(const_cast<char *>(m_data));
}

void FlexModel::Line::setCells(QByteArrayView cells)
{
    char *block = nullptr;
    if (!cells.isEmpty()) {
        block = static_cast<char *>(std::malloc(static_cast<size_t>(cells.size())));
        if (!block)
            throw std::bad_alloc();
        std::memcpy(block, cells.data(), static_cast<size_t>(cells.size()));
    }
    if (m_size & Owned)
        std::free(const_cast<char *>(m_data));
    m_data = block;
    m_size = static_cast<quint32>(cells.size()) | (block ? Owned : 0);
}

int FlexModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

int FlexModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant FlexModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(row, col);
    case Qt::TextAlignmentRole: {
        Qt::Alignment a = alignment(col);
        if (a == General)
            a = platform::convert::isNumeric(text(row, col)) ? Qt::AlignRight : Qt::AlignLeft;
        if (!(a & Qt::AlignVertical_Mask))
            a |= Qt::AlignVCenter;
        return static_cast<int>(a);
    }
    case Qt::BackgroundRole: {
        const QColor c = backColor(row, col);
        return c.isValid() ? QVariant(QBrush(c)) : QVariant();
    }
    case Qt::ForegroundRole: {
        const QColor c = foreColor(row, col);
        return c.isValid() ? QVariant(QBrush(c)) : QVariant();
    }
    default:
        return {};
    }
}

QVariant FlexModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_cols)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        // An empty caption stays blank rather than showing the column's number.
        return m_header.value(section);
    case Qt::BackgroundRole: {
        const QColor c = backColor(-1, section);
        return c.isValid() ? QVariant(QBrush(c)) : QVariant();
    }
    case Qt::ForegroundRole: {
        const QColor c = foreColor(-1, section);
        return c.isValid() ? QVariant(QBrush(c)) : QVariant();
    }
    default:
        return {};
    }
}

void FlexModel::setRowCount(int rows)
{
    const int old = rowCount();
    if (rows > old) {
        beginInsertRows({}, old, rows - 1);
        m_lines.resize(static_cast<size_t>(rows));
        endInsertRows();
    } else if (rows < old) {
        beginRemoveRows({}, rows, old - 1);
        for (size_t r = static_cast<size_t>(rows); r < m_lines.size(); ++r)
            releaseColours(m_lines[r]);
        m_lines.resize(static_cast<size_t>(rows));
        if (m_lines.empty())
            dropChunks();
        endRemoveRows();
    }
}

void FlexModel::setColumnCount(int cols)
{
    const int old = m_cols;
    if (cols > old) {
        beginInsertColumns({}, old, cols - 1);
        m_cols = cols;
        m_header.resize(cols);
        m_alignments.resize(cols);
        endInsertColumns();
    } else if (cols < old) {
        beginRemoveColumns({}, cols, old - 1);
        m_cols = cols;
        m_header.resize(cols);
        m_alignments.resize(cols);
        // Cells beyond the last column are dropped, so a column added later starts empty.
        const auto cut = [this, cols](Line &line) {
            const QByteArrayView kept = firstCells(line.cells(), cols);
            if (kept.size() != line.cells().size())
                line.setCells(kept);
            if (line.colourSet) {
                std::vector<CellColour> &set = m_colourSets[line.colourSet - 1];
                std::erase_if(set, [cols](const CellColour &c) { return c.col >= cols; });
                if (set.empty())
                    releaseColours(line);
            }
        };
        for (Line &line : m_lines)
            cut(line);
        cut(m_headerLine);
        endRemoveColumns();
    }
}

QString FlexModel::text(int row, int col) const
{
    return QString::fromUtf8(cell(row, col));
}

QByteArrayView FlexModel::cell(int row, int col) const
{
    return resolved(col, cellOf(m_lines[static_cast<size_t>(row)].cells(), col));
}

QByteArrayView FlexModel::resolved(int col, QByteArrayView raw) const
{
    if (raw.isEmpty())
        return raw;
    if (raw.front() == Pooled && raw.size() == RefSize && static_cast<size_t>(col) < m_pools.size())
        return m_pools[static_cast<size_t>(col)].texts.bytes(refOf(raw));
    if (raw.front() == Escaped)
        return raw.sliced(1);
    return raw;
}

int FlexModel::CellPool::idOf(QByteArrayView utf8)
{
    if (!on)
        return -1;
    if (texts.size() >= MostPooled) {
        on = false;
        return -1;
    }
    const int before = texts.size();
    const int id = texts.intern(utf8);
    added += texts.size() - before;
    if (++lookups % PoolJudgedEvery == 0 && added * 2 > lookups)
        on = false;
    return id;
}

void FlexModel::setText(int row, int col, const QString &text)
{
    Line &line = m_lines[static_cast<size_t>(row)];
    const QByteArrayView cells = line.cells();
    const auto filled = static_cast<int>(std::count(cells.begin(), cells.end(), '\0'));
    line.setCells(withCell(cells, col, text, std::max(col + 1, filled)));
    changed(row, col);
}

void FlexModel::setHeader(int col, const QString &text)
{
    m_header[col] = text;
    if (!m_filling)
        Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
}

void FlexModel::setAlignment(int col, Qt::Alignment alignment)
{
    m_alignments[col] = alignment;
    if (!m_lines.empty())
        Q_EMIT dataChanged(index(0, col), index(rowCount() - 1, col), {Qt::TextAlignmentRole});
}

const FlexModel::CellColour *FlexModel::colourOf(int row, int col) const
{
    const Line &line = lineAt(row);
    if (!line.colourSet)
        return nullptr;
    for (const CellColour &c : m_colourSets[line.colourSet - 1])
        if (c.col == col)
            return &c;
    return nullptr;
}

FlexModel::CellColour &FlexModel::colourFor(int row, int col)
{
    Line &line = lineAt(row);
    if (!line.colourSet) {
        if (m_freeColourSets.empty()) {
            m_colourSets.emplace_back();
            line.colourSet = static_cast<quint32>(m_colourSets.size());
        } else {
            line.colourSet = m_freeColourSets.back() + 1;
            m_freeColourSets.pop_back();
        }
    }
    std::vector<CellColour> &set = m_colourSets[line.colourSet - 1];
    for (CellColour &c : set)
        if (c.col == col)
            return c;
    return set.emplace_back(CellColour{col, 0, 0, false, false});
}

void FlexModel::dropEmptyColour(int row, int col)
{
    Line &line = lineAt(row);
    std::vector<CellColour> &set = m_colourSets[line.colourSet - 1];
    std::erase_if(set, [col](const CellColour &c) { return c.col == col && !c.hasBack && !c.hasFore; });
    if (set.empty())
        releaseColours(line);
}

void FlexModel::releaseColours(Line &line)
{
    if (!line.colourSet)
        return;
    std::vector<CellColour>().swap(m_colourSets[line.colourSet - 1]);
    m_freeColourSets.push_back(line.colourSet - 1);
    line.colourSet = 0;
}

QColor FlexModel::backColor(int row, int col) const
{
    const CellColour *c = colourOf(row, col);
    return c && c->hasBack ? QColor::fromRgba(c->back) : QColor();
}

void FlexModel::setBackColor(int row, int col, const QColor &color)
{
    CellColour &c = colourFor(row, col);
    c.hasBack = color.isValid();
    c.back = color.isValid() ? color.rgba() : 0;
    dropEmptyColour(row, col);
    changed(row, col);
}

QColor FlexModel::foreColor(int row, int col) const
{
    const CellColour *c = colourOf(row, col);
    return c && c->hasFore ? QColor::fromRgba(c->fore) : QColor();
}

void FlexModel::setForeColor(int row, int col, const QColor &color)
{
    CellColour &c = colourFor(row, col);
    c.hasFore = color.isValid();
    c.fore = color.isValid() ? color.rgba() : 0;
    dropEmptyColour(row, col);
    changed(row, col);
}

void FlexModel::changed(int row, int col)
{
    if (row < 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const QModelIndex i = index(row, col);
    Q_EMIT dataChanged(i, i);
}

void FlexModel::clearCells()
{
    beginResetModel();
    for (Line &line : m_lines)
        line = Line();
    dropChunks();
    m_headerLine = Line();
    m_pools.clear();
    dropColours();
    for (QString &h : m_header)
        h.clear();
    endResetModel();
}

void FlexModel::removeRow(int row)
{
    beginRemoveRows({}, row, row);
    releaseColours(m_lines[static_cast<size_t>(row)]);
    m_lines.erase(m_lines.begin() + row);
    endRemoveRows();
}

void FlexModel::startFill(const QStringList &header)
{
    beginResetModel();
    m_filling = true;
    m_lines.clear();
    dropChunks();
    m_headerLine = Line();
    dropColours();
    m_cols = static_cast<int>(header.size());
    m_pools.clear();
    // A fill that failed half way through a row leaves its first cells here.
    m_scratch.clear();
    m_cellInRow = 0;
    m_header = header;
    m_alignments = QList<Qt::Alignment>(m_cols, General);
}

void FlexModel::appendRow(const QStringList &texts)
{
    for (int c = 0; c < m_cols && c < texts.size(); ++c)
        appendCell(texts.at(c));
    endRow();
}

void FlexModel::appendCell(QByteArrayView utf8)
{
    const auto col = static_cast<size_t>(m_cellInRow++);
    // A text no longer than a reference is kept in the row, and so is one holding a NUL,
    // which the row drops. Only a large fill has pools, so a small one stops at the first test.
    if (col < m_pools.size() && m_filling && utf8.size() > RefSize
        && !std::memchr(utf8.data(), '\0', static_cast<size_t>(utf8.size())))
        if (const int id = m_pools[col].idOf(utf8); id >= 0) {
            putRef(m_scratch, id);
            return;
        }
    putCell(m_scratch, utf8);
}

void FlexModel::appendCell(const QString &text)
{
    appendCell(QByteArrayView(text.toUtf8()));
}

void FlexModel::endRow()
{
    m_cellInRow = 0;
    const auto size = static_cast<qsizetype>(m_scratch.size());
    m_lines.emplace_back(keep(QByteArrayView(m_scratch.data(), size)), size);
    m_scratch.clear(); // keeps its capacity for the next row
}

const char *FlexModel::keep(QByteArrayView cells)
{
    if (cells.isEmpty())
        return nullptr;
    if (m_chunkEnd - m_chunkNext < cells.size()) {
        const qsizetype size = (cells.size() + ChunkSize - 1) / ChunkSize * ChunkSize;
        auto *chunk = static_cast<char *>(hugepages::allocate(static_cast<size_t>(size)));
        m_chunks.emplace_back(chunk);
        m_chunkNext = chunk;
        m_chunkEnd = m_chunkNext + size;
    }
    char *at = m_chunkNext;
    std::copy(cells.begin(), cells.end(), at);
    m_chunkNext += cells.size();
    return at;
}

void FlexModel::dropColours()
{
    m_colourSets.clear();
    m_freeColourSets.clear();
}

void FlexModel::dropChunks()
{
    m_chunks.clear();
    m_chunkNext = nullptr;
    m_chunkEnd = nullptr;
}

void FlexModel::poolRepeatedTexts()
{
    m_pools.assign(static_cast<size_t>(m_cols), CellPool());
}

void FlexModel::finishFill()
{
    m_filling = false;
    endResetModel();
}

void FlexModel::reorder(std::vector<int> &order)
{
    if (m_filling) {
        roworder::permute(m_lines, order);
        return;
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    roworder::permute(m_lines, order);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
