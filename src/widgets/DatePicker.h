#pragma once

#include <QDateEdit>

// The date picker of the windows: a date field with a drop-down calendar, shown as
// yyyy-MM-dd, that takes a date as people type it. Digits fill the year, month and day in
// turn; "-", "/" or "." steps to the next part and never leaves the field, so 2026-12-09,
// 2026/12/09, 2026.12.09 and 20261209 all give the same date. A click selects the part
// under the pointer, so typed digits replace it; the arrow keys and Ctrl+Left/Right move
// between the parts; Tab (and Enter, through the window's entry behaviour) leaves the field
// from any part.
class DatePicker : public QDateEdit {
    Q_OBJECT

public:
    explicit DatePicker(QWidget *parent = nullptr);

protected:
    // Tab leaves the field as it leaves every other field (Qt's date field would step
    // through the parts on Tab first).
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectPart(int index);

    // The part was reached because the one before it was full: a separator typed now
    // closes that part and steps no further.
    bool m_filledBefore = false;
};
