#include "EntryFilter.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {

bool isCompound(const QWidget *w)
{
    return qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w);
}

bool isEntryField(const QWidget *w)
{
    return isCompound(w) || qobject_cast<const QLineEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w) ||
           qobject_cast<const QTextEdit *>(w);
}

void paint(QWidget *w, bool focused)
{
    QPalette p = w->palette();
    const QPalette plain = QApplication::palette(w);
    const bool button = qobject_cast<QComboBox *>(w) && !static_cast<QComboBox *>(w)->isEditable();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Base, focused ? EntryFilter::focusColour() : plain.color(group, QPalette::Base));
        if (button) // a drop-down list draws its face with the button colour
            p.setColor(group, QPalette::Button,
                       focused ? EntryFilter::focusColour() : plain.color(group, QPalette::Button));
    }
    w->setPalette(p);
}

} // namespace

EntryFilter::EntryFilter(QWidget *window) : QObject(window), m_window(window)
{
    m_window->installEventFilter(this);
    scan();
}

void EntryFilter::scan()
{
    const QList<QWidget *> widgets = m_window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (auto *button = qobject_cast<QPushButton *>(w))
            watchButton(button);
        if (!isEntryField(w))
            continue;
        bool inner = false; // the editor inside a combo or spin box belongs to it
        for (QWidget *p = w->parentWidget(); p && p != m_window && !inner; p = p->parentWidget())
            inner = isCompound(p);
        if (!inner)
            watch(w);
    }
}

void EntryFilter::watch(QWidget *field)
{
    if (!m_fields.contains(field)) {
        m_fields.insert(field);
        watchPart(field, field);
        connect(field, &QObject::destroyed, this, [this](QObject *o) {
            m_fields.remove(static_cast<QWidget *>(o));
            m_companions.remove(static_cast<QWidget *>(o));
        });
    }
    // Only the editor, never the drop-down or calendar popups, which have keys of their own.
    if (auto *combo = qobject_cast<QComboBox *>(field); combo && combo->lineEdit())
        watchPart(combo->lineEdit(), field);
    if (qobject_cast<QAbstractSpinBox *>(field)) {
        if (auto *edit = field->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly))
            watchPart(edit, field);
    }
}

void EntryFilter::watchPart(QObject *part, QWidget *field)
{
    if (m_fieldOf.contains(part))
        return;
    m_fieldOf.insert(part, field);
    part->installEventFilter(this);
    connect(part, &QObject::destroyed, this, [this](QObject *o) { m_fieldOf.remove(o); });
}

void EntryFilter::watchButton(QPushButton *button)
{
    if (m_buttons.contains(button))
        return;
    m_buttons.insert(button);
    button->installEventFilter(this);
    connect(button, &QObject::destroyed, this, [this](QObject *o) { m_buttons.remove(o); });
}

bool EntryFilter::pressButton(QPushButton *button, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // A default or auto-default button presses itself on Enter; any other would pass the
    // key on, to a dialog that presses its default button instead.
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->modifiers() & ~Qt::KeypadModifier
        || button->autoDefault() || button->isDefault() || exempted(button, EnterToNext))
        return false;
    button->click();
    return true;
}

void EntryFilter::exempt(QWidget *control, Behaviours behaviours)
{
    if (!m_exempt.contains(control))
        connect(control, &QObject::destroyed, this, [this](QObject *o) { m_exempt.remove(static_cast<QWidget *>(o)); });
    m_exempt[control] |= behaviours;
}

void EntryFilter::addCompanion(QWidget *field, QWidget *companion)
{
    m_companions.insert(field, companion);
}

bool EntryFilter::exempted(const QWidget *control, Behaviour behaviour) const
{
    return m_exempt.value(control).testFlag(behaviour);
}

bool EntryFilter::escExemptAtFocus() const
{
    for (const QWidget *w = m_window->window()->focusWidget(); w && w != m_window; w = w->parentWidget()) {
        if (exempted(w, EscCloses))
            return true;
    }
    return false;
}

bool EntryFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Show) {
            scan();
        } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape &&
                   !escExemptAtFocus()) {
            // Keys no control took, from buttons, grids and the like.
            closeWindow();
            return true;
        }
        return false;
    }

    if (m_buttons.contains(watched))
        return pressButton(static_cast<QPushButton *>(watched), event);
    QWidget *field = m_fieldOf.value(watched);
    if (!field)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        // Every field, not only this one: a message box shown while the focus moves (a
        // leave check) can send the focus back before the field it was going to learns of it.
        for (QWidget *f : std::as_const(m_fields))
            if (!exempted(f, FocusColour))
                updateColour(f);
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !exempted(field, EnterToNext)) {
            nextField();
            return true;
        }
        if (key == Qt::Key_Escape && !exempted(field, EscCloses)) {
            closeWindow();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

void EntryFilter::updateColour(QWidget *field)
{
    // The window's focus widget, not the application's: switching to another program or
    // opening the field's own popup leaves the field green.
    const QWidget *focus = field->window()->focusWidget();
    const bool focused = focus && (focus == field || field->isAncestorOf(focus));
    paint(field, focused);
    const QList<QWidget *> companions = m_companions.values(field);
    for (QWidget *c : companions)
        paint(c, focused);
}

void EntryFilter::nextField()
{
    // A Tab to the window moves the focus as Tab would, within the window or sub-window.
    QWidget *scope = m_window;
    while (!scope->isWindow() && !qobject_cast<QMdiSubWindow *>(scope) && scope->parentWidget())
        scope = scope->parentWidget();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(scope, &tab);
}

void EntryFilter::closeWindow()
{
    for (QWidget *w = m_window; w; w = w->parentWidget()) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(w)) {
            sub->close();
            return;
        }
        if (w->isWindow()) {
            w->close();
            return;
        }
    }
}
