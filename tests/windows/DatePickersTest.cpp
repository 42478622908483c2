#include "DateParts.h"
#include "StoreFixture.h"

#include "issues/FrmCancelOut.h"
#include "issues/FrmCancelScrap.h"
#include "issues/FrmProductOut.h"
#include "issues/FrmProductOutPatch.h"
#include "issues/FrmProductScrap.h"
#include "queries/FrmQAll.h"
#include "queries/FrmQIn.h"
#include "queries/FrmQOut.h"
#include "queries/FrmQScrap.h"
#include "receipts/FrmCancelIn.h"
#include "receipts/FrmProductIn.h"
#include "widgets/DatePicker.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

#include <functional>
#include <memory>

void PrintTo(const QDate &d, std::ostream *os) { *os << d.toString(Qt::ISODate).toStdString(); }

namespace {

struct PickerCase {
    const char *window;
    std::function<QWidget *()> open;
    const char *picker;
    const char *next; // the field Enter leaves the picker for
};

template <typename W>
std::function<QWidget *()> make()
{
    return [] { return new W; };
}

const PickerCase kPickers[] = {
    {"FrmProductIn", make<FrmProductIn>(), "DTPrq_0", "CmbField_0"},
    {"FrmProductIn", make<FrmProductIn>(), "DTPrq_1", "CmbField_5"},
    {"FrmProductOut", make<FrmProductOut>(), "DTPrq", "CmbField_1"},
    {"FrmProductOutPatch", make<FrmProductOutPatch>(), "DTPrq", "CmbField_0"},
    {"FrmProductScrap", make<FrmProductScrap>(), "DTPrq", "CmbField_1"},
    {"FrmQAll", make<FrmQAll>(), "DTPrq_0", "DTPrq_1"},
    {"FrmQAll", make<FrmQAll>(), "DTPrq_1", "CmdExport"},
    {"FrmQIn", make<FrmQIn>(), "DTPrq_0", "DTPrq_1"},
    {"FrmQIn", make<FrmQIn>(), "DTPrq_1", "CmbGYS"},
    {"FrmQOut", make<FrmQOut>(), "DTPrq_0", "DTPrq_1"},
    {"FrmQOut", make<FrmQOut>(), "DTPrq_1", "CmbGYS"},
    {"FrmQScrap", make<FrmQScrap>(), "DTPrq_0", "DTPrq_1"},
    {"FrmQScrap", make<FrmQScrap>(), "DTPrq_1", "CmbGYS"},
    {"FrmCancelIn", make<FrmCancelIn>(), "DTPrq_0", "DTPrq_1"},
    {"FrmCancelIn", make<FrmCancelIn>(), "DTPrq_1", "CmbZB"},
    {"FrmCancelOut", make<FrmCancelOut>(), "DTPrq_0", "DTPrq_1"},
    {"FrmCancelOut", make<FrmCancelOut>(), "DTPrq_1", "CmbRLBM"},
    {"FrmCancelScrap", make<FrmCancelScrap>(), "DTPrq_0", "DTPrq_1"},
    {"FrmCancelScrap", make<FrmCancelScrap>(), "DTPrq_1", "CmbRLBM"},
};

class DatePickersTest : public StoreFixture, public ::testing::WithParamInterface<PickerCase> {
protected:
    void TearDown() override
    {
        window.reset();
        StoreFixture::TearDown();
    }

    // The name of the control with the focus: an editable field's, not its editor's.
    static QString focused()
    {
        QWidget *f = QApplication::focusWidget();
        if (f && f->parentWidget() && qobject_cast<QComboBox *>(f->parentWidget()))
            f = f->parentWidget();
        return f ? f->objectName() : QString();
    }

    std::unique_ptr<QWidget> window;
};

} // namespace

TEST_P(DatePickersTest, TakesTypedDatesAndEnterLeavesForTheNextField)
{
    const PickerCase &c = GetParam();
    window.reset(c.open());
    window->resize(1200, 700);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto *picker = window->findChild<DatePicker *>(QString::fromLatin1(c.picker));
    ASSERT_NE(picker, nullptr);

    for (const char *typed : {"2026-12-09", "2026/12/09", "20261209"}) {
        picker->setDate(QDate(2026, 1, 15));
        typeInto(picker, QString::fromLatin1(typed));
        EXPECT_EQ(QApplication::focusWidget(), picker) << typed;
        EXPECT_EQ(picker->date(), QDate(2026, 12, 9)) << typed;
        QTest::keyClick(picker, Qt::Key_Return);
        EXPECT_EQ(focused(), QString::fromLatin1(c.next)) << typed;
        EXPECT_EQ(picker->date(), QDate(2026, 12, 9)) << typed;
    }

    picker->setDate(QDate(2026, 1, 15));
    clickDatePart(picker, QDateTimeEdit::MonthSection);
    QTest::keyClicks(picker, QStringLiteral("03"));
    EXPECT_EQ(QApplication::focusWidget(), picker);
    QTest::keyClick(picker, Qt::Key_Return);
    EXPECT_EQ(picker->date(), QDate(2026, 3, 15));
    EXPECT_EQ(focused(), QString::fromLatin1(c.next));
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, DatePickersTest, ::testing::ValuesIn(kPickers),
                         [](const ::testing::TestParamInfo<PickerCase> &info) {
                             return std::string(info.param.window) + "_" + info.param.picker;
                         });
