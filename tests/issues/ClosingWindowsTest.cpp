#include "IssueFixture.h"

#include "issues/Registration.h"
#include "receipts/Registration.h"
#include "registers/Registration.h"
#include "ShownMainWindow.h"
#include "shell/FrmMain.h"
#include "widgets/DatePicker.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTest>

#include <memory>

using platform::Answer;

namespace {

// A field whose leave action asks: a look-up field with a name its register lacks, or a
// date picker with a year other than this one.
struct Entry {
    const char *window;
    int command;
    qint16 outMode;
    const char *field;
    const char *typed; // empty: the date picker, set a year back
    const char *table; // the register Yes would add the name to
    const char *question;
};

const Entry kEntries[] = {
    {"FrmProductIn", 7, 0, "CmbField_1", "zzzz", "gongyingshang", "添加新的供应商“zzzz”"},
    {"FrmProductIn", 7, 0, "DTPrq_0", "", "", "您输入的年份可能有误！"},
    {"FrmProductOut", 8, 0, "CmbField_1", "qqq", "renlingbumen", "添加新的认领部门“qqq”"},
    {"FrmProductOut", 8, 0, "CmbField_2", "qqq", "renlingren", "添加新的认领人“qqq”"},
    {"FrmProductOut", 8, 0, "DTPrq", "", "", "您输入的年份可能有误！"},
    {"FrmProductOutPatch", 8, 1, "CmbField_1", "qqq", "renlingbumen", "添加新的认领部门“qqq”"},
    {"FrmProductScrap", 9, 0, "CmbField_2", "qqq", "renlingren", "添加新的认领人“qqq”"},
    {"FrmSetProduct", 19, 0, "CmbField_4", "qqq", "danwei", "添加新的包装单位“qqq”"},
    {"FrmSetProduct", 19, 0, "CmbField_5", "qqq", "zubie", "添加新的组别“qqq”"},
    {"FrmSetProduct", 19, 0, "CmbField_6", "qqq", "changshang", "添加新的生产厂商“qqq”"},
};

enum class Closing { Esc, CloseButton, OtherWindow };

// The windows with entry fields behind the real main window, as the program registers them.
class ClosingWindowsTest : public IssueFixture {
protected:
    void SetUp() override
    {
        IssueFixture::SetUp();
        receipts::registerWindows();
        issues::registerWindows();
        registers::registerWindows();
        main = std::make_unique<FrmMain>();
        showMainWindow(*main);
    }
    void TearDown() override
    {
        main.reset();
        IssueFixture::TearDown();
    }

    // Opens the entry's window by its command, the frame maximized or not.
    QWidget *open(const Entry &e, bool maximized)
    {
        ModBase::OutMode = e.outMode;
        main->DoIt(e.command);
        QWidget *w = main->loadedWindow(QString::fromLatin1(e.window));
        if (w && !maximized)
            w->parentWidget()->showNormal();
        return w;
    }

    // Gives the entry's field the focus and the text that makes its leave action ask.
    static void fill(QWidget *w, const Entry &e)
    {
        QWidget *field = w->findChild<QWidget *>(QString::fromLatin1(e.field));
        ASSERT_NE(field, nullptr);
        if (*e.typed) {
            typeInto(field, QString::fromUtf8(e.typed));
            return;
        }
        field->setFocus();
        auto *picker = qobject_cast<DatePicker *>(field);
        ASSERT_NE(picker, nullptr);
        picker->setDate(today().addYears(-1));
    }

    static void clickCloseButton(QWidget *w)
    {
        auto *frame = qobject_cast<QMdiSubWindow *>(w->parentWidget());
        ASSERT_NE(frame, nullptr);
        QStyleOptionTitleBar title;
        title.initFrom(frame);
        title.rect = QRect(0, 0, frame->width(), frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, &title, frame));
        title.subControls = QStyle::SC_All;
        title.titleBarFlags = frame->windowFlags();
        title.titleBarState = frame->windowState();
        const QRect button =
            frame->style()->subControlRect(QStyle::CC_TitleBar, &title, QStyle::SC_TitleBarCloseButton, frame);
        // The frame presses the control the pointer came over.
        QTest::mouseMove(frame, frame->rect().center());
        QTest::mouseMove(frame, button.center());
        QTest::mouseClick(frame, Qt::LeftButton, {}, button.center());
    }

    std::unique_ptr<FrmMain> main;
};

TEST_F(ClosingWindowsTest, ClosingAWindowRunsNoLeaveActionOfItsFields)
{
    const std::pair<Closing, const char *> closings[] = {
        {Closing::Esc, "Esc"}, {Closing::CloseButton, "close button"}, {Closing::OtherWindow, "another window"}};
    for (const Entry &e : kEntries) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(QString::fromLatin1(e.window), QString::fromLatin1(e.field)).toStdString());
        const QString name = QString::fromLatin1(e.window);
        const QString table = QString::fromLatin1(e.table);
        const qint64 rows = table.isEmpty() ? 0 : count(table);

        // Moving on to another control of the window asks.
        QWidget *w = open(e, true);
        ASSERT_NE(w, nullptr);
        fill(w, e);
        dialogs.expect(QString::fromUtf8(e.question), Answer::No);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(dialogs.done());

        for (const auto &[closing, how] : closings) {
            SCOPED_TRACE(how);
            w = open(e, closing != Closing::CloseButton);
            ASSERT_NE(w, nullptr);
            fill(w, e);
            const qsizetype shown = dialogs.shown().size();
            switch (closing) {
            case Closing::Esc:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                break;
            case Closing::CloseButton:
                clickCloseButton(w);
                break;
            case Closing::OtherWindow:
                main->DoIt(16);
                break;
            }
            EXPECT_EQ(main->loadedWindow(name), nullptr);
            EXPECT_EQ(dialogs.shown().size(), shown) << dialogs.lastText().toStdString();
            if (!table.isEmpty()) {
                EXPECT_EQ(count(table), rows);
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

} // namespace
