#include "StoreFixture.h"

#include "issues/Registration.h"
#include "queries/FrmQAll.h"
#include "queries/FrmQInventory.h"
#include "queries/Registration.h"
#include "receipts/Registration.h"
#include "shell/FrmMain.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "widgets/FlexGrid.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QStringList captions(const QList<QAction *> &items)
{
    QStringList out;
    for (const QAction *item : items)
        out << item->text();
    return out;
}

// The business windows behind the real main window, over a store of two groups.
class SharedMenusTest : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        const qint32 maker = store.maker(u"兰州生物"_s);
        const qint32 supplier = store.supplier(u"北京医药"_s);
        for (const auto &[name, group] : {std::pair{u"血清"_s, u"生化"_s}, std::pair{u"抗体"_s, u"免疫"_s}}) {
            const qint32 reagent = store.reagent({.name = name, .group = group, .maker = maker});
            store.receipt({.date = QDate(2025, 12, 5), .reagent = reagent, .quantity = 2, .price = 10,
                           .supplier = supplier});
        }
        ModBase::OutMode = 0;
        receipts::registerWindows();
        issues::registerWindows();
        queries::registerWindows();
        main = std::make_unique<FrmMain>();
        main->ApplyLoginState();
        main->resize(1280, 800);
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }
    void TearDown() override
    {
        main.reset();
        FrmPopMenu::instance().unloadItems();
        StoreFixture::TearDown();
    }

    // A command as the toolbar gives it, and the event loop's turn after it, in which the
    // windows it closed are destroyed.
    void command(int n)
    {
        main->DoIt(n);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The popup menu that the next click opens is answered with the item of that caption.
    static void answerMenu(QWidget *w, const QString &caption)
    {
        QTimer::singleShot(0, w, [caption] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction *item : menu->actions())
                if (item->text() == caption)
                    item->trigger();
            menu->close();
        });
    }

    std::unique_ptr<FrmMain> main;
};

TEST_F(SharedMenusTest, TheOpenWindowKeepsItsMenusAfterADirectSwitch)
{
    const QStringList groups{u"免疫"_s, u"生化"_s};
    FrmPopMenu &pop = FrmPopMenu::instance();
    const std::pair<int, int> sequences[] = {{11, 15}, {15, 11}, {11, 11}, {15, 15}, {15, 8}, {7, 15}, {8, 11}, {15, 7}};
    for (const auto &[from, to] : sequences) {
        SCOPED_TRACE(QStringLiteral("%1 -> %2").arg(from).arg(to).toStdString());
        command(from);
        command(to);
        switch (to) {
        case 11: {
            EXPECT_EQ(captions(pop.mnuQstoreZB), groups);
            auto *w = qobject_cast<FrmQInventory *>(main->loadedWindow(u"FrmQInventory"_s));
            ASSERT_NE(w, nullptr);
            pop.mnuQstoreZB[0]->trigger();
            EXPECT_TRUE(w->LabTip->text().startsWith(u"免疫 库存试剂报表"_s)) << w->LabTip->text().toStdString();
            break;
        }
        case 15:
            EXPECT_EQ(captions(pop.mnuHZ), QStringList{u"概况"_s});
            EXPECT_EQ(captions(pop.mnuRKZB), QStringList{u"全部组别"_s} + groups);
            break;
        case 7:
        case 8:
            EXPECT_EQ(captions(pop.mnuRKZB), groups);
            break;
        }
    }
}

TEST_F(SharedMenusTest, TheLedgerMakesItsReportsAfterTheStockQuery)
{
    command(11);
    command(15);
    auto *w = qobject_cast<FrmQAll *>(main->loadedWindow(u"FrmQAll"_s));
    ASSERT_NE(w, nullptr);

    answerMenu(w, u"全部组别"_s);
    QTest::mouseClick(w->CmdQAll[1], Qt::LeftButton);
    EXPECT_EQ(w->ReportTitle(), u"2025-12-01至2025-12-31试剂盘点表"_s);
    ASSERT_EQ(w->GridShow->Rows(), 4); // two reagents and the total
    EXPECT_EQ(w->GridShow->TextMatrix(1, 1), u"抗体"_s);

    answerMenu(w, u"概况"_s);
    QTest::mouseClick(w->CmdHZ, Qt::LeftButton);
    EXPECT_EQ(w->ReportTitle(), u"2025-12-01至2025-12-31试剂统计概况"_s);
    ASSERT_GE(w->GridShow->Rows(), 2);
    EXPECT_EQ(w->GridShow->TextMatrix(1, 1), u"40.00"_s); // the period's receipts
}

} // namespace
