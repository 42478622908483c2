#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

// The settings dialog: every control writes its setting into the shared state and the
// settings file the moment it changes; the dialog only closes.
class FrmOptions : public QDialog {
    Q_OBJECT
public:
    explicit FrmOptions(QWidget *parent = nullptr);

    QTabBar *tbsOptions;
    std::array<QWidget *, 5> picOptions{};

    QCheckBox *CheBak;
    QLineEdit *TxtDir;
    QPushButton *CmdGetDir;

    std::array<QRadioButton *, 2> OptCK{};
    QCheckBox *ChePrice;
    QCheckBox *CheIntoRegOut;
    QCheckBox *CheCKPSW;

    QCheckBox *CheTipSHX;
    std::array<QLineEdit *, 2> TxtSHX{};
    QPushButton *CmdSet;

    std::array<QRadioButton *, 6> OptRQ{};

    QPushButton *CmdJia;

    QPushButton *CmdDefault;
    QPushButton *CmdHelp;
    QPushButton *CmdOK;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildDatabasePanel();
    void buildBusinessPanel();
    void buildExpiryPanel();
    void buildQueryDatePanel();
    void buildMarkUpPanel();
    void loadFromSettings();

    void writeFlag(QCheckBox *box);
    void setOutMode(int i);
    void setQueryDate(int i);
    void setDays();
    void setMarkUp();
    void chooseBackupFolder();
    void restoreDefaults();
    // Shows the refusal and keeps the focus in the box when its text is not a number the
    // setting can hold.
    bool checkNumber(int i);

    QStackedWidget *m_panels;
};
