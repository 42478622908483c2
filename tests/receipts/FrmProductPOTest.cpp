#include "OrderFixture.h"
#include "receipts/FrmProductPO.h"
#include "receipts/FrmProductPOAdd.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using platform::Answer;

namespace {

const QString kSaved = QStringLiteral("订单保存成功！");

// A store of four active reagents and a disabled one: 葡萄糖 needs 11 (the issue history
// of the last 60 days), 尿酸 was never moved and has no stock, 乙肝 and 肌酐 have stock.
class FrmProductPOTest : public OrderFixture {
protected:
    void SetUp() override
    {
        OrderFixture::SetUp();
        const qint32 maker = store.maker(QStringLiteral("迈瑞"));
        supplierA = store.supplier(QStringLiteral("甲公司"));
        supplierB = store.supplier(QStringLiteral("乙公司"));
        const qint32 glucose = reagent(QStringLiteral("葡萄糖"), QStringLiteral("PTT"), QStringLiteral("生化"), maker);
        movement(1, glucose, 90, 30, 2.5, supplierA);
        movement(2, glucose, 60, 10, 2.0);
        movement(2, glucose, 30, 20, 2.5);
        lot(glucose, 4);
        reagent(QStringLiteral("尿酸"), QStringLiteral("NS"), QStringLiteral("急诊生化"), maker);
        lot(reagent(QStringLiteral("乙肝"), QStringLiteral("YG"), QStringLiteral("免疫"), maker), 5);
        lot(reagent(QStringLiteral("肌酐"), QStringLiteral("JG"), QStringLiteral("生化二"), maker), 5);
        reagent(QStringLiteral("停用试剂"), QStringLiteral("TYSJ"), QStringLiteral("生化"), maker, true);

        w = std::make_unique<FrmProductPO>();
        w->show();
        QApplication::setActiveWindow(w.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        QTRY_COMPARE(w->CmbGYS[1]->count(), 3);
        grid = w->GridIndent;
    }
    void TearDown() override
    {
        w.reset();
        OrderFixture::TearDown();
    }

    void propose() { QTest::mouseClick(w->CmdIndent[0], Qt::LeftButton); }
    void choose(QComboBox *combo, int index)
    {
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }
    void clickCell(int row, int col)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row - 1, col));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // Opens the editor on a cell, types text over its content and presses key.
    void edit(int row, int col, const QString &text, Qt::Key key = Qt::Key_Return)
    {
        clickCell(row, col);
        ASSERT_TRUE(w->TxtEdit->isVisible());
        w->TxtEdit->selectAll();
        QTest::keyClick(w->TxtEdit, Qt::Key_Backspace);
        typeInto(w->TxtEdit, text);
        QTest::keyClick(w->TxtEdit, key);
    }
    QStringList column(int col) const
    {
        QStringList out;
        for (int r = 1; r < grid->Rows(); ++r)
            out.append(grid->TextMatrix(r, col));
        return out;
    }
    QStringList line(int row, int from = 1) const
    {
        QStringList out;
        for (int c = from; c < grid->Cols(); ++c)
            out.append(grid->TextMatrix(row, c));
        return out;
    }
    QString tip() const { return w->LabTip->text(); }

    std::unique_ptr<FrmProductPO> w;
    FlexGrid *grid = nullptr;
    qint32 supplierA = 0;
    qint32 supplierB = 0;
};

QStringList texts(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *s : list)
        out.append(QString::fromUtf8(s));
    return out;
}

} // namespace

TEST_F(FrmProductPOTest, LoadFillsThePeriodsGroupsAndSuppliers)
{
    EXPECT_EQ(w->CmbField[0]->count(), 5);
    EXPECT_EQ(w->CmbField[0]->currentText(), QStringLiteral("●半个月采购一次"));
    EXPECT_EQ(w->PeriodDays, 15);
    EXPECT_EQ(w->CmbField[1]->itemText(0), QStringLiteral("全部组别"));
    EXPECT_EQ(w->CmbField[1]->count(), 5);
    EXPECT_EQ(w->CmbGYS[1]->itemText(0), QStringLiteral("全部供应商"));
    EXPECT_EQ(w->CmbGYS[1]->itemText(2), QStringLiteral("乙公司"));
    EXPECT_EQ(ModBase::PickGYSID, -1);
    EXPECT_EQ(w->CmbField[2]->count(), 0);
}

TEST_F(FrmProductPOTest, ProposalListsWhatNeedsBuyingWithTotals)
{
    propose();
    EXPECT_EQ(grid->Cols(), 12);
    EXPECT_EQ(grid->TextMatrix(0, 0), QStringLiteral("试剂ID"));
    EXPECT_EQ(grid->TextMatrix(0, 11), QStringLiteral("打印"));
    EXPECT_EQ(grid->ColWidth(0), 0);
    EXPECT_EQ(column(1), texts({"尿酸", "葡萄糖"})); // 急诊生化 before 生化, in pinyin order
    EXPECT_EQ(line(1, 3), texts({"迈瑞", "～", "1", "盒", "0", "0.00", "0/182", "0", "√"}));
    EXPECT_EQ(line(2, 3), texts({"迈瑞", "甲公司", "11", "盒", "2.5", "27.50", "30/60", "4", "√"}));
    EXPECT_EQ(tip(), QStringLiteral("共打印 2 条记录，总金额：27.50"));
    EXPECT_EQ(ModBase::PrintTotal.toDouble(), 27.5);
    EXPECT_EQ(ModBase::PrintTitle, QStringLiteral("检验试剂采购订单"));
    EXPECT_FALSE(w->PicState->isVisible());
}

TEST_F(FrmProductPOTest, GroupSelectsNameEndingsAndSupplierFiltersByNewestReceipt)
{
    choose(w->CmbField[1], w->CmbField[1]->findText(QStringLiteral("生化")));
    EXPECT_EQ(w->GroupFilter, QStringLiteral("生化"));
    choose(w->CmbGYS[1], 2);
    EXPECT_EQ(ModBase::PickGYSID, supplierB);
    propose();
    EXPECT_EQ(column(1), texts({"尿酸"})); // 葡萄糖 came from 甲公司; 肌酐's group only starts with 生化
    EXPECT_EQ(ModBase::PrintTitle, QStringLiteral("生化 检验试剂采购订单"));

    choose(w->CmbGYS[1], 1);
    choose(w->CmbField[0], 1);
    EXPECT_EQ(w->PeriodDays, 30);
    propose();
    // 30 x 30 x 1.8 = 1620, over 60 days 27, less 4.
    EXPECT_EQ(column(1), texts({"尿酸", "葡萄糖"}));
    EXPECT_EQ(grid->TextMatrix(2, 5), QStringLiteral("23"));
}

TEST_F(FrmProductPOTest, NothingToBuyEmptiesTheGridAndLeavesNothingToPrint)
{
    propose();
    dialogs.expectDialog(QStringLiteral("FrmPrint"), [](QDialog *) {
        EXPECT_EQ(ModBase::PrintGrid.rowCount(), 2);
        return QDialog::Accepted;
    });
    QTest::mouseClick(w->CmdIndent[3], Qt::LeftButton);
    ASSERT_TRUE(dialogs.done());

    db().exec(QStringLiteral("UPDATE shijikucun SET 数量 = 100"));
    lot(2, 100);
    dialogs.expectExact(QStringLiteral("库存充足，勿需购买。"));
    propose();
    EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("采购建议"));
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(grid->Cols(), 2);
    EXPECT_EQ(grid->TextMatrix(1, 1), QString());
    EXPECT_EQ(tip(), QString());
    QTest::mouseClick(w->CmdIndent[3], Qt::LeftButton); // no preview of the earlier proposal
    QTest::mouseClick(w->CmdIndent[1], Qt::LeftButton); // no lines can be added to no order
}

TEST_F(FrmProductPOTest, QuantityAndPriceTakeOnlyPositiveNumbers)
{
    propose();
    for (const int col : {5, 7}) {
        const QString before = grid->TextMatrix(2, col);
        for (const QString &bad : {QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("abc"), QString()}) {
            edit(2, col, bad);
            EXPECT_EQ(grid->TextMatrix(2, col), before) << col << " " << bad.toStdString();
        }
    }
    edit(2, 5, QStringLiteral("4"));
    edit(2, 7, QStringLiteral("2.5"));
    EXPECT_EQ(grid->TextMatrix(2, 8), QStringLiteral("10.00"));
    EXPECT_EQ(tip(), QStringLiteral("共打印 2 条记录，总金额：10.00"));
}

TEST_F(FrmProductPOTest, EnterMovesRightUpAndDownKeepTheColumn)
{
    propose();
    for (int col = 1; col <= 7; ++col) {
        clickCell(1, col);
        QTest::keyClick(w->TxtEdit, Qt::Key_Return);
        EXPECT_EQ(grid->Col(), col + 1);
        // The editor follows into the next cell, except into the computed 金额.
        EXPECT_EQ(w->TxtEdit->isVisible(), col < 7) << col;
        if (col < 7) {
            EXPECT_EQ(w->TxtEdit->text(), grid->TextMatrix(1, col + 1));
        }
    }
    clickCell(1, 3);
    QTest::keyClick(w->TxtEdit, Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(w->TxtEdit->text(), QStringLiteral("迈瑞"));
    QTest::keyClick(w->TxtEdit, Qt::Key_Up);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), 3);
}

TEST_F(FrmProductPOTest, TheTickTogglesOnAClickOnly)
{
    propose();
    clickCell(2, 11);
    EXPECT_EQ(grid->TextMatrix(2, 11), QString());
    EXPECT_EQ(tip(), QStringLiteral("共打印 1 条记录，总金额：0.00"));
    EXPECT_FALSE(w->TxtEdit->isVisible());

    w->CmbField[0]->setFocus();
    grid->setFocus(Qt::TabFocusReason);
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(w.get());
    EXPECT_EQ(grid->TextMatrix(2, 11), QString());

    clickCell(2, 11);
    EXPECT_EQ(grid->TextMatrix(2, 11), QStringLiteral("√"));
    EXPECT_EQ(tip(), QStringLiteral("共打印 2 条记录，总金额：27.50"));
}

TEST_F(FrmProductPOTest, PrintHandsOffTheTickedLinesOnly)
{
    propose();
    clickCell(1, 11);
    dialogs.expectDialog(QStringLiteral("FrmPrint"), [](QDialog *) {
        const GridSnapshot &g = ModBase::PrintGrid;
        EXPECT_EQ(g.cols(), 9);
        EXPECT_EQ(g.header.at(8), QStringLiteral("金额"));
        EXPECT_EQ(g.rowCount(), 1);
        EXPECT_EQ(g.text(0, 1), QStringLiteral("葡萄糖"));
        EXPECT_EQ(ModBase::PrintKind, QStringLiteral("RegIndent"));
        EXPECT_EQ(ModBase::PrintTotal.toDouble(), 27.5);
        return QDialog::Accepted;
    });
    QTest::mouseClick(w->CmdIndent[3], Qt::LeftButton);
    EXPECT_TRUE(dialogs.done());

    clickCell(2, 11);
    EXPECT_EQ(tip(), QStringLiteral("共打印 0 条记录，总金额：0.00"));
    QTest::mouseClick(w->CmdIndent[3], Qt::LeftButton); // nothing ticked: no preview
}

TEST_F(FrmProductPOTest, DeleteAsksAndNeverRemovesTheLastLine)
{
    propose();
    clickCell(1, 9);
    dialogs.expectExact(QStringLiteral("确实要删除第 1 行？"), Answer::No);
    QTest::mouseClick(w->CmdIndent[2], Qt::LeftButton);
    EXPECT_EQ(grid->Rows(), 3);
    EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("删除行"));

    dialogs.expectExact(QStringLiteral("确实要删除第 1 行？"), Answer::Yes);
    QTest::mouseClick(w->CmdIndent[2], Qt::LeftButton);
    EXPECT_EQ(column(1), texts({"葡萄糖"}));
    EXPECT_EQ(tip(), QStringLiteral("共打印 1 条记录，总金额：27.50"));
    QTest::mouseClick(w->CmdIndent[2], Qt::LeftButton);
    EXPECT_EQ(grid->Rows(), 2);
}

TEST_F(FrmProductPOTest, SavedOrdersLoadBackByTheirKey)
{
    propose();
    edit(1, 1, QStringLiteral("O'Brien's 尿酸"));
    const QStringList first = line(1);
    const QStringList second = line(2);
    dialogs.expectExact(kSaved);
    QTest::mouseClick(w->CmdIndent[4], Qt::LeftButton);
    dialogs.expectExact(kSaved);
    QTest::mouseClick(w->CmdIndent[4], Qt::LeftButton);
    EXPECT_EQ(count(QStringLiteral("dingdanjiben")), 2);
    EXPECT_EQ(count(QStringLiteral("dingdanmingxi")), 4);
    ASSERT_EQ(w->CmbField[2]->count(), 2);
    EXPECT_TRUE(w->CmbField[2]->itemText(0).startsWith(QStringLiteral("20260115")));
    EXPECT_EQ(w->CmbField[2]->itemText(0).size(), 14);

    propose();
    choose(w->CmbField[2], 1);
    EXPECT_EQ(grid->TextMatrix(0, 0), QStringLiteral("订单明细ID"));
    ASSERT_EQ(grid->Rows(), 3); // the two saves of one second stay two orders
    EXPECT_EQ(line(1), first);
    EXPECT_EQ(line(2), second);
    EXPECT_EQ(grid->ColWidth(0), 0);
    EXPECT_EQ(tip(), QStringLiteral("共打印 2 条记录，总金额：27.50"));
    EXPECT_EQ(ModBase::PrintTitle, QStringLiteral("检验试剂采购订单"));
}

TEST_F(FrmProductPOTest, AnIncompleteLineIsNotSaved)
{
    propose();
    edit(2, 2, QString());
    EXPECT_EQ(grid->TextMatrix(2, 2), QString());
    dialogs.expectExact(QStringLiteral("表格数据不完整，不能保存！\n\n表格中每个单元格必须至少有一个字符，请返回修改后再次保存"));
    QTest::mouseClick(w->CmdIndent[4], Qt::LeftButton);
    EXPECT_EQ(count(QStringLiteral("dingdanjiben")), 0);
    EXPECT_EQ(count(QStringLiteral("dingdanmingxi")), 0);
    EXPECT_EQ(w->CmbField[2]->count(), 0);
}

TEST_F(FrmProductPOTest, AddedLinesJoinTheOrderTicked)
{
    propose();
    dialogs.expectDialog(QStringLiteral("FrmProductPOAdd"), [](QDialog *d) {
        auto *add = static_cast<FrmProductPOAdd *>(d);
        typeInto(add->CmbSJDM, QStringLiteral("yg"));
        QTest::mouseClick(add->CmdOK, Qt::LeftButton);
        return QDialog::Rejected;
    });
    QTest::mouseClick(w->CmdIndent[1], Qt::LeftButton);
    ASSERT_EQ(grid->Rows(), 4);
    EXPECT_EQ(line(3), texts({"乙肝", "100T", "迈瑞", "～", "1", "盒", "0", "0.00", "0/182", "5", "√"}));
    EXPECT_EQ(tip(), QStringLiteral("共打印 3 条记录，总金额：27.50"));
}
