#pragma once

#include <QDateEdit>

// The date picker of the windows: a date field with a drop-down calendar, shown as
// yyyy-MM-dd.
class DatePicker : public QDateEdit {
    Q_OBJECT

public:
    explicit DatePicker(QWidget *parent = nullptr);

protected:
    // Tab leaves the field as it leaves every other field; the arrow keys move between the
    // year, month and day (Qt's date field would step through them on Tab first).
    bool focusNextPrevChild(bool next) override;
};
