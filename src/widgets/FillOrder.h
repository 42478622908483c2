#pragma once

#include "RowOrder.h"

#include <QList>

#include <vector>

namespace dao {
class StepRow;
}

namespace roworder {

// A key of the order in which a grid fill puts its rows, as the SELECT's ORDER BY would
// put them: nulls first, then numbers, then texts. Chinese compares texts as COLLATE ZH
// does (names), Bytes by their bytes as the engine's default does (dates); Number takes
// the column's numbers row by row without collecting its values, for a key of distinct
// integers such as a record key.
struct Key {
    enum class Compare { Chinese, Bytes, Number };
    int col;
    Compare compare;
};

// Collects the keys of each row as a fill steps it, then gives the order of the rows:
// by the first key, ties by the next, rows equal in every key in the order stepped.
class FillOrder {
public:
    explicit FillOrder(const QList<Key> &keys);
    // Row: a dao::StepRow, or a row of CopiedRows.
    template <class Row>
    void take(const Row &row);
    // order[i] is the row stepped as i-th that goes to place i; what was collected is gone.
    std::vector<int> order();

private:
    struct Column {
        Key key;
        DistinctValues values;
        std::vector<int> ids;       // per row; becomes the rank of the row's value
        std::vector<double> numbers; // per row, for Number
        int lastId = -1;             // the previous row's value, often the same (a date)
    };
    // Turns the column's value ids into the ranks of their values and lets the values go;
    // the number of distinct ranks.
    static int rankInPlace(Column &column);

    std::vector<Column> m_columns;
    int m_rows = 0;
};

} // namespace roworder
