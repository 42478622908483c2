#pragma once

#include "widgets/DateRange.h"

#include <QDate>
#include <QWidget>

#include <array>

class DatePicker;
class QRadioButton;

// The period block of the reversal and movement query windows: six options and the start
// and end pickers. It never searches by itself; the window's search button reads it.
//
// An option sets the pickers; any change of a picker by the user selects 自定义, so the
// title and the condition always describe the dates shown. A click on a picker while
// another option is selected first sets both pickers to the work date.
class DateRangeSelector : public QWidget {
    Q_OBJECT

public:
    // Selects the stored default period (the first option when it names none).
    DateRangeSelector(const QDate &today, int storedDefault, QWidget *parent = nullptr);

    std::array<QRadioButton *, daterange::OptionCount> OptRQ{};
    std::array<DatePicker *, 2> DTPrq{};

    // Selects an option as its click does.
    void selectOption(int option);
    int option() const;
    QDate startDate() const;
    QDate endDate() const;

    // The check before a search: false after the refusal was shown.
    bool checkRange(QWidget *owner) const;
    QString title() const;
    daterange::Condition condition() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyPreset();
    void setDates(const QDate &start, const QDate &end);
    void pickerChanged();
    void pickerPressed();

    QDate m_today;
    bool m_programSets = false; // the pickers are being set by an option
    bool m_keepDates = false;   // 自定义 selected by a picker change keeps the dates
};
