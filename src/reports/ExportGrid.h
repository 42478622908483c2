#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

struct GridSnapshot;
class QWidget;

namespace ModData {

// Writes the grid, from column firstCol to its last column, as an HTML table into the
// folder "报表" of the program folder, under the title and the date and time with ".xls"
// (asExcel) or ".htm", tells the user the path and opens the file with its program. A grid
// without data rows writes nothing. Failures are shown to the user.
void ExportGrid(QWidget *owner, const GridSnapshot &grid, const QString &title, int firstCol, bool asExcel);

} // namespace ModData

namespace reports {

// The exported document: code page 936, CR LF lines. The characters & < > are escaped,
// and a character the code page lacks is written as an HTML character reference.
QByteArray exportDocument(const GridSnapshot &grid, const QString &title, int firstCol, const QDate &workDate);
// The file name (without folder) of an export made at that time of the working date.
QString exportFileName(const QString &title, const QDate &workDate, const QTime &time, bool asExcel);

} // namespace reports
