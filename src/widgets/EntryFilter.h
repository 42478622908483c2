#pragma once

#include <QColor>
#include <QHash>
#include <QMultiHash>
#include <QObject>
#include <QSet>

class QPushButton;
class QWidget;

// The entry-field behaviour of a window, installed once by the window after it has made
// its controls: the focused field (line edit, combo box, spin box, date edit, text edit)
// turns light green and gets the window colour back when it loses the focus; Enter moves
// to the next field in tab order and is swallowed; Enter on a focused push button presses
// it, as Space does; Esc anywhere in the window closes it (its MDI sub-window when it has
// one).
class EntryFilter : public QObject {
    Q_OBJECT

public:
    enum Behaviour {
        FocusColour = 0x1,
        EnterToNext = 0x2,
        EscCloses = 0x4,
        All = FocusColour | EnterToNext | EscCloses,
    };
    Q_DECLARE_FLAGS(Behaviours, Behaviour)

    static QColor focusColour() { return QColor(0x80, 0xFF, 0x80); }

    // Watches every entry field under window, and again each time the window is shown, so
    // fields made before the window first shows are covered too.
    explicit EntryFilter(QWidget *window);

    // The control keeps its own handling of what is named: a multi-line text that needs
    // Enter, a field whose Part answers Enter or Esc itself, a display that stays plain.
    void exempt(QWidget *control, Behaviours behaviours = All);
    // companion shows field's colour with it (the unit box inside the quantity field).
    void addCompanion(QWidget *field, QWidget *companion);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void scan();
    void watch(QWidget *field);
    void watchPart(QObject *part, QWidget *field);
    void watchButton(QPushButton *button);
    bool pressButton(QPushButton *button, QEvent *event);
    bool exempted(const QWidget *control, Behaviour behaviour) const;
    bool escExemptAtFocus() const;
    void updateColour(QWidget *field);
    void nextField();
    void closeWindow();

    QWidget *m_window;
    QSet<QWidget *> m_fields;
    QHash<QObject *, QWidget *> m_fieldOf; // the field itself and its inner editor
    QSet<QObject *> m_buttons;
    QHash<const QWidget *, Behaviours> m_exempt;
    QMultiHash<QWidget *, QWidget *> m_companions;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(EntryFilter::Behaviours)
