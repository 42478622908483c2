#include "FieldLeave.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMdiSubWindow>
#include <QWidget>

namespace {

const QWidget *windowOf(const QWidget *field)
{
    const QWidget *w = field;
    while (!w->isWindow() && w->parentWidget() && !qobject_cast<const QMdiSubWindow *>(w->parentWidget()))
        w = w->parentWidget();
    return w;
}

} // namespace

bool leftForAnotherControl(const QWidget *field, const QEvent *event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    // The focus has moved already when the field hears of it. A window that closes hides
    // first, so the focus it gives away lands outside it.
    const QWidget *next = QApplication::focusWidget();
    const QWidget *window = windowOf(field);
    return next && window->isVisible() && window->isAncestorOf(next) && next != field && !field->isAncestorOf(next);
}
