#pragma once

#include "platform/Convert.h"

#include <QString>
#include <QVariantList>

class FlexGrid;

namespace dao {
class Database;
struct Result;
} // namespace dao

namespace receipts {

// The receipt-line query: one row per receipt record, in this column order (the reversal
// reads the rows by position): 登记ID, 试剂ID, 登记日期, 品名, 规格, 批号, 有效期, 厂商, 数量, 单位,
// 单价, 金额, 存放地点, 供应商ID, 操作者, 组别, 供应商, 批准文号, 单号, 发票号. Lines whose reagent,
// manufacturer, supplier or user is missing are left out. It ends with its WHERE condition
// and no blank: append further conditions as " AND ..." with bound values, then the order.
extern const QString ReceiptLineSql;
inline constexpr int ReceiptAmountColumn = 11;

// The same lines with the printed columns first: 登记ID, 登记日期, 品名, 规格, 批号, 厂商, 数量,
// 单位, 单价, 金额 (the ten a receipt report prints), 有效期, 组别, 批准文号, 供应商, 单号, 发票号,
// 存放地点, 操作者.
extern const QString ReceiptPrintSql;
inline constexpr int ReceiptPrintAmountColumn = 9;
inline constexpr int ReceiptPrintColumns = 10;

// Runs one of these queries, its amount column (quantity times price) written "Standard".
dao::Result receiptLines(dao::Database &db, const QString &sql, const QVariantList &params, int amountColumn);

// The total of a grid column of amounts such as "1,234.50", summed exactly.
platform::convert::Currency columnTotal(const FlexGrid &grid, int col);

} // namespace receipts
