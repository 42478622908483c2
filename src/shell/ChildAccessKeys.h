#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPointer>

class QMdiArea;
class QWidget;

// Gives the access keys of the focused child window precedence over the main menu's:
// Alt+S on 入库(&S) saves, although 基础数据设置(&S) carries the same letter. Keys the
// child window does not use still reach the menu. Installed once by the main window.
class ChildAccessKeys : public QObject {
    Q_OBJECT
public:
    explicit ChildAccessKeys(QMdiArea *area);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The control of the active child window that carries this access key, or null.
    QWidget *targetOf(QObject *focus, const QKeySequence &key) const;

    QMdiArea *m_area;
    QPointer<QWidget> m_pending; // claimed by the key's override, acted on at its press
    QKeySequence m_pendingKey;
};
