#pragma once

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>

// Clicks into a date field's part (year, month or day) as a user does: on its second
// character, where the field shows yyyy-MM-dd.
inline void clickDatePart(QDateTimeEdit *picker, QDateTimeEdit::Section part)
{
    QLineEdit *edit = picker->findChild<QLineEdit *>();
    const int start = part == QDateTimeEdit::YearSection ? 0 : part == QDateTimeEdit::MonthSection ? 5 : 8;
    const int y = edit->height() / 2;
    int x = 0;
    while (x < edit->width() && edit->cursorPositionAt(QPoint(x, y)) < start + 1)
        ++x;
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}
