#pragma once

#include "stock/MovementLines.h"
#include "widgets/DateRange.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

// The searches of the movement queries: the report title and the conditions each one
// hands over, and the detail and summary statements they run. Every value is bound.
namespace queries {

struct MovementQueryKind;

struct Search {
    QString title;
    QString conditions; // follows the movement-flag condition; each part begins with a blank or "AND"
    QVariantList params;
};

// A search by period: the period's title and condition, then each filter whose text is
// not empty as typed (texts in the order of kind.filters), then the report name.
Search periodSearch(const MovementQueryKind &kind, const QString &periodTitle, const daterange::Condition &period,
                    const QStringList &filterTexts);
// The lines of one document; nothing when the text holds no number.
std::optional<Search> documentSearch(const MovementQueryKind &kind, const QString &typed);
// The lines whose invoice number ends with the trimmed text; nothing when that is empty.
std::optional<Search> invoiceSearch(const MovementQueryKind &kind, const QString &typed);

// A movement-line query with what follows its flag condition: the conditions, then the
// order unless the grid fill applies it (order).
struct Statement {
    stock::LineQuery query;
    QString tail;
    QVariantList params;
    QList<roworder::Key> order;
};

// The lines of the search in the given order (the shared OrderBy).
Statement detailStatement(const MovementQueryKind &kind, const Search &search, const QString &orderBy);
// One row per reagent and unit price.
Statement summaryStatement(const MovementQueryKind &kind, const Search &search);

} // namespace queries
