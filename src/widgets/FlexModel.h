#pragma once

#include "RowOrder.h"
#include "dao/HugePages.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

// The cells behind a FlexGrid. Model row r is the grid's data row r + 1; the header row
// is the horizontal header. A data row is one block of UTF-8 texts, each ended by a NUL,
// so a million rows of twenty columns fit in a few hundred megabytes; colours are kept
// only for the rows that have any, and travel with their row. The rows of a fill are
// packed into large shared chunks rather than one allocation each; a row changed later
// gets a block of its own. A large fill can keep each text that repeats down a column
// once (a name, a maker, a date on a million lines), the rows holding a short reference.
class FlexModel : public QAbstractTableModel {
public:
    // Column alignment "general": numbers to the right, other text to the left.
    static constexpr Qt::Alignment General = {};

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setRowCount(int rows); // new rows are empty
    void setColumnCount(int cols);

    QString text(int row, int col) const;
    // The cell's UTF-8 bytes, valid until its row changes.
    QByteArrayView cell(int row, int col) const;
    void setText(int row, int col, const QString &text);
    QString header(int col) const { return m_header.value(col); }
    void setHeader(int col, const QString &text);

    Qt::Alignment alignment(int col) const { return m_alignments.value(col); }
    void setAlignment(int col, Qt::Alignment alignment);

    // Row -1 is the header row. Invalid: the grid's default.
    QColor backColor(int row, int col) const;
    void setBackColor(int row, int col, const QColor &color);
    QColor foreColor(int row, int col) const;
    void setForeColor(int row, int col, const QColor &color);

    // Every cell and the header emptied, colours gone; the size stays.
    void clearCells();
    void removeRow(int row);

    // A new content: the header's texts, then rows appended one by one, shown at finish.
    void startFill(const QStringList &header);
    void appendRow(const QStringList &texts);
    // Or cell by cell, the UTF-8 of a field as it comes from the database, then endRow.
    void appendCell(QByteArrayView utf8);
    void appendCell(const QString &text);
    void endRow();
    // From the next row on, each text that repeats down a column is kept once, the rows
    // referring to it: a large fill costs half the memory, at a lookup for every cell.
    void poolRepeatedTexts();
    void finishFill();

    // Puts the rows in the order given: order[i] is the old row that becomes row i; order
    // is used up. During a fill the rows are put in order before they are shown.
    void reorder(std::vector<int> &order);

private:
    struct CellColour {
        int col;
        QRgb back;
        QRgb fore;
        bool hasBack;
        bool hasFore;
    };
    // A row's cells as one block of NUL-ended texts: a view into a chunk of the fill, or a
    // block of its own once changed. Sixteen bytes, so a million rows cost 16 MB beside
    // their texts; the row's colours are one of the model's colour sets.
    class Line {
        static constexpr quint32 Owned = 0x80000000u;
        const char *m_data = nullptr;
        quint32 m_size = 0; // with Owned when m_data is the line's own block

    public:
        Line() = default;
        Line(const char *chunk, qsizetype size) : m_data(chunk), m_size(static_cast<quint32>(size)) {}
        Line(Line &&other) noexcept;
        Line &operator=(Line &&other) noexcept;
        ~Line();
        Line(const Line &) = delete;
        Line &operator=(const Line &) = delete;

        QByteArrayView cells() const { return {m_data, static_cast<qsizetype>(m_size & ~Owned)}; }
        void setCells(QByteArrayView cells); // copied into a block of its own

        quint32 colourSet = 0; // 1 + its index in m_colourSets; 0: no colours
    };
    static_assert(sizeof(Line) == 16);

    Line &lineAt(int row) { return row < 0 ? m_headerLine : m_lines[static_cast<size_t>(row)]; }
    const Line &lineAt(int row) const { return row < 0 ? m_headerLine : m_lines[static_cast<size_t>(row)]; }
    const CellColour *colourOf(int row, int col) const;
    CellColour &colourFor(int row, int col);
    void dropEmptyColour(int row, int col);
    void releaseColours(Line &line);
    void changed(int row, int col);
    const char *keep(QByteArrayView cells); // a copy in the fill's chunks
    void dropChunks();
    void dropColours();

    // The texts of one column that a fill keeps once. A column whose texts are nearly all
    // different (numbers, batch numbers) stops being pooled soon after the fill begins.
    struct CellPool {
        roworder::DistinctValues texts;
        int lookups = 0;
        int added = 0;
        bool on = true;
        int idOf(QByteArrayView utf8); // -1: not pooled
    };
    QByteArrayView resolved(int col, QByteArrayView raw) const;

    std::vector<Line, hugepages::Allocator<Line>> m_lines;
    std::vector<CellPool> m_pools; // by column, for the rows of the last fill
    int m_cellInRow = 0;           // the column the next appended cell goes to
    Line m_headerLine; // colours of the header row; its texts are m_header
    std::vector<std::vector<CellColour>> m_colourSets;
    std::vector<quint32> m_freeColourSets; // indices of emptied sets, taken again first
    std::string m_scratch; // a row being appended, copied into a chunk at endRow
    struct ReleaseChunk {
        void operator()(char *chunk) const { hugepages::release(chunk); }
    };
    std::vector<std::unique_ptr<char, ReleaseChunk>> m_chunks;
    char *m_chunkNext = nullptr; // the free end of the last chunk
    char *m_chunkEnd = nullptr;
    QStringList m_header;
    QList<Qt::Alignment> m_alignments;
    int m_cols = 0;
    bool m_filling = false;
};
