#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

#include <optional>

// The period rules of the date-range selector, apart from its controls: what each option
// sets, the check before a search, the period title and the date condition.
namespace daterange {

// The options by index; the index is also the stored default period.
enum Option : int { ThisMonth = 0, LastMonth = 1, ThisYear = 2, LastYear = 3, Unlimited = 4, Custom = 5 };
inline constexpr int OptionCount = 6;

struct Range {
    QDate start;
    QDate end;
    friend bool operator==(const Range &, const Range &) = default;
};

// The dates an option sets for the given work date; empty for Unlimited, which keeps the
// pickers as they are.
std::optional<Range> presetRange(int option, const QDate &today);

// The option a stored default period selects: the option of that index, the first one
// for a value that names none.
int defaultOption(int stored);

// False when the start lies after the end (a single day is a valid period).
bool rangeValid(const QDate &start, const QDate &end);
// The refusal shown for a start after the end.
QString rangeMessage();

// The period part of a report title.
QString periodTitle(int option, const QDate &start, const QDate &end);

// The date condition on the register's 登记日期, to follow a WHERE clause: it begins with
// " AND", ends with a blank, and binds both days (inclusive); Unlimited spans every date
// and keeps the engine off the date index.
struct Condition {
    QString sql;
    QVariantList params;
};
Condition dateCondition(int option, const QDate &start, const QDate &end);

} // namespace daterange
