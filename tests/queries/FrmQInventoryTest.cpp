#include "StockFixture.h"

#include "RecordingShell.h"
#include "platform/CodePage936.h"
#include "queries/FrmQInventory.h"
#include "shell/FrmMain.h"
#include "widgets/DropDownCombo.h"
#include "widgets/FlexGrid.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

class FrmQInventoryTest : public StockFixture {
protected:
    void TearDown() override
    {
        delete w.data();
        StockFixture::TearDown();
    }

    FrmQInventory *open()
    {
        w = new FrmQInventory;
        w->resize(1200, 700);
        w->show();
        return w;
    }

    QString exported()
    {
        const QStringList files = QDir(dir.file(u"报表"_s)).entryList(QDir::Files);
        return files.size() == 1 ? platform::cp936::decode(dir.read(u"报表/"_s + files.first())) : QString();
    }

    QPointer<FrmQInventory> w;
};

TEST_F(FrmQInventoryTest, LotListIsColouredByExpiryAndTotalled)
{
    const qint32 id = reagent({u"甲试剂"_s});
    for (int days : {-1, 0, 30, 31})
        lot(id, 2, Today.addDays(days), 0.125 + days, 1, QString::number(days));
    open()->CmdQyIm[0]->click();

    FlexGrid *grid = w->GridQ;
    ASSERT_EQ(grid->Rows(), 5);
    EXPECT_EQ(grid->Cols(), 14);
    EXPECT_EQ(grid->ColWidth(0), 0);
    EXPECT_EQ(grid->ColWidth(1), 2500);
    const std::pair<QString, QColor> expected[] = {{u"-1"_s, Red}, {u"0"_s, Red}, {u"30"_s, Blue}, {u"31"_s, QColor()}};
    for (int r = 1; r < grid->Rows(); ++r) {
        const auto &[batch, colour] = expected[r - 1];
        EXPECT_EQ(grid->TextMatrix(r, 3), batch);
        for (int c = 0; c < grid->Cols(); ++c)
            EXPECT_EQ(grid->CellForeColor(r, c), colour) << r << "," << c;
    }
    // Amounts count as shown: -1.75, 0.25, 60.25, 62.25.
    EXPECT_EQ(w->LabTip->text(), u"全部库存试剂报表（统计日期：2024/3/5）－共 4 条记录，总金额：121.00"_s);

    w->CmdQyIm[1]->click();
    EXPECT_EQ(grid->Rows(), 3);
    EXPECT_EQ(w->LabTip->text(), u"即将过期库存试剂报表（统计日期：2024/3/5）－共 2 条记录，总金额：60.50"_s);
    w->CmdQyIm[2]->click();
    EXPECT_EQ(w->LabTip->text(), u"过期库存试剂报表（统计日期：2024/3/5）－共 2 条记录，总金额：-1.50"_s);
}

TEST_F(FrmQInventoryTest, OpensOnTheAllLotsButtonAndEnterRunsIt)
{
    lot(reagent({u"甲试剂"_s}), 2, Today.addDays(60), 1.5, 1, u"B1"_s);
    open()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    ASSERT_EQ(QApplication::focusWidget(), w->CmdQyIm[0]);
    QTest::keyClick(w->CmdQyIm[0], Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w->GridQ->Rows(), 2);
    w->CmdQyIm[2]->setFocus();
    QTest::keyClick(w->CmdQyIm[2], Qt::Key_Return);
    EXPECT_EQ(w->GridQ->Rows(), 1); // nothing expired
}

TEST_F(FrmQInventoryTest, PerReagentListsTellNothingQualifyingFromNothingToJudge)
{
    struct Case {
        const char *what;
        std::function<void()> store;
        int button;
        int cols, rows;
        QString tip;
    };
    const Case cases[] = {
        {"a reagent without lots", [&] { reagent({u"甲"_s}); }, 4, 9, 2, u"库存低试剂（统计日期：2024/3/5）－共 1 条记录"_s},
        {"enough stock", [&] { lot(reagent({u"甲"_s, u"生化组"_s, 1}), 5); }, 4, 1, 2, u"库存充足，无库存低试剂"_s},
        {"no active reagent", [] {}, 4, 9, 1, u"库存低试剂（统计日期：2024/3/5）－共 0 条记录"_s},
        {"stock at the high limit", [&] { lot(reagent({u"甲"_s, u"生化组"_s, {}, 5}), 5); }, 5, 9, 2,
         u"库存高试剂（统计日期：2024/3/5）－共 1 条记录"_s},
        {"stock below the high limit", [&] { lot(reagent({u"甲"_s, u"生化组"_s, {}, 9}), 5); }, 5, 1, 2,
         u"无库存高试剂"_s},
        {"no lot", [&] { reagent({u"甲"_s}); }, 5, 9, 1, u"库存高试剂（统计日期：2024/3/5）－共 0 条记录"_s},
    };
    FrmMain main; // the high-stock list comes with the purchase-order right
    main.mnuRWIndent->setEnabled(true);
    for (const Case &c : cases) {
        db().exec(u"DELETE FROM shijikucun"_s);
        db().exec(u"DELETE FROM shijijibenxinxi"_s);
        c.store();
        open()->CmdQyIm[c.button]->click();
        EXPECT_EQ(w->GridQ->Cols(), c.cols) << c.what;
        EXPECT_EQ(w->GridQ->Rows(), c.rows) << c.what;
        EXPECT_EQ(w->LabTip->text(), c.tip) << c.what;
        if (c.cols == 9) {
            EXPECT_EQ(w->GridQ->TextMatrix(0, 3), u"库存汇总"_s) << c.what;
        }
        // With nothing listed, print and export do nothing (no box, no file).
        if (c.rows < 2 || c.cols < 9) {
            w->CmdPrint->click();
            w->CmdDH->click();
            EXPECT_EQ(exported(), QString()) << c.what;
        }
        delete w.data();
    }
}

TEST_F(FrmQInventoryTest, HighStockButtonFollowsThePurchaseOrderItemAtLoad)
{
    FrmMain main;
    for (bool right : {true, false}) {
        main.mnuRWIndent->setEnabled(right);
        open();
        main.mnuRWIndent->setEnabled(!right);
        EXPECT_EQ(w->CmdQyIm[5]->isEnabled(), right);
        delete w.data();
    }
}

TEST_F(FrmQInventoryTest, CombosFillOnceAndFindExactNames)
{
    const qint32 id = reagent({u"甲试剂"_s});
    lot(id, 2, QDate(2025, 1, 1), 3);
    db().exec(u"INSERT INTO changshang (厂商ID, 拼音码, 厂商) VALUES (2, 'AB', 'Abbott')"_s);
    open();
    w->CmbGYS->setEditText(u"北京医药"_s);
    w->CmbSJDM->setEditText(u"甲试剂"_s);

    QLineEdit *edit = w->CmbCS->lineEdit();
    edit->setFocus();
    typeInto(edit, u"兰州"_s);
    EXPECT_EQ(w->GridQ->Rows(), 1);
    EXPECT_EQ(w->LabTip->text(), u"库存试剂报表（统计日期：2024/3/5）－共 0 条记录，总金额：0.00"_s);
    EXPECT_EQ(w->CmbGYS->currentText(), QString());
    EXPECT_EQ(w->CmbSJDM->currentText(), QString());
    typeInto(edit, u"兰州生物"_s);
    EXPECT_EQ(w->GridQ->Rows(), 2);
    EXPECT_EQ(w->LabTip->text(), u"库存试剂报表（统计日期：2024/3/5）－共 1 条记录，总金额：6.00"_s);

    // The first drop-down fills the list behind a blank item and keeps the typed text.
    w->CmbCS->showPopup();
    w->CmbCS->hidePopup();
    EXPECT_EQ(w->CmbCS->count(), 3);
    EXPECT_EQ(w->CmbCS->itemText(0), QString());
    EXPECT_EQ(w->CmbCS->itemText(1), u"Abbott"_s);
    EXPECT_EQ(w->CmbCS->currentText(), u"兰州生物"_s);
    EXPECT_EQ(w->GridQ->Rows(), 2);

    w->CmbSJDM->showPopup();
    w->CmbSJDM->hidePopup();
    w->CmbSJDM->setCurrentIndex(1);
    Q_EMIT w->CmbSJDM->activated(1);
    EXPECT_EQ(w->CmbSJDM->currentText(), u"甲试剂"_s);
    EXPECT_EQ(w->CmbCS->currentText(), QString());
    EXPECT_EQ(w->GridQ->Rows(), 2);
}

TEST_F(FrmQInventoryTest, GroupMenuListsTheGroupsWhileTheWindowIsOpen)
{
    lot(reagent({u"甲试剂"_s, u"生化组"_s}), 1);
    lot(reagent({u"乙试剂"_s, u"免'疫组"_s}), 1);
    reagent({u"无组试剂"_s});
    db().exec(u"UPDATE shijijibenxinxi SET 组别 = NULL WHERE 品名 = '无组试剂'"_s);
    FrmPopMenu &pop = FrmPopMenu::instance();
    open();
    QStringList captions;
    for (QAction *item : pop.mnuQstoreZB)
        captions << item->text();
    EXPECT_EQ(captions, (QStringList{u"免'疫组"_s, u"生化组"_s}));

    pop.mnuQstoreZB[0]->trigger();
    EXPECT_EQ(w->GridQ->Rows(), 2);
    EXPECT_EQ(w->GridQ->TextMatrix(1, 1), u"乙试剂"_s);
    EXPECT_EQ(w->LabTip->text(), u"免'疫组 库存试剂报表（统计日期：2024/3/5）－共 1 条记录，总金额：10.00"_s);

    w->close();
    ASSERT_EQ(pop.mnuQstoreZB.size(), 1);
    EXPECT_EQ(pop.mnuQstoreZB[0]->text(), QString());
    const QString shown = w->LabTip->text();
    pop.mnuQstoreZB[0]->trigger(); // nothing happens once the window has closed
    EXPECT_EQ(w->LabTip->text(), shown);
}

TEST_F(FrmQInventoryTest, PrintPreviewsLotsAndExportsReagentLists)
{
    RecordingShell shell;
    const qint32 id = reagent({u"甲试剂"_s});
    lot(id, 2, Today, 1.5);
    open()->CmdQyIm[0]->click();
    dialogs.expectDialog(u"FrmPrint"_s, [](QDialog *) { return QDialog::Rejected; });
    w->CmdPrint->click();
    EXPECT_EQ(ModBase::PrintKind, u"RegStore"_s);
    EXPECT_EQ(ModBase::PrintTitle, u"全部库存试剂报表（统计日期：2024/3/5）"_s);
    EXPECT_EQ(ModBase::PrintTotal.units, 30000);
    EXPECT_EQ(ModBase::PrintGrid.cols(), 14);
    EXPECT_EQ(ModBase::PrintGrid.foreColor(0, 1), Red);

    // A lot list is exported without its hidden key column.
    dialogs.expect(u"报表导出成功！"_s);
    w->CmdDH->click();
    EXPECT_FALSE(exported().contains(u"库存ID"_s));
    EXPECT_TRUE(exported().contains(u"<TH>品名</TH>"_s));
    QDir(dir.file(u"报表"_s)).removeRecursively();

    // A per-reagent list prints as a spreadsheet, from its first column.
    db().exec(u"UPDATE shijijibenxinxi SET 库存低限 = 5"_s);
    w->CmdQyIm[4]->click();
    dialogs.expect(u"报表导出成功！"_s);
    w->CmdPrint->click();
    EXPECT_TRUE(exported().contains(u"<TH>品名</TH><TH>规格</TH>"_s));
    EXPECT_TRUE(exported().contains(u"库存低试剂（统计日期：2024/3/5）"_s));
}

} // namespace
