#include "ChildAccessKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// Alt with a letter or digit, the form of every access key; other keys are left alone.
QKeySequence accessKeyOf(const QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const int key = e->key();
    const bool letterOrDigit = (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
    if (mods != Qt::AltModifier || !letterOrDigit)
        return {};
    return QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(key)));
}

bool usable(const QWidget *w)
{
    return w->isVisible() && w->isEnabled();
}

void activate(QWidget *target)
{
    if (auto *button = qobject_cast<QAbstractButton *>(target)) {
        // As the access key of a button does: the focus moves to it, then it is pressed, so
        // the field it leaves runs its leave checks first.
        button->setFocus(Qt::ShortcutFocusReason);
        button->click();
    } else if (auto *label = qobject_cast<QLabel *>(target)) {
        label->buddy()->setFocus(Qt::ShortcutFocusReason);
    }
}

} // namespace

ChildAccessKeys::ChildAccessKeys(QMdiArea *area) : QObject(area), m_area(area)
{
    qApp->installEventFilter(this);
}

QWidget *ChildAccessKeys::targetOf(QObject *focus, const QKeySequence &key) const
{
    QMdiSubWindow *frame = m_area->activeSubWindow();
    auto *focusWidget = qobject_cast<QWidget *>(focus);
    if (!frame || !frame->widget() || !focusWidget || !frame->isAncestorOf(focusWidget))
        return nullptr;
    QWidget *window = frame->widget();
    QList<QWidget *> found;
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        if (usable(b) && b->shortcut() == key)
            found.append(b);
    for (QLabel *l : window->findChildren<QLabel *>())
        if (usable(l) && l->buddy() && usable(l->buddy()) && QKeySequence::mnemonic(l->text()) == key)
            found.append(l);
    // A letter two controls of the window share only moves the focus between them, as
    // Qt does it; nothing is pressed on a guess.
    return found.size() == 1 ? found.first() : nullptr;
}

bool ChildAccessKeys::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    const QKeySequence key = accessKeyOf(static_cast<QKeyEvent *>(event));
    if (key.isEmpty())
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Taking the override keeps the main menu from seeing the key; the press that
        // follows is delivered as an ordinary key, and is acted on below.
        QWidget *target = targetOf(watched, key);
        if (!target)
            return false;
        m_pending = target;
        m_pendingKey = key;
        event->accept();
        return true;
    }
    if (!m_pending || m_pendingKey != key)
        return false;
    QWidget *target = m_pending;
    m_pending = nullptr;
    activate(target);
    return true;
}
