#pragma once

#include <QSize>
#include <QString>

class QPrinter;
class QWidget;

namespace reports {

// The paper form every report is printed on: 210 x 280 mm.
inline const QString ReportForm = QStringLiteral("岚舟医疗软件80列报表");

// The size of one of the program's forms in thousandths of a millimetre; 0 x 0 for any
// other name.
QSize formSize(const QString &formName);

// Makes sure the printer has a form of the named form's size, adding it when missing, and
// asks the printer for that paper: 1 the form existed, 2 it was added, 0 failure (the
// printer keeps its paper).
qint16 SelectPaperForm(QPrinter &printer, const QString &formName, QWidget *owner);

// The 1-based index of the printer's first form of exactly that size, with its name; 0
// when it has none.
int FindFormBySize(const QString &device, QSize size, QString &name);

// Adds a user form of that size; the name when it was added, "none" after a message when
// the printer refused it.
QString AddCustomForm(const QString &device, QSize size, const QString &name, QWidget *owner);

} // namespace reports
