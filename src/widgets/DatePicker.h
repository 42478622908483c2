#pragma once

#include <QDateEdit>

// The date picker of the windows: a date field with a drop-down calendar, shown as
// yyyy-MM-dd.
class DatePicker : public QDateEdit {
    Q_OBJECT

public:
    explicit DatePicker(QWidget *parent = nullptr);
};
