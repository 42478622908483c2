#include "FrmSetProductFixture.h"

#include "registers/FrmSetGDX.h"

using platform::Answer;

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST_F(CatalogueFixture, LimitFieldsRefuseWhatIsNoLimit)
{
    struct Case {
        const char *typed;
        const char *message; // null: accepted
    };
    const Case cases[] = {
        {"-", "请输入阿拉伯数字！"},        // so no negative number can be typed
        {"a", "请输入阿拉伯数字！"},
        {"-5", "请输入大于零的数字！"},     // pasted
        {"1e39", "数字太大，请重新输入！"}, // beyond a single
        {"0", nullptr},
        {"12.5", nullptr},
    };
    FrmSetGDX dialog;
    EXPECT_EQ(ModBase::LowLimit, -1);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        for (QComboBox *box : dialog.CmbField) {
            if (c.message)
                dialogs.expectExact(s(c.message));
            box->setEditText(s(c.typed));
            EXPECT_TRUE(dialogs.done());
            EXPECT_EQ(box->currentText(), c.message ? QString() : s(c.typed));
            if (c.message) {
                EXPECT_EQ(dialogs.shown().last().title, s("出错啦！"));
            }
            box->setEditText(QString());
        }
    }
}

TEST_F(CatalogueFixture, LimitDialogChecksBeforeItAsks)
{
    struct Case {
        const char *low, *high, *message;
        int focus;
    };
    const Case cases[] = {
        {"", "5", "库存低限不能为空！", 0},
        {"5", " ", "库存高限不能为空！", 1},
        {"10", "5", "库存低限不能大于库存高限！", 0},
    };
    FrmSetGDX dialog;
    for (const Case &c : cases) {
        dialog.CmbField[0]->setEditText(s(c.low));
        dialog.CmbField[1]->setEditText(s(c.high));
        dialogs.expectExact(s(c.message));
        dialog.OKButton->click();
        EXPECT_EQ(dialog.focusWidget(), dialog.CmbField[c.focus]);
    }
    dialog.CmbField[0]->setEditText(QStringLiteral("10"));
    dialog.CmbField[1]->setEditText(QStringLiteral("10"));
    dialogs.expectExact(s("即将设置所有试剂的库存低限为：10，库存高限为：10\n\n确定？"), Answer::Cancel);
    dialog.OKButton->click();
    EXPECT_EQ(dialogs.shown().last().defaultButton, Answer::Cancel);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(ModBase::LowLimit, -1);
}

TEST_F(CatalogueFixture, SetAllLimitsClearAllAndClose)
{
    open();
    const auto limits = [this] {
        QStringList out;
        for (const dao::Row &r : db().select(QStringLiteral("SELECT 库存低限, 库存高限 FROM shijijibenxinxi")).rows)
            out << r.text(0) + u'/' + r.text(1);
        return out;
    };
    // Set: every reagent, disabled ones too.
    dialogs.expectDialog(QStringLiteral("FrmSetGDX"), [this](QDialog *d) {
        auto *gdx = static_cast<FrmSetGDX *>(d);
        gdx->CmbField[0]->setEditText(QStringLiteral("0"));
        gdx->CmbField[1]->setEditText(QStringLiteral("0"));
        dialogs.expect(s("即将设置所有试剂的库存低限为：0"), Answer::Ok);
        gdx->OKButton->click();
        return d->result();
    });
    window->CmdSet[5]->click();
    EXPECT_EQ(limits(), QStringList(4, QStringLiteral("0/0")));
    EXPECT_EQ(window->GridShow->TextMatrix(1, 11), QStringLiteral("0"));
    EXPECT_TRUE(window->AddMode);

    // Close: nothing changes.
    dialogs.expectDialog(QStringLiteral("FrmSetGDX"), [](QDialog *d) {
        static_cast<FrmSetGDX *>(d)->CancelButton->click();
        return d->result();
    });
    window->CmdSet[5]->click();
    EXPECT_EQ(limits(), QStringList(4, QStringLiteral("0/0")));

    // Clear: Cancel keeps the dialog open, OK empties every limit.
    dialogs.expectDialog(QStringLiteral("FrmSetGDX"), [this](QDialog *d) {
        auto *gdx = static_cast<FrmSetGDX *>(d);
        dialogs.expect(s("即将取消所有试剂的库存低限和库存高限设置"), Answer::Cancel);
        gdx->Command1->click();
        EXPECT_EQ(gdx->result(), QDialog::Rejected);
        dialogs.expect(s("即将取消所有试剂的库存低限和库存高限设置"), Answer::Ok);
        gdx->Command1->click();
        return d->result();
    });
    window->CmdSet[5]->click();
    EXPECT_EQ(limits(), QStringList(4, QStringLiteral("/")));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT COUNT(*) FROM shijijibenxinxi WHERE 库存低限 IS NULL AND 库存高限 IS NULL"))
                  .toInt(),
              4);
    EXPECT_EQ(window->GridShow->TextMatrix(1, 11), QString());
}
