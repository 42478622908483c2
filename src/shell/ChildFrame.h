#pragma once

#include <QMdiSubWindow>

// The frame of one business window inside the main window. Closing the window itself
// (its Esc, its own close button) closes the frame, and the frame's close runs the
// window's close handler once. The frame deletes itself after closing, so a window that
// closes itself from one of its handlers is destroyed only after that handler returns.
class ChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit ChildFrame(QWidget *window);

    // True once the window accepted its close.
    bool isClosed() const { return m_closed; }

    // Makes the frame holding `window` the active one: a window given the focus from
    // another window's handler calls it first, or closing that other window would activate
    // this one afresh and move its focus elsewhere.
    static void activateFrameOf(QWidget *window);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_closing = false; // the frame is asking the window
    bool m_agreed = false;  // the window accepted a close it started itself
    bool m_closed = false;
};
