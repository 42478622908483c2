#include "StockFixture.h"
#include "StockLimitCases.h"

#include "queries/FrmQTip.h"
#include "queries/Registration.h"
#include "shell/FrmLogin.h"
#include "shell/FrmMain.h"
#include "shell/ModINI.h"
#include "widgets/FlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

class FrmQTipTest : public StockFixture {
protected:
    void TearDown() override
    {
        delete w.data();
        StockFixture::TearDown();
    }

    FrmQTip *checked()
    {
        w = new FrmQTip;
        w->loadNow();
        return w;
    }

    QStringList tabs(const QTabBar *bar) const
    {
        QStringList out;
        for (int i = 0; i < bar->count(); ++i)
            out << bar->tabText(i);
        return out;
    }

    // The batch of every lot row of a tab's grid.
    QStringList batches(int tab) const
    {
        QStringList out;
        for (int r = 1; r < w->GridQ[tab]->Rows(); ++r)
            out << w->GridQ[tab]->TextMatrix(r, 3);
        return out;
    }

    QPointer<FrmQTip> w;
};

TEST_F(FrmQTipTest, ChecksCountEachTabAndSetHasTip)
{
    struct Case {
        const char *what;
        std::function<void()> store;
        QStringList tabs;
        bool hasTip;
    };
    const Case cases[] = {
        {"nothing to show", [&] { lot(reagent({u"甲"_s, u"生化组"_s, 1, 100}), 5, Today.addDays(31)); },
         {u"已经过期（0）"_s, u"即将过期（0）"_s, u"库存低（0）"_s, u"库存高（0）"_s}, false},
        {"an empty store", [] {}, {u"已经过期（0）"_s, u"即将过期（0）"_s, u"库存低（0）"_s, u"库存高（0）"_s}, false},
        {"a reagent without lots", [&] { reagent({u"甲"_s}); },
         {u"已经过期（0）"_s, u"即将过期（0）"_s, u"库存低（1）"_s, u"库存高（0）"_s}, true},
        {"expiry around today",
         [&] {
             const qint32 id = reagent({u"甲"_s, u"生化组"_s, {}, 4});
             for (int days : {0, 30, 31})
                 lot(id, 1, Today.addDays(days), 10, 1, QString::number(days));
             lot(reagent({u"乙"_s, u"生化组"_s, {}, 4}), 1, Today.addDays(-400), 10, 1, u"-400"_s);
         },
         {u"已经过期（2）"_s, u"即将过期（1）"_s, u"库存低（0）"_s, u"库存高（0）"_s}, true},
        {"high stock only", [&] { lot(reagent({u"甲"_s, u"生化组"_s, {}, 4}), 4, Today.addDays(90)); },
         {u"已经过期（0）"_s, u"即将过期（0）"_s, u"库存低（0）"_s, u"库存高（1）"_s}, true},
    };
    for (const Case &c : cases) {
        db().exec(u"DELETE FROM shijikucun"_s);
        db().exec(u"DELETE FROM shijijibenxinxi"_s);
        c.store();
        ModBase::HasTip = false;
        checked();
        EXPECT_EQ(tabs(w->tbsOptions), c.tabs) << c.what;
        EXPECT_EQ(ModBase::HasTip, c.hasTip) << c.what;
        EXPECT_EQ(w->windowTitle(), u"警示窗口——按Esc键关闭窗口"_s);
        EXPECT_FALSE(w->TLoad->isActive());
        delete w.data();
    }
}

TEST_F(FrmQTipTest, LowAndHighTabsMeetTheLimitsAsTheyRead)
{
    for (const StockLimitCase &c : stockLimitCases()) {
        const std::string what =
            QStringLiteral("limit %1, total %2").arg(c.limit, 0, 'g', 10).arg(c.total, 0, 'g', 10).toStdString();
        db().exec(u"DELETE FROM shijikucun"_s);
        db().exec(u"DELETE FROM shijijibenxinxi"_s);
        lot(reagent({u"甲"_s, u"生化组"_s, registerLimit(c.limit), registerLimit(c.limit)}), c.total,
            Today.addDays(90));
        checked();
        EXPECT_EQ(w->tbsOptions->tabText(2), c.side <= 0 ? u"库存低（1）"_s : u"库存低（0）"_s) << what;
        EXPECT_EQ(w->tbsOptions->tabText(3), c.side >= 0 ? u"库存高（1）"_s : u"库存高（0）"_s) << what;
        delete w.data();
    }
}

TEST_F(FrmQTipTest, ExpiredAndExpiringTabsAroundTheWarningPeriod)
{
    const qint32 id = reagent({u"甲"_s});
    for (int days : {-1, 0, 1, 30, 31})
        lot(id, 1, Today.addDays(days), 10, 1, QString::number(days));
    checked();
    EXPECT_EQ(batches(0), (QStringList{u"-1"_s, u"0"_s}));
    EXPECT_EQ(batches(1), (QStringList{u"1"_s, u"30"_s}));
    EXPECT_EQ(w->GridQ[0]->Cols(), 14);
    EXPECT_EQ(w->GridQ[0]->ColWidth(0), 0);
    // No colours here.
    EXPECT_FALSE(w->GridQ[0]->CellForeColor(1, 1).isValid());
    // Reagents judged and none qualifying: a reset grid.
    EXPECT_EQ(w->GridQ[3]->Cols(), 1);
    EXPECT_EQ(w->GridQ[2]->Cols(), 1);
}

TEST_F(FrmQTipTest, TheTickBoxWritesTheSettingAtOnce)
{
    ModBase::TipNow = true;
    checked();
    ASSERT_TRUE(w->CheTipSHX->isChecked());
    w->CheTipSHX->click();
    EXPECT_FALSE(ModBase::TipNow);
    EXPECT_EQ(ModINI::GetINI(u"失效库存试剂提醒"_s, u"立即提醒"_s, ModBase::IniFile), u"False"_s);
    w->CheTipSHX->click();
    EXPECT_EQ(ModINI::GetINI(u"失效库存试剂提醒"_s, u"立即提醒"_s, ModBase::IniFile), u"True"_s);
}

TEST_F(FrmQTipTest, TabsSwitchWithCtrlTabAndEscCloses)
{
    checked()->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w->tbsOptions->currentIndex(), 1);
    w->tbsOptions->setCurrentIndex(3);
    EXPECT_EQ(w->panels->currentWidget(), w->picOptions[3]);
    QTest::keyClick(w, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w->tbsOptions->currentIndex(), 0);
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(FrmQTipTest, EnterOnTheFocusedCloseButtonClosesIt)
{
    checked()->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    w->cmdClose->setFocus();
    QTest::keyClick(w->cmdClose, Qt::Key_Return);
    EXPECT_TRUE(w.isNull() || !w->isVisible());
}

// After a login that found nothing the window stays loaded; command 37 shows it as it is,
// and once closed, a new one that checks when it is shown.
TEST_F(FrmQTipTest, LoginKeepsAQuietWindowForTheMenu)
{
    queries::registerWindows();
    store.user({.name = u"张工"_s, .code = u"1"_s, .password = u"1"_s});
    ModBase::TipNow = true;
    ModBase::AutoBackup = true;
    ModBase::BackupPath = dir.path();
    FrmMain main;
    {
        FrmLogin login(&main);
        login.CmbUserName->setEditText(u"张工"_s);
        login.txtPassWord->setText(u"1"_s);
        login.CmdOK->click();
    }
    ASSERT_TRUE(ModBase::LoginOK);
    EXPECT_FALSE(ModBase::HasTip);

    reagent({u"甲"_s}); // found only by a new check
    QPointer<QDialog> first;
    dialogs.expectDialog(u"FrmQTip"_s, [&](QDialog *d) {
        first = d;
        EXPECT_EQ(d->findChild<QTabBar *>(u"tbsOptions"_s)->tabText(2), u"库存低（0）"_s);
        return QDialog::Rejected;
    });
    main.DoIt(37);
    EXPECT_TRUE(first.isNull()); // closing unloads it

    dialogs.expectDialog(u"FrmQTip"_s, [&](QDialog *d) {
        QTabBar *bar = d->findChild<QTabBar *>(u"tbsOptions"_s);
        EXPECT_EQ(bar->tabText(2), u"库存低"_s);
        d->show();
        [&] { QTRY_COMPARE(bar->tabText(2), u"库存低（1）"_s); }();
        return QDialog::Rejected;
    });
    main.DoIt(37);
}

TEST_F(FrmQTipTest, LoginShowsTheWindowWhenSomethingWasFound)
{
    queries::registerWindows();
    store.user({.name = u"张工"_s, .code = u"1"_s, .password = u"1"_s});
    reagent({u"甲"_s});
    ModBase::TipNow = true;
    ModBase::AutoBackup = true;
    ModBase::BackupPath = dir.path();
    FrmMain main;
    QWidget *owner = nullptr;
    dialogs.expectDialog(u"FrmQTip"_s, [&](QDialog *d) {
        owner = d->parentWidget();
        EXPECT_EQ(d->findChild<QTabBar *>(u"tbsOptions"_s)->tabText(2), u"库存低（1）"_s);
        return QDialog::Rejected;
    });
    FrmLogin login(&main);
    login.CmbUserName->setEditText(u"张工"_s);
    login.txtPassWord->setText(u"1"_s);
    login.CmdOK->click();
    EXPECT_TRUE(ModBase::HasTip);
    EXPECT_EQ(owner, &main);
}

} // namespace
