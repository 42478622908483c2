#pragma once

class QEvent;
class QWidget;

// A field's leave action (a search, a take, a question) answers the user moving on to
// another control of the same window. True when event is that move: the field lost the
// focus to a visible control of its window. A box, a menu or another program taking the
// focus, the window closing or another window opening all answer false. The window is
// the field's child window inside the main window, or its own top-level window.
bool leftForAnotherControl(const QWidget *field, const QEvent *event);
