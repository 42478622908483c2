#include "ScriptedDialogs.h"
#include "widgets/DatePicker.h"
#include "widgets/DateRangeSelector.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace daterange;

namespace {

const QDate kToday(2026, 1, 15);

QLineEdit *editOf(DatePicker *picker) { return picker->findChild<QLineEdit *>(); }

} // namespace

TEST(DateRangeSelector, LoadSelectsTheStoredDefault)
{
    const struct {
        int stored;
        int selected;
        QDate start;
        QDate end;
    } cases[] = {
        {ThisMonth, ThisMonth, QDate(2026, 1, 1), kToday},
        {LastMonth, LastMonth, QDate(2025, 12, 1), QDate(2025, 12, 31)},
        {Unlimited, Unlimited, kToday, kToday},
        {9, ThisMonth, QDate(2026, 1, 1), kToday},
    };
    for (const auto &c : cases) {
        DateRangeSelector selector(kToday, c.stored);
        EXPECT_TRUE(selector.OptRQ[c.selected]->isChecked()) << c.stored;
        EXPECT_EQ(selector.option(), c.selected);
        EXPECT_EQ(selector.startDate(), c.start) << c.stored;
        EXPECT_EQ(selector.endDate(), c.end) << c.stored;
    }
}

TEST(DateRangeSelector, OptionsAndPickersAreNamedAndLaidOut)
{
    DateRangeSelector selector(kToday, ThisMonth);
    for (int i = 0; i < OptionCount; ++i)
        EXPECT_EQ(selector.findChild<QRadioButton *>(QStringLiteral("OptRQ_%1").arg(i)), selector.OptRQ[i]);
    EXPECT_EQ(selector.findChild<DatePicker *>(QStringLiteral("DTPrq_1")), selector.DTPrq[1]);
    EXPECT_EQ(selector.DTPrq[0]->minimumDate(), QDate(1601, 1, 1));
    EXPECT_EQ(selector.DTPrq[0]->maximumDate(), QDate(9999, 12, 31));
}

TEST(DateRangeSelector, ClickingAPresetSetsThePickersAndUnlimitedKeepsThem)
{
    DateRangeSelector selector(kToday, ThisMonth);
    selector.show();
    QTest::mouseClick(selector.OptRQ[LastYear], Qt::LeftButton);
    EXPECT_EQ(selector.startDate(), QDate(2025, 1, 1));
    EXPECT_EQ(selector.endDate(), QDate(2025, 12, 31));
    QTest::mouseClick(selector.OptRQ[Unlimited], Qt::LeftButton);
    EXPECT_EQ(selector.option(), Unlimited);
    EXPECT_EQ(selector.startDate(), QDate(2025, 1, 1));
    EXPECT_EQ(selector.title(), QStringLiteral("所有日期"));
}

TEST(DateRangeSelector, ClickOnAPickerSelectsCustomWithTodayThenKeepsWhatIsPicked)
{
    DateRangeSelector selector(kToday, ThisMonth);
    selector.show();
    QTest::mouseClick(editOf(selector.DTPrq[1]), Qt::LeftButton);
    EXPECT_EQ(selector.option(), Custom);
    EXPECT_EQ(selector.startDate(), kToday);
    EXPECT_EQ(selector.endDate(), kToday);

    selector.DTPrq[0]->setDate(QDate(2026, 1, 3)); // the date picked in the calendar
    QTest::mouseClick(editOf(selector.DTPrq[0]), Qt::LeftButton);
    EXPECT_EQ(selector.startDate(), QDate(2026, 1, 3));
    EXPECT_EQ(selector.title(), QStringLiteral("2026-01-03至2026-01-15"));
}

TEST(DateRangeSelector, KeyboardChangeOfAPickerSelectsCustomAndKeepsTheDates)
{
    DateRangeSelector selector(kToday, LastMonth);
    selector.show();
    selector.DTPrq[1]->setFocus();
    selector.DTPrq[1]->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(selector.DTPrq[1], Qt::Key_Down);
    EXPECT_EQ(selector.option(), Custom);
    EXPECT_EQ(selector.startDate(), QDate(2025, 12, 1));
    EXPECT_EQ(selector.endDate(), QDate(2025, 12, 30));
    EXPECT_EQ(selector.title(), QStringLiteral("2025-12-01至2025-12-30"));
}

TEST(DateRangeSelector, ReversedPickersRefuseEvenForUnlimited)
{
    DateRangeSelector selector(kToday, Custom);
    selector.DTPrq[0]->setDate(QDate(2026, 2, 1));
    selector.selectOption(Unlimited);
    ScriptedDialogs dialogs;
    dialogs.expectExact(QStringLiteral("起始日期不能大于结束日期！"));
    EXPECT_FALSE(selector.checkRange(&selector));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().title, QStringLiteral("提示"));
    EXPECT_EQ(dialogs.shown().first().icon, platform::Icon::None);

    selector.selectOption(ThisMonth);
    EXPECT_TRUE(selector.checkRange(&selector));
    EXPECT_EQ(selector.condition().params, (QVariantList{QStringLiteral("2026-01-01"), QStringLiteral("2026-01-15")}));
}
