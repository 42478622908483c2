#pragma once

#include "MovementFlag.h"
#include "platform/Convert.h"
#include "widgets/FillOrder.h"

#include <QList>
#include <QString>
#include <QVariantList>

class FlexGrid;

namespace dao {
class Database;
struct Result;
} // namespace dao

namespace stock {

// A SELECT over the movement register for one flag. `sql` ends with its WHERE condition on
// the flag and no blank: append further conditions as " AND ..." with bound values, then
// the order. The columns in `standard` come back written "Standard" ("1,234.50").
struct LineQuery {
    QString sql;
    QList<int> standard;
};

// The lines of a document window and of a reversal window, read back by position. The
// first six columns are shared: 登记ID, 试剂ID, 登记日期, 品名, 规格, 批号; 金额 is column 11.
//   receipt: 有效期, 厂商, 数量, 单位, 单价, 金额, 存放地点, 供应商ID, 操作者, 组别, 供应商,
//            批准文号, 单号, 发票号 (lines whose maker or supplier is gone are left out);
//   issue:   认领部门, 认领人, 数量, 单位, 单价, 金额, 有效期, 供应商ID, 存放地点, 操作者, 组别,
//            单号, 入库ID;
//   scrap:   as issue, with 报损原因 between 组别 and 单号.
// Lines whose reagent or user is missing are always left out.
LineQuery documentLines(MovementFlag flag);
inline constexpr int DocumentAmountColumn = 11;
constexpr int documentOperatorColumn(MovementFlag flag) { return flag == Receipt ? 14 : 15; }

// The printed lines of a document and the detail report of a movement query: 登记ID, 登记日期,
// 品名, 规格, 批号, 厂商, 数量, 单位, 单价, 金额 (the ten a report prints), 有效期, 组别, 批准文号, then
//   receipt: 供应商, 单号, 发票号, 存放地点, 操作者;
//   issue:   存放地点, 供应商, 单号, 发票号, 认领部门, 认领人, 操作者;
//   scrap:   存放地点, 供应商, 单号, 发票号, 报损原因, 认领部门, 认领人, 操作者.
LineQuery reportLines(MovementFlag flag);
inline constexpr int ReportAmountColumn = 9;
inline constexpr int ReportPrintedColumns = 10;

// The detail order of the movement queries, the shared OrderBy (group, name and date, or
// date and name), as keys on the report lines' columns for the grid fill, which puts a
// million lines in order without the engine's sort; lines equal in the order keep the
// order of entry (登记ID). Empty for any other text, which then stays in the SQL.
QList<roworder::Key> reportOrder(const QString &orderBy);

// The summary report: one row per reagent and price, by group, name and price: 试剂ID, 品名,
// 规格, 厂商, 数量 (summed, to four decimals), 单位, 单价, 金额 (the line amounts rounded to four
// decimals and summed exactly, as Currency). Append the conditions, then SummaryTail.
LineQuery summaryLines(MovementFlag flag);
extern const QString SummaryTail;
inline constexpr int SummaryPriceColumn = 6;
inline constexpr int SummaryAmountColumn = 7;

// Runs a query with a tail of conditions and order appended.
dao::Result movementLines(dao::Database &db, const LineQuery &query, const QString &tail,
                          const QVariantList &params);

// The same rows filled into a grid as they are stepped, for results of any size, and put
// in the order given. Gives the total of the amount column as columnTotal gives it, summed
// while the rows are built rather than read back from a million cells.
platform::convert::Currency fillMovementLines(FlexGrid &grid, dao::Database &db, const LineQuery &query,
                                              const QString &tail, const QVariantList &params, int amountColumn,
                                              const QList<roworder::Key> &order = {});

// The total of a grid column of amounts such as "1,234.50", summed exactly.
platform::convert::Currency columnTotal(const FlexGrid &grid, int col);

} // namespace stock
