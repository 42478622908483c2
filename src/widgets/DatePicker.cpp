#include "DatePicker.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

bool isSeparator(const QKeyEvent *event)
{
    const QString text = event->text();
    return text == u"-" || text == u"/" || text == u".";
}

} // namespace

DatePicker::DatePicker(QWidget *parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
    // Month and day names of the calendar in Chinese, whatever the session's language.
    setLocale(QLocale(QLocale::Chinese, QLocale::China));
    lineEdit()->installEventFilter(this);
}

bool DatePicker::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}

void DatePicker::selectPart(int index)
{
    if (index < 0 || index >= sectionCount())
        return;
    setCurrentSectionIndex(index);
    setSelectedSection(sectionAt(index));
    m_filledBefore = false;
}

void DatePicker::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (isSeparator(event) && !ctrl) {
        if (!m_filledBefore)
            selectPart(currentSectionIndex() + 1);
        m_filledBefore = false;
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        selectPart(currentSectionIndex() + (event->key() == Qt::Key_Right ? 1 : -1));
        event->accept();
        return;
    }
    const int before = currentSectionIndex();
    QDateEdit::keyPressEvent(event);
    // Qt moves on by itself once a part can take no further digit.
    m_filledBefore = !event->text().isEmpty() && event->text().at(0).isDigit() && currentSectionIndex() != before;
}

void DatePicker::focusInEvent(QFocusEvent *event)
{
    QDateEdit::focusInEvent(event);
    m_filledBefore = false;
    // Sent back by a question ("返回修改？") or a window closing, the field would have no
    // part selected and drop what is typed: typing starts on the year again.
    if (event->reason() != Qt::MouseFocusReason && !lineEdit()->hasSelectedText())
        selectPart(0);
}

bool DatePicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (!hasFocus())
                setFocus(Qt::MouseFocusReason);
            lineEdit()->setCursorPosition(lineEdit()->cursorPositionAt(mouse->position().toPoint()));
            selectPart(currentSectionIndex());
            return true;
        }
    }
    return QDateEdit::eventFilter(watched, event);
}
