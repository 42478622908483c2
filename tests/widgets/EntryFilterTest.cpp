#include "widgets/DatePicker.h"
#include "widgets/EntryFilter.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A small entry window: the fields in tab order, then a default button.
struct Form {
    explicit Form(QWidget *w) : window(w)
    {
        auto *layout = new QVBoxLayout(window);
        combo->setEditable(true);
        for (QWidget *f : fields())
            layout->addWidget(f);
        layout->addWidget(note);
        layout->addWidget(find);
        layout->addWidget(save);
        find->setAutoDefault(false);
        save->setDefault(true);
    }

    QList<QWidget *> fields() const { return {text, combo, date, spin}; }

    QWidget *window;
    QLineEdit *text = new QLineEdit(window);
    QComboBox *combo = new QComboBox(window);
    DatePicker *date = new DatePicker(window);
    QSpinBox *spin = new QSpinBox(window);
    QPlainTextEdit *note = new QPlainTextEdit(window);
    QPushButton *find = new QPushButton(QStringLiteral("查找(&F)"), window);
    QPushButton *save = new QPushButton(QStringLiteral("入库(&S)"), window);
};

void press(int key)
{
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
}

QColor base(const QWidget *w)
{
    return w->palette().color(QPalette::Active, QPalette::Base);
}

class EntryFilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        filter = new EntryFilter(&dialog);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    QDialog dialog;
    Form form{&dialog};
    EntryFilter *filter = nullptr;
};

} // namespace

TEST_F(EntryFilterTest, TheFocusedFieldAloneIsLightGreen)
{
    const QColor plain = QApplication::palette(form.text).color(QPalette::Active, QPalette::Base);
    auto *unit = new QLineEdit(&dialog);
    filter->addCompanion(form.spin, unit);
    for (QWidget *f : form.fields()) {
        f->setFocus();
        for (QWidget *other : form.fields())
            EXPECT_EQ(base(other), other == f ? EntryFilter::focusColour() : plain) << other->metaObject()->className();
        EXPECT_EQ(base(unit), f == form.spin ? EntryFilter::focusColour() : plain);
    }
    form.save->setFocus();
    EXPECT_EQ(base(form.spin), plain);
    EXPECT_EQ(base(unit), plain);
}

// On leaving a field, a message box takes the focus and its answer sends the user back.
class QuestionOnLeave : public QObject {
public:
    explicit QuestionOnLeave(QWidget *field) : m_field(field) { field->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_field && event->type() == QEvent::FocusOut && !m_asked) {
            m_asked = true;
            QWidget *owner = m_field->window();
            QDialog box;
            box.show();
            box.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
            m_field->setFocus();
            box.close();
            owner->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(owner));
        }
        return false;
    }

private:
    QWidget *m_field;
    bool m_asked = false;
};

TEST_F(EntryFilterTest, AFieldSentBackByAQuestionAloneIsLightGreen)
{
    const QColor plain = QApplication::palette(form.text).color(QPalette::Active, QPalette::Base);
    form.date->setFocus();
    QuestionOnLeave question(form.date);
    form.combo->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), form.date);
    for (QWidget *f : form.fields())
        EXPECT_EQ(base(f), f == form.date ? EntryFilter::focusColour() : plain) << f->metaObject()->className();
}

TEST_F(EntryFilterTest, EnterMovesToTheNextFieldAndPressesNoButton)
{
    QSignalSpy clicked(form.save, &QPushButton::clicked);
    const QList<QWidget *> order = form.fields() << form.note;
    form.text->setFocus();
    for (int i = 1; i < order.size(); ++i) {
        press(Qt::Key_Return);
        QWidget *focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == order.at(i) || order.at(i)->isAncestorOf(focus)) << i;
    }
    EXPECT_EQ(clicked.size(), 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(form.combo->count(), 0); // the combo used as a text field keeps an empty list
}

TEST_F(EntryFilterTest, TabLeavesTheDatePickerFromAnyPartOfTheDate)
{
    for (const QDateTimeEdit::Section part : {QDateTimeEdit::YearSection, QDateTimeEdit::DaySection}) {
        form.date->setFocus();
        form.date->setCurrentSection(part);
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), form.spin) << part;
        form.date->setFocus();
        form.date->setCurrentSection(part);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QWidget *focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == form.combo || form.combo->isAncestorOf(focus)) << part;
    }
}

TEST_F(EntryFilterTest, EnterPressesTheFocusedButtonAlone)
{
    QSignalSpy found(form.find, &QPushButton::clicked);
    QSignalSpy saved(form.save, &QPushButton::clicked);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        form.find->setFocus();
        press(key);
        form.save->setFocus();
        press(key);
    }
    EXPECT_EQ(found.size(), 2);
    EXPECT_EQ(saved.size(), 2);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(EntryFilterTest, AnExemptControlKeepsItsOwnEnterAndColour)
{
    filter->exempt(form.note, EntryFilter::EnterToNext);
    form.note->setFocus();
    QTest::keyClicks(form.note, QStringLiteral("a"));
    press(Qt::Key_Return);
    QTest::keyClicks(form.note, QStringLiteral("b"));
    EXPECT_EQ(form.note->toPlainText(), QStringLiteral("a\nb"));
    EXPECT_EQ(QApplication::focusWidget(), form.note);

    filter->exempt(form.text, EntryFilter::FocusColour);
    form.text->setFocus();
    EXPECT_NE(base(form.text), EntryFilter::focusColour());
}

TEST_F(EntryFilterTest, EscClosesTheWindowFromAFieldOrAButton)
{
    for (QWidget *from : {static_cast<QWidget *>(form.date), static_cast<QWidget *>(form.save)}) {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        from->setFocus();
        press(Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible()) << from->metaObject()->className();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

TEST(EntryFilterMdi, EnterStaysInItsSubWindowAndEscClosesIt)
{
    QMdiArea area;
    auto *formWidget = new QWidget;
    Form form(formWidget);
    auto *filter = new EntryFilter(formWidget);
    filter->exempt(form.note, EntryFilter::EscCloses);
    QMdiSubWindow *sub = area.addSubWindow(formWidget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    auto *other = new QWidget;
    new QLineEdit(other);
    area.addSubWindow(other);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    area.setActiveSubWindow(sub);

    form.find->setFocusPolicy(Qt::NoFocus);
    form.save->setFocusPolicy(Qt::NoFocus);
    form.spin->setFocus();
    press(Qt::Key_Return);
    press(Qt::Key_Return); // from the last field round to the first, not into the other window
    EXPECT_EQ(QApplication::focusWidget(), form.text);
    press(Qt::Key_Return);
    EXPECT_TRUE(form.combo->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == form.combo);

    form.note->setFocus();
    press(Qt::Key_Escape);
    EXPECT_TRUE(sub->isVisible());

    QPointer<QMdiSubWindow> watched(sub);
    form.date->setFocus();
    press(Qt::Key_Escape);
    QTRY_VERIFY(watched.isNull());
    EXPECT_EQ(area.subWindowList().size(), 1);
}

TEST(DatePicker, ShowsIsoDatesWithACalendar)
{
    DatePicker p;
    p.setDate(QDate(2026, 1, 15));
    EXPECT_EQ(p.text(), QStringLiteral("2026-01-15"));
    EXPECT_TRUE(p.calendarPopup());
}
