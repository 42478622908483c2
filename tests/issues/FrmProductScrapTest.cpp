#include "DocumentWindowFixture.h"
#include "IssueFixture.h"
#include "PasswordPrompt.h"

#include "issues/FrmProductScrap.h"
#include "widgets/DatePicker.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

using platform::Answer;

class FrmProductScrapTest : public DocumentWindowFixture<FrmProductScrap, IssueFixture> {
protected:
    void SetUp() override
    {
        IssueFixture::SetUp();
        ModBase::SXDays = 30;
    }

    QStringList listedBatches() const
    {
        QStringList batches;
        for (int r = 1; r < w->GridTip->Rows(); ++r)
            batches << w->GridTip->TextMatrix(r, 5);
        return batches;
    }
    // Department and claimant, and a lot taken by its reagent's pinyin code and its row.
    void fill(const QString &pinyin, int row = 1)
    {
        field(1)->setEditText(QStringLiteral("检验科"));
        field(2)->setEditText(QStringLiteral("张三"));
        typeInto(field(3), pinyin);
        for (int r = 1; r < row; ++r)
            QTest::keyClick(field(3), Qt::Key_Down);
        field(4)->setFocus();
    }
    qint64 scrapLines()
    {
        return db().scalar(QStringLiteral("SELECT COUNT(*) FROM shijibiandongdengji WHERE 变动标志=3")).toLongLong();
    }
};

TEST_F(FrmProductScrapTest, OpensOnTheLatestScrapDocumentWithItsClaimAndReasons)
{
    open();
    EXPECT_EQ(text(0), QStringLiteral("20260115001"));
    EXPECT_EQ(ModBase::BSDH, 20260115001.0);
    EXPECT_EQ(w->DTPrq->date(), today());
    EXPECT_EQ(text(1), QString());
    EXPECT_EQ(text(6), QStringLiteral("过期"));
    const QStringList reasons = {QString(), QStringLiteral("过期"), QStringLiteral("变质"),
                                 QStringLiteral("包装破损报废")};
    ASSERT_EQ(field(6)->count(), reasons.size());
    for (int i = 0; i < reasons.size(); ++i)
        EXPECT_EQ(field(6)->itemText(i), reasons.at(i));
    EXPECT_TRUE(w->lblTipLKC->isHidden());
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 0 条记录，金额：0.00"));

    // The scrap series and its latest line, not the issue ones.
    store.line({.flag = 3, .number = 20260115004, .reagent = serum, .quantity = 2, .price = 8,
                .department = QStringLiteral("检验科"), .claimant = QStringLiteral("张三")});
    store.line({.flag = 2, .number = 20260115009, .reagent = counter, .department = QStringLiteral("急诊科"),
                .claimant = QStringLiteral("李四")});
    open();
    EXPECT_EQ(text(0), QStringLiteral("20260115004"));
    EXPECT_EQ(text(1), QStringLiteral("检验科"));
    EXPECT_EQ(text(2), QStringLiteral("张三"));
    ASSERT_EQ(w->GridOut->Rows(), 2);
    EXPECT_EQ(w->GridOut->TextMatrix(0, 17), QStringLiteral("报损原因"));
    EXPECT_EQ(w->GridOut->TextMatrix(0, 19), QStringLiteral("入库ID"));
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 1 条记录，金额：16.00"));
    EXPECT_EQ(w->GridP->TextMatrix(0, 17), QStringLiteral("报损原因"));

    w->CmdNewDH->click();
    EXPECT_EQ(text(0), QStringLiteral("20260115005"));
    EXPECT_EQ(focused(), QStringLiteral("CmbField_0"));
}

TEST_F(FrmProductScrapTest, TheExpiryListsAroundTodayAndTheWarningDays)
{
    // B2 expired yesterday, B1 expires today, C1 on the last warning day, D1 the day after.
    const std::pair<qint64, int> expiries[] = {{serumLate, -1}, {serumEarly, 0}, {counterLot, 30}, {digitsLot, 31}};
    for (const auto &[lot, days] : expiries)
        db().exec(QStringLiteral("UPDATE shijikucun SET 有效期=? WHERE 库存ID=?"), {today().addDays(days), lot});
    struct Case {
        const char *name;
        QPushButton *FrmProductScrap::*list;
        QStringList batches; // by reagent name, then expiry
    };
    const Case cases[] = {
        {"expired", &FrmProductScrap::CmdQYGQ, {QStringLiteral("B2"), QStringLiteral("B1")}},
        {"expiring", &FrmProductScrap::CmdQJGQ, {QStringLiteral("B1"), QStringLiteral("C1")}},
    };
    open();
    for (const Case &c : cases) {
        typeInto(field(3), QStringLiteral("a1234"));
        field(4)->setFocus(); // a lot taken, the fields filled
        (w->*c.list)->click();
        EXPECT_EQ(listedBatches(), c.batches) << c.name;
        EXPECT_EQ(w->GridTip->Tag(), QStringLiteral("Inventory")) << c.name;
        // The first listed lot is taken at once, the whole row selected.
        EXPECT_EQ(text(3), w->GridTip->TextMatrix(1, 3)) << c.name;
        EXPECT_EQ(text(4), w->GridTip->TextMatrix(1, 9)) << c.name;
        EXPECT_EQ(w->GridTip->ColSel(), w->GridTip->Cols() - 1) << c.name;
        EXPECT_EQ(focused(), QStringLiteral("CmbField_3")) << c.name;
    }

    // No expired lot: an empty list and empty fields.
    db().exec(QStringLiteral("UPDATE shijikucun SET 有效期=? WHERE 库存ID IN (?, ?)"),
              {today().addDays(1), serumLate, serumEarly});
    w->CmdQYGQ->click();
    EXPECT_EQ(listedBatches(), QStringList());
    for (int i : {3, 4, 5})
        EXPECT_EQ(text(i), QString()) << i;
    EXPECT_EQ(w->TxtDW->text(), QString());
}

TEST_F(FrmProductScrapTest, TakingALotProposesTheWholeLotAtItsPrice)
{
    db().exec(QStringLiteral("UPDATE shijikucun SET 数量=0.4 WHERE 库存ID=?"), {digitsLot});
    open();
    fill(QStringLiteral("xjys")); // B1: 2.5 at 8
    EXPECT_EQ(text(3), QStringLiteral("血清样本"));
    EXPECT_EQ(text(4), QStringLiteral("2.5"));
    EXPECT_EQ(text(5), QStringLiteral("8"));
    EXPECT_EQ(w->UpDownSL->maximum(), 2);
    EXPECT_EQ(w->UpDownSL->value(), 2);
    EXPECT_EQ(ModBase::CurSJID, serum);

    fill(QStringLiteral("a1234"));
    EXPECT_EQ(text(4), QStringLiteral("0.4"));
    EXPECT_EQ(w->UpDownSL->maximum(), 1);
    EXPECT_EQ(w->UpDownSL->value(), 1);
}

TEST_F(FrmProductScrapTest, TheChecksRefuseInScreenOrder)
{
    struct Case {
        const char *name;
        int field;
        const char *value;
        const char *message;
        const char *after; // the field's text after the refusal
    };
    const Case cases[] = {
        {"no number", 0, "", "报损单号不能为空！", ""},
        {"no department", 1, "", "认领部门不能为空！\n\n请输入代码检索认领部门，或点击右侧选择按钮选定", "奥'布"},
        {"no reagent", 3, "", "试剂名称不能为空！\n\n请输入代码检索，或点击右侧选择按钮选定", ""},
        {"letters", 4, "abc", "请输入阿拉伯数字！", ""},
        {"zero", 4, "0", "报损数量必须大于零！", ""},
        {"more than the lot", 4, "2.51", "当前库存数量为：2.5，报损数量不能大于库存数量！", ""},
        {"no price", 5, " ", "报损价不能为空！", " "},
    };
    for (const Case &c : cases) {
        open();
        fill(QStringLiteral("xjys"));
        field(c.field)->setEditText(QString::fromUtf8(c.value));
        dialogs.expectExact(QString::fromUtf8(c.message));
        w->CmdSave->click();
        EXPECT_TRUE(dialogs.done()) << c.name;
        EXPECT_EQ(focused(), QStringLiteral("CmbField_%1").arg(c.field)) << c.name;
        EXPECT_EQ(text(c.field), QString::fromUtf8(c.after)) << c.name;
        EXPECT_EQ(scrapLines(), 0) << c.name;
    }
}

TEST_F(FrmProductScrapTest, SavingALine)
{
    struct Case {
        const char *name;
        const char *pinyin;
        int row;
        const char *quantity;
        const char *reason;
        QVariant left;      // the lot afterwards; Null: deleted
        const char *saved;  // 数量 of the record
        bool tip;           // the no-stock tip shown
    };
    const Case cases[] = {
        {"part of a lot", "xjys", 2, "4", "变质", 6.0, "4", false},
        {"a whole lot, not the reagent's last", "xjys", 1, "2.5", "过期", QVariant(), "2.5", false},
        {"the reagent's last lot", "a1234", 1, "1", "过期", QVariant(), "1", true},
        {"a quantity that shows as 0.00", "xxbjs", 1, "0.004", "", 5.0, "0", false},
    };
    open();
    const qint64 lots[] = {serumLate, serumEarly, digitsLot, counterLot};
    int i = 0;
    for (const Case &c : cases) {
        fill(QString::fromLatin1(c.pinyin), c.row);
        field(4)->setEditText(QString::fromLatin1(c.quantity));
        field(6)->setEditText(QString::fromUtf8(c.reason));
        w->CmdSave->click();
        EXPECT_EQ(lotQuantity(lots[i++]), c.left) << c.name;
        const dao::Result r = db().select(QStringLiteral(
            "SELECT 数量, 报损原因, 认领部门, 单号 FROM shijibiandongdengji WHERE 变动标志=3 ORDER BY 登记ID DESC LIMIT 1"));
        ASSERT_EQ(r.size(), 1) << c.name;
        EXPECT_EQ(r[0].text(0), QString::fromLatin1(c.saved)) << c.name;
        EXPECT_FALSE(r[0].isNull(1)) << c.name;
        EXPECT_EQ(r[0].text(1), QString::fromUtf8(c.reason)) << c.name;
        EXPECT_EQ(r[0].text(2), QStringLiteral("检验科")) << c.name;
        EXPECT_EQ(r[0][3].toLongLong(), 20260115001LL) << c.name;
        EXPECT_EQ(w->lblTipLKC->isVisible(), c.tip) << c.name;
        if (c.tip) {
            EXPECT_EQ(w->lblTipLKC->text(), QStringLiteral("提示：刚才报损的试剂已没有库存！"));
        }
        // The fields of the next line: reagent, quantity, price and unit emptied, the rest kept.
        for (int f : {3, 4, 5})
            EXPECT_EQ(text(f), QString()) << c.name << f;
        EXPECT_EQ(text(6), QString::fromUtf8(c.reason)) << c.name;
        EXPECT_EQ(focused(), QStringLiteral("CmbField_3")) << c.name;
    }
    EXPECT_EQ(w->GridOut->Rows(), 5);
    EXPECT_EQ(w->GridOut->TextMatrix(1, 17), QString()); // newest first
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 4 条记录，金额：63.00"));
}

TEST_F(FrmProductScrapTest, ATenDigitNumberAnsweredNoIsSavedAsTyped)
{
    const QString question =
        QStringLiteral("检测到不标准的报损单号！\n\n标准报损单号是4位年＋2位月＋2位日＋3位编号，共11位，修改？");
    open();
    fill(QStringLiteral("xjys"));
    field(0)->setEditText(QStringLiteral("2026011500"));
    field(4)->setEditText(QStringLiteral("1"));
    dialogs.expectExact(question, Answer::Yes);
    w->CmdSave->click();
    EXPECT_EQ(focused(), QStringLiteral("CmbField_0"));
    EXPECT_EQ(text(4), QStringLiteral("1.00"));
    EXPECT_EQ(scrapLines(), 0);

    dialogs.expectExact(question, Answer::No);
    w->CmdSave->click();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 单号 FROM shijibiandongdengji WHERE 变动标志=3")).toLongLong(),
              2026011500LL);
    EXPECT_EQ(ModBase::BSDH, 2026011500.0);
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 1 条记录，金额：8.00"));
}

TEST_F(FrmProductScrapTest, TheStoredLotDecidesAtTheSave)
{
    open();
    fill(QStringLiteral("xjys"));
    db().exec(QStringLiteral("UPDATE shijikucun SET 数量=1 WHERE 库存ID=?"), {serumEarly});
    dialogs.expectExact(QStringLiteral("当前库存数量为：1，报损数量不能大于库存数量！"));
    w->CmdSave->click();
    EXPECT_EQ(focused(), QStringLiteral("CmbField_4"));
    EXPECT_EQ(text(4), QString());
    EXPECT_EQ(scrapLines(), 0);
    EXPECT_EQ(w->GridTip->TextMatrix(1, 9), QStringLiteral("2.5")); // unchanged without a commit

    db().exec(QStringLiteral("DELETE FROM shijikucun WHERE 库存ID=?"), {serumEarly});
    field(4)->setEditText(QStringLiteral("1"));
    dialogs.expect(QStringLiteral("所选库存批次已不存在"));
    w->CmdSave->click();
    EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("Dr. Watson"));
    EXPECT_EQ(scrapLines(), 0);
    EXPECT_EQ(text(3), QStringLiteral("血清样本"));
}

TEST_F(FrmProductScrapTest, UndoOfALineWhoseLotWasScrappedToZeroMakesTheLotAgain)
{
    ModBase::PSWProtect = true;
    db().exec(QStringLiteral("UPDATE shijikucun SET 有效期=? WHERE 库存ID=?"), {today().addDays(3), counterLot});
    open();
    fill(QStringLiteral("a1234"));
    w->CmdSave->click();
    ASSERT_TRUE(lotQuantity(digitsLot).isNull());
    ASSERT_EQ(w->GridOut->Rows(), 2);

    const QRect cell = w->GridOut->visualRect(w->GridOut->model()->index(0, 3));
    QTest::mouseClick(w->GridOut->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(w->CmdChData->isEnabled());
    dialogs.expectExact(QStringLiteral("确定撤消第1行报损记录？"), Answer::Yes)
        .expectDialog(QStringLiteral("FrmCheckPSW"), password(QStringLiteral("526")));
    w->CmdChData->click();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(scrapLines(), 0);
    const dao::Result lot = db().select(
        QStringLiteral("SELECT 数量, 批号, 有效期, 单价 FROM shijikucun WHERE 试剂ID=?"), {digits});
    ASSERT_EQ(lot.size(), 1);
    EXPECT_EQ(lot[0][0].toDouble(), 1);
    EXPECT_EQ(lot[0].text(1), QStringLiteral("D1"));
    EXPECT_EQ(lot[0].text(2), QStringLiteral("2027-01-31"));
    EXPECT_EQ(lot[0][3].toDouble(), 3);
    EXPECT_EQ(w->LabTip->text(), QStringLiteral("共 0 条记录，金额：0.00"));
    EXPECT_FALSE(w->CmdChData->isEnabled());
    // The expiring lots follow, the first one taken.
    EXPECT_EQ(listedBatches(), QStringList{QStringLiteral("C1")});
    EXPECT_EQ(text(3), QStringLiteral("血细胞计数"));
}

TEST_F(FrmProductScrapTest, PrintHandsTheScrapReportToThePreview)
{
    open();
    fill(QStringLiteral("xxbjs"));
    field(4)->setEditText(QStringLiteral("2"));
    w->CmdSave->click();
    dialogs.expectDialog(QStringLiteral("FrmPrint"), [](QDialog *) { return int(QDialog::Rejected); });
    w->CmdPrint->click();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(ModBase::PrintTitle, QStringLiteral("单号“20260115001”试剂报损报表"));
    EXPECT_EQ(ModBase::PrintKind, QStringLiteral("RegBS"));
    ASSERT_EQ(ModBase::PrintGrid.rowCount(), 1);
    EXPECT_EQ(ModBase::PrintGrid.rows.at(0).size(), 10);
    EXPECT_EQ(ModBase::PrintTotal.toDouble(), 40);
}

} // namespace
