#include "OrderFixture.h"
#include "receipts/FrmProductPOAdd.h"
#include "shell/FrmPopMenu.h"
#include "widgets/FlexGrid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class FrmProductPOAddTest : public OrderFixture {
protected:
    void SetUp() override
    {
        OrderFixture::SetUp();
        const qint32 maker = store.maker(QStringLiteral("迈瑞"));
        const qint32 supplier = store.supplier(QStringLiteral("甲公司"));
        const qint32 glucose = reagent(QStringLiteral("葡萄糖"), QStringLiteral("PTT"), QStringLiteral("生化"), maker);
        movement(1, glucose, 100, 40, 2.5, supplier);
        movement(2, glucose, 40, 20, 2.5);
        lot(glucose, 20);
        reagent(QStringLiteral("乙肝"), QStringLiteral("YG"), QStringLiteral("免疫"), maker);
        reagent(QStringLiteral("肌酐"), QStringLiteral("JG"), QStringLiteral("急诊生化"), maker);
        reagent(QStringLiteral("停用试剂"), QStringLiteral("TYSJ"), QStringLiteral("生化"), maker, true);

        order.setCols(12);
        order.setRows(1);
        dialog = std::make_unique<FrmProductPOAdd>(&order);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        dialog->CmbSJDM->setFocus();
    }
    void TearDown() override
    {
        dialog.reset();
        OrderFixture::TearDown();
    }

    void type(const QString &text)
    {
        dialog->CmbSJDM->lineEdit()->clear();
        typeInto(dialog->CmbSJDM, text);
    }
    QStringList candidates() const
    {
        QStringList out;
        for (int r = 1; r < dialog->GridTip->Rows(); ++r)
            out.append(dialog->GridTip->TextMatrix(r, 1));
        return out;
    }
    QStringList orderNames() const
    {
        QStringList out;
        for (int r = 1; r < order.Rows(); ++r)
            out.append(order.TextMatrix(r, 1));
        return out;
    }

    FlexGrid order;
    std::unique_ptr<FrmProductPOAdd> dialog;
};

} // namespace

TEST_F(FrmProductPOAddTest, TypingSearchesPinyinOrNameAndClearingEmpties)
{
    type(QStringLiteral("g"));
    EXPECT_EQ(candidates(), (QStringList{QStringLiteral("肌酐"), QStringLiteral("乙肝")}));
    EXPECT_EQ(dialog->GridTip->Cols(), 11);
    EXPECT_EQ(dialog->GridTip->ColWidth(0), 0);
    EXPECT_EQ(dialog->GridTip->ColSel(), 10); // the whole first candidate is selected

    type(QStringLiteral("葡"));
    EXPECT_EQ(candidates(), (QStringList{QStringLiteral("葡萄糖")}));
    QStringList line;
    for (int c = 4; c < 11; ++c)
        line.append(dialog->GridTip->TextMatrix(1, c));
    EXPECT_EQ(line, (QStringList{QStringLiteral("甲公司"), QStringLiteral("1"), QStringLiteral("盒"), QStringLiteral("2.5"),
                                 QStringLiteral("2.50"), QStringLiteral("20/40"), QStringLiteral("20")}));

    dialog->CmbSJDM->lineEdit()->clear();
    EXPECT_EQ(dialog->GridTip->Cols(), 1);
    EXPECT_EQ(dialog->GridTip->TextMatrix(1, 0), QString());
}

TEST_F(FrmProductPOAddTest, DisabledReagentsOnlyWhenTicked)
{
    type(QStringLiteral("t"));
    EXPECT_EQ(candidates(), (QStringList{QStringLiteral("葡萄糖")}));
    dialog->CheTY->setChecked(true);
    type(QStringLiteral("t"));
    EXPECT_EQ(candidates(), (QStringList{QStringLiteral("葡萄糖"), QStringLiteral("停用试剂")}));
    QTest::mouseClick(dialog->CmdQBSJ, Qt::LeftButton);
    EXPECT_EQ(candidates().size(), 4);
}

TEST_F(FrmProductPOAddTest, GroupMenuListsTheGroupsNameEndings)
{
    FrmPopMenu &pop = FrmPopMenu::instance();
    ASSERT_EQ(pop.mnuRKZB.size(), 3);
    EXPECT_EQ(pop.mnuRKZB[2]->text(), QStringLiteral("生化"));
    QTimer::singleShot(0, dialog.get(), [&pop] {
        pop.mnuRKZB[2]->trigger();
        pop.mnuRK->close();
    });
    QTest::mouseClick(dialog->CmbGZBSJ, Qt::LeftButton);
    EXPECT_EQ(candidates(), (QStringList{QStringLiteral("肌酐"), QStringLiteral("葡萄糖")}));

    dialog.reset();
    EXPECT_EQ(pop.mnuRKZB.size(), 1);
}

TEST_F(FrmProductPOAddTest, ButtonAndDoubleClickAddAndStayEnterAddsAndCloses)
{
    type(QStringLiteral("g"));
    QTest::mouseClick(dialog->CmdOK, Qt::LeftButton);
    const QRect second = dialog->GridTip->visualRect(dialog->GridTip->model()->index(1, 2));
    QTest::mouseDClick(dialog->GridTip->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(orderNames(), (QStringList{QStringLiteral("肌酐"), QStringLiteral("乙肝")}));
    EXPECT_EQ(order.Row(), 2);
    EXPECT_EQ(order.TextMatrix(2, 11), QStringLiteral("√"));

    dialog->CmbSJDM->setFocus();
    QTest::keyClick(dialog->CmbSJDM, Qt::Key_Up);
    EXPECT_EQ(dialog->GridTip->Row(), 1);
    QTest::keyClick(dialog->CmbSJDM, Qt::Key_Down);
    QTest::keyClick(dialog->CmbSJDM, Qt::Key_Return);
    EXPECT_EQ(orderNames(), (QStringList{QStringLiteral("肌酐"), QStringLiteral("乙肝"), QStringLiteral("乙肝")}));
    EXPECT_FALSE(dialog->isVisible());
}
