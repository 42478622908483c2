#pragma once

#include <QList>
#include <QWidget>

#include <array>

class QAction;
class QMenu;

// The hidden window that holds the popup menus several windows share: the help kind,
// the group lists of receipts and stock, and the summary list. It is loaded on first use
// and never shown; its menus pop up at the mouse.
class FrmPopMenu : public QWidget {
    Q_OBJECT
public:
    static FrmPopMenu &instance();

    QMenu *mnuHelpKind = nullptr;
    std::array<QAction *, 3> aHelpKind{}; // items 1 "文字帮助" and 2 "视频帮助"
    QMenu *mnuRK = nullptr;
    QList<QAction *> mnuRKZB;
    QMenu *mnuH = nullptr;
    QList<QAction *> mnuHZ;
    QMenu *mnuQstore = nullptr;
    QList<QAction *> mnuQstoreZB;

    // Item index of one of the arrays above with the caption, created when it is not
    // loaded yet. A click on an item of mnuRKZB or mnuHZ leaves its caption in SQL; the
    // window that loads mnuQstoreZB items connects their clicks itself.
    QAction *loadItem(QList<QAction *> &items, int index, const QString &caption);
    // Drops the loaded items of every array; item 0 stays, with an empty caption.
    void unloadItems();

    // Shows the menu at the mouse and returns when it closes.
    static void popUp(QMenu *menu);

    // A window's help button: HelpKind is 3, the help-kind menu pops up, then text help
    // opens the help file at topic, video help the program folder's page; HelpKind ends at
    // 3 again. A help viewer that cannot start shows the common error box.
    static void helpButton(QWidget *owner, const QString &topic, const QString &page);

private:
    FrmPopMenu();
    QMenu *menuOf(const QList<QAction *> &items) const;
};
