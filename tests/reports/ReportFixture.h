#pragma once

#include "StoreFixture.h"
#include "platform/Printers.h"
#include "platform/PrinterForms.h"
#include "shell/ModBase.h"
#include "shell/ReportHandOff.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

#include <memory>

// A grid of the receipt-line layout: a hidden key column, then nine printed columns, the
// last one the amount.
inline GridSnapshot receiptGrid(int rows)
{
    GridSnapshot g;
    g.header = {QStringLiteral("登记ID"), QStringLiteral("登记日期"), QStringLiteral("品名"), QStringLiteral("规格"),
                QStringLiteral("批号"),   QStringLiteral("有效期"),   QStringLiteral("数量"), QStringLiteral("单位"),
                QStringLiteral("单价"),   QStringLiteral("金额")};
    for (int r = 1; r <= rows; ++r)
        g.rows.append({QString::number(r), QStringLiteral("2026-01-15"), QStringLiteral("试剂%1").arg(r),
                       QStringLiteral("100ml"), QStringLiteral("B%1").arg(r), QStringLiteral("2027-06-30"),
                       QStringLiteral("2"), QStringLiteral("盒"), QStringLiteral("1.50"), QStringLiteral("3.00")});
    return g;
}

// Hands a report off the way a window does.
inline void handOff(const GridSnapshot &grid, const QString &title, const QString &kind = ReportKind::RegIn)
{
    handOffReport({grid, title, kind, platform::convert::Currency::fromDouble(1234.5)});
}

// Prints into a PDF file instead of a printer.
class PdfPrinters final : public platform::Printers {
public:
    explicit PdfPrinters(QString file) : m_file(std::move(file)) { platform::setPrinters(this); }
    ~PdfPrinters() override { platform::setPrinters(nullptr); }

    bool installed() override { return present; }
    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(m_file);
        return p;
    }

    bool present = true;

private:
    QString m_file;
};

// Sheets in a PDF file written by Qt.
inline int pdfPages(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return static_cast<int>(QString::fromLatin1(f.readAll()).count(page));
}

// The store fixture with the report's user and unit, and a paper-form store in the
// program folder.
class ReportTest : public StoreFixture {
protected:
    ReportTest() { logInUser = false; }

    void SetUp() override
    {
        StoreFixture::SetUp();
        logIn({.name = QStringLiteral("王丽")});
        ModBase::UnitName = QStringLiteral("市第一人民医院检验科");
        platform::forms::setStoreFile(dir.file(QStringLiteral("forms.txt")));
    }
    void TearDown() override
    {
        platform::forms::setStoreFile(QString());
        StoreFixture::TearDown();
    }
};
