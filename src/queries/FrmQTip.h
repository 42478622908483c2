#pragma once

#include "shell/WindowRegistry.h"

#include <QDialog>

#include <array>

class FlexGrid;
class QCheckBox;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTimer;

// The warning window: expired lots, lots expiring within the warning period, and reagents
// with low or high stock, one tab each. Its checks run once per window, when it is first
// shown or when the login asks for them before deciding to show it; HasTip tells whether
// any list has a row.
class FrmQTip : public QDialog, public shell::DeferredLoad {
    Q_OBJECT

public:
    explicit FrmQTip(QWidget *parent = nullptr);

    // Runs the checks now unless they have run.
    void loadNow() override;

    QTabBar *tbsOptions = nullptr;
    QStackedWidget *panels = nullptr;
    std::array<QWidget *, 4> picOptions{};
    std::array<FlexGrid *, 4> GridQ{};
    QCheckBox *CheTipSHX = nullptr;
    QPushButton *CmdHelp = nullptr;
    QPushButton *cmdClose = nullptr;
    QTimer *TLoad = nullptr;

private:
    void build();
    void checks();
    void setTabCount(int tab, const QString &caption, int rows);
};
