#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "shell/FrmOptions.h"
#include "shell/ModBase.h"
#include "shell/ModINI.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStorageInfo>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace ModBase;

namespace {

class FrmOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetState();
        IniFile = dir.file(QStringLiteral("Vialdesk.ini"));
        DBPath = dir.file(QStringLiteral("Data"));
        QDir().mkpath(DBPath);
        SXDays = 30;
        OutRate = 1.0f;
    }

    QString key(const QString &section, const QString &name) const { return ModINI::GetINI(section, name, IniFile); }

    // Shows the panel that holds the control, then clicks it as the user does.
    static void click(FrmOptions &dlg, QWidget *control)
    {
        for (int i = 0; i < int(dlg.picOptions.size()); ++i)
            if (dlg.picOptions[i]->isAncestorOf(control))
                dlg.tbsOptions->setCurrentIndex(i);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
    }

    static void typeInto(FrmOptions &dlg, int box, const QString &text)
    {
        QLineEdit *edit = dlg.TxtSHX[box];
        QApplication::setActiveWindow(&dlg);
        click(dlg, edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    TempFolder dir;
};

} // namespace

TEST_F(FrmOptionsTest, EachControlWritesItsKeyAtOnce)
{
    struct Case {
        const char *control;
        const char16_t *section;
        const char16_t *key;
        const char16_t *written;
        std::function<bool()> global;
    };
    const Case cases[] = {
        {"CheBak", u"自动备份数据库", u"自动备份", u"True", [] { return AutoBackup; }},
        {"CheCKPSW", u"数据维护", u"密码保护", u"True", [] { return PSWProtect; }},
        {"CheIntoRegOut", u"自动打开试剂出库窗口", u"自动进入出库窗口", u"True", [] { return AutoOut; }},
        {"ChePrice", u"出库价确认", u"不需要", u"True", [] { return NoPriceCheck; }},
        {"CheTipSHX", u"失效库存试剂提醒", u"立即提醒", u"True", [] { return TipNow; }},
        {"OptCK_1", u"首选出库方式", u"出库方式", u"1", [] { return OutMode == 1; }},
        {"OptRQ_3", u"查询默认日期", u"日期", u"3", [] { return QueryDate == 3; }},
        {"OptRQ_5", u"查询默认日期", u"日期", u"5", [] { return QueryDate == 5; }},
    };
    ScriptedDialogs dialogs;
    FrmOptions dlg;
    dlg.show();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.control);
        auto *control = dlg.findChild<QWidget *>(QString::fromLatin1(c.control));
        ASSERT_NE(control, nullptr);
        click(dlg, control);
        EXPECT_EQ(key(QString::fromUtf16(c.section), QString::fromUtf16(c.key)), QString::fromUtf16(c.written));
        EXPECT_TRUE(c.global());
    }
    // Clearing a box writes False the same moment.
    click(dlg, dlg.CheBak);
    EXPECT_EQ(key(QStringLiteral("自动备份数据库"), QStringLiteral("自动备份")), QStringLiteral("False"));
    EXPECT_FALSE(AutoBackup);
}

TEST_F(FrmOptionsTest, DaysRoundHalfToEvenAndMarkUpIsStoredAsFactor)
{
    struct Case {
        int box;
        const char *typed;
        const char16_t *section;
        const char16_t *key;
        const char16_t *written;
        const char16_t *message;
    };
    const Case cases[] = {
        {0, "30.5", u"失效间隔的天数", u"间隔", u"30", u"已设置 30.5 天后即将失效的试剂用蓝色提示"},
        {0, "31.5", u"失效间隔的天数", u"间隔", u"32", u"已设置 31.5 天后即将失效的试剂用蓝色提示"},
        {0, "0", u"失效间隔的天数", u"间隔", u"0", u"已设置 0 天后即将失效的试剂用蓝色提示"},
        {1, "15", u"出库加成率", u"加成", u"1.15", u"已设置加成率为: 15%"},
        {1, "0", u"出库加成率", u"加成", u"1", u"已设置加成率为: 0%"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        ScriptedDialogs dialogs;
        dialogs.expectExact(QString::fromUtf16(c.message));
        FrmOptions dlg;
        dlg.show();
        typeInto(dlg, c.box, QString::fromLatin1(c.typed));
        click(dlg, c.box == 0 ? dlg.CmdSet : dlg.CmdJia);
        EXPECT_EQ(key(QString::fromUtf16(c.section), QString::fromUtf16(c.key)), QString::fromUtf16(c.written));
    }
    EXPECT_FLOAT_EQ(OutRate, 1.0f);
    EXPECT_EQ(SXDays, 0);

    OutRate = 1.15f;
    EXPECT_EQ(FrmOptions().TxtSHX[1]->text(), QStringLiteral("15"));
    OutRate = 1.05f;
    EXPECT_EQ(FrmOptions().TxtSHX[1]->text(), QStringLiteral("5"));
}

TEST_F(FrmOptionsTest, NumberBoxesRefuseWhatTheSettingCannotHold)
{
    struct Case {
        int box;
        const char *typed;
        const char16_t *message;
    };
    const Case cases[] = {
        {0, "abc", u"必须填入阿拉伯数字！"},
        {1, "", u"必须填入阿拉伯数字！"},
        {0, "-1", u"请正确填写！数字必须大于零！"},
        {1, "-0.5", u"请正确填写！数字必须大于零！"},
        {0, "3000000000", u"请正确填写！数字必须大于零！"},
        {1, "1e41", u"请正确填写！数字必须大于零！"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        ScriptedDialogs dialogs;
        dialogs.expectExact(QString::fromUtf16(c.message));
        FrmOptions dlg;
        dlg.show();
        typeInto(dlg, c.box, QString::fromLatin1(c.typed));
        click(dlg, c.box == 0 ? dlg.CmdSet : dlg.CmdJia);
        EXPECT_EQ(QApplication::focusWidget(), dlg.TxtSHX[c.box]);
        EXPECT_TRUE(key(QStringLiteral("失效间隔的天数"), QStringLiteral("间隔")).isEmpty());
        EXPECT_TRUE(key(QStringLiteral("出库加成率"), QStringLiteral("加成")).isEmpty());
    }
    EXPECT_EQ(SXDays, 30);
    EXPECT_FLOAT_EQ(OutRate, 1.0f);
}

TEST_F(FrmOptionsTest, LeavingABadNumberBoxKeepsTheFocusThere)
{
    ScriptedDialogs dialogs;
    FrmOptions dlg;
    dlg.show();
    typeInto(dlg, 0, QStringLiteral("x"));
    dialogs.expectExact(QStringLiteral("必须填入阿拉伯数字！"));
    QTest::keyClick(dlg.TxtSHX[0], Qt::Key_Tab);
    QTRY_VERIFY(dialogs.done());
    EXPECT_EQ(QApplication::focusWidget(), dlg.TxtSHX[0]);
}

TEST_F(FrmOptionsTest, StoredOptionsOutOfRangeSelectNothing)
{
    QueryDate = 9;
    OutMode = -1;
    FrmOptions dlg;
    for (QRadioButton *o : dlg.OptRQ)
        EXPECT_FALSE(o->isChecked());
    for (QRadioButton *o : dlg.OptCK)
        EXPECT_FALSE(o->isChecked());
}

TEST_F(FrmOptionsTest, DefaultsWriteEveryKey)
{
    AutoOut = true;
    QueryDate = 4;
    OutMode = 1;
    OutRate = 1.3f;
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("已设置 30 天后即将失效的试剂用蓝色提示"))
        .expectExact(QStringLiteral("已设置加成率为: 0%"));
    FrmOptions dlg;
    dlg.show();
    click(dlg, dlg.CmdDefault);

    const struct {
        const char16_t *section;
        const char16_t *key;
        QString value;
    } expected[] = {
        {u"失效间隔的天数", u"间隔", QStringLiteral("30")},
        {u"自动打开试剂出库窗口", u"自动进入出库窗口", QStringLiteral("False")},
        {u"数据维护", u"密码保护", QStringLiteral("True")},
        {u"出库价确认", u"不需要", QStringLiteral("True")},
        {u"首选出库方式", u"出库方式", QStringLiteral("0")},
        {u"查询默认日期", u"日期", QStringLiteral("0")},
        {u"失效库存试剂提醒", u"立即提醒", QStringLiteral("True")},
        {u"出库加成率", u"加成", QStringLiteral("1")},
        {u"自动备份数据库", u"自动备份", QStringLiteral("True")},
        {u"自动备份数据库", u"备份目录", dir.path() + QStringLiteral("/备份数据库")},
    };
    for (const auto &e : expected)
        EXPECT_EQ(key(QString::fromUtf16(e.section), QString::fromUtf16(e.key)), e.value)
            << QString::fromUtf16(e.key).toStdString();
    EXPECT_FALSE(AutoOut);
    EXPECT_TRUE(PSWProtect && NoPriceCheck && TipNow && AutoBackup);
    EXPECT_EQ(OutMode, 0);
    EXPECT_EQ(QueryDate, 0);
    EXPECT_EQ(SXDays, 30);
    EXPECT_FLOAT_EQ(OutRate, 1.0f);
    EXPECT_EQ(dlg.TxtDir->text(), BackupPath);
    EXPECT_TRUE(dlg.OptCK[0]->isChecked() && dlg.OptRQ[0]->isChecked());
}

TEST_F(FrmOptionsTest, BackupFolderRefusesTheDatabaseFolderAndTheFileSystemRoot)
{
    const QString good = dir.file(QStringLiteral("备份"));
    QDir().mkpath(good);
    QDir().mkpath(DBPath + QStringLiteral("/旧"));
    const QString refusal = QStringLiteral("基于数据安全的考虑，不得选择系统盘下的目录作为自动备份数据库的目录，请重新设置。 ");
    ScriptedDialogs dialogs;
    dialogs.expectFolder(DBPath + u'/')
        .expectExact(QStringLiteral("冲突！不能选择系统数据库的目录，请选择其它目录"))
        .expectFolder(QStorageInfo(dir.path()).rootPath())
        .expectExact(refusal)
        .expectFolder(DBPath + QStringLiteral("/旧"))
        .expectExact(refusal)
        .expectFolder(QString())
        .expectFolder(good);
    FrmOptions dlg;
    dlg.show();
    for (int attempt = 0; attempt < 3; ++attempt) {
        click(dlg, dlg.CmdGetDir);
        EXPECT_TRUE(key(QStringLiteral("自动备份数据库"), QStringLiteral("备份目录")).isEmpty());
        EXPECT_TRUE(BackupPath.isEmpty());
    }
    click(dlg, dlg.CmdGetDir);
    EXPECT_EQ(key(QStringLiteral("自动备份数据库"), QStringLiteral("备份目录")), good);
    EXPECT_EQ(BackupPath, good);
    EXPECT_EQ(dlg.TxtDir->text(), good);
}

TEST_F(FrmOptionsTest, CtrlTabCyclesThroughTheTabs)
{
    FrmOptions dlg;
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    for (int expected : {1, 2, 3, 4, 0}) {
        QTest::keyClick(&dlg, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(dlg.tbsOptions->currentIndex(), expected);
    }
}
