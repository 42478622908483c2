#include "DateRangeSelector.h"

#include "platform/Dialogs.h"
#include "widgets/DatePicker.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char16_t *const kCaptions[daterange::OptionCount] = {u"本月", u"上月", u"今年", u"去年", u"不限", u"自定义"};

} // namespace

DateRangeSelector::DateRangeSelector(const QDate &today, int storedDefault, QWidget *parent)
    : QWidget(parent), m_today(today)
{
    auto *options = new QFrame(this);
    options->setFrameShape(QFrame::StyledPanel);
    auto *optionGrid = new QGridLayout(options);
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < daterange::OptionCount; ++i) {
        OptRQ[i] = new QRadioButton(QString::fromUtf16(kCaptions[i]), options);
        OptRQ[i]->setObjectName(QStringLiteral("OptRQ_%1").arg(i));
        group->addButton(OptRQ[i], i);
        // 本月 今年 不限 above 上月 去年 自定义
        optionGrid->addWidget(OptRQ[i], i % 2, i / 2);
        connect(OptRQ[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                applyPreset();
        });
    }

    auto *pickers = new QGridLayout;
    const char16_t *const labels[2] = {u"起始日期:", u"结束日期:"};
    for (int i = 0; i < 2; ++i) {
        DTPrq[i] = new DatePicker(this);
        DTPrq[i]->setObjectName(QStringLiteral("DTPrq_%1").arg(i));
        DTPrq[i]->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
        DTPrq[i]->setDate(today);
        pickers->addWidget(new QLabel(QString::fromUtf16(labels[i]), this), i, 0);
        pickers->addWidget(DTPrq[i], i, 1);
        DTPrq[i]->installEventFilter(this);
        for (QLineEdit *edit : DTPrq[i]->findChildren<QLineEdit *>())
            edit->installEventFilter(this);
        connect(DTPrq[i], &DatePicker::dateChanged, this, [this] { pickerChanged(); });
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(options);
    layout->addLayout(pickers);

    selectOption(daterange::defaultOption(storedDefault));
}

void DateRangeSelector::selectOption(int option)
{
    if (OptRQ[option]->isChecked())
        applyPreset();
    else
        OptRQ[option]->setChecked(true);
}

int DateRangeSelector::option() const
{
    for (int i = 0; i < daterange::OptionCount; ++i)
        if (OptRQ[i]->isChecked())
            return i;
    return daterange::Custom;
}

QDate DateRangeSelector::startDate() const { return DTPrq[0]->date(); }
QDate DateRangeSelector::endDate() const { return DTPrq[1]->date(); }

bool DateRangeSelector::checkRange(QWidget *owner) const
{
    if (daterange::rangeValid(startDate(), endDate()))
        return true;
    platform::msgBox(daterange::rangeMessage(), platform::Buttons::Ok, platform::Icon::None,
                     QStringLiteral("提示"), owner);
    return false;
}

QString DateRangeSelector::title() const
{
    return daterange::periodTitle(option(), startDate(), endDate());
}

daterange::Condition DateRangeSelector::condition() const
{
    return daterange::dateCondition(option(), startDate(), endDate());
}

bool DateRangeSelector::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        pickerPressed();
    return QWidget::eventFilter(watched, event);
}

void DateRangeSelector::applyPreset()
{
    if (m_keepDates)
        return;
    if (const auto range = daterange::presetRange(option(), m_today))
        setDates(range->start, range->end);
}

void DateRangeSelector::setDates(const QDate &start, const QDate &end)
{
    m_programSets = true;
    DTPrq[0]->setDate(start);
    DTPrq[1]->setDate(end);
    m_programSets = false;
}

void DateRangeSelector::pickerChanged()
{
    if (m_programSets || OptRQ[daterange::Custom]->isChecked())
        return;
    m_keepDates = true;
    OptRQ[daterange::Custom]->setChecked(true);
    m_keepDates = false;
}

void DateRangeSelector::pickerPressed()
{
    if (!OptRQ[daterange::Custom]->isChecked())
        OptRQ[daterange::Custom]->setChecked(true);
}
