#include "PrinterForms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cmath>

namespace platform::forms {
namespace {

const QString kFileOutput = QStringLiteral("PDF");
QString g_storeFile;

struct StoredForm {
    QString device;
    Form form;
};

// One line a form: device, name, flags, width, height, left, top, right, bottom, by tabs.
QList<StoredForm> readStore()
{
    QList<StoredForm> forms;
    QFile f(storeFile());
    if (!f.open(QIODevice::ReadOnly))
        return forms;
    while (!f.atEnd()) {
        const QStringList p = QString::fromUtf8(f.readLine()).trimmed().split(u'\t');
        if (p.size() != 9)
            continue;
        StoredForm s;
        s.device = p[0];
        s.form.name = p[1];
        s.form.flags = p[2].toUInt();
        s.form.size = QSize(p[3].toInt(), p[4].toInt());
        s.form.imageable = {p[5].toInt(), p[6].toInt(), p[7].toInt(), p[8].toInt()};
        forms.append(s);
    }
    return forms;
}

int toMicrons(double mm)
{
    return static_cast<int>(std::lround(mm * 1000.0));
}

} // namespace

QString storeFile()
{
    if (!g_storeFile.isEmpty())
        return g_storeFile;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/vialdesk/paperforms.txt");
}

void setStoreFile(const QString &path)
{
    g_storeFile = path;
}

QString deviceName(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat ? kFileOutput : printer.printerName();
}

bool exists(const QString &device)
{
    return device == kFileOutput || !QPrinterInfo::printerInfo(device).isNull();
}

QList<Form> enumerate(const QString &device)
{
    QList<Form> forms;
    if (device != kFileOutput) {
        for (const QPageSize &ps : QPrinterInfo::printerInfo(device).supportedPageSizes()) {
            const QSizeF mm = ps.size(QPageSize::Millimeter);
            Form f{FormPrinter, ps.name(), QSize(toMicrons(mm.width()), toMicrons(mm.height())), {}};
            f.imageable = {0, 0, f.size.width(), f.size.height()};
            forms.append(f);
        }
    }
    for (const StoredForm &s : readStore())
        if (s.device == device)
            forms.append(s.form);
    return forms;
}

bool add(const QString &device, const Form &form, int *error)
{
    for (const Form &f : enumerate(device)) {
        if (f.name.compare(form.name, Qt::CaseInsensitive) == 0) {
            *error = ErrorFormExists;
            return false;
        }
    }
    QByteArray text;
    QFile in(storeFile());
    if (in.exists() && in.open(QIODevice::ReadOnly))
        text = in.readAll();
    if (!text.isEmpty() && !text.endsWith('\n'))
        text += '\n';
    const Area &a = form.imageable;
    text += QStringList{device, form.name, QString::number(form.flags), QString::number(form.size.width()),
                        QString::number(form.size.height()), QString::number(a.left), QString::number(a.top),
                        QString::number(a.right), QString::number(a.bottom)}
                .join(u'\t')
                .toUtf8()
            + '\n';
    QDir().mkpath(QFileInfo(storeFile()).absolutePath());
    QSaveFile out(storeFile());
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
        *error = out.error() == QFileDevice::PermissionsError ? ErrorAccessDenied : ErrorCannotMake;
        return false;
    }
    *error = 0;
    return true;
}

bool select(QPrinter &printer, const Form &form)
{
    const QPageSize size(QSizeF(form.size.width() / 1000.0, form.size.height() / 1000.0), QPageSize::Millimeter,
                         form.name, QPageSize::ExactMatch);
    return printer.setPageSize(size);
}

} // namespace platform::forms
