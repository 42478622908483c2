#include "DocumentWindowFixture.h"
#include "IssueFixture.h"
#include "PasswordPrompt.h"

#include "issues/FrmProductOut.h"
#include "widgets/DatePicker.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

using platform::Answer;

class FrmProductOutTest : public DocumentWindowFixture<FrmProductOut, IssueFixture> {
protected:
    // Moves on to the next field, as Tab or Enter does.
    void leave(int i)
    {
        field(i)->setFocus();
        (i == 5 ? static_cast<QWidget *>(w->CmdSave) : field(i + 1))->setFocus();
    }
    QStringList listed(int col) const
    {
        QStringList names;
        for (int r = 1; r < w->GridTip->Rows(); ++r)
            names << w->GridTip->TextMatrix(r, col);
        return names;
    }

    // A line ready to save: department, claimant and the serum's earliest lot taken.
    void fillValid()
    {
        field(1)->setEditText(QStringLiteral("检验科"));
        field(2)->setEditText(QStringLiteral("张三"));
        type(3, QStringLiteral("xjys"));
        leave(3);
    }
};

TEST_F(FrmProductOutTest, OpensOnTheLatestDocumentWithTheLatestClaim)
{
    ModBase::NoPriceCheck = true;
    open();
    EXPECT_EQ(text(0), QStringLiteral("20260115001"));
    EXPECT_EQ(ModBase::OutDH, 20260115001.0);
    EXPECT_EQ(w->DTPrq->date(), today());
    EXPECT_EQ(text(1), QString());
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 0 条记录，金额：0.00"));
    EXPECT_TRUE(w->CmbField[5]->isHidden());
    EXPECT_TRUE(w->lblLabels[6]->isHidden());
    EXPECT_TRUE(w->Label1[6]->isHidden());
    EXPECT_TRUE(w->lblTipLKC->isHidden());
    EXPECT_FALSE(w->CmdChData->isEnabled());

    store.line({.flag = 2, .number = 20260115002, .reagent = serum, .quantity = 2, .price = 10.5,
                .department = QStringLiteral("检验科"), .claimant = QStringLiteral("张三")});
    store.line({.flag = 2, .number = 20260115002, .reagent = counter, .quantity = 1, .price = 1234.25,
                .department = QStringLiteral("急诊科"), .claimant = QStringLiteral("李四")});
    store.line({.flag = 3, .number = 20260115009, .reagent = counter, .department = QStringLiteral("报损科")});
    ModBase::NoPriceCheck = false;
    open();
    EXPECT_EQ(text(0), QStringLiteral("20260115002"));
    EXPECT_EQ(text(1), QStringLiteral("急诊科"));
    EXPECT_EQ(text(2), QStringLiteral("李四"));
    EXPECT_FALSE(w->CmbField[5]->isHidden());
    ASSERT_EQ(w->GridOut->Rows(), 3);
    EXPECT_EQ(w->GridOut->TextMatrix(1, 3), QStringLiteral("血细胞计数")); // newest first
    EXPECT_EQ(w->GridOut->TextMatrix(1, 11), QStringLiteral("1,234.25"));
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 2 条记录，金额：1,255.25"));
    EXPECT_EQ(w->GridOut->TextMatrix(0, 2), QStringLiteral("登记日期")); // headers are the bare field names
    EXPECT_EQ(w->GridP->Cols(), 20);
    EXPECT_EQ(w->GridP->TextMatrix(0, 5), QStringLiteral("厂商"));

    w->CmdNewDH->click();
    EXPECT_EQ(text(0), QStringLiteral("20260115003"));
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 0 条记录，金额：0.00"));
    EXPECT_EQ(focused(), QStringLiteral("CmbField_0"));
}

TEST_F(FrmProductOutTest, EachLookUpFieldSearchesByTheKeyRule)
{
    struct Case {
        int field;
        const char *typed;
        QStringList listed; // the name column
        const char *tag;
    };
    const QStringList earlyFirst = {QStringLiteral("血清样本"), QStringLiteral("血清样本")};
    const Case cases[] = {
        {1, " ", {QStringLiteral("检验科"), QStringLiteral("急诊科"), QStringLiteral("奥'布")}, "Department"},
        {1, "jz", {QStringLiteral("急诊科")}, "Department"},
        {1, "检", {QStringLiteral("检验科")}, "Department"},
        {1, "'", {QStringLiteral("奥'布")}, "Department"},
        {2, " ", {QStringLiteral("李四"), QStringLiteral("张三")}, "Handling"},
        {2, "zs", {QStringLiteral("张三")}, "Handling"},
        {3, "xj", earlyFirst, "Inventory"},
        {3, "血", {QStringLiteral("血清样本"), QStringLiteral("血清样本"), QStringLiteral("血细胞计数")}, "Inventory"},
        {3, "1234", {QStringLiteral("试剂1234")}, "Inventory"},          // four digits: pinyin
        {3, "6901234567890", earlyFirst, "Inventory"},                  // a barcode
        {3, "'", {}, "Inventory"},
        {3, " ", {QStringLiteral("试剂1234"), QStringLiteral("血清样本"), QStringLiteral("血清样本"),
                  QStringLiteral("血细胞计数")}, "Inventory"},
    };
    open();
    for (const Case &c : cases) {
        type(c.field, QString::fromUtf8(c.typed));
        const int col = c.field == 3 ? 3 : 2;
        EXPECT_EQ(listed(col), c.listed) << c.typed;
        EXPECT_EQ(w->GridTip->Tag(), QString::fromLatin1(c.tag)) << c.typed;
    }
    // Lots of one reagent come earliest expiry first; a blank in the reagent field is
    // cleared, in the department field it stays until a record is taken.
    type(3, QStringLiteral("xj"));
    EXPECT_EQ(w->GridTip->TextMatrix(1, 5), QStringLiteral("B1"));
    type(3, QStringLiteral(" "));
    EXPECT_EQ(text(3), QString());
    type(1, QStringLiteral(" "));
    EXPECT_EQ(text(1), QStringLiteral(" "));

    // An empty field leaves the list as it was.
    type(2, QStringLiteral("zs"));
    type(2, QString());
    EXPECT_EQ(listed(2), QStringList{QStringLiteral("张三")});
}

TEST_F(FrmProductOutTest, LeavingAFieldTakesTheRecordOrDealsWithTheText)
{
    open();
    type(1, QStringLiteral("jy"));
    leave(1);
    EXPECT_EQ(text(1), QStringLiteral("检验科"));

    // A new department: Yes adds it with its pinyin code, No keeps the text unadded.
    type(1, QStringLiteral("病理科"));
    dialogs.expectExact(QStringLiteral("添加新的认领部门“病理科”，到认领部门列表？"), Answer::No);
    leave(1);
    EXPECT_EQ(text(1), QStringLiteral("病理科"));
    EXPECT_EQ(count(QStringLiteral("renlingbumen")), 3);
    type(1, QStringLiteral("病理科"));
    dialogs.expectExact(QStringLiteral("添加新的认领部门“病理科”，到认领部门列表？"), Answer::Yes);
    leave(1);
    EXPECT_EQ(text(1), QStringLiteral("病理科"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 拼音码 FROM renlingbumen WHERE 认领部门='病理科'")).toString(),
              QStringLiteral("BLK"));

    type(2, QStringLiteral("王五"));
    dialogs.expectExact(QStringLiteral("添加新的认领人“王五”，到认领人列表？"), Answer::No);
    leave(2);
    EXPECT_EQ(text(2), QStringLiteral("王五"));

    // A reagent text that matches no lot is cleared.
    type(3, QStringLiteral("zzz"));
    leave(3);
    EXPECT_EQ(text(3), QString());
}

TEST_F(FrmProductOutTest, TakingALotProposesTheLine)
{
    ModBase::OutRate = 1.1f;
    store.line({.flag = 2, .reagent = serum, .quantity = 2});
    open();
    type(3, QStringLiteral("xj"));
    QTest::keyClick(field(3), Qt::Key_Down);
    leave(3);
    EXPECT_EQ(text(3), QStringLiteral("血清样本"));
    EXPECT_EQ(w->TxtDW->text(), QStringLiteral("盒"));
    EXPECT_EQ(text(5), QStringLiteral("11.00")); // the later lot, price 10
    EXPECT_EQ(w->UpDownSL->maximum(), 10);
    EXPECT_EQ(text(4), QStringLiteral("2"));
    EXPECT_EQ(ModBase::CurSJID, serum);
    EXPECT_EQ(ModBase::PickGYSID, supplier);

    // The spinner sets the quantity and moves the focus there.
    w->UpDownSL->stepUp();
    EXPECT_EQ(text(4), QStringLiteral("3"));
    EXPECT_EQ(focused(), QStringLiteral("CmbField_4"));

    // The list button shows every lot by name and takes the first.
    w->CmdQBSJ->click();
    EXPECT_EQ(text(3), QStringLiteral("试剂1234"));
    EXPECT_EQ(text(4), QStringLiteral("1"));
    EXPECT_EQ(focused(), QStringLiteral("CmbField_3"));
}

TEST_F(FrmProductOutTest, TheChecksRefuseInScreenOrder)
{
    struct Case {
        const char *name;
        int field;
        const char *value;
        const char *message;
        const char *focus;
        const char *after; // the field's text after the refusal
    };
    const Case cases[] = {
        {"no number", 0, "", "出库单号不能为空！", "CmbField_0", ""},
        {"no department", 1, " ", "认领部门不能为空！\n\n请输入代码检索认领部门，或点击右侧选择按钮选定", "CmbField_1",
         "奥'布"},
        {"no claimant", 2, "", "认领人不能为空！\n\n请输入代码检索认领人，或点击右侧选择按钮选定", "CmbField_2", "李四"},
        {"no reagent", 3, "", "试剂名称不能为空！\n\n请输入代码检索，或点击右侧选择按钮选定", "CmbField_3", "试剂1234"},
        {"no quantity", 4, "", "数量不能为空！", "CmbField_4", ""},
        {"letters", 4, "abc", "请输入阿拉伯数字！", "CmbField_4", ""},
        {"zero", 4, "0", "出库数量必须大于零！", "CmbField_4", ""},
        {"negative", 4, "-1", "出库数量必须大于零！", "CmbField_4", ""},
        {"more than the lot", 4, "3", "当前库存数量为：2.5，出库数量不能大于库存数量！", "CmbField_4", ""},
        {"no price", 5, "", "出库价不能为空！", "CmbField_5", ""},
        {"price letters", 5, "x", "请输入阿拉伯数字！", "CmbField_5", ""},
    };
    for (const Case &c : cases) {
        open();
        fillValid();
        field(c.field)->setEditText(QString::fromUtf8(c.value));
        dialogs.expectExact(QString::fromUtf8(c.message));
        w->CmdSave->click();
        EXPECT_TRUE(dialogs.done()) << c.name;
        EXPECT_EQ(focused(), QString::fromLatin1(c.focus)) << c.name;
        EXPECT_EQ(text(c.field), QString::fromUtf8(c.after)) << c.name;
        EXPECT_EQ(issueLines(), 0) << c.name;
    }
}

TEST_F(FrmProductOutTest, TheQuantityIsFormattedBeforeTheStockCheck)
{
    open();
    fillValid();
    field(4)->setEditText(QStringLiteral("2"));
    field(5)->setEditText(QStringLiteral("1234"));
    w->CmdSave->click();
    const dao::Result r = db().select(QStringLiteral("SELECT 数量, 单价 FROM shijibiandongdengji WHERE 变动标志=2"));
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0][0].toDouble(), 2);
    EXPECT_EQ(r[0][1].toDouble(), 1234);

    // The whole lot passes: 2.5 less the 2 saved leaves 0.5.
    type(3, QStringLiteral("xjys"));
    leave(3);
    EXPECT_EQ(text(4), QStringLiteral("0.5"));
    w->CmdSave->click();
    EXPECT_EQ(issueLines(), 2);
    EXPECT_TRUE(lotQuantity(serumEarly).isNull());
}

TEST_F(FrmProductOutTest, AnExpiredLotAsksFirst)
{
    db().exec(QStringLiteral("UPDATE shijikucun SET 有效期='2026-01-15' WHERE 库存ID=?"), {serumEarly});
    const QString question =
        QStringLiteral("试剂已过期！\n\n请勿使用过期试剂，建议使用“试剂报损”功能报损本条试剂\n\n确定出库？");
    open();
    fillValid();
    dialogs.expectExact(question, Answer::No);
    w->CmdSave->click();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("出库日期：2026-01-15"));
    EXPECT_EQ(dialogs.shown().last().defaultButton, Answer::No);
    EXPECT_EQ(focused(), QStringLiteral("CmbField_3"));
    EXPECT_EQ(issueLines(), 0);

    dialogs.expectExact(question, Answer::Yes);
    w->CmdSave->click();
    EXPECT_EQ(issueLines(), 1);
}

TEST_F(FrmProductOutTest, AnOddNumberIsSavedAsTypedWhenTheUserSaysSo)
{
    const QString question =
        QStringLiteral("检测到不标准的出库单号！\n\n标准出库单号是4位年＋2位月＋2位日＋3位编号，共11位，修改？");
    open();
    fillValid();
    field(0)->setEditText(QStringLiteral("2026011500"));
    dialogs.expectExact(question, Answer::Yes);
    w->CmdSave->click();
    EXPECT_EQ(focused(), QStringLiteral("CmbField_0"));
    EXPECT_EQ(issueLines(), 0);

    dialogs.expectExact(question, Answer::No);
    w->CmdSave->click();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 单号 FROM shijibiandongdengji WHERE 变动标志=2")).toLongLong(),
              2026011500LL);
    EXPECT_EQ(ModBase::OutDH, 2026011500.0);
    EXPECT_EQ(text(0), QStringLiteral("2026011500"));
}

TEST_F(FrmProductOutTest, ASaveWritesTheLineAndShowsTheRest)
{
    db().exec(QStringLiteral("UPDATE shijijibenxinxi SET 库存低限=20 WHERE 试剂ID=?"), {serum});
    open();
    // The tip takes the room kept for it: the pick side asks for no more, whatever the
    // font, so the entry fields beside it stay where they stand.
    const QSize side = w->Frame3->sizeHint();
    const QPoint reagent = field(3)->mapTo(w, QPoint(0, 0));
    fillValid();
    field(4)->setEditText(QStringLiteral("1"));
    w->CmdSave->click();
    QApplication::processEvents();
    EXPECT_EQ(w->Frame3->sizeHint(), side);
    EXPECT_EQ(field(3)->mapTo(w, QPoint(0, 0)), reagent);
    EXPECT_EQ(lotQuantity(serumEarly).toDouble(), 1.5);
    EXPECT_EQ(w->GridTip->TextMatrix(1, 9), QStringLiteral("1.5"));
    EXPECT_FALSE(w->lblTipLKC->isHidden());
    EXPECT_EQ(w->lblTipLKC->text(), QStringLiteral("提示：“血清样本”库存为：11.5，低于库存低限：20"));
    EXPECT_EQ(text(3), QString());
    EXPECT_EQ(text(4), QString());
    EXPECT_EQ(w->TxtDW->text(), QString());
    EXPECT_EQ(text(1), QStringLiteral("检验科"));
    EXPECT_EQ(focused(), QStringLiteral("CmbField_3"));
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 1 条记录，金额：8.00"));

    // The last lot of a reagent: gone from the store, its cell 0, the tip says so.
    type(3, QStringLiteral("a1234"));
    leave(3);
    w->CmdSave->click();
    EXPECT_TRUE(lotQuantity(digitsLot).isNull());
    EXPECT_EQ(w->GridTip->TextMatrix(1, 9), QStringLiteral("0"));
    EXPECT_EQ(w->lblTipLKC->text(), QStringLiteral("提示：“试剂1234”已没有库存！"));
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 2 条记录，金额：11.00"));
}

TEST_F(FrmProductOutTest, AnotherWorkstationsIssueIsNoticedAtTheSave)
{
    open();
    fillValid();
    field(4)->setEditText(QStringLiteral("2"));
    db().exec(QStringLiteral("UPDATE shijikucun SET 数量=1 WHERE 库存ID=?"), {serumEarly});
    dialogs.expectExact(QStringLiteral("当前库存数量为：1，出库数量不能大于库存数量！"));
    w->CmdSave->click();
    EXPECT_EQ(focused(), QStringLiteral("CmbField_4"));
    EXPECT_EQ(issueLines(), 0);
    EXPECT_EQ(w->GridTip->TextMatrix(1, 9), QStringLiteral("2.5")); // unchanged without a commit

    db().exec(QStringLiteral("DELETE FROM shijikucun WHERE 库存ID=?"), {serumEarly});
    field(4)->setEditText(QStringLiteral("1"));
    dialogs.expect(QStringLiteral("所选库存批次已不存在"));
    w->CmdSave->click();
    EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("Dr. Watson"));
    EXPECT_EQ(issueLines(), 0);
    EXPECT_EQ(text(3), QStringLiteral("血清样本")); // the fields keep their content
    EXPECT_EQ(text(4), QStringLiteral("1.00"));
}

TEST_F(FrmProductOutTest, UndoTakesBackTheSelectedLinesAfterOneQuestionAndOnePassword)
{
    ModBase::PSWProtect = true;
    issueFrom(serumLate, 4);
    issueFrom(counterLot, 5); // its lot is used up and gone
    issueFrom(digitsLot, 0.5);
    issueFrom(serumEarly, 1, 20260114001); // another document stays
    open();
    ASSERT_EQ(w->GridOut->Rows(), 4);
    const QRect cell = w->GridOut->visualRect(w->GridOut->model()->index(2, 3));
    QTest::mouseClick(w->GridOut->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(w->CmdChData->isEnabled());
    w->GridOut->setRowSel(1); // dragged upwards from row 3

    dialogs.expectExact(QStringLiteral("确定撤消1 ～ 3行出库记录？"), Answer::Yes)
        .expectDialog(QStringLiteral("FrmCheckPSW"), password(QStringLiteral("526")));
    w->CmdChData->click();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(issueLines(), 1);
    EXPECT_EQ(lotQuantity(serumLate).toDouble(), 10);
    EXPECT_EQ(lotQuantity(digitsLot).toDouble(), 1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 数量 FROM shijikucun WHERE 试剂ID=?"), {counter}).toDouble(), 5);
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 0 条记录，金额：0.00"));
    EXPECT_FALSE(w->CmdChData->isEnabled());
    EXPECT_EQ(w->GridTip->Tag(), QStringLiteral("Inventory")); // every lot listed, the first taken
    EXPECT_EQ(text(3), w->GridTip->TextMatrix(1, 3));

    // No ends it before the password.
    issueFrom(serumLate, 1);
    w->ShowLastOut();
    QTest::mouseClick(w->GridOut->viewport(), Qt::LeftButton, {}, cell.center());
    w->GridOut->setRow(1);
    dialogs.expectExact(QStringLiteral("确定撤消第1行出库记录？"), Answer::No);
    w->CmdChData->click();
    EXPECT_EQ(issueLines(), 2);
}

TEST_F(FrmProductOutTest, PrintHandsTheDocumentToThePreview)
{
    open();
    w->CmdPrint->click(); // no line: nothing opens
    EXPECT_TRUE(dialogs.done());

    issueFrom(serumLate, 2);
    issueFrom(counterLot, 1);
    w->ShowLastOut();
    QLabel status;
    ModBase::SetStatusPanel(&status);
    dialogs.expectDialog(QStringLiteral("FrmPrint"), [&status](QDialog *) {
        EXPECT_EQ(status.text(), QStringLiteral("正在准备打印输出，请等待..."));
        return int(QDialog::Rejected);
    });
    w->CmdPrint->click();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(status.text(), QStringLiteral("待命"));
    ModBase::SetStatusPanel(nullptr);
    EXPECT_EQ(ModBase::PrintTitle, QStringLiteral("单号“20260115001”试剂出库报表"));
    EXPECT_EQ(ModBase::PrintKind, QStringLiteral("RegOut"));
    ASSERT_EQ(ModBase::PrintGrid.rowCount(), 2);
    EXPECT_EQ(ModBase::PrintGrid.rows.at(0).size(), 10);
    EXPECT_EQ(ModBase::PrintGrid.text(0, 2), QStringLiteral("血细胞计数"));
    EXPECT_EQ(ModBase::PrintTotal.toDouble(), 40);
}

} // namespace
