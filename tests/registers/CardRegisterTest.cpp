#include "RegisterFixture.h"

#include "registers/FrmSetManufacturer.h"
#include "registers/FrmSetSupplier.h"

namespace {

using platform::Answer;

struct Card {
    const char *window;
    QDialog *(*make)();
    const char *table;
    const char *key;
    const char *shortHeader;
    const char *exportTitle;
};

template <typename W>
QDialog *make()
{
    return new W;
}

const Card kCards[] = {
    {"FrmSetManufacturer", make<FrmSetManufacturer>, "changshang", "厂商ID", "厂商简称", "厂商"},
    {"FrmSetSupplier", make<FrmSetSupplier>, "gongyingshang", "供应商ID", "供应商简称", "供应商"},
};

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

// The card as typed, by field: CmbField(i) is stored at position i + 1.
const QStringList kTyped = {u8("HD"),         u8("华大  "),        u8("深圳市 盐田区"), u8("518083"),
                            u8("0755-1234"),  QString(),           u8("王工"),          u8("a&b@hd.cn"),
                            u8("www.hd.cn"),  u8("华大基因<股份>")};

class CardRegister : public RegisterFixture, public ::testing::WithParamInterface<Card> {
protected:
    void openRegister()
    {
        window.reset(GetParam().make());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QComboBox *field(int i) const { return combo(QStringLiteral("CmbField_%1").arg(i)); }
    QString table() const { return u8(GetParam().table); }
    qint64 insert(const QString &shortName)
    {
        db().exec(QStringLiteral("INSERT INTO %1 VALUES(NULL, 'X', ?, '', '', '', '', '', '', '', '')").arg(table()),
                  {shortName});
        return db().lastInsertId();
    }
};

} // namespace

TEST_P(CardRegister, TheCardIsStoredAsTypedAndComesBackOnAClick)
{
    openRegister();
    EXPECT_EQ(grid()->TextMatrix(0, 2), u8(GetParam().shortHeader));
    type(field(1), kTyped[1]);
    EXPECT_EQ(field(0)->currentText(), QStringLiteral("HD"));
    for (int i = 2; i < 10; ++i)
        type(field(i), kTyped[i]);
    button(QStringLiteral("CmdSet_1"))->click();

    const dao::Result r = db().select(QStringLiteral("SELECT * FROM ") + table());
    ASSERT_EQ(r.size(), 1);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(r[0].text(i + 1), kTyped[i]) << "field " << i;
    EXPECT_EQ(field(1)->currentText(), QString());

    clickRow(1);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(field(i)->currentText(), kTyped[i]) << "field " << i;
    type(field(6), u8("李工"));
    EXPECT_FALSE(button(QStringLiteral("CmdSet_2"))->isEnabled());
    button(QStringLiteral("CmdSet_1"))->click();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 联系人 FROM ") + table()).toString(), u8("李工"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table()).toInt(), 1);
}

TEST_P(CardRegister, ARowStillNamedElsewhereIsNotDeleted)
{
    const qint64 key = insert(u8("华大"));
    const bool manufacturer = table() == QStringLiteral("changshang");
    if (manufacturer)
        db().exec(u8("INSERT INTO shijijibenxinxi(拼音码, 品名, 厂商ID) VALUES('SJH', '试剂盒', ?)"), {key});
    else
        db().exec(u8("INSERT INTO shijibiandongdengji(变动标志, 单号, 试剂ID, 供应商ID) VALUES(1, 20260115001, 1, ?)"),
                  {key});
    openRegister();

    dialogs.expect(u8("“华大”仍被")).expectExact(u8("确实要删除一个记录？"), Answer::Yes);
    clickRow(1);
    button(QStringLiteral("CmdSet_2"))->click();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table()).toInt(), 1);

    db().exec(manufacturer ? u8("DELETE FROM shijijibenxinxi") : u8("DELETE FROM shijibiandongdengji"));
    clickRow(1);
    button(QStringLiteral("CmdSet_2"))->click();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table()).toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Both, CardRegister, ::testing::ValuesIn(kCards),
                         [](const auto &info) { return std::string(info.param.window); });
