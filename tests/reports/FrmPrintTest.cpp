#include "reports/FrmPrint.h"

#include "RecordingShell.h"
#include "ReportFixture.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QInputDialog>
#include <QPushButton>
#include <QTest>

namespace {

using reports::FrmPrint;

class Preview : public ReportTest {
protected:
    static QStringList pageItems(const FrmPrint &w)
    {
        QStringList items;
        for (int i = 0; i < w.CombPage->count(); ++i)
            items.append(w.CombPage->itemText(i));
        return items;
    }
    static void click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
};

TEST_F(Preview, PagesThirtyFiveRowsAPage)
{
    const struct {
        int rows, pages;
    } cases[] = {{0, 0}, {1, 1}, {35, 1}, {36, 2}, {71, 3}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rows);
        ScriptedDialogs dialogs; // no box, not even for a report without rows
        handOff(receiptGrid(c.rows), QStringLiteral("入库单"));
        FrmPrint w(nullptr);
        EXPECT_EQ(ModBase::PageCount, c.pages);
        EXPECT_EQ(ModBase::PrintColCount, 9);
        EXPECT_EQ(pageItems(w).size(), c.pages);
        EXPECT_EQ(w.currentPage(), c.pages > 0 ? 1 : 0);
        EXPECT_EQ(w.CmdPrint[6]->isEnabled(), c.pages > 0);
        EXPECT_EQ(w.CmdPrint[8]->isEnabled(), c.pages > 0);
        EXPECT_EQ(w.picture().size(), QSize(794, 1058));

        click(w.CmdPrint[1]); // nothing before the first page
        EXPECT_EQ(w.currentPage(), c.pages > 0 ? 1 : 0);
        click(w.CmdPrint[3]);
        EXPECT_EQ(w.currentPage(), c.pages);
        click(w.CmdPrint[2]); // nothing after the last
        EXPECT_EQ(w.currentPage(), c.pages);
        click(w.CmdPrint[0]);
        EXPECT_EQ(w.currentPage(), c.pages > 0 ? 1 : 0);
        if (c.pages > 1) {
            click(w.CmdPrint[2]);
            EXPECT_EQ(w.currentPage(), 2);
            click(w.CmdPrint[1]);
            EXPECT_EQ(w.currentPage(), 1);
        }
    }
}

TEST_F(Preview, CaptionControlsAndKeys)
{
    platform::setAppTitle(QStringLiteral("试剂管理"));
    handOff(receiptGrid(3), QStringLiteral("入库单"));
    FrmPrint w(nullptr);
    platform::setAppTitle(QString());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("试剂管理——预览报表（Enter打印，Esc关闭）"));
    EXPECT_EQ(w.objectName(), QStringLiteral("FrmPrint"));
    EXPECT_EQ(w.findChild<QPushButton *>(QStringLiteral("CmdPrint_8"))->text(), QStringLiteral("打印(&P)"));
    EXPECT_EQ(w.CmdPrint[4]->toolTip(), QStringLiteral("导出为Excel文档"));
    EXPECT_TRUE(w.CmdPrint[8]->isDefault());

    RecordingShell shell;
    ModBase::HelpFile.clear(); // the topic alone
    click(w.CmdHelp);
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("help ::/5.htm#57")});

    w.show();
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Preview, CustomTitle)
{
    handOff(receiptGrid(3), QStringLiteral("入库单"));
    FrmPrint w(nullptr);
    const QImage before = w.picture();
    const auto answer = [](const QString &text, bool ok) {
        return [text, ok](QDialog *d) {
            auto *box = qobject_cast<QInputDialog *>(d);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("自定义标头"));
            EXPECT_EQ(box->labelText(), QStringLiteral("请输入新的打印标题："));
            box->setTextValue(text);
            return ok ? QDialog::Accepted : QDialog::Rejected;
        };
    };
    {
        ScriptedDialogs dialogs;
        dialogs.expectDialog(QStringLiteral("InputBox"), answer(QStringLiteral("别的标题"), false))
            .expectDialog(QStringLiteral("InputBox"), answer(QString(), true));
        click(w.CmdPrint[7]);
        click(w.CmdPrint[7]);
    }
    EXPECT_EQ(ModBase::PrintTitle, QStringLiteral("入库单"));
    EXPECT_EQ(w.picture(), before);
    {
        ScriptedDialogs dialogs;
        dialogs.expectDialog(QStringLiteral("InputBox"), [](QDialog *d) {
            EXPECT_EQ(qobject_cast<QInputDialog *>(d)->textValue(), QStringLiteral("入库单"));
            qobject_cast<QInputDialog *>(d)->setTextValue(QStringLiteral("一月/入库单"));
            return QDialog::Accepted;
        });
        click(w.CmdPrint[7]);
    }
    EXPECT_EQ(ModBase::PrintTitle, QStringLiteral("一月/入库单"));
    EXPECT_NE(w.picture(), before);
}

TEST_F(Preview, SavesTheShownPageAsAPicture)
{
    RecordingShell shell;
    handOff(receiptGrid(40), QStringLiteral("一月/入库单"));
    FrmPrint w(nullptr);
    click(w.CmdPrint[2]);
    const QString gif = dir.file(QStringLiteral("报表/一月_入库单第2页.gif"));
    {
        ScriptedDialogs dialogs;
        dialogs.expectExact(QStringLiteral("当前页已存为图片：\n\n") + gif + QStringLiteral("\n\n打开吗？"),
                            platform::Answer::Yes);
        click(w.CmdPrint[6]);
    }
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("open ") + gif});
    const QImage back(gif);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), w.picture().size());
    EXPECT_EQ(back.pixel(5, 5), qRgb(255, 255, 255));

    // where the picture cannot be a GIF file it becomes a bitmap
    QDir().mkpath(dir.file(QStringLiteral("报表/一月_入库单第1页.gif")));
    click(w.CmdPrint[0]);
    const QString bmp = dir.file(QStringLiteral("报表/一月_入库单第1页.bmp"));
    {
        ScriptedDialogs dialogs;
        dialogs.expectExact(QStringLiteral("当前页已存为图片：\n\n") + bmp + QStringLiteral("\n\n打开吗？"),
                            platform::Answer::No);
        click(w.CmdPrint[6]);
    }
    EXPECT_EQ(QImage(bmp).size(), w.picture().size());
    EXPECT_EQ(shell.calls.size(), 1);

    // and when neither can be written the user is told so
    QFile::remove(bmp);
    QDir().mkpath(bmp);
    {
        ScriptedDialogs dialogs;
        dialogs.expect(QStringLiteral("当前页不能存为图片："));
        click(w.CmdPrint[6]);
    }
}

TEST_F(Preview, NoPrinterInstalled)
{
    PdfPrinters printers(dir.file(QStringLiteral("out.pdf")));
    printers.present = false;
    handOff(receiptGrid(3), QStringLiteral("入库单"));
    FrmPrint w(nullptr);
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("没有安装打印机！不能打印报表。"));
    click(w.CmdPrint[8]);
    EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.shown().last().icon, platform::Icon::Exclamation);
}

TEST_F(Preview, ExportsEveryColumnFromColumnOne)
{
    RecordingShell shell;
    handOff(receiptGrid(2), QStringLiteral("入库单"));
    FrmPrint w(nullptr);
    ScriptedDialogs dialogs;
    dialogs.expect(QStringLiteral("报表导出成功！")).expect(QStringLiteral("报表导出成功！"));
    click(w.CmdPrint[4]);
    click(w.CmdPrint[5]);
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_TRUE(shell.calls[0].endsWith(QStringLiteral(").xls")));
    EXPECT_TRUE(shell.calls[1].endsWith(QStringLiteral(").htm")));
    QFile html(shell.calls[1].mid(QStringLiteral("open ").size()));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QByteArray doc = html.readAll();
    EXPECT_FALSE(doc.contains("<TH>ID</TH>"));
    EXPECT_EQ(doc.count("<TH>"), 9);
}

} // namespace
