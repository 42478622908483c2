#include "ScriptedDialogs.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/SafeApplication.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace ModBase;

TEST(FrmPopMenu, GroupAndSummaryItemsLeaveTheirCaptionInSQL)
{
    FrmPopMenu &pop = FrmPopMenu::instance();
    EXPECT_EQ(pop.mnuHelpKind->title(), QStringLiteral("帮助类型"));
    EXPECT_EQ(pop.aHelpKind[1]->text(), QStringLiteral("文字帮助"));
    EXPECT_EQ(pop.aHelpKind[2]->text(), QStringLiteral("视频帮助"));
    pop.aHelpKind[2]->trigger();
    EXPECT_EQ(HelpKind, 2);

    pop.loadItem(pop.mnuRKZB, 0, QStringLiteral("生化组"));
    pop.loadItem(pop.mnuRKZB, 2, QStringLiteral("免疫组"));
    EXPECT_EQ(pop.mnuRK->actions().size(), 3);
    pop.mnuRKZB[2]->trigger();
    EXPECT_EQ(SQL, QStringLiteral("免疫组"));
    pop.loadItem(pop.mnuHZ, 1, QStringLiteral("按供应商汇总"))->trigger();
    EXPECT_EQ(SQL, QStringLiteral("按供应商汇总"));

    // The stock groups belong to the window that loads them: a click leaves SQL alone.
    SQL = QStringLiteral("不变");
    pop.loadItem(pop.mnuQstoreZB, 1, QStringLiteral("生化组"))->trigger();
    EXPECT_EQ(SQL, QStringLiteral("不变"));

    pop.unloadItems();
    for (const QList<QAction *> *items : {&pop.mnuRKZB, &pop.mnuHZ, &pop.mnuQstoreZB}) {
        ASSERT_EQ(items->size(), 1);
        EXPECT_TRUE(items->first()->text().isEmpty());
    }
    EXPECT_EQ(pop.mnuRK->actions().size(), 1);
}

TEST(SafetyNet, AFailureEscapingAHandlerShowsTheErrorBox)
{
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("Dr. Watson 发现您的操作有误。\n\n磁盘已满"));
    EXPECT_FALSE(shell::deliverGuarded([]() -> bool { throw std::runtime_error("磁盘已满"); }));
    EXPECT_EQ(dialogs.shown().last().title, QStringLiteral("Dr. Watson"));
    EXPECT_TRUE(shell::deliverGuarded([] { return true; }));
}
