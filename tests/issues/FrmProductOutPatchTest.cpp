#include "DocumentWindowFixture.h"
#include "IssueFixture.h"
#include "PasswordPrompt.h"

#include "dao/Database.h"
#include "issues/FrmProductOut.h"
#include "issues/FrmProductOutPatch.h"
#include "issues/Registration.h"
#include "shell/FrmMain.h"
#include "widgets/DatePicker.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <utility>

namespace {

using platform::Answer;

const qint64 kReceipt = 20260115001; // the fixture's four lots came in on this receipt

class FrmProductOutPatchTest : public DocumentWindowFixture<FrmProductOutPatch, IssueFixture> {
protected:
    QStringList listed(FlexGrid *grid, int col) const
    {
        QStringList cells;
        for (int r = 1; r < grid->Rows(); ++r)
            cells << grid->TextMatrix(r, col);
        return cells;
    }
    // The claim and the receipt, ready to save.
    void fillValid(const QString &receipt = QString::number(kReceipt))
    {
        field(1)->setEditText(QStringLiteral("检验科"));
        field(2)->setEditText(QStringLiteral("张三"));
        typeInto(w->CmbDH, receipt);
    }
    // The list's current row is that receipt line, shown across the whole row.
    void expectCurrentLine(int row) const
    {
        EXPECT_EQ(w->GridTip->Row(), row);
        EXPECT_TRUE(w->GridTip->selectionModel()->isRowSelected(row - 1, {}));
    }
    qint64 lotsOf(qint64 receipt)
    {
        return db().scalar(QStringLiteral("SELECT COUNT(*) FROM shijikucun k INNER JOIN shijibiandongdengji r "
                                          "ON k.入库ID = CAST(r.登记ID AS TEXT) WHERE r.单号=? AND r.变动标志=1"),
                           {receipt})
            .toLongLong();
    }
};

TEST_F(FrmProductOutPatchTest, OpensWithTheRecentReceiptsAndTheLatestClaim)
{
    store.receipt({.number = 20221001001, .date = today().addDays(-1200), .reagent = serum});
    store.receipt({.number = 20221002001, .date = today().addDays(-1199), .reagent = serum});
    issueFrom(serumLate, 1, 20260114003);
    store.line({.flag = 2, .number = 20260114003, .reagent = counter, .department = QStringLiteral("急诊科"),
                .claimant = QStringLiteral("李四")});
    open();
    QStringList numbers;
    for (int i = 0; i < w->CmbDH->count(); ++i)
        numbers << w->CmbDH->itemText(i);
    EXPECT_EQ(numbers, (QStringList{QString::number(kReceipt), QStringLiteral("20221002001")}));
    EXPECT_EQ(w->CmbDH->currentText(), QString());
    EXPECT_EQ(text(0), QStringLiteral("20260115001"));
    EXPECT_EQ(ModBase::OutDH, 20260115001.0);
    EXPECT_EQ(w->DTPrq->date(), today());
    EXPECT_EQ(text(1), QStringLiteral("急诊科"));
    EXPECT_EQ(text(2), QStringLiteral("李四"));
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 0 条记录，金额：0.00"));
    EXPECT_FALSE(w->CmdChData->isEnabled());
    w->CmdPrint->click(); // no line: nothing opens

    QTest::keyClick(field(1)->lineEdit(), Qt::Key_F6);
    EXPECT_EQ(focused(), QStringLiteral("CmbDH"));
    QTest::keyClick(w->CmbDH->lineEdit(), Qt::Key_F5);
    EXPECT_EQ(focused(), QStringLiteral("DTPrq"));
}

TEST_F(FrmProductOutPatchTest, TabGoesThroughTheFieldsAndEveryButton)
{
    open();
    // Enabled by a click on an issue line, by the register rights.
    for (QPushButton *b : {w->CmdChData, w->CmdAdd[0], w->CmdAdd[1]})
        b->setEnabled(true);
    w->DTPrq->setFocus();
    QStringList round{focused()};
    for (int i = 0; i < 14; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        round << focused();
    }
    EXPECT_EQ(round.join(u' ').toStdString(), "DTPrq CmbField_0 CmbField_1 CmbField_2 CmdSave CmbDH CmdHelp CmdAdd_0 "
                                              "CmdAdd_1 CmdRLBM CmdRLR CmdPrint CmdChData CmdCGCK CmdNewDH");
}

TEST_F(FrmProductOutPatchTest, AFailingReceiptNumberListLeavesTheRestOfTheOpening)
{
    // A register without its date column: the receipt numbers cannot be read, the issue
    // number and the latest claim can.
    db().exec(QStringLiteral("ALTER TABLE shijibiandongdengji RENAME TO old_lines"));
    db().exec(QStringLiteral("CREATE TABLE shijibiandongdengji (登记ID INTEGER PRIMARY KEY, 变动标志 INTEGER, "
                             "单号 INTEGER, 认领部门 TEXT, 认领人 TEXT)"));
    db().exec(QStringLiteral("INSERT INTO shijibiandongdengji VALUES (1, 2, 20260115004, '急诊科', '李四')"));
    dialogs.expect(QStringLiteral("Dr. Watson 发现您的操作有误。")); // the receipt numbers
    dialogs.expect(QStringLiteral("Dr. Watson 发现您的操作有误。")); // the issue document's lines
    open();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(w->CmbDH->count(), 0);
    EXPECT_EQ(w->DTPrq->date(), today());
    EXPECT_EQ(text(0), QStringLiteral("20260115004"));
    EXPECT_EQ(text(1), QStringLiteral("急诊科"));
    EXPECT_EQ(text(2), QStringLiteral("李四"));
}

TEST_F(FrmProductOutPatchTest, AReceiptNumberListsItsLinesAsTheyWereEntered)
{
    open();
    typeInto(w->CmbDH, QStringLiteral("2026011500"));
    EXPECT_EQ(w->GridTip->Rows(), 1); // not yet a whole number
    QTest::keyClick(w->CmbDH->lineEdit(), '1');
    EXPECT_EQ(listed(w->GridTip, 5), (QStringList{QStringLiteral("B2"), QStringLiteral("B1"), QStringLiteral("C1"),
                                                  QStringLiteral("D1")}));
    EXPECT_EQ(w->GridTip->Cols(), 20);
    EXPECT_EQ(w->GridTip->TextMatrix(0, 19), QStringLiteral("发票号"));
    EXPECT_EQ(w->GridTip->ColWidth(0), 0);
    EXPECT_EQ(w->GridTip->Tag(), QString());

    // Only digits go into the field: pasted SQL never reaches the query.
    QTest::keyClicks(w->CmbDH->lineEdit(), QStringLiteral("=AND'"));
    EXPECT_EQ(w->CmbDH->currentText(), QString::number(kReceipt));

    // A pick list replaces the lines; clicking a department takes it, then the claimant.
    w->CmdRLBM->click();
    EXPECT_EQ(w->GridTip->Tag(), QStringLiteral("Department"));
    typeInto(field(2), QStringLiteral("zs"));
    EXPECT_EQ(w->GridTip->Tag(), QStringLiteral("Handling"));
    const QRect cell = w->GridTip->visualRect(w->GridTip->model()->index(0, 2));
    QTest::mousePress(w->GridTip->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(w->GridTip->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(text(2), QStringLiteral("张三"));
    EXPECT_EQ(focused(), QStringLiteral("CmbDH"));

    // Receipt lines are no pick list: a click on one takes nothing.
    w->CmbDH->setCurrentIndex(0);
    w->CmbDH->activated(0);
    const QString department = text(1);
    QTest::mousePress(w->GridTip->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(text(1), department);
    EXPECT_EQ(text(2), QStringLiteral("张三"));
}

TEST_F(FrmProductOutPatchTest, ASaveIssuesTheWholeReceiptAtItsPrices)
{
    ModBase::OutRate = 1.2f;
    open();
    fillValid();
    dialogs.expectExact(QStringLiteral("批量出库成功！"));
    w->CmdSave->click();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("提示"));
    EXPECT_EQ(lotsOf(kReceipt), 0);
    EXPECT_EQ(issueLines(), 4);
    EXPECT_EQ(w->GridTip->Cols(), 1);
    EXPECT_EQ(listed(w->GridOut, 5), (QStringList{QStringLiteral("D1"), QStringLiteral("C1"), QStringLiteral("B1"),
                                                  QStringLiteral("B2")}));
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 4 条记录，金额：223.00"));
    EXPECT_EQ(text(1), QStringLiteral("检验科"));
    EXPECT_EQ(text(0), QString::number(kReceipt));
    EXPECT_EQ(w->CmbDH->currentText(), QString::number(kReceipt));

    // The emptied list, then the same receipt again: its lots are gone.
    dialogs.expectExact(QStringLiteral("无试剂列表！请选择入库单号检索"));
    w->CmdSave->click();
    EXPECT_EQ(focused(), QStringLiteral("CmbDH"));
    w->CmbDH->activated(0);
    dialogs.expectExact(QStringLiteral("当前入库单增加的库存已经全部出库或部分出库，不能整批出库"));
    w->CmdSave->click();
    EXPECT_EQ(issueLines(), 4);
}

TEST_F(FrmProductOutPatchTest, RefusalsComeInScreenOrderAndWriteNothing)
{
    issueFrom(counterLot, 1, 20260114001); // the third line's lot is no longer whole
    open();
    dialogs.expectExact(QStringLiteral("无试剂列表！请选择入库单号检索"));
    w->CmdSave->click();
    EXPECT_EQ(focused(), QStringLiteral("CmbDH"));

    fillValid(QStringLiteral("20991231001")); // a receipt without lines
    dialogs.expectExact(QStringLiteral("无试剂列表！请选择入库单号检索"));
    w->CmdSave->click();

    fillValid();
    field(1)->setEditText(QString());
    dialogs.expect(QStringLiteral("认领部门不能为空！"));
    w->CmdSave->click();
    EXPECT_EQ(w->GridTip->Tag(), QStringLiteral("Department")); // the receipt lines made way
    EXPECT_EQ(focused(), QStringLiteral("CmbField_1"));
    dialogs.expectExact(QStringLiteral("无试剂列表！请选择入库单号检索"));
    w->CmdSave->click();

    fillValid();
    field(0)->setEditText(QStringLiteral("  "));
    dialogs.expectExact(QStringLiteral("出库单号不能为空！"));
    w->CmdSave->click();
    EXPECT_EQ(focused(), QStringLiteral("CmbField_0"));

    field(0)->setEditText(QStringLiteral("2026011500"));
    dialogs.expect(QStringLiteral("检测到不标准的出库单号！"), Answer::Yes);
    w->CmdSave->click();
    EXPECT_EQ(focused(), QStringLiteral("CmbField_0"));

    field(0)->setEditText(QStringLiteral("20260115001"));
    dialogs.expectExact(QStringLiteral("当前入库单增加的库存已经全部出库或部分出库，不能整批出库"));
    w->CmdSave->click();
    expectCurrentLine(3);
    EXPECT_EQ(issueLines(), 1);
    EXPECT_EQ(lotsOf(kReceipt), 4);
}

// Runs `then` once, when the label is first painted showing `text`: the moment a save shows
// its busy status, after its checks and before it writes.
class WhenStatusShows : public QObject {
public:
    WhenStatusShows(QLabel *label, QString text, std::function<void()> then)
        : m_label(label), m_text(std::move(text)), m_then(std::move(then))
    {
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_then && event->type() == QEvent::Paint && m_label->text() == m_text)
            std::exchange(m_then, nullptr)();
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel *m_label;
    QString m_text;
    std::function<void()> m_then;
};

TEST_F(FrmProductOutPatchTest, ALotTakenFromOnAnotherWorkstationAfterTheCheckIssuesNothing)
{
    open();
    fillValid();
    QLabel status;
    status.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&status));
    ModBase::SetStatusPanel(&status);
    const auto other = dao::Database::open(ModBase::DBFile, ModBase::DBPassword);
    const WhenStatusShows meanwhile(&status, QStringLiteral("系统正在进行数据登入工作，请等待..."), [&] {
        other->exec(QStringLiteral("UPDATE shijikucun SET 数量=1 WHERE 库存ID=?"), {counterLot});
    });
    dialogs.expectExact(QStringLiteral("当前入库单增加的库存已经全部出库或部分出库，不能整批出库"));
    w->CmdSave->click();
    ModBase::SetStatusPanel(nullptr);
    EXPECT_TRUE(dialogs.done());
    expectCurrentLine(3);
    EXPECT_EQ(issueLines(), 0);
    EXPECT_EQ(lotsOf(kReceipt), 4);
}

TEST_F(FrmProductOutPatchTest, AShortNumberKeptAsTypedIssuesUnderIt)
{
    open();
    fillValid();
    field(0)->setEditText(QStringLiteral("123"));
    dialogs.expect(QStringLiteral("检测到不标准的出库单号！"), Answer::No).expectExact(QStringLiteral("批量出库成功！"));
    w->CmdSave->click();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT COUNT(*) FROM shijibiandongdengji WHERE 变动标志=2 AND 单号=123")).toInt(),
              4);
    EXPECT_EQ(ModBase::OutDH, 123.0);
    EXPECT_EQ(w->GridOut->Rows(), 5);
}

TEST_F(FrmProductOutPatchTest, UndoingBatchLinesMakesTheirLotsAgain)
{
    ModBase::PSWProtect = true;
    open();
    fillValid();
    dialogs.expectExact(QStringLiteral("批量出库成功！"));
    w->CmdSave->click();
    ASSERT_EQ(w->GridOut->Rows(), 5);

    const QRect cell = w->GridOut->visualRect(w->GridOut->model()->index(2, 3));
    QTest::mouseClick(w->GridOut->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(w->CmdChData->isEnabled());
    w->GridOut->setRowSel(1); // dragged upwards from row 3
    dialogs.expectExact(QStringLiteral("确定撤消1 ～ 3行出库记录？"), Answer::Yes)
        .expectDialog(QStringLiteral("FrmCheckPSW"), password(QStringLiteral("526")));
    w->CmdChData->click();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(issueLines(), 1);
    EXPECT_EQ(lotsOf(kReceipt), 3); // each made again as its receipt line's own
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 单价 FROM shijikucun WHERE 批号='C1'")).toDouble(), 20);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 数量 FROM shijikucun WHERE 批号='D1'")).toDouble(), 1);
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 1 条记录，金额：100.00"));
    EXPECT_FALSE(w->CmdChData->isEnabled());
}

TEST_F(FrmProductOutPatchTest, TheIssueWindowsSwitchAndProposeTheNumberAnew)
{
    ModBase::IniFile = dir.file(QStringLiteral("Vialdesk.ini"));
    issues::registerWindows();
    FrmMain main;
    ModBase::OutMode = 1;
    main.DoIt(8);
    auto *patch = qobject_cast<FrmProductOutPatch *>(main.loadedWindow(QStringLiteral("FrmProductOutPatch")));
    ASSERT_NE(patch, nullptr);
    patch->CmbField[0]->setEditText(QStringLiteral("20260115999"));

    patch->CmdCGCK->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main.loadedWindow(QStringLiteral("FrmProductOutPatch")), nullptr);
    auto *regular = qobject_cast<FrmProductOut *>(main.loadedWindow(QStringLiteral("FrmProductOut")));
    ASSERT_NE(regular, nullptr);
    EXPECT_EQ(regular->CmbField[0]->currentText(), QStringLiteral("20260115001"));
    EXPECT_EQ(ModBase::OutMode, 1);

    regular->CmdPLCK->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main.loadedWindow(QStringLiteral("FrmProductOut")), nullptr);
    patch = qobject_cast<FrmProductOutPatch *>(main.loadedWindow(QStringLiteral("FrmProductOutPatch")));
    ASSERT_NE(patch, nullptr);
    EXPECT_EQ(patch->CmbField[0]->currentText(), QStringLiteral("20260115001"));
}

} // namespace
