#include "DatePicker.h"

DatePicker::DatePicker(QWidget *parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
    // Month and day names of the calendar in Chinese, whatever the session's language.
    setLocale(QLocale(QLocale::Chinese, QLocale::China));
}

bool DatePicker::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}
