#include "RegisterFixture.h"

#include "registers/FrmSetUser.h"
#include "shell/FrmMain.h"

#include <QCheckBox>
#include <QGroupBox>

namespace {

using platform::Answer;

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

class SetUser : public RegisterFixture {
protected:
    qint64 addUser(const QString &name, const QString &rights, bool active = true, bool super = false)
    {
        const qint32 id = store.user(
            {.name = name, .password = QStringLiteral("pw"), .super = super, .rights = rights, .active = active});
        db().exec(u8("UPDATE yonghu SET 代码 = ? WHERE 用户ID = ?"), {QString::number(id), id});
        return id;
    }
    void logIn(qint64 id, const QString &name, const QString &rights)
    {
        ModBase::LoginOK = true;
        ModBase::SuperUser = true;
        ModBase::UserID = static_cast<qint32>(id);
        ModBase::UserName = name;
        ModBase::UserQX = rights;
    }
    dao::Row user(qint64 id) { return db().select(u8("SELECT * FROM yonghu WHERE 用户ID = ?"), {id})[0]; }
    QLineEdit *text(int i) const { return child<QLineEdit>(QStringLiteral("TxtUserSet_%1").arg(i)); }
    QCheckBox *box(const QString &name) const { return child<QCheckBox>(name); }
    QCheckBox *right(int i) const { return box(QStringLiteral("CheQX_%1").arg(i)); }
    QString boxes() const
    {
        QString s;
        for (int i = 0; i < FrmSetUser::RightsCount; ++i)
            s += right(i)->isChecked() ? u'1' : u'0';
        return s;
    }
    void clickUser(const QString &name) { clickRow(rowOf(2, name)); }

    const QString all = QString(FrmSetUser::RightsCount, u'1');
};

} // namespace

TEST_F(SetUser, ANewUserGetsItsKeyAsCodeAndIsActive)
{
    const qint64 me = addUser(u8("管理员"), all, true, true);
    logIn(me, u8("管理员"), all);
    open<FrmSetUser>();
    EXPECT_EQ(child<QGroupBox>(QStringLiteral("FamSet"))->title(), u8("用户设置（添加模式）"));
    QPushButton *save = button(QStringLiteral("CmdSet_1"));
    EXPECT_TRUE(box(QStringLiteral("CheEnable"))->isChecked());

    typeInto(text(1), u8(" 张三 "));
    EXPECT_FALSE(save->isEnabled()); // no password yet
    typeInto(text(2), QStringLiteral(" 123 "));
    EXPECT_TRUE(save->isEnabled());
    box(QStringLiteral("CheEnable"))->setChecked(false);
    box(QStringLiteral("CheSuper"))->setChecked(true);
    right(3)->setChecked(true);
    right(25)->setChecked(true);
    save->click();

    const dao::Result added = db().select(u8("SELECT * FROM yonghu WHERE 用户名 = '张三'"));
    ASSERT_EQ(added.size(), 1);
    const dao::Row &u = added[0];
    EXPECT_EQ(u.text(1), u.text(0));
    EXPECT_EQ(u.text(3), QStringLiteral("123"));
    EXPECT_NE(u[4].toInt(), 0);
    EXPECT_EQ(u.text(5), QStringLiteral("00010000000000000000000001"));
    EXPECT_NE(u[6].toInt(), 0);
    EXPECT_EQ(ModBase::UserName, u8("管理员"));
    EXPECT_EQ(ModBase::UserQX, all);
    EXPECT_GT(rowOf(2, u8("张三")), 0);
    EXPECT_EQ(text(1)->text(), QString());
}

TEST_F(SetUser, TheBoxesShowTheRightsStringAndSaveItBack)
{
    const qint64 me = addUser(u8("管理员"), all, true, true);
    const qint64 other = addUser(u8("李四"), QStringLiteral("10100000000000000000000011"));
    const qint64 shortOne = addUser(u8("王五"), QStringLiteral("011"));
    logIn(me, u8("管理员"), all);
    open<FrmSetUser>();

    clickUser(u8("王五"));
    EXPECT_EQ(boxes(), QStringLiteral("01100000000000000000000000"));
    clickUser(u8("李四"));
    EXPECT_EQ(child<QGroupBox>(QStringLiteral("FamSet"))->title(), u8("用户设置（修改模式）"));
    EXPECT_EQ(boxes(), QStringLiteral("10100000000000000000000011"));
    EXPECT_TRUE(text(1)->hasFocus());
    right(0)->setChecked(false);
    right(12)->setChecked(true);
    typeInto(text(0), QStringLiteral(" L4 "));
    button(QStringLiteral("CmdSet_1"))->click();
    EXPECT_EQ(user(other).text(5), QStringLiteral("00100000000010000000000011"));
    EXPECT_EQ(user(other).text(1), QStringLiteral("L4"));

    clickUser(u8("王五"));
    button(QStringLiteral("CmdSet_4"))->click();
    EXPECT_EQ(boxes(), all);
    button(QStringLiteral("CmdSet_5"))->click();
    button(QStringLiteral("CmdSet_1"))->click();
    EXPECT_EQ(user(shortOne).text(5), QString(FrmSetUser::RightsCount, u'0'));
    EXPECT_EQ(ModBase::UserQX, all); // another user's rights leave one's own alone
}

TEST_F(SetUser, OnesOwnRecordStaysSuperActiveAndMayOpenThisWindow)
{
    FrmMain main;
    const QString rights = QStringLiteral("01111111111111111111111110");
    const qint64 me = addUser(u8("管理员"), all, true, true);
    logIn(me, u8("管理员"), all);
    main.ApplyLoginState();
    ASSERT_TRUE(main.mnuDBCompactDB->isEnabled());
    open<FrmSetUser>();

    clickUser(u8("管理员"));
    EXPECT_FALSE(button(QStringLiteral("CmdSet_2"))->isEnabled());
    box(QStringLiteral("CheSuper"))->setChecked(false);
    box(QStringLiteral("CheEnable"))->setChecked(false);
    for (int i = 0; i < FrmSetUser::RightsCount; ++i)
        right(i)->setChecked(rights[i] == u'1');
    right(FrmSetUser::UsersRight)->setChecked(false);
    typeInto(text(1), u8("主管"));
    button(QStringLiteral("CmdSet_1"))->click();

    const dao::Row u = user(me);
    EXPECT_EQ(u.text(2), u8("主管"));
    EXPECT_NE(u[4].toInt(), 0);
    EXPECT_NE(u[6].toInt(), 0);
    EXPECT_EQ(u.text(5), rights);
    EXPECT_EQ(ModBase::UserName, u8("主管"));
    EXPECT_EQ(ModBase::UserQX, u.text(5));
    EXPECT_FALSE(main.mnuDBCompactDB->isEnabled()); // the menus follow the new rights at once
    EXPECT_FALSE(main.mnuTLOption->isEnabled());
    EXPECT_TRUE(main.mnuTLUserSet->isEnabled());
}

TEST_F(SetUser, OnlyAnotherUsersRecordCanBeDeletedAndOnlyRightAfterAClick)
{
    const qint64 me = addUser(u8("管理员"), all, true, true);
    const qint64 namesake = addUser(u8("管理员"), all, false);
    logIn(me, u8("管理员"), all);
    open<FrmSetUser>();
    QPushButton *remove = button(QStringLiteral("CmdSet_2"));

    // The former namesake is known by its key, not by the name it shares.
    clickRow(grid()->TextMatrix(1, 0).toLongLong() == namesake ? 1 : 2);
    ASSERT_TRUE(remove->isEnabled());
    typeInto(text(2), QStringLiteral("x"));
    EXPECT_FALSE(remove->isEnabled());
    clickRow(grid()->TextMatrix(1, 0).toLongLong() == namesake ? 1 : 2);

    dialogs.expectExact(u8("确实要删除一个记录？"), Answer::Yes);
    remove->click();
    EXPECT_EQ(db().scalar(u8("SELECT COUNT(*) FROM yonghu")).toInt(), 1);
    EXPECT_EQ(db().scalar(u8("SELECT 用户ID FROM yonghu")).toLongLong(), me);
}

TEST_F(SetUser, ANameAnotherActiveUserHasIsRefused)
{
    const qint64 me = addUser(u8("管理员"), all, true, true);
    addUser(u8("张三"), all);
    const qint64 former = addUser(u8("李四"), all, false);
    logIn(me, u8("管理员"), all);
    open<FrmSetUser>();
    QPushButton *save = button(QStringLiteral("CmdSet_1"));
    const QString refusal = u8("用户名“张三”已被另一位在职用户使用，请换一个用户名。");

    dialogs.expectExact(refusal).expectExact(refusal);
    typeInto(text(1), u8("张三"));
    typeInto(text(2), QStringLiteral("1"));
    save->click(); // a new user
    clickUser(u8("管理员"));
    typeInto(text(1), u8("张三"));
    save->click(); // one's own record
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(ModBase::UserName, u8("管理员"));
    EXPECT_EQ(user(me).text(2), u8("管理员"));
    EXPECT_EQ(db().scalar(u8("SELECT COUNT(*) FROM yonghu WHERE 用户名 = '张三'")).toInt(), 1);

    // An inactive record may carry the name; it cannot log in.
    clickUser(u8("李四"));
    typeInto(text(1), u8("张三"));
    save->click();
    EXPECT_EQ(user(former).text(2), u8("张三"));
}

TEST_F(SetUser, AFailedSaveOfOnesOwnRecordKeepsTheUserName)
{
    const qint64 me = addUser(u8("管理员"), all, true, true);
    logIn(me, u8("管理员"), all);
    open<FrmSetUser>();
    clickUser(u8("管理员"));
    typeInto(text(1), u8("主管"));
    db().exec(u8("DELETE FROM yonghu")); // gone meanwhile, from another workstation

    dialogs.expect(QStringLiteral("Dr. Watson"));
    button(QStringLiteral("CmdSet_1"))->click();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(ModBase::UserName, u8("管理员"));
}
