#include "FrmSetProductFixture.h"

using platform::Answer;

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST_F(CatalogueFixture, LookUpFieldsTakeTheListedRecord)
{
    open();
    struct Case {
        int field;
        const char *typed, *taken, *tag;
    };
    const Case cases[] = {
        {4, "h", "盒", "Unit"},
        {5, "生", "生化", "Category"},
        {6, "sh", "上海试剂", "Manufacturer"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tag);
        typeInto(field(c.field), s(c.typed));
        EXPECT_EQ(window->GridTip->Tag(), s(c.tag));
        EXPECT_EQ(window->GridTip->Rows(), 2);
        QTest::keyClick(field(c.field), Qt::Key_Tab);
        EXPECT_EQ(field(c.field)->currentText(), s(c.taken));
        EXPECT_EQ(window->GridTip->Tag(), QString()); // entering the next field cleared the list
    }
    EXPECT_EQ(ModBase::PickCSID, 2);

    // A press on the list takes the record and moves on.
    field(6)->setEditText(QString());
    typeInto(field(6), s("兰州"));
    QTest::mouseClick(window->GridTip->viewport(), Qt::LeftButton, {},
                      window->GridTip->visualRect(window->GridTip->model()->index(0, 2)).center());
    EXPECT_EQ(field(6)->currentText(), s("兰州生物"));
    EXPECT_EQ(ModBase::PickCSID, 1);
    EXPECT_EQ(window->focusWidget(), field(7));
}

TEST_F(CatalogueFixture, NamesTheRegistersLackAreAddedOnTheSpot)
{
    open();
    struct Case {
        int field;
        const char *typed, *question, *table, *nameField;
    };
    const Case cases[] = {
        {4, "O'瓶", "添加新的包装单位“O'瓶”，到包装单位列表？", "danwei", "单位"},
        {5, "免疫", "添加新的组别“免疫”，到组别列表？", "zubie", "组别"},
        {6, "北京'试剂", "添加新的生产厂商“北京'试剂”，到生产厂商列表？", "changshang", "厂商"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.table);
        typeInto(field(c.field), s(c.typed));
        dialogs.expectExact(s(c.question), Answer::Yes);
        QTest::keyClick(field(c.field), Qt::Key_Tab);
        EXPECT_TRUE(dialogs.done());
        EXPECT_EQ(field(c.field)->currentText(), s(c.typed));
        const dao::Result r = db().select(QStringLiteral("SELECT 拼音码 FROM ") + s(c.table) + QStringLiteral(" WHERE ")
                                              + s(c.nameField) + QStringLiteral(" = ?"),
                                          {s(c.typed)});
        ASSERT_EQ(r.size(), 1);
        EXPECT_EQ(r[0].text(0), ModData::GetPY(s(c.typed)));
    }
    const qint32 added =
        db().scalar(QStringLiteral("SELECT 厂商ID FROM changshang WHERE 厂商 = ?"), {s("北京'试剂")}).toInt();
    EXPECT_EQ(ModBase::PickCSID, added);

    // No adds nothing and keeps the text.
    field(4)->setEditText(QString());
    typeInto(field(4), s("袋"));
    dialogs.expect(s("添加新的包装单位“袋”"), Answer::No);
    QTest::keyClick(field(4), Qt::Key_Tab);
    EXPECT_EQ(field(4)->currentText(), s("袋"));
    EXPECT_EQ(count(QStringLiteral("danwei")), 2);

    // A name the register refuses is reported, and nothing is added.
    field(4)->setEditText(QString());
    typeInto(field(4), s("一二三四五六七八九十一二三四五六七八九十一"));
    dialogs.expect(s("添加新的包装单位"), Answer::Yes).expect(s("Dr. Watson"));
    QTest::keyClick(field(4), Qt::Key_Tab);
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(count(QStringLiteral("danwei")), 2);
}
