#include "reports/FrmPrint.h"
#include "reports/FrmPrintOption.h"
#include "reports/PaperForms.h"

#include "ReportFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {

using reports::FrmPrint;
using reports::FrmPrintOption;

class Printing : public ReportTest {
protected:
    QString pdf() const { return dir.file(QStringLiteral("out.pdf")); }
};

struct Choice {
    QString from, to, copies;
    bool currentPage = false;
    bool staysOpen = false; // after OK
};

// Plays the user in the print dialog: fills it and presses OK.
ScriptedDialogs::DialogHandler choose(const Choice &c)
{
    return [c](QDialog *d) {
        auto *w = qobject_cast<FrmPrintOption *>(d);
        if (c.currentPage) {
            w->Option1->setChecked(true);
        } else {
            w->sPag->setEditText(c.from);
            w->ePag->setEditText(c.to);
        }
        w->CmbFS->setText(c.copies);
        QTest::mouseClick(w->CmdOK, Qt::LeftButton);
        EXPECT_EQ(w->isVisible(), c.staysOpen);
        if (w->isVisible()) {
            EXPECT_EQ(w->focusWidget(), w->CmbFS);
            QTest::mouseClick(w->CmdCancel, Qt::LeftButton);
        }
        return w->result();
    };
}

TEST_F(Printing, SheetsOfPagesAndCopies)
{
    const struct {
        const char *what;
        Choice choice;
        int question; // sheets asked about, 0 for no question
        platform::Answer answer;
        int sheets; // -1: no job at all
    } cases[] = {
        {"pages 3 to 5, 10 copies", {QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("10")}, 0, {}, 30},
        {"33 sheets asked, yes", {QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("11")}, 33,
         platform::Answer::Yes, 33},
        {"33 sheets asked, no", {QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("11"), false, true}, 33,
         platform::Answer::No, -1},
        {"start after end: the end page", {QStringLiteral("4"), QStringLiteral("2"), QStringLiteral("2")}, 0, {}, 2},
        {"no copies", {QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("0")}, 0, {}, -1},
        {"typed pages beyond the report", {QStringLiteral("0"), QStringLiteral("99"), QStringLiteral("1")}, 0, {}, 5},
        {"current page", {QString(), QString(), QStringLiteral("2"), true}, 0, {}, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(pdf());
        PdfPrinters printers(pdf());
        handOff(receiptGrid(5 * 35), QStringLiteral("入库单"));
        FrmPrint preview(nullptr);
        QTest::mouseClick(preview.CmdPrint[2], Qt::LeftButton);
        ScriptedDialogs dialogs;
        dialogs.expectDialog(QStringLiteral("FrmPrintOption"), choose(c.choice));
        if (c.question)
            dialogs.expectExact(
                QStringLiteral("确需打印 %1 张？这将需要较长的打印时间和大量纸张").arg(c.question), c.answer);
        QTest::mouseClick(preview.CmdPrint[8], Qt::LeftButton);
        if (c.question) {
            EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("打印份数提示"));
            EXPECT_EQ(dialogs.shown().last().defaultButton, platform::Answer::No);
        }
        if (c.sheets < 0)
            EXPECT_FALSE(QFile::exists(pdf()));
        else
            EXPECT_EQ(pdfPages(pdf()), c.sheets);
    }
}

TEST_F(Printing, EnterOnTheFocusedCancelPrintsNothing)
{
    PdfPrinters printers(pdf());
    handOff(receiptGrid(35), QStringLiteral("入库单"));
    FrmPrint preview(nullptr);
    ScriptedDialogs dialogs;
    dialogs.expectDialog(QStringLiteral("FrmPrintOption"), [](QDialog *d) {
        auto *w = qobject_cast<FrmPrintOption *>(d);
        w->show();
        w->CmdCancel->setFocus();
        QTest::keyClick(w->CmdCancel, Qt::Key_Return);
        EXPECT_FALSE(w->isVisible());
        return w->result();
    });
    QTest::mouseClick(preview.CmdPrint[8], Qt::LeftButton);
    EXPECT_TRUE(dialogs.done());
    EXPECT_FALSE(QFile::exists(pdf()));
}

TEST_F(Printing, PagesAreOnTheReportForm)
{
    PdfPrinters printers(pdf());
    handOff(receiptGrid(40), QStringLiteral("入库单"));
    FrmPrint preview(nullptr);
    ScriptedDialogs dialogs;
    dialogs.expectDialog(QStringLiteral("FrmPrintOption"), choose({QStringLiteral("1"), QStringLiteral("2"),
                                                                   QStringLiteral("1")}));
    QTest::mouseClick(preview.CmdPrint[8], Qt::LeftButton);
    QFile f(pdf());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(f.readAll());
    const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    int boxes = 0;
    for (auto it = box.globalMatch(text); it.hasNext(); ++boxes) {
        const auto m = it.next();
        EXPECT_NEAR(m.captured(1).toDouble(), 210 / 25.4 * 72, 0.5);
        EXPECT_NEAR(m.captured(2).toDouble(), 280 / 25.4 * 72, 0.5);
    }
    EXPECT_EQ(boxes, 2);
}

TEST_F(Printing, AFailingPrinterStopsAfterOneMessage)
{
    PdfPrinters printers(dir.file(QStringLiteral("missing/out.pdf")));
    handOff(receiptGrid(100), QStringLiteral("入库单"));
    FrmPrint preview(nullptr);
    ScriptedDialogs dialogs;
    dialogs.expectDialog(QStringLiteral("FrmPrintOption"), choose({QStringLiteral("1"), QStringLiteral("3"),
                                                                   QStringLiteral("2")}))
        .expect(QStringLiteral("Dr. Watson 发现您的操作有误。\n\n打印机无法开始打印"));
    QTest::mouseClick(preview.CmdPrint[8], Qt::LeftButton);
}

TEST_F(Printing, DialogFieldsAndCopies)
{
    handOff(receiptGrid(3 * 35), QStringLiteral("入库单"));
    FrmPrint preview(nullptr);
    QTest::mouseClick(preview.CmdPrint[2], Qt::LeftButton);
    FrmPrintOption w(&preview, preview.report(), preview.currentPage());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("打印"));
    EXPECT_EQ(w.sPag->count(), 3);
    EXPECT_EQ(w.sPag->currentText(), QStringLiteral("1"));
    EXPECT_EQ(w.ePag->currentText(), QStringLiteral("3"));
    EXPECT_TRUE(w.Option2->isChecked());
    EXPECT_EQ(w.CmbFS->text(), QStringLiteral("1"));

    w.Option1->setChecked(true);
    EXPECT_EQ(w.sPag->currentText(), QStringLiteral("2"));
    EXPECT_EQ(w.ePag->currentText(), QStringLiteral("2"));
    QTest::keyClicks(w.sPag->lineEdit(), QStringLiteral("1"));
    EXPECT_TRUE(w.Option2->isChecked());

    w.CmbFS->clear();
    EXPECT_EQ(w.CmbFS->text(), QStringLiteral("1"));
    w.CmbFS->setText(QStringLiteral("2"));
    QTest::keyClicks(w.CmbFS, QStringLiteral("a-3"));
    EXPECT_EQ(w.CmbFS->text(), QStringLiteral("23"));
    w.UpDownFS->stepBy(1);
    EXPECT_EQ(w.CmbFS->text(), QStringLiteral("24"));
}

TEST_F(Printing, PaperFormIsAddedOnceThenFound)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf());
    ScriptedDialogs dialogs;
    EXPECT_EQ(reports::SelectPaperForm(printer, reports::ReportForm, nullptr), 2);
    EXPECT_EQ(reports::SelectPaperForm(printer, reports::ReportForm, nullptr), 1);
    EXPECT_EQ(platform::forms::enumerate(QStringLiteral("PDF")).size(), 1);
    EXPECT_EQ(printer.pageLayout().pageSize().size(QPageSize::Millimeter), QSizeF(210, 280));
    EXPECT_EQ(printer.pageLayout().pageSize().name(), reports::ReportForm);
    EXPECT_EQ(reports::SelectPaperForm(printer, QStringLiteral("别的报表"), nullptr), 0);
    EXPECT_EQ(platform::forms::enumerate(QStringLiteral("PDF")).size(), 1);
}

TEST_F(Printing, AFormOfTheSizeUnderAnotherNameIsUsed)
{
    dir.write(QStringLiteral("forms.txt"), "PDF\t210x280\t0\t210000\t280000\t0\t0\t210000\t280000\n");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    ScriptedDialogs dialogs;
    EXPECT_EQ(reports::SelectPaperForm(printer, reports::ReportForm, nullptr), 1);
    EXPECT_EQ(printer.pageLayout().pageSize().name(), QStringLiteral("210x280"));
    EXPECT_EQ(platform::forms::enumerate(QStringLiteral("PDF")).size(), 1);
}

TEST_F(Printing, AFormThatCannotBeAddedKeepsThePaper)
{
    dir.write(QStringLiteral("forms.txt"), "not a folder");
    platform::forms::setStoreFile(dir.file(QStringLiteral("forms.txt/forms.txt")));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QPageSize before = printer.pageLayout().pageSize();
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("Error: 82"));
    EXPECT_EQ(reports::SelectPaperForm(printer, reports::ReportForm, nullptr), 0);
    EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("Error Adding Form"));
    EXPECT_TRUE(printer.pageLayout().pageSize().isEquivalentTo(before));
}

} // namespace
