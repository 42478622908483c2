#pragma once

#include "widgets/FillOrder.h"
#include "widgets/GridSnapshot.h"

#include <QColor>
#include <QTableView>

#include <functional>

namespace dao {
class Database;
struct Result;
}

class FlexHeader;
class FlexModel;

// The result grid of the windows. Rows and columns count from 0 and row 0 is the fixed
// header row (drawn by the horizontal header, so it stays in place while the data rows
// scroll); data rows are 1 .. Rows() - 1. Widths and positions are in twips; a column's
// pixels are its twips scaled by the grid's font (widgets/Twips.h).
//
// The selection is one block from the current cell (Row, Col) to (RowSel, ColSel); setting
// Row or Col collapses it onto the current cell.
//
// The cells live in a compact model of the grid's own (FlexModel), so a grid of a million
// rows fills in seconds; model row r is the grid's row r + 1.
class FlexGrid : public QTableView {
    Q_OBJECT

public:
    // Column alignment "general": numbers to the right, other text to the left.
    static constexpr Qt::Alignment General = {};
    static constexpr int DefaultColWidth = 960;

    explicit FlexGrid(QWidget *parent = nullptr);

    int FixedRows() const { return 1; }
    int Rows() const;
    void setRows(int rows); // at least 1; new rows are empty, dropped rows lose their cells
    int Cols() const;
    void setCols(int cols);

    QString TextMatrix(int row, int col) const;
    // A data cell's text as UTF-8, without a copy: valid until the grid changes.
    QByteArrayView cellBytes(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);

    int ColWidth(int col) const;
    void setColWidth(int col, int twips); // 0 hides the column
    // Widths from column 0 on, as many as the list and the grid both have.
    void setColWidths(const QList<int> &twips);
    Qt::Alignment ColAlignment(int col) const;
    void setColAlignment(int col, Qt::Alignment alignment);

    // Cell colours belong to the cell and travel with its row when the grid is sorted.
    // An invalid colour is the grid's default.
    QColor CellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, const QColor &color);
    QColor CellForeColor(int row, int col) const;
    void setCellForeColor(int row, int col, const QColor &color);

    int Row() const { return m_row; }
    void setRow(int row);
    int Col() const { return m_col; }
    void setCol(int col);
    int RowSel() const { return m_rowSel; }
    void setRowSel(int row);
    int ColSel() const { return m_colSel; }
    void setColSel(int col);

    QString Tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }

    bool Redraw() const { return m_redraw; }
    void setRedraw(bool on);

    // Top of a row and its height, in twips from the top of the header row; comparable to
    // the y of the mouse signals.
    double RowPos(int row) const;
    double RowHeight(int row) const;
    // The cell under the mouse at its last press, release or double click (-1 outside).
    int MouseRow() const { return m_mouseRow; }
    int MouseCol() const { return m_mouseCol; }

    // Empties every cell, the header too, and resets cell colours; rows and columns stay.
    void Clear();
    // Removes one data row.
    void RemoveItem(int row);
    // The rows of a query: its column names as the header, one data row per record (only
    // the header row when there is none); widths and alignment back to the defaults, the
    // current cell on row 1, column 0.
    void Fill(const dao::Result &result);
    void Fill(const QStringList &header, const QList<QStringList> &rows);
    // A column whose numbers a fill writes with a format of the caller's ("1,234.50").
    // written, when set, sees each text the format writes, on whichever thread builds the
    // rows, and before the fill returns.
    struct NumberFormat {
        int col;
        QString (*format)(double value);
        std::function<void(const QString &text)> written = {};
    };
    // The rows of a SELECT as they are stepped, without holding them twice: for results of
    // any size. With an order, the rows are shown in that order (roworder::Key), which the
    // SELECT then leaves out: the engine would hold a large result a second time to sort
    // it. A failure leaves only the header row and reaches the caller.
    using OrderKey = roworder::Key;
    void Fill(dao::Database &db, const QString &sql, const QVariantList &params = {},
              const QList<NumberFormat> &formats = {}, const QList<OrderKey> &order = {});
    // The generic sort of the data rows by one column: by number when both texts are
    // numbers, otherwise in Chinese order; rows that compare equal keep their order. Each
    // distinct text of the column is read and keyed once.
    void Sort(int col, Qt::SortOrder order);

    GridSnapshot snapshot() const;

Q_SIGNALS:
    // row and col are the cell under the mouse (row 0 the header, -1 outside any cell);
    // y is in twips like RowPos.
    void MouseDown(Qt::MouseButton button, int row, int col, double y);
    void MouseUp(Qt::MouseButton button, int row, int col, double y);
    void Click(int row, int col);
    void DblClick(int row, int col);
    // Row or Col changed, by the user or by the program.
    void RowColChange();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class FlexHeader;

    enum class MouseAction { Down, Up, Double };

    void checkCell(int row, int col) const;
    void checkCol(int col) const;
    void startFill(const QStringList &header);
    void finishFill();
    double twipsPerPixelY() const;
    int headerHeight() const;
    void applyWidth(int col);
    void clampCurrent();
    void setCurrent(int row, int col, int rowSel, int colSel, bool scroll);
    void showSelection(bool scroll);
    void takeSelectionFromView();
    void mouseEvent(MouseAction action, Qt::MouseButton button, int row, int col, double y);
    void headerMouse(MouseAction action, QMouseEvent *event, bool onSection);
    void viewMouse(MouseAction action, QMouseEvent *event);

    FlexModel *m_model = nullptr;
    FlexHeader *m_header = nullptr;
    QList<int> m_widths; // twips per column
    double m_scale = 1; // of the grid's font against the one twips were drawn for
    int m_row = 0;
    int m_col = 0;
    int m_rowSel = 0;
    int m_colSel = 0;
    QString m_tag;
    bool m_redraw = true;
    bool m_syncing = false; // the program is setting size or selection, not the user
    bool m_pressed = false; // a press on the grid waits for its release (Click)
    int m_mouseRow = -1;
    int m_mouseCol = -1;
};
