#include "RegisterFixture.h"

#include "registers/Registration.h"
#include "shell/FrmMain.h"

namespace {

class Dispatcher : public RegisterFixture {
protected:
    void SetUp() override
    {
        RegisterFixture::SetUp();
        registers::registerWindows();
        main = std::make_unique<FrmMain>();
    }
    void TearDown() override
    {
        main.reset();
        RegisterFixture::TearDown();
    }
    void logIn(const QString &rights, bool super)
    {
        StoreFixture::logIn({.name = QStringLiteral("张工"), .super = super, .rights = rights});
        main->ApplyLoginState();
    }

    std::unique_ptr<FrmMain> main;
};

} // namespace

TEST_F(Dispatcher, EachRegisterCommandOpensItsRegisterModally)
{
    logIn(QString(26, u'1'), true);
    const std::pair<int, const char *> commands[] = {
        {20, "FrmSetCategory"}, {21, "FrmSetUnit"},     {22, "FrmSetLocation"}, {23, "FrmSetManufacturer"},
        {24, "FrmSetSupplier"}, {25, "FrmSetDepartment"}, {26, "FrmSetHandling"}, {29, "FrmSetUser"},
    };
    for (const auto &[n, name] : commands) {
        QString caption;
        dialogs.expectDialog(QString::fromLatin1(name), [&caption](QDialog *d) {
            caption = d->windowTitle();
            return int(QDialog::Rejected);
        });
        main->DoIt(n);
        EXPECT_TRUE(dialogs.done()) << n;
        EXPECT_FALSE(caption.isEmpty()) << n;
    }
}

TEST_F(Dispatcher, ARegisterWithoutItsRightStaysClosed)
{
    QString rights(26, u'1');
    rights[17] = u'0'; // groups
    logIn(rights, false);
    main->DoIt(20);
    dialogs.expectDialog(QStringLiteral("FrmSetUnit"), [](QDialog *) { return int(QDialog::Rejected); });
    main->DoIt(21);
}
