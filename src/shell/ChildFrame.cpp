#include "ChildFrame.h"

#include <QCloseEvent>
#include <QMdiArea>

ChildFrame::ChildFrame(QWidget *window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(window); // installs this frame as the window's event filter
}

void ChildFrame::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    QMdiSubWindow::closeEvent(event); // asks the window, unless it has agreed already
    m_closing = false;
    if (event->isAccepted())
        m_closed = true;
}

bool ChildFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == widget() && event->type() == QEvent::Close) {
        if (m_agreed) {
            event->accept();
            return true;
        }
        if (!m_closing) {
            // The window closes itself: its own handler decides, then the frame follows.
            static_cast<QObject *>(widget())->event(event);
            if (event->isAccepted()) {
                m_agreed = true;
                close();
            }
            return true;
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void ChildFrame::activateFrameOf(QWidget *window)
{
    auto *frame = qobject_cast<ChildFrame *>(window->parentWidget());
    if (frame && frame->mdiArea())
        frame->mdiArea()->setActiveSubWindow(frame);
}
