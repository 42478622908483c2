#include "MainWindowFixture.h"

#include "RecordingShell.h"
#include "receipts/FrmProductPOAdd.h"
#include "widgets/FlexGrid.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {

using platform::Answer;

// The way through the program after which it once vanished: a receipt with its preview
// and exports and a reversal, then a proposal edited and saved, the order window closed
// with Esc and opened again on the saved order, and a line added to it. Under the
// sanitizer build every step is checked for memory faults.
class ReceiptThenOrderTest : public MainWindowFixture {
protected:
    RecordingShell shell;
};

TEST_F(ReceiptThenOrderTest, ASavedOrderTakesAnAddedLineAfterAReceiptAndItsReversal)
{
    main->DoIt(7);
    auto *in = child<FrmProductIn>(QStringLiteral("FrmProductIn"));
    ASSERT_NE(in, nullptr);
    for (int line = 0; line < 2; ++line) {
        fillReceiptLine(in);
        in->CmdSave->click();
    }
    ASSERT_EQ(in->GridIn->Rows(), 3);

    dialogs.expectDialog(QStringLiteral("FrmPrint"), [this](QDialog *preview) {
        for (const char *button : {"CmdPrint_4", "CmdPrint_5"}) {
            dialogs.expect(QStringLiteral("报表导出成功！"));
            preview->findChild<QPushButton *>(QString::fromLatin1(button))->click();
        }
        return QDialog::Rejected;
    });
    in->CmdPrint->click();
    EXPECT_EQ(shell.calls.size(), 2);

    const QRect cell = in->GridIn->visualRect(in->GridIn->model()->index(1, 3));
    QTest::mouseClick(in->GridIn->viewport(), Qt::LeftButton, {}, cell.center());
    dialogs.expect(QStringLiteral("确定撤消"), Answer::Yes);
    in->CmdChData->click();
    ASSERT_EQ(count(QStringLiteral("shijibiandongdengji")), 1);

    storeLine(2, 20260110001, 1, 10, 1, QDate(2026, 1, 5)); // an issue, so the proposal has a line
    main->DoIt(10);
    auto *po = child<FrmProductPO>(QStringLiteral("FrmProductPO"));
    ASSERT_NE(po, nullptr);
    EXPECT_EQ(child<FrmProductIn>(QStringLiteral("FrmProductIn")), nullptr);
    QTRY_VERIFY(po->CmbGYS[1]->count() > 0);
    QTest::mouseClick(po->CmdIndent[0], Qt::LeftButton);
    ASSERT_GE(po->GridIndent->Rows(), 2);
    const QRect first = po->GridIndent->visualRect(po->GridIndent->model()->index(0, 1));
    QTest::mouseClick(po->GridIndent->viewport(), Qt::LeftButton, {}, first.center());
    ASSERT_TRUE(po->TxtEdit->isVisible());
    po->TxtEdit->selectAll();
    QTest::keyClicks(po->TxtEdit, QStringLiteral("A-1"));
    QTest::keyClick(po->TxtEdit, Qt::Key_Return);
    dialogs.expectExact(QStringLiteral("订单保存成功！"));
    QTest::mouseClick(po->CmdIndent[4], Qt::LeftButton);
    QTest::keyClick(po, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(child<FrmProductPO>(QStringLiteral("FrmProductPO")), nullptr);

    main->DoIt(10);
    po = child<FrmProductPO>(QStringLiteral("FrmProductPO"));
    ASSERT_NE(po, nullptr);
    QTRY_VERIFY(po->CmbField[2]->count() == 1);
    po->CmbField[2]->setCurrentIndex(0);
    Q_EMIT po->CmbField[2]->activated(0);
    const int lines = po->GridIndent->Rows();
    ASSERT_GE(lines, 2);
    dialogs.expectDialog(QStringLiteral("FrmProductPOAdd"), [](QDialog *d) {
        auto *add = static_cast<FrmProductPOAdd *>(d);
        QTest::keyClicks(add->CmbSJDM, QStringLiteral("gbz"));
        QTest::mouseClick(add->CmdOK, Qt::LeftButton);
        return QDialog::Rejected;
    });
    QTest::mouseClick(po->CmdIndent[1], Qt::LeftButton);
    EXPECT_EQ(po->GridIndent->Rows(), lines + 1);
    EXPECT_EQ(po->GridIndent->TextMatrix(lines, 1), QStringLiteral("谷丙转氨酶"));
    EXPECT_TRUE(dialogs.done());
}

} // namespace
