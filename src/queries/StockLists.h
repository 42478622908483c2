#pragma once

#include "dao/Row.h"
#include "platform/Convert.h"

#include <QDate>
#include <QString>
#include <QVariantList>

#include <array>

namespace dao {
class Database;
}

// The stock lists shared by the stock query and the warning window: lots with their
// expiry state, and reagents whose total stock is low or high. Names and dates are bound.
namespace queries {

// A condition on the lot list: SQL text beginning with " WHERE" (or empty) and its values.
struct LotCondition {
    QString sql;
    QVariantList params;
};

// The lot list: one row per lot whose reagent has a manufacturer and whose supplier exists,
// disabled reagents included, in group, name and expiry order. Columns: 库存ID, 品名, 规格, 批号,
// 有效期, 厂商, 数量, 单位, 单价, 金额 (quantity times price, "Standard"), 组别, 批准文号, 供应商, 存放地点.
dao::Result lotList(dao::Database &db, const LotCondition &condition);
// The statement behind it, before the amounts are written.
QString lotListSql(const LotCondition &condition);
inline constexpr int LotExpiryColumn = 4;
inline constexpr int LotAmountColumn = 9;
inline constexpr std::array<int, 14> LotWidths{0, 2500, 1400, 1100, 1300, 1000, 700, 600, 800, 1100, 800, 2000, 1000, 1000};

LotCondition allLots();
// Expiring from today to today + days, both included (the stock query's list).
LotCondition expiringLots(const QDate &today, int days);
// Expiring after today and up to today + days (the warning window's list).
LotCondition expiringAfterToday(const QDate &today, int days);
// Expired on or before today.
LotCondition expiredLots(const QDate &today);
// Exact names, compared without letter case.
LotCondition lotsOfManufacturer(const QString &name);
LotCondition lotsOfSupplier(const QString &name);
LotCondition lotsOfReagent(const QString &name);
LotCondition lotsOfGroup(const QString &group);

enum class Expiry { Fresh, Expiring, Expired };
// Expired on or before today; expiring within days after today.
Expiry expiryOf(const QDate &expiry, const QDate &today, int days);

// The sum of an amount column written "Standard", each row counted as shown.
platform::convert::Currency amountTotal(const dao::Result &lots, int col);

// A per-reagent list: 品名, 规格, 厂商, 库存汇总, 单位, 组别, 批准文号, 库存低限, 库存高限, the rows that
// qualify. candidates is false when there was nothing to judge at all (no active reagent
// for the low list, no lot for the high list).
struct ReagentList {
    dao::Result rows;
    bool candidates = false;
};
inline constexpr int ReagentColumns = 9;
inline constexpr std::array<int, ReagentColumns> ReagentWidths{2500, 1400, 1000, 1000, 600, 800, 2000, 1000, 1000};

// Active reagents with no lot, a total of 0 or below, or a low limit at or above the total
// (compared in single precision); one row per catalogue entry.
ReagentList lowStock(dao::Database &db);
// Lots grouped by name, specification, manufacturer, unit, group, approval number and
// limits, whose high limit is at or below the total (single precision); disabled reagents
// included.
ReagentList highStock(dao::Database &db);
// The statements behind them.
QString lowStockSql();
QString highStockSql();

} // namespace queries
