#include "RegisterFixture.h"
#include "RecordingShell.h"

#include "platform/CodePage936.h"

#include "registers/FrmSetManufacturer.h"
#include "registers/FrmSetSupplier.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

using platform::Answer;

struct Card {
    const char *window;
    QDialog *(*make)();
    const char *table;
    const char *key;
    const char *shortHeader;
    const char *fullHeader;
    const char *exportTitle;
};

template <typename W>
QDialog *make()
{
    return new W;
}

const Card kCards[] = {
    {"FrmSetManufacturer", make<FrmSetManufacturer>, "changshang", "厂商ID", "厂商简称", "厂商全称", "厂商"},
    {"FrmSetSupplier", make<FrmSetSupplier>, "gongyingshang", "供应商ID", "供应商简称", "供应商全称", "供应商"},
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
    typeInto(field(1), kTyped[1]);
    EXPECT_EQ(field(0)->currentText(), QStringLiteral("HD"));
    for (int i = 2; i < 10; ++i)
        typeInto(field(i), kTyped[i]);
    button(QStringLiteral("CmdSet_1"))->click();

    const dao::Result r = db().select(QStringLiteral("SELECT * FROM ") + table());
    ASSERT_EQ(r.size(), 1);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(r[0].text(i + 1), kTyped[i]) << "field " << i;
    EXPECT_EQ(field(1)->currentText(), QString());

    clickRow(1);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(field(i)->currentText(), kTyped[i]) << "field " << i;
    typeInto(field(6), u8("李工"));
    EXPECT_FALSE(button(QStringLiteral("CmdSet_2"))->isEnabled());
    button(QStringLiteral("CmdSet_1"))->click();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT 联系人 FROM ") + table()).toString(), u8("李工"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table()).toInt(), 1);
}

TEST_P(CardRegister, ExportsTheTenVisibleColumnsAndOpensTheFile)
{
    RecordingShell shell;
    openRegister();
    button(QStringLiteral("CmdDC"))->click(); // an empty list exports nothing
    EXPECT_FALSE(QDir(dir.file(u8("报表"))).exists());

    insert(u8("华大<1>"));
    insert(u8("A&B"));
    button(QStringLiteral("CmdShowAll"))->click();
    dialogs.expect(u8("报表导出成功！路径："));
    button(QStringLiteral("CmdDC"))->click();
    ASSERT_TRUE(dialogs.done());

    const QString title = u8(GetParam().exportTitle);
    const QStringList files = QDir(dir.file(u8("报表"))).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^") + title + QStringLiteral("\\(20260115\\d{6}\\)\\.xls$"))
                    .match(files[0])
                    .hasMatch())
        << files[0].toStdString();
    EXPECT_EQ(shell.calls, QStringList(QStringLiteral("open ") + dir.file(u8("报表/") + files[0])));
    EXPECT_EQ(ModBase::PrintTitle, title);

    QFile f(dir.file(u8("报表/") + files[0]));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString html = platform::cp936::decode(f.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<CAPTION><B>") + title + QStringLiteral("</B></CAPTION>")));
    QString header;
    for (const char *h : {"拼音码", GetParam().shortHeader, GetParam().fullHeader, "地址", "邮政编码", "电话", "传真",
                          "联系人", "Email", "主页"})
        header += QStringLiteral("<TH>") + u8(h) + QStringLiteral("</TH>");
    EXPECT_TRUE(html.contains(QStringLiteral("<TR>") + header + QStringLiteral("</TR>"))) << html.toStdString();
    const QString empty = QStringLiteral("<TD><BR></TD>").repeated(8);
    EXPECT_TRUE(html.contains(u8("<TD>X</TD><TD>A&amp;B</TD>") + empty));
    EXPECT_TRUE(html.contains(u8("<TD>X</TD><TD>华大&lt;1&gt;</TD>") + empty));
    EXPECT_EQ(html.count(QStringLiteral("<TR")), 3);
    EXPECT_TRUE(html.contains(u8("报表生成日期：")));
}

TEST_P(CardRegister, ARowStillNamedElsewhereIsNotDeleted)
{
    const qint64 key = insert(u8("华大"));
    const bool manufacturer = table() == QStringLiteral("changshang");
    if (manufacturer)
        store.reagent({.name = u8("试剂盒"), .pinyin = u8("SJH"), .maker = static_cast<qint32>(key)});
    else
        store.line({.reagent = 1, .supplier = static_cast<qint32>(key)});
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
