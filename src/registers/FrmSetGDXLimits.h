#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace dao {
class Database;
}

// The stock limits of the catalogue: what a typed limit may be, how it is stored, and the
// statements that give every reagent the same limits or none.
namespace registers {

// Why a typed limit is refused, or nothing when it is a number of at least 0 that a
// single-precision limit can hold. Text that trims to nothing is not refused here.
std::optional<QString> limitRefusal(const QString &text);
// The limit as a record stores it: null for text that trims to nothing.
QVariant limitValue(const QString &text);
// The limit as the single-precision number the comparisons use; 0 for no number.
float limitNumber(const QString &text);

// Every reagent, disabled ones too, gets both limits, or none of them changes.
void setAllLimits(dao::Database &db, float low, float high);
// Every reagent loses both limits (null, not 0).
void clearAllLimits(dao::Database &db);

} // namespace registers
