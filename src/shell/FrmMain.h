#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <array>

class ChildFrame;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

// The main window: the frame of the business windows, the menu, the toolbar, the status
// bar and the dispatcher every command goes through.
class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    FrmMain();
    ~FrmMain() override;

    // The one main window of the run, or null.
    static FrmMain *instance();

    // The load handler: the organisation name, the status bar, the caption. False when
    // the program must end (no organisation name); the database is closed then.
    bool load();

    // Runs command n (1 to 37); other numbers only reset the status text.
    void DoIt(int n);
    // Closes the open business windows in their fixed order; each one's close handler runs.
    void UnloadForms();
    // Shows the business window registered under the name as a child, maximised and
    // active, loading it first when it is not open; other windows stay as they are.
    void openChild(const QString &name);
    // The menu command that right `right` (1 to 26) guards is enabled for the logged-in
    // user; false when there is no main window.
    static bool commandEnabled(int right);
    // Enables the commands from LoginOK and UserQX and shows the user in the status bar.
    void ApplyLoginState();
    // The exit backup into the auto-backup folder.
    void AutoBacKupIt();

    // The open business window of that name, or null.
    QWidget *loadedWindow(const QString &name) const;
    // Keeps a loaded, hidden modal window (the warning window after a login that found
    // nothing): the next command that shows that window shows this one. It replaces (null:
    // drops) any window kept before under that name.
    void keepLoaded(const QString &name, QWidget *window);
    // Status bar panel 1, 2 or 3.
    QLabel *panel(int number) const;

    QMdiArea *mdiArea = nullptr;
    QToolBar *TbMaster = nullptr;

    QMenu *mnuDB = nullptr;
    QAction *mnuDBLogin = nullptr;
    QAction *mnuDBdj = nullptr;
    QAction *mnuDBCompactDB = nullptr;
    QAction *mnuDBbackup = nullptr;
    QAction *mnuDBRestore = nullptr;
    QAction *mnuDBexit = nullptr;
    QMenu *mnuRW = nullptr;
    QAction *mnuRWRegIn = nullptr;
    QAction *mnuRWRegOut = nullptr;
    QAction *mnuRWRegBS = nullptr;
    QAction *mnuRWIndent = nullptr;
    QAction *mnuDCin = nullptr;
    QAction *mnuDCout = nullptr;
    QAction *mnuDCbs = nullptr;
    QMenu *mnuQy = nullptr;
    QAction *mnuQyStore = nullptr;
    QAction *mnuQyIn = nullptr;
    QAction *mnuQyOut = nullptr;
    QAction *mnuQyBS = nullptr;
    QAction *mnuQyAll = nullptr;
    QAction *mnuQyJSCK = nullptr;
    QMenu *mnuDC = nullptr;
    QAction *mnuRegBase = nullptr;
    QAction *mnuZB = nullptr;
    QAction *mnuBZDW = nullptr;
    QAction *mnuCFDD = nullptr;
    QAction *mnuCS = nullptr;
    QAction *mnuGYS = nullptr;
    QAction *mnuDepart = nullptr;
    QAction *mnuRLR = nullptr;
    QMenu *mnuTL = nullptr;
    QAction *mnuTLchPSW = nullptr;
    QAction *mnuTLUserSet = nullptr;
    QAction *mnuTLJSQ = nullptr;
    QAction *mnuTLJSB = nullptr;
    QAction *mnuTLOption = nullptr;
    QAction *mnuTLAppPath = nullptr;
    QAction *mnuTLAutoBKPath = nullptr;
    QMenu *mnuH = nullptr;
    QAction *mnuHTopic = nullptr;
    QMenu *mnuMovHelp = nullptr;
    QList<QAction *> mnuMovHelpS;
    QAction *mnuHAbout = nullptr;
    QAction *mnuHLicense = nullptr;
    QAction *mnuHwebLink = nullptr;

    QAction *tbLogin = nullptr;
    QAction *tbRest = nullptr;
    QAction *tbRegIn = nullptr;
    QAction *tbRegOut = nullptr;
    QAction *tbRegBS = nullptr;
    QAction *tbIndent = nullptr;
    QAction *tbQRegStore = nullptr;
    QAction *tbQRegIn = nullptr;
    QAction *tbQRegOut = nullptr;
    QAction *tbQRegBS = nullptr;
    QAction *tbRegSet = nullptr;
    QAction *tbHelp = nullptr;
    QAction *tbAbout = nullptr;
    QAction *tbExit = nullptr;

    // The menu item that right i (1 to 26) enables.
    QAction *rightItem(int right) const;

protected:
    // The unload handler: the last user, the exit backup, the exit compaction, the end.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildVideoHelp();
    void buildToolBar();
    void buildStatusBar();
    QAction *command(QMenu *menu, const char *name, const QString &caption, int n);
    QAction *button(const char *name, const QString &caption, int n);

    void showLogin();
    void openModal(const QString &name);
    void mnuMovHelpS_Click(int index);
    void mnuTLAppPath_Click();
    void mnuTLAutoBKPath_Click();

    std::array<QAction *, 27> m_rightItems{};
    QList<QLabel *> m_panels;
    QHash<QString, QPointer<ChildFrame>> m_children;
    QHash<QString, QPointer<QWidget>> m_kept;
    bool m_unloaded = false;
};

namespace ModBase {
// Applies the login state to the main window, when there is one.
void ApplyLoginState();
} // namespace ModBase
