#include "FrmSetProductFixture.h"

#include "shell/FrmMain.h"
#include "shell/ReagentPickTarget.h"
#include "shell/WindowRegistry.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QPointer>

using platform::Answer;

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The receipt window as the catalogue sees it: somewhere to put the reagent picked.
class FakeReceipt : public QWidget, public ReagentPickTarget {
public:
    void PickReagent(qint32 reagentId, const QString &name, const QString &unit) override
    {
        picked << QStringLiteral("%1 %2 %3").arg(reagentId).arg(name, unit);
    }
    QStringList picked;
};

// The catalogue inside the main window, opened by its command.
class CataloguePickFixture : public CatalogueFixture {
protected:
    void SetUp() override
    {
        CatalogueFixture::SetUp();
        shell::registerWindow(QStringLiteral("FrmProductIn"), [](QWidget *) { return new FakeReceipt; });
        shell::registerWindow(QStringLiteral("FrmSetProduct"), [](QWidget *p) { return new FrmSetProduct(p); });
        main = std::make_unique<FrmMain>();
        logIn({.name = QStringLiteral("张工"), .super = false});
        main->ApplyLoginState();
        main->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }
    void TearDown() override
    {
        main.reset();
        CatalogueFixture::TearDown();
    }

    FrmSetProduct *catalogue() const
    {
        return qobject_cast<FrmSetProduct *>(main->loadedWindow(QStringLiteral("FrmSetProduct")));
    }
    FakeReceipt *receipt() const
    {
        return dynamic_cast<FakeReceipt *>(main->loadedWindow(QStringLiteral("FrmProductIn")));
    }

    FrmSetProduct *openCatalogue()
    {
        main->DoIt(19);
        FrmSetProduct *w = catalogue();
        EXPECT_TRUE(w);
        EXPECT_TRUE(QTest::qWaitFor([w] { return w->OptShow[0]->isChecked() || w->OptShow[1]->isChecked(); }));
        return w;
    }

    void doubleClick(FrmSetProduct *w, int id)
    {
        FlexGrid *grid = w->GridShow;
        int r = 1;
        while (r < grid->Rows() && grid->TextMatrix(r, 0) != QString::number(id))
            ++r;
        ASSERT_LT(r, grid->Rows());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(r - 1, 2)).center());
    }

    std::unique_ptr<FrmMain> main;
};

} // namespace

TEST_F(CataloguePickFixture, OpensFromItsMenuAndToolbar)
{
    main->mnuRegBase->trigger();
    ASSERT_TRUE(catalogue());
    catalogue()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(catalogue());
    main->tbRegSet->trigger();
    EXPECT_TRUE(catalogue());
}

TEST_F(CataloguePickFixture, PickRefusesDisabledReagentsAndWritesAnActiveOne)
{
    main->DoIt(7);
    ASSERT_TRUE(receipt());
    ModBase::PickMode = true;
    FrmSetProduct *w = openCatalogue();

    dialogs.expectExact(s("“血检停用”已设置停用\n\n不能入库"));
    doubleClick(w, 2);
    EXPECT_TRUE(dialogs.done());
    EXPECT_TRUE(ModBase::PickMode);
    EXPECT_EQ(catalogue(), w);
    EXPECT_TRUE(receipt()->picked.isEmpty());

    doubleClick(w, 1);
    EXPECT_EQ(receipt()->picked, QStringList{s("1 血清样本 盒")});
    EXPECT_FALSE(ModBase::PickMode);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(catalogue());

    // Outside pick mode a double-click only loads the row.
    w = openCatalogue();
    doubleClick(w, 1);
    EXPECT_EQ(receipt()->picked.size(), 1);
    EXPECT_EQ(catalogue(), w);
}

TEST_F(CataloguePickFixture, PickModeEndsWithTheCatalogueAndWithoutAReceiptWindow)
{
    main->DoIt(7);
    ModBase::PickMode = true;
    openCatalogue()->close();
    EXPECT_FALSE(ModBase::PickMode); // a register opened later does not pick for it

    ModBase::PickMode = true;
    FrmSetProduct *w = openCatalogue();
    main->loadedWindow(QStringLiteral("FrmProductIn"))->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(receipt());
    doubleClick(w, 1);
    EXPECT_FALSE(ModBase::PickMode);
    EXPECT_EQ(catalogue(), w);
}

TEST_F(CataloguePickFixture, PickersFillTheirFieldsFromTheRegisters)
{
    ModBase::PickMode = true; // opened as the receipt window's picker
    FrmSetProduct *w = openCatalogue();
    w->CmbField[5]->setEditText(s("生化"));
    w->CmbField[6]->setEditText(s("兰州生物"));

    dialogs.expectDialog(QStringLiteral("FrmSetManufacturer"), [](QDialog *) {
        EXPECT_TRUE(ModBase::PickMode);
        EXPECT_EQ(ModBase::PickCS, QString());
        ModBase::PickCS = s("上海试剂");
        ModBase::PickCSID = 2;
        return QDialog::Accepted;
    });
    w->CmdAdd[1]->click();
    EXPECT_EQ(w->CmbField[6]->currentText(), s("上海试剂"));
    EXPECT_EQ(ModBase::PickCSID, 2);
    EXPECT_TRUE(ModBase::PickMode); // still the receipt window's picker
    EXPECT_FALSE(w->GridShow->isEnabled());
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->GridShow->isEnabled(); }));

    // Closed without a choice: the manufacturer is gone, the group stays.
    dialogs.expectDialog(QStringLiteral("FrmSetManufacturer"), [](QDialog *) { return QDialog::Rejected; });
    w->CmdAdd[1]->click();
    EXPECT_EQ(w->CmbField[6]->currentText(), QString());
    dialogs.expectDialog(QStringLiteral("FrmSetCategory"), [](QDialog *) {
        EXPECT_EQ(ModBase::PickGroup, s("生化"));
        return QDialog::Rejected;
    });
    w->CmdAdd[0]->click();
    EXPECT_EQ(w->CmbField[5]->currentText(), s("生化"));
    EXPECT_EQ(w->focusWidget(), w->CmbField[5]);

    // Without the right to a register its picker shows nothing.
    main->mnuBZDW->setEnabled(false);
    w->CmbField[4]->setEditText(s("盒"));
    w->CmdAdd[2]->click();
    EXPECT_EQ(w->CmbField[4]->currentText(), s("盒"));
    w->close();
    main->mnuZB->setEnabled(false);
    main->mnuCS->setEnabled(false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    w = openCatalogue();
    EXPECT_FALSE(w->CmdAdd[0]->isEnabled());
    EXPECT_FALSE(w->CmdAdd[1]->isEnabled());
    EXPECT_TRUE(w->CmdAdd[2]->isEnabled());
}
