#include "LedgerFixture.h"

#include "platform/CodePage936.h"
#include "queries/FrmQAll.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/FrmPopMenu.h"
#include "widgets/DatePicker.h"
#include "widgets/FlexGrid.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

class FrmQAllTest : public LedgerFixture {
protected:
    void TearDown() override
    {
        delete w.data();
        LedgerFixture::TearDown();
    }

    FrmQAll *open()
    {
        w = new FrmQAll;
        w->resize(1200, 700);
        w->show();
        return w;
    }

    // The popup menu that the next click opens is answered with the item of that caption,
    // or closed without a choice when the caption is empty.
    void answerMenu(const QString &caption)
    {
        QTimer::singleShot(0, w, [caption] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction *item : menu->actions())
                if (!caption.isEmpty() && item->text() == caption)
                    item->trigger();
            menu->close();
        });
    }

    QList<QStringList> rows() const
    {
        QList<QStringList> out;
        for (int r = 0; r < w->GridShow->Rows(); ++r) {
            QStringList row;
            for (int c = 0; c < w->GridShow->Cols(); ++c)
                row << w->GridShow->TextMatrix(r, c);
            out << row;
        }
        return out;
    }

    void clickHeader(int col)
    {
        QHeaderView *header = w->GridShow->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(col) + 5, header->height() / 2));
    }

    // The exported document, read back from the report folder.
    QString exported()
    {
        const QDir folder(dir.file(u"报表"_s));
        const QStringList files = folder.entryList(QDir::Files);
        EXPECT_EQ(files.size(), 1);
        return files.isEmpty() ? QString() : files.first();
    }

    QPointer<FrmQAll> w;
};

TEST_F(FrmQAllTest, OpensOnThePreviousMonthWithItsMenus)
{
    reagent(u"血清"_s, u"生化"_s);
    reagent(u"抗体"_s, u"免疫"_s);
    reagent(u"无组试剂"_s, QString());
    open();
    EXPECT_EQ(w->windowTitle(), u"试剂总帐"_s);
    EXPECT_EQ(w->DTPrq[0]->date(), QDate(2025, 12, 1));
    EXPECT_EQ(w->DTPrq[1]->date(), QDate(2025, 12, 31));
    EXPECT_FALSE(w->PicState->isVisible());
    FrmPopMenu &pop = FrmPopMenu::instance();
    QStringList summary, groups;
    for (QAction *item : pop.mnuHZ)
        summary << item->text();
    for (QAction *item : pop.mnuRKZB)
        groups << item->text();
    EXPECT_EQ(summary, QStringList{u"概况"_s});
    EXPECT_EQ(groups, (QStringList{u"全部组别"_s, u"免疫"_s, u"生化"_s}));

    QTest::mouseClick(w->CmdHelp, Qt::LeftButton);
    EXPECT_EQ(shell.calls, QStringList{u"help "_s + ModBase::HelpFile + u"::/5.htm#55"_s});

    w->close();
    EXPECT_EQ(pop.mnuRKZB.size(), 1);
    EXPECT_TRUE(pop.mnuHZ.first()->text().isEmpty());
}

TEST_F(FrmQAllTest, AStartAfterTheEndOrNoChoiceLeavesTheGrid)
{
    const qint32 r1 = reagent(u"血清"_s, u"生化"_s);
    line(1, r1, QDate(2025, 12, 5), 1, 10);
    open();
    QTest::mouseClick(w->CmdQAll[0], Qt::LeftButton);
    const QList<QStringList> overview = rows();
    ASSERT_EQ(overview.size(), 3);

    answerMenu(QString());
    QTest::mouseClick(w->CmdHZ, Qt::LeftButton);
    EXPECT_EQ(rows(), overview);

    w->DTPrq[0]->setDate(QDate(2026, 1, 1));
    for (QPushButton *button : {w->CmdQAll[0], w->CmdQAll[2], w->CmdHZ}) {
        if (button == w->CmdHZ)
            answerMenu(u"概况"_s);
        dialogs.expectExact(u"起始日期不能大于结束日期！"_s);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(dialogs.done()) << button->objectName().toStdString();
        EXPECT_TRUE(dialogs.shown().last().title.isEmpty());
        EXPECT_EQ(rows(), overview);
    }
    EXPECT_EQ(w->ReportTitle(), u"2025-12-01至2025-12-31试剂统计概况"_s);
}

TEST_F(FrmQAllTest, EnterOnAFocusedButtonRunsItsReport)
{
    const qint32 r1 = reagent(u"血清"_s, u"生化"_s);
    line(1, r1, QDate(2025, 12, 5), 1, 10);
    open();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->CmdQAll[0]->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(rows().size(), 3);
    EXPECT_EQ(w->ReportTitle(), u"2025-12-01至2025-12-31试剂统计概况"_s);
    EXPECT_EQ(QApplication::focusWidget(), w->CmdQAll[0]);
}

TEST_F(FrmQAllTest, PeriodSummaryFromTheMenu)
{
    const qint32 r1 = reagent(u"血清"_s, u"生化"_s);
    line(1, r1, QDate(2025, 12, 5), 2, 10.5);
    line(3, r1, QDate(2025, 12, 6), 1, 10.5);
    lot(r1, 1, 10.5);
    open();
    answerMenu(u"概况"_s);
    QTest::mouseClick(w->CmdHZ, Qt::LeftButton);
    EXPECT_EQ(rows(), (QList<QStringList>{{u"概况"_s, u"本期入库"_s, u"本期出库"_s, u"本期报损"_s, u"当前库存"_s},
                                          {u"汇总金额"_s, u"21.00"_s, u"0.00"_s, u"10.50"_s, u"10.50"_s},
                                          {u"记录数"_s, u"1"_s, u"0"_s, u"1"_s, u"1"_s}}));
    EXPECT_EQ(w->GridShow->ColWidth(4), 1400);
    EXPECT_EQ(w->ReportTitle(), u"2025-12-01至2025-12-31试剂统计概况"_s);
}

TEST(CountGrid, AppendsTheTotalRow)
{
    const struct {
        const char *name;
        QList<QStringList> before, after;
    } cases[] = {
        {"header only", {{u"认领部门"_s, u"合计"_s}}, {{u"认领部门"_s, u"合计"_s}}},
        {"a number and an empty cell",
         {{u"认领部门"_s, u"合计"_s}, {u"检验科"_s, u"1234.5"_s}, {u"急诊科"_s, u""_s}},
         {{u"认领部门"_s, u"合计"_s}, {u"检验科"_s, u"1,234.50"_s}, {u"急诊科"_s, u""_s}, {u"总计："_s, u"1,234.50"_s}}},
        {"a total exact to the cent",
         {{u"认领部门"_s, u"合计"_s, u"生化"_s},
          {u"检验科"_s, u"12345678.9"_s, u"0.004"_s},
          {u"急诊科"_s, u"0.01"_s, u"0.004"_s}},
         {{u"认领部门"_s, u"合计"_s, u"生化"_s},
          {u"检验科"_s, u"12,345,678.90"_s, u"0.00"_s},
          {u"急诊科"_s, u"0.01"_s, u"0.00"_s},
          {u"总计："_s, u"12,345,678.91"_s, u"0.01"_s}}},
    };
    for (const auto &c : cases) {
        FlexGrid grid;
        grid.Fill(c.before.first(), c.before.mid(1));
        FrmQAll::CountGrid(&grid);
        QList<QStringList> after;
        for (int r = 0; r < grid.Rows(); ++r) {
            QStringList row;
            for (int col = 0; col < grid.Cols(); ++col)
                row << grid.TextMatrix(r, col);
            after << row;
        }
        EXPECT_EQ(after, c.after) << c.name;
        EXPECT_TRUE(grid.Redraw()) << c.name;
    }
}

TEST_F(FrmQAllTest, CrosstabWithItsTotalRow)
{
    const qint32 r1 = reagent(u"血清"_s, u"生化"_s);
    const qint32 r2 = reagent(u"抗体"_s, u"免疫"_s);
    const qint32 r3 = reagent(u"培养基"_s, u"微生物"_s);
    line(2, r1, QDate(2025, 12, 3), 2, 10.5, u"检验科"_s, u"王五"_s);
    line(2, r2, QDate(2025, 12, 4), 1, 0.126, u"检验科"_s, u"赵六"_s);
    line(2, r1, QDate(2025, 12, 5), 1, 3, u"急诊科"_s, u"王五"_s);
    line(3, r3, QDate(2025, 12, 6), 1, 7, u"急诊科"_s, u"王五"_s);
    open();
    QTest::mouseClick(w->CmdQAll[2], Qt::LeftButton);
    EXPECT_EQ(rows(), (QList<QStringList>{{u"认领部门"_s, u"合计"_s, u"免疫"_s, u"生化"_s},
                                          {u"急诊科"_s, u"3.00"_s, u""_s, u"3.00"_s},
                                          {u"检验科"_s, u"21.13"_s, u"0.13"_s, u"21.00"_s},
                                          {u"总计："_s, u"24.13"_s, u"0.13"_s, u"24.00"_s}}));
    EXPECT_EQ(w->GridShow->ColWidth(3), 1600);
    EXPECT_EQ(w->ReportTitle(), u"2025-12-01至2025-12-31试剂出库金额汇总报表"_s);

    QTest::mouseClick(w->CmdQAll[5], Qt::LeftButton);
    EXPECT_EQ(rows(), (QList<QStringList>{{u"认领人"_s, u"合计"_s, u"微生物"_s},
                                          {u"王五"_s, u"7.00"_s, u"7.00"_s},
                                          {u"总计："_s, u"7.00"_s, u"7.00"_s}}));
    EXPECT_EQ(w->ReportTitle(), u"2025-12-01至2025-12-31试剂报损金额汇总报表"_s);
}

TEST_F(FrmQAllTest, ExportKeepsItsTitleAfterASortAndTheNameColumnOfAWideCrosstab)
{
    const QStringList groups{u"一组"_s, u"二组"_s, u"三组"_s, u"四组"_s, u"五组"_s, u"六组"_s, u"七组"_s, u"八组"_s};
    for (int i = 0; i < groups.size(); ++i) {
        const qint32 id = reagent(u"试剂"_s + groups[i], groups[i]);
        line(2, id, QDate(2025, 12, 10), 1, 1, u"检验科"_s, u"王五"_s);
    }
    open();
    // An empty grid exports nothing.
    QTest::mouseClick(w->CmdExport, Qt::LeftButton);
    EXPECT_FALSE(QDir(dir.file(u"报表"_s)).exists());

    QTest::mouseClick(w->CmdQAll[2], Qt::LeftButton);
    ASSERT_EQ(w->GridShow->Cols(), 10);
    clickHeader(1);
    ASSERT_TRUE(w->GridShow->TextMatrix(0, 1).startsWith(u"合计"_s));
    dialogs.expect(u"报表导出成功！"_s);
    QTest::mouseClick(w->CmdExport, Qt::LeftButton);
    const QString file = exported();
    EXPECT_TRUE(file.startsWith(u"2025-12-01至2025-12-31试剂出库金额汇总报表("_s)) << file.toStdString();
    EXPECT_TRUE(file.endsWith(u").xls"_s));
    const QByteArray doc = dir.read(u"报表/"_s + file);
    EXPECT_TRUE(doc.contains("<THEAD><TR><TH>" + platform::cp936::encode(u"认领部门"_s) + "</TH>"));
    EXPECT_EQ(shell.calls.size(), 1);
}

TEST_F(FrmQAllTest, StocktakingListOfAGroupOrAllAndItsExport)
{
    const qint32 r1 = reagent(u"血清"_s, u"生化"_s);
    reagent(u"抗体"_s, u"免疫"_s);
    line(1, r1, QDate(2025, 11, 5), 2, 10);
    line(2, r1, QDate(2025, 12, 5), 1, 10);
    open();
    QTest::mouseClick(w->CmdQAll[0], Qt::LeftButton);
    answerMenu(QString());
    QTest::mouseClick(w->CmdQAll[1], Qt::LeftButton);
    EXPECT_EQ(rows(), (QList<QStringList>{{QString()}, {QString()}})); // reset before the menu

    answerMenu(u"生化"_s);
    QTest::mouseClick(w->CmdQAll[1], Qt::LeftButton);
    ASSERT_EQ(w->GridShow->Rows(), 3);
    EXPECT_EQ(w->GridShow->TextMatrix(1, 1), u"血清"_s);
    EXPECT_EQ(w->GridShow->TextMatrix(1, 14), u"10.00"_s);
    EXPECT_EQ(w->GridShow->TextMatrix(2, 4), u"合计："_s);
    EXPECT_EQ(w->GridShow->ColWidth(0), 0);
    EXPECT_EQ(w->ReportTitle(), u"2025-12-01至2025-12-31试剂盘点表"_s);
    EXPECT_FALSE(w->PicState->isVisible());
    EXPECT_TRUE(w->GridShow->Redraw());

    answerMenu(u"全部组别"_s);
    QTest::mouseClick(w->CmdQAll[1], Qt::LeftButton);
    ASSERT_EQ(w->GridShow->Rows(), 4);
    EXPECT_EQ(w->GridShow->TextMatrix(1, 1), u"抗体"_s);
    dialogs.expect(u"报表导出成功！"_s);
    QTest::mouseClick(w->CmdExport, Qt::LeftButton);
    const QString file = exported();
    EXPECT_TRUE(file.startsWith(u"2025-12-01至2025-12-31试剂盘点表("_s)) << file.toStdString();
    EXPECT_TRUE(dir.read(u"报表/"_s + file).contains("<THEAD><TR><TH>" + platform::cp936::encode(u"品名"_s) + "</TH>"));
}

TEST_F(FrmQAllTest, AFailureShowsTheErrorBoxAndLeavesTheGridDrawing)
{
    open();
    db().exec(u"DROP TABLE shijikucun"_s);
    for (const int report : {0, 1}) {
        if (report == 1)
            answerMenu(u"全部组别"_s);
        dialogs.expect(u"Dr. Watson 发现您的操作有误。"_s);
        QTest::mouseClick(w->CmdQAll[report], Qt::LeftButton);
        EXPECT_TRUE(dialogs.done()) << report;
        EXPECT_TRUE(w->GridShow->Redraw()) << report;
        EXPECT_FALSE(w->PicState->isVisible()) << report;
    }
}

TEST_F(FrmQAllTest, WithoutADatabaseAReportShowsTheErrorBox)
{
    open();
    ModData::CloseAll();
    ModBase::DBFile.clear();
    dialogs.expect(u"没有打开数据库。"_s);
    QTest::mouseClick(w->CmdQAll[0], Qt::LeftButton);
    EXPECT_TRUE(dialogs.done());
    EXPECT_TRUE(w->GridShow->Redraw());
}

} // namespace
