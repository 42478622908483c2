#include "ScriptedDialogs.h"
#include "StoreFixture.h"
#include "shell/FrmNotebook.h"
#include "shell/ModBase.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace ModBase;
using platform::Answer;

namespace {

class FrmNotebookTest : public StoreFixture {
protected:
    void addNote(const QString &title, const QDate &date)
    {
        db().exec(QStringLiteral("INSERT INTO jishiben (日期, 标题, 内容, 用户ID) VALUES (?, ?, ?, 0)"),
                  {date, title, QStringLiteral("内容")});
    }
    static void write(FrmNotebook &dlg, const QString &title, const QString &text)
    {
        typeInto(dlg.CmbField[0], title);
        dlg.TxtCNT->selectAll();
        QTest::keyClick(dlg.TxtCNT, Qt::Key_Backspace);
        typeInto(dlg.TxtCNT, text);
    }
    static void clickRow(FrmNotebook &dlg, int row)
    {
        FlexGrid *g = dlg.GridShow;
        const QRect cell = g->visualRect(g->model()->index(row - 1, 2));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    }
    static QStringList titles(FrmNotebook &dlg)
    {
        QStringList t;
        for (int r = 1; r < dlg.GridShow->Rows(); ++r)
            t.append(dlg.GridShow->TextMatrix(r, 2));
        return t;
    }
    dao::Result notes() { return db().select(QStringLiteral("SELECT 日期, 标题, 内容, 用户ID FROM jishiben ORDER BY 记事本ID")); }
};

} // namespace

TEST_F(FrmNotebookTest, AddEditAndDeleteANote)
{
    ScriptedDialogs dialogs;
    FrmNotebook dlg;
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    QTRY_COMPARE(QApplication::focusWidget(), dlg.CmbField[0]); // typing starts the title
    write(dlg, QStringLiteral("  订货 "), QStringLiteral("  周五前订试剂"));
    QTest::mouseClick(dlg.CmdSet[1], Qt::LeftButton);
    ASSERT_EQ(notes().size(), 1u);
    EXPECT_EQ(notes().rows[0].text(1), QStringLiteral("订货"));
    EXPECT_EQ(notes().rows[0].text(2), QStringLiteral("  周五前订试剂"));
    EXPECT_EQ(notes().rows[0].text(0), QStringLiteral("2026-01-15"));
    EXPECT_EQ(notes().rows[0][3].toInt(), UserID);
    EXPECT_EQ(titles(dlg), QStringList{QStringLiteral("订货")});
    EXPECT_EQ(dlg.FamSet->title(), QStringLiteral("添加模式"));

    // An old note of another user, edited: it takes today's date and the editor.
    db().exec(QStringLiteral("UPDATE jishiben SET 日期 = '2020-01-01', 用户ID = 0"));
    QTest::mouseClick(dlg.CmdSet[0], Qt::LeftButton);
    clickRow(dlg, 1);
    EXPECT_EQ(dlg.FamSet->title(), QStringLiteral("修改模式"));
    EXPECT_EQ(dlg.CmbField[0]->currentText(), QStringLiteral("订货"));
    EXPECT_TRUE(dlg.CmdSet[2]->isEnabled());
    write(dlg, QStringLiteral("订货"), QStringLiteral("已订"));
    QTest::mouseClick(dlg.CmdSet[1], Qt::LeftButton);
    ASSERT_EQ(notes().size(), 1u);
    EXPECT_EQ(notes().rows[0].text(2), QStringLiteral("已订"));
    EXPECT_EQ(notes().rows[0].text(0), QStringLiteral("2026-01-15"));
    EXPECT_EQ(notes().rows[0][3].toInt(), UserID);

    // Changing the title takes Delete away; a row just taken may be deleted.
    clickRow(dlg, 1);
    typeInto(dlg.CmbField[0]->lineEdit(), QStringLiteral("x"));
    EXPECT_FALSE(dlg.CmdSet[2]->isEnabled());
    clickRow(dlg, 1);
    dialogs.expectExact(QStringLiteral("确实要删除一个记录？"), Answer::No);
    QTest::mouseClick(dlg.CmdSet[2], Qt::LeftButton);
    EXPECT_EQ(notes().size(), 1u);
    dialogs.expectExact(QStringLiteral("确实要删除一个记录？"), Answer::Yes);
    QTest::mouseClick(dlg.CmdSet[2], Qt::LeftButton);
    EXPECT_EQ(notes().size(), 0u);
    EXPECT_TRUE(titles(dlg).isEmpty());
}

TEST_F(FrmNotebookTest, RefusesBlankFieldsAndSavingWithoutALogin)
{
    struct Case {
        const char16_t *title;
        const char16_t *text;
        bool loggedIn;
        const char16_t *message;
    };
    const Case cases[] = {
        {u"   ", u"内容", true, u"标题不能为空"},
        {u"标题", u"  ", true, u"内容不能为空"},
        {u"标题", u"内容", false, u"请先登陆，再保存记事。"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.message).toStdString());
        LoginOK = c.loggedIn;
        ScriptedDialogs dialogs;
        dialogs.expectExact(QString::fromUtf16(c.message));
        FrmNotebook dlg;
        dlg.show();
        write(dlg, QString::fromUtf16(c.title), QString::fromUtf16(c.text));
        QTest::mouseClick(dlg.CmdSet[1], Qt::LeftButton);
        EXPECT_EQ(notes().size(), 0u);
    }
}

TEST_F(FrmNotebookTest, RecentListShowsTheLastNinetyDaysOnly)
{
    addNote(QStringLiteral("90天前"), SysDate.addDays(-90));
    addNote(QStringLiteral("89天前"), SysDate.addDays(-89));
    addNote(QStringLiteral("今天"), SysDate);
    ScriptedDialogs dialogs;
    FrmNotebook dlg;
    dlg.show();
    EXPECT_EQ(titles(dlg), (QStringList{QStringLiteral("90天前"), QStringLiteral("89天前"), QStringLiteral("今天")}));
    QTest::mouseClick(dlg.Opt[1], Qt::LeftButton);
    EXPECT_EQ(titles(dlg), (QStringList{QStringLiteral("89天前"), QStringLiteral("今天")}));
    QTest::mouseClick(dlg.Opt[0], Qt::LeftButton);
    EXPECT_EQ(titles(dlg).size(), 3);
}
