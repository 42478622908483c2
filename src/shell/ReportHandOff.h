#pragma once

#include "platform/Convert.h"
#include "widgets/GridSnapshot.h"

#include <QString>

// The report kinds: the preview prints each kind's columns, widths and signature line.
namespace ReportKind {
inline const QString RegIn = QStringLiteral("RegIn");
inline const QString RegOut = QStringLiteral("RegOut");
inline const QString RegBS = QStringLiteral("RegBS");
inline const QString RegStore = QStringLiteral("RegStore");
inline const QString RegIndent = QStringLiteral("RegIndent");
inline const QString RegInHZ = QStringLiteral("RegInHZ");
inline const QString RegOutHZ = QStringLiteral("RegOutHZ");
} // namespace ReportKind

// What a window hands to the report preview.
struct ReportHandOff {
    GridSnapshot grid;
    QString title;
    QString kind; // a ReportKind
    platform::convert::Currency total;
};

// Leaves the report where the preview reads it (PrintGrid, PrintTitle, PrintKind,
// PrintTotal): the one place these four are written together.
void handOffReport(const ReportHandOff &report);

// The grid's first `cols` columns: a document prints 登记ID to 金额 of its print grid.
GridSnapshot firstColumns(GridSnapshot grid, int cols);
