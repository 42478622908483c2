#pragma once

#include <QList>
#include <QSize>
#include <QString>

class QPrinter;

// Named paper forms of a printer, as a Windows print server keeps them. Linux print
// servers keep none, so the forms added to a printer are kept here, in a small file of
// their own; the paper sizes the printer itself offers count as its built-in forms.
namespace platform::forms {

enum FormFlags : quint32 { FormUser = 0, FormBuiltin = 1, FormPrinter = 2 };

// Platform error numbers an addition reports.
inline constexpr int ErrorAccessDenied = 5;
inline constexpr int ErrorCannotMake = 82;
inline constexpr int ErrorFormExists = 80;

// Sizes and areas in thousandths of a millimetre.
struct Area {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Area &, const Area &) = default;
};

struct Form {
    quint32 flags = FormUser;
    QString name;
    QSize size;
    Area imageable;
};

// The device name of the printer a printer object prints on; file output is "PDF".
QString deviceName(const QPrinter &printer);
// Whether a printer of that device name can be opened.
bool exists(const QString &device);
// The printer's forms: its own paper sizes first, then the forms added to it.
QList<Form> enumerate(const QString &device);
// Adds a form to the printer; false with the platform error number when it cannot be kept.
bool add(const QString &device, const Form &form, int *error);
// Asks the printer object for the form's paper size; false when the printer refuses it.
bool select(QPrinter &printer, const Form &form);

// The file that keeps the added forms; a test sets its own.
QString storeFile();
void setStoreFile(const QString &path);

} // namespace platform::forms
