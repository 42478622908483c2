#include "DocumentWindowFixture.h"
#include "ReceiptsFixture.h"

#include "receipts/FrmProductIn.h"
#include "shell/ModDataGrid.h"
#include "widgets/DatePicker.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

using platform::Answer;

class FrmProductInTest : public DocumentWindowFixture<FrmProductIn, ReceiptsFixture> {
protected:
    // Moves on to the next field, as Tab or Enter does.
    void leave(int i)
    {
        field(i)->setFocus();
        QWidget *next = i == 7 ? static_cast<QWidget *>(w->CmdSave) : field(i + 1);
        next->setFocus();
    }
    void key(int i, Qt::Key k) { QTest::keyClick(field(i), k); }

    QStringList listed(int col = 2) const
    {
        QStringList names;
        for (int r = 1; r < w->GridTip->Rows(); ++r)
            names << w->GridTip->TextMatrix(r, col);
        return names;
    }

    // Every field of a valid line, set without searching.
    void fillValid()
    {
        w->CmdSave->setFocus();
        ModData::ResetGrid(w->GridTip);
        const QStringList values = {QStringLiteral("20260115001"), QStringLiteral("北京医药"),
                                    QStringLiteral("F1"),          QStringLiteral("血清样本"),
                                    QStringLiteral("B1"),          QStringLiteral("5"),
                                    QStringLiteral("12.34"),       QStringLiteral("一号冰箱")};
        for (int i = 0; i < 8; ++i)
            field(i)->setEditText(values.at(i));
        ModBase::PickGYSID = 1;
        ModBase::CurSJID = 1;
    }
};

TEST_F(FrmProductInTest, OpensOnTheLatestDocumentOfToday)
{
    open();
    EXPECT_EQ(text(0), QStringLiteral("20260115001"));
    EXPECT_EQ(text(1), QString());
    EXPECT_EQ(text(2), QStringLiteral("20260115"));
    EXPECT_EQ(text(7), QString());
    EXPECT_EQ(w->DTPrq[0]->date(), QDate(2026, 1, 15));
    EXPECT_EQ(w->DTPrq[1]->date(), QDate(2026, 7, 14));
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 0 条记录，金额：0.00"));

    storeLine(1, 20260115001);
    storeLine(1, 20260115003, 1, 10.5, 2);
    storeLine(1, 20260115003, 3, 1234.25, 2);
    open();
    EXPECT_EQ(text(0), QStringLiteral("20260115003"));
    EXPECT_EQ(text(1), QStringLiteral("上海科技"));
    EXPECT_EQ(ModBase::PickGYSID, 2);
    EXPECT_EQ(text(7), QStringLiteral("一号冰箱"));
    ASSERT_EQ(w->GridIn->Rows(), 3);
    EXPECT_EQ(w->GridIn->TextMatrix(1, 3), QStringLiteral("谷丙转氨酶")); // the last entered first
    EXPECT_EQ(w->GridIn->TextMatrix(1, 11), QStringLiteral("2,468.50"));
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 2 条记录，金额：2,489.50"));
    EXPECT_FALSE(w->CmdChData->isEnabled());

    w->CmdNewDH->click();
    EXPECT_EQ(text(0), QStringLiteral("20260115004"));
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 0 条记录，金额：0.00"));
    EXPECT_EQ(focused(), QStringLiteral("CmbField_0"));
}

TEST_F(FrmProductInTest, TypedTextListsTheMatches)
{
    struct Case {
        int field;
        const char *typed;
        QStringList names;
    };
    const Case cases[] = {
        {1, "b", {QStringLiteral("北京医药"), QStringLiteral("奥'布")}},
        {1, "'", {QStringLiteral("奥'布")}},
        {1, "北", {QStringLiteral("北京医药")}},
        {3, "xj", {QStringLiteral("血清样本")}},
        {3, "血", {QStringLiteral("血清样本")}},
        {3, "试", {QStringLiteral("试剂1234")}},
        {3, "1234", {QStringLiteral("试剂1234")}},
        {3, "99999", {QStringLiteral("试剂1234")}},
        {3, "6901234567890", {QStringLiteral("血清样本")}},
        {3, "12345", {}}, // the barcode of a disabled reagent
        {3, "%", {}},
        {7, "bx", {QStringLiteral("二号冰箱"), QStringLiteral("一号冰箱")}},
    };
    open();
    for (const Case &c : cases) {
        type(c.field, QString::fromUtf8(c.typed));
        EXPECT_EQ(listed(), c.names) << c.typed;
        EXPECT_EQ(w->GridTip->Row(), c.names.isEmpty() ? 0 : 1) << c.typed;
    }

    // A single blank lists every record and leaves the field empty; emptying the field
    // again leaves the list as it was.
    type(1, QStringLiteral(" "));
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("北京医药"), QStringLiteral("奥'布"), QStringLiteral("上海科技")}));
    EXPECT_EQ(text(1), QString());
    EXPECT_EQ(w->GridTip->Tag(), QStringLiteral("Supplier"));
    type(3, QStringLiteral(" "));
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("试剂1234"), QStringLiteral("谷丙转氨酶"), QStringLiteral("血清样本")}));
    type(3, QStringLiteral("x"));
    key(3, Qt::Key_Backspace);
    EXPECT_EQ(listed(), QStringList{QStringLiteral("血清样本")});
}

TEST_F(FrmProductInTest, ArrowsMoveWithinTheListAndLeavingTakes)
{
    storeLine(1, 20260110001, 1, 8.5);
    open();
    type(3, QStringLiteral(" "));
    ASSERT_EQ(w->GridTip->Rows(), 4);
    key(3, Qt::Key_Up);
    EXPECT_EQ(w->GridTip->Row(), 1);
    for (int i = 0; i < 3; ++i)
        key(3, Qt::Key_Down);
    EXPECT_EQ(w->GridTip->Row(), 3);
    EXPECT_EQ(w->GridTip->ColSel(), w->GridTip->Cols() - 1);
    EXPECT_EQ(text(3), QString());

    leave(3);
    EXPECT_EQ(text(3), QStringLiteral("血清样本"));
    EXPECT_EQ(ModBase::CurSJID, 1);
    EXPECT_EQ(w->TxtDW->text(), QStringLiteral("盒"));
    EXPECT_EQ(text(6), QStringLiteral("8.5"));

    // A reagent never received leaves the price empty; typing empties price and unit.
    type(3, QStringLiteral("gbz"));
    EXPECT_EQ(text(6), QString());
    EXPECT_EQ(w->TxtDW->text(), QString());
    leave(3);
    EXPECT_EQ(ModBase::CurSJID, 3);
    EXPECT_EQ(text(6), QString());

    // A press on the list takes the pressed record and moves on.
    type(1, QStringLiteral("b"));
    const QRect second = w->GridTip->visualRect(w->GridTip->model()->index(1, 2));
    QTest::mouseClick(w->GridTip->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(text(1), QStringLiteral("奥'布"));
    EXPECT_EQ(ModBase::PickGYSID, 3);
    EXPECT_EQ(focused(), QStringLiteral("CmbField_2"));
}

TEST_F(FrmProductInTest, WhatANameNoRecordMatchesBecomes)
{
    open();
    dialogs.expectExact(QStringLiteral("添加新的供应商“新供应商”，到供应商列表？"), Answer::Yes);
    type(1, QStringLiteral("新供应商"));
    leave(1);
    EXPECT_EQ(count(QStringLiteral("gongyingshang")), 4);
    const dao::Result added =
        db().select(QStringLiteral("SELECT 供应商ID, 拼音码 FROM gongyingshang WHERE 供应商='新供应商'"));
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added[0].text(1), QStringLiteral("XGYS"));
    EXPECT_EQ(ModBase::PickGYSID, added[0][0].toInt());
    EXPECT_EQ(text(1), QStringLiteral("新供应商"));
    // Leaving again takes the new record instead of asking once more.
    leave(1);
    EXPECT_EQ(count(QStringLiteral("gongyingshang")), 4);
    EXPECT_EQ(ModBase::PickGYSID, added[0][0].toInt());

    dialogs.expectExact(QStringLiteral("添加新的供应商“无此公司”，到供应商列表？"), Answer::No);
    type(1, QStringLiteral("无此公司"));
    leave(1);
    EXPECT_EQ(text(1), QString());
    EXPECT_EQ(count(QStringLiteral("gongyingshang")), 4);

    type(3, QStringLiteral("不存在"));
    leave(3);
    EXPECT_EQ(text(3), QString());

    type(7, QStringLiteral("三号柜"));
    leave(7);
    EXPECT_EQ(text(7), QStringLiteral("三号柜"));
    EXPECT_TRUE(dialogs.done());
}

TEST_F(FrmProductInTest, RecentSuppliersAreThoseOfTheLastHalfYear)
{
    open();
    w->CmbCYGYS->click();
    EXPECT_EQ(listed(), QStringList());
    EXPECT_EQ(text(1), QString());

    storeLine(1, 20260110001, 1, 1, 2, QDate(2026, 1, 10));
    storeLine(1, 20250601001, 1, 1, 3, QDate(2025, 6, 1));
    storeLine(1, 20260112001, 1, 1, 1, QDate(2026, 1, 12));
    storeLine(1, 20251201001, 1, 1, 2, QDate(2025, 12, 1));
    w->CmbCYGYS->click();
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("北京医药"), QStringLiteral("上海科技")}));
    EXPECT_EQ(text(1), QStringLiteral("北京医药"));
    EXPECT_EQ(ModBase::PickGYSID, 1);
    EXPECT_EQ(focused(), QStringLiteral("CmbField_1"));
}

TEST_F(FrmProductInTest, ChecksRunInScreenOrder)
{
    struct Check {
        int field;
        const char *value;
        const char *message;
        int focus;
        const char *after; // the field's text afterwards; null: as set
    };
    const Check checks[] = {
        {0, "", "入库单号不能为空！", 0, nullptr},
        {1, " ", "供应商不能为空！\n\n请输入代码检索供应商，或点击右侧选择按钮选定", 1, "奥'布"},
        {2, "", "发票号不能为空！\n\n发票号可以是任意字符", 2, nullptr},
        {3, "", "试剂名称不能为空！\n\n请输入代码检索，或点击右侧选择按钮选定", 3, "谷丙转氨酶"},
        {4, "", "批号不能为空！", 4, nullptr},
        {5, "", "数量不能为空！", 5, nullptr},
        {5, "5kg", "请输入阿拉伯数字！", 5, ""},
        {5, "0", "入库数量必须大于零！", 5, ""},
        {5, "-3", "入库数量必须大于零！", 5, ""},
        {5, "0.004", "入库数量必须大于零！", 5, ""},
        {6, "", "单价不能为空！", 6, nullptr},
        {6, "十元", "请输入阿拉伯数字！", 6, ""},
    };
    open();
    for (const Check &c : checks) {
        fillValid();
        field(c.field)->setEditText(QString::fromUtf8(c.value));
        dialogs.expectExact(QString::fromUtf8(c.message));
        w->CmdSave->click();
        EXPECT_TRUE(dialogs.done()) << c.message;
        EXPECT_EQ(focused(), QStringLiteral("CmbField_%1").arg(c.field)) << c.message;
        if (c.after) {
            EXPECT_EQ(text(c.field), QString::fromUtf8(c.after)) << c.message;
        }
        if (c.field == 6) {
            EXPECT_EQ(text(5), QStringLiteral("5.00"));
        }
    }

    const QString question =
        QStringLiteral("检测到不标准的入库单号！\n\n标准入库单号是4位年＋2位月＋2位日＋3位编号，共11位，修改？");
    fillValid();
    field(0)->setEditText(QStringLiteral("2026011501"));
    dialogs.expectExact(question, Answer::Yes);
    w->CmdSave->click();
    EXPECT_EQ(focused(), QStringLiteral("CmbField_0"));
    EXPECT_EQ(count(QStringLiteral("shijibiandongdengji")), 0);

    dialogs.expectExact(question, Answer::No);
    w->CmdSave->click();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 单号 FROM shijibiandongdengji")).toLongLong(), 2026011501);
    EXPECT_EQ(text(6), QString());
    EXPECT_TRUE(dialogs.done());
}

TEST_F(FrmProductInTest, SavedLinesJoinTheDocument)
{
    open();
    type(1, QStringLiteral("bj"));
    leave(1);
    type(2, QStringLiteral("FP-01"));
    type(3, QStringLiteral("xj"));
    leave(3);
    type(4, QStringLiteral("B1"));
    type(5, QStringLiteral("1,234.50"));
    type(6, QStringLiteral("2"));
    type(7, QStringLiteral("一号"));
    leave(7);
    w->CmdSave->click();

    ASSERT_EQ(count(QStringLiteral("shijibiandongdengji")), 1);
    const dao::Result r = db().select(QStringLiteral(
        "SELECT 登记ID, 单号, 发票号, 试剂ID, 批号, 数量, 单价, 供应商ID, 操作者ID, 存放地点 FROM shijibiandongdengji"));
    EXPECT_EQ(r[0][1].toLongLong(), 20260115001);
    EXPECT_EQ(r[0].text(2), QStringLiteral("FP-01"));
    EXPECT_EQ(r[0][3].toInt(), 1);
    EXPECT_EQ(r[0].text(4), QStringLiteral("B1"));
    EXPECT_DOUBLE_EQ(r[0][5].toDouble(), 1234.5);
    EXPECT_DOUBLE_EQ(r[0][6].toDouble(), 2);
    EXPECT_EQ(r[0][7].toInt(), 1);
    EXPECT_EQ(r[0][8].toInt(), 1);
    EXPECT_EQ(r[0].text(9), QStringLiteral("一号冰箱"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 入库ID FROM shijikucun")).toString(), r[0].text(0));

    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 1 条记录，金额：2,469.00"));
    EXPECT_EQ(w->GridIn->TextMatrix(1, 11), QStringLiteral("2,469.00"));
    EXPECT_EQ(text(3), QString());
    EXPECT_EQ(text(5), QString());
    EXPECT_EQ(text(6), QString());
    EXPECT_EQ(w->TxtDW->text(), QString());
    EXPECT_EQ(text(4), QStringLiteral("B1"));
    EXPECT_EQ(text(1), QStringLiteral("北京医药"));
    EXPECT_EQ(focused(), QStringLiteral("CmbField_3"));

    type(3, QStringLiteral("1234"));
    leave(3);
    type(5, QStringLiteral("3"));
    type(6, QStringLiteral("0"));
    w->CmdSave->click();
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 2 条记录，金额：2,469.00"));
    EXPECT_EQ(w->GridIn->TextMatrix(1, 3), QStringLiteral("试剂1234"));

    w->CmdNewDH->click();
    type(3, QStringLiteral("xj"));
    leave(3);
    type(5, QStringLiteral("1"));
    type(6, QStringLiteral("7.5"));
    w->CmdSave->click();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT MAX(单号) FROM shijibiandongdengji")).toLongLong(), 20260115002);
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 1 条记录，金额：7.50"));
    EXPECT_EQ(count(QStringLiteral("shijikucun")), 3);
}

TEST_F(FrmProductInTest, PrintHandsOverTheDocument)
{
    open();
    EXPECT_FALSE(w->PrintHandOff());
    EXPECT_TRUE(ModBase::PrintKind.isEmpty());

    storeLine(1, 20260115001, 1, 10.5);
    storeLine(1, 20260115001, 3, 2);
    open();
    ASSERT_TRUE(w->PrintHandOff());
    EXPECT_EQ(ModBase::PrintTitle, QStringLiteral("单号“20260115001”试剂入库报表"));
    EXPECT_EQ(ModBase::PrintKind, QStringLiteral("RegIn"));
    EXPECT_EQ(ModBase::PrintGrid.header,
              (QStringList{QStringLiteral("登记ID"), QStringLiteral("登记日期"), QStringLiteral("品名"),
                           QStringLiteral("规格"), QStringLiteral("批号"), QStringLiteral("厂商"),
                           QStringLiteral("数量"), QStringLiteral("单位"), QStringLiteral("单价"),
                           QStringLiteral("金额")}));
    ASSERT_EQ(ModBase::PrintGrid.rowCount(), 2);
    EXPECT_EQ(ModBase::PrintGrid.rows.at(0).size(), 10);
    EXPECT_EQ(ModBase::PrintGrid.text(0, 2), QStringLiteral("谷丙转氨酶"));
    EXPECT_EQ(ModBase::PrintGrid.text(1, 9), QStringLiteral("21.00"));
    EXPECT_EQ(ModBase::PrintTotal.units, 250000);
}

TEST_F(FrmProductInTest, PrintOpensThePreviewOfTheDocument)
{
    open();
    w->CmdPrint->click(); // no line: nothing opens

    storeLine(1, 20260115001, 1, 10.5);
    open();
    QLabel status;
    ModBase::SetStatusPanel(&status);
    dialogs.expectDialog(QStringLiteral("FrmPrint"), [&status](QDialog *d) {
        EXPECT_EQ(d->findChild<QComboBox *>(QStringLiteral("CombPage"))->count(), 1);
        EXPECT_EQ(status.text(), QStringLiteral("正在准备打印输出，请等待..."));
        return QDialog::Rejected;
    });
    w->CmdPrint->click();
    EXPECT_EQ(status.text(), QStringLiteral("待命"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ModBase::SetStatusPanel(nullptr);
    EXPECT_EQ(ModBase::PageCount, 1);
    EXPECT_EQ(ModBase::PrintColCount, 9);
}

TEST_F(FrmProductInTest, AnEntryDateOfAnotherYearIsQuestioned)
{
    open();
    const QString warning =
        QStringLiteral("您输入的年份可能有误！请检查...") + QString(11, u' ') + QStringLiteral("\n\n返回修改？");
    w->DTPrq[0]->setDate(QDate(2025, 12, 30));
    w->DTPrq[0]->setFocus();
    dialogs.expectExact(warning, Answer::Ok);
    field(0)->setFocus();
    EXPECT_EQ(focused(), QStringLiteral("DTPrq_0"));
    dialogs.expectExact(warning, Answer::Cancel);
    field(0)->setFocus();
    EXPECT_EQ(focused(), QStringLiteral("CmbField_0"));
    EXPECT_EQ(w->DTPrq[0]->date(), QDate(2025, 12, 30));
    EXPECT_TRUE(dialogs.done());
}

TEST_F(FrmProductInTest, TheCataloguesPickFillsTheLine)
{
    open();
    type(3, QStringLiteral("xj"));
    w->PickReagent(3, QStringLiteral("谷丙转氨酶"), QStringLiteral("瓶"));
    EXPECT_EQ(ModBase::CurSJID, 3);
    EXPECT_EQ(text(3), QStringLiteral("谷丙转氨酶"));
    EXPECT_EQ(w->TxtDW->text(), QStringLiteral("瓶"));
    EXPECT_EQ(focused(), QStringLiteral("CmbField_4"));
    EXPECT_EQ(w->GridTip->Tag(), QString());
}

} // namespace

TEST_F(FrmProductInTest, ReversedLinesLeaveTheDocument)
{
    StoreBuilder::Line line{.number = 20260115001, .reagent = 1, .quantity = 2, .price = 10, .supplier = 1, .user = 1};
    store.receipt(line);
    line.reagent = 3;
    const qint64 issued = store.receipt(line);
    db().exec(QStringLiteral("UPDATE shijikucun SET 数量=1 WHERE 入库ID=?"), {QString::number(issued)});
    open();
    ASSERT_EQ(w->GridIn->Rows(), 3);
    const QRect cell = w->GridIn->visualRect(w->GridIn->model()->index(1, 3));
    QTest::mouseClick(w->GridIn->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(w->CmdChData->isEnabled());
    w->GridIn->setRowSel(1); // dragged upwards from row 2

    dialogs.expectExact(QStringLiteral("确定撤消1 ～ 2行入库记录？"), Answer::Yes);
    dialogs.expect(QStringLiteral("试剂“谷丙转氨酶”已经部分出库！"));
    w->CmdChData->click();
    EXPECT_TRUE(dialogs.done());
    ASSERT_EQ(w->GridIn->Rows(), 2);
    EXPECT_EQ(w->GridIn->TextMatrix(1, 3), QStringLiteral("谷丙转氨酶"));
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 1 条记录，金额：20.00"));
    EXPECT_EQ(count(QStringLiteral("shijikucun")), 1);
    EXPECT_FALSE(w->CmdChData->isEnabled());
}
