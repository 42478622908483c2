#include "DateParts.h"
#include "widgets/DatePicker.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

void PrintTo(const QDate &d, std::ostream *os) { *os << d.toString(Qt::ISODate).toStdString(); }

namespace {

class DatePickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(picker);
        layout->addWidget(after);
        picker->setDate(QDate(2026, 1, 15));
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        before->setFocus();
    }

    // Into the picker as Tab or Enter brings the user there, the year selected.
    void enter()
    {
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
    }
    void type(const QString &keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }
    QString selected() const { return picker->findChild<QLineEdit *>()->selectedText(); }

    QWidget window;
    QLineEdit *before = new QLineEdit(&window);
    DatePicker *picker = new DatePicker(&window);
    QLineEdit *after = new QLineEdit(&window);
};

} // namespace

TEST_F(DatePickerTest, TakesADateTypedWithOrWithoutSeparators)
{
    const struct {
        const char *keys;
        QDate date;
    } cases[] = {
        {"2026-12-09", QDate(2026, 12, 9)}, {"2026/12/09", QDate(2026, 12, 9)}, {"2026.12.09", QDate(2026, 12, 9)},
        {"20261209", QDate(2026, 12, 9)},   {"2025-3-7", QDate(2025, 3, 7)},    {"2025/1/31", QDate(2025, 1, 31)},
        {"2026-12-09-", QDate(2026, 12, 9)}, {"2026--3", QDate(2026, 1, 3)},
    };
    for (const auto &c : cases) {
        picker->setDate(QDate(2026, 1, 15));
        enter();
        type(QString::fromLatin1(c.keys));
        EXPECT_EQ(QApplication::focusWidget(), picker) << c.keys;
        after->setFocus();
        EXPECT_EQ(picker->date(), c.date) << c.keys;
    }
}

TEST_F(DatePickerTest, AClickSelectsThePartUnderThePointer)
{
    const struct {
        QDateTimeEdit::Section part;
        const char *keys;
        QDate date;
    } cases[] = {
        {QDateTimeEdit::MonthSection, "03", QDate(2026, 3, 15)},
        {QDateTimeEdit::DaySection, "9", QDate(2026, 1, 9)},
        {QDateTimeEdit::YearSection, "2024", QDate(2024, 1, 15)},
    };
    for (const auto &c : cases) {
        picker->setDate(QDate(2026, 1, 15));
        before->setFocus();
        clickDatePart(picker, c.part);
        EXPECT_EQ(picker->currentSection(), c.part);
        type(QString::fromLatin1(c.keys));
        after->setFocus();
        EXPECT_EQ(picker->date(), c.date) << c.keys;
    }
    // A second click, into the part already selected, keeps it selected.
    clickDatePart(picker, QDateTimeEdit::DaySection);
    clickDatePart(picker, QDateTimeEdit::DaySection);
    EXPECT_EQ(selected(), QStringLiteral("15"));
}

TEST_F(DatePickerTest, ArrowKeysMoveBetweenThePartsAndStayInTheField)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Qt::Key from; // how the field was entered: Tab (the year) or Shift+Tab (the day)
        const char *parts; // the part selected after each press
    } cases[] = {
        {Qt::Key_Right, Qt::NoModifier, Qt::Key_Tab, "MDD"},
        {Qt::Key_Right, Qt::ControlModifier, Qt::Key_Tab, "MDD"},
        {Qt::Key_Left, Qt::NoModifier, Qt::Key_Backtab, "MYY"},
        {Qt::Key_Left, Qt::ControlModifier, Qt::Key_Backtab, "MYY"},
    };
    const auto letter = [this] {
        switch (picker->currentSection()) {
        case QDateTimeEdit::YearSection:
            return 'Y';
        case QDateTimeEdit::MonthSection:
            return 'M';
        case QDateTimeEdit::DaySection:
            return 'D';
        default:
            return '?';
        }
    };
    for (const auto &c : cases) {
        QWidget *from = c.from == Qt::Key_Tab ? before : after;
        from->setFocus();
        QTest::keyClick(from, c.from);
        ASSERT_EQ(QApplication::focusWidget(), picker);
        std::string seen;
        for (const char *p = c.parts; *p; ++p) {
            QTest::keyClick(picker, c.key, c.modifiers);
            seen += letter();
            EXPECT_EQ(QApplication::focusWidget(), picker);
        }
        EXPECT_EQ(seen, c.parts) << c.key << " " << c.modifiers;
    }
    enter();
    QTest::keyClick(picker, Qt::Key_Right);
    EXPECT_EQ(selected(), QStringLiteral("01"));
    QTest::keyClicks(picker, QStringLiteral("7"));
    after->setFocus();
    EXPECT_EQ(picker->date(), QDate(2026, 7, 15));
}

TEST_F(DatePickerTest, SentBackAfterAQuestionItTakesTheDateTypedAgain)
{
    enter();
    type(QStringLiteral("2025-12-09"));
    QTest::keyClick(picker, Qt::Key_Tab);
    // The question on leaving: a box takes the focus, its answer puts it back in the picker.
    QWidget box;
    box.show();
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    picker->setFocus();
    box.hide();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_EQ(QApplication::focusWidget(), picker);
    type(QStringLiteral("2026-12-09"));
    after->setFocus();
    EXPECT_EQ(picker->date(), QDate(2026, 12, 9));
}
