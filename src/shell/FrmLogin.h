#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The login: picks an active user, checks the password, publishes the user and runs what
// follows a login. Made anew for every login; an empty user table is seeded when it opens.
class FrmLogin : public QDialog {
    Q_OBJECT
public:
    explicit FrmLogin(QWidget *parent = nullptr);

    QComboBox *CmbUserName = nullptr; // the one element (1) of its control array
    QLineEdit *txtPassWord = nullptr;
    QPushButton *CmdOK = nullptr;
    QPushButton *CmdCancel = nullptr;
    QPushButton *CmdHelp = nullptr;
    QLabel *LabTip = nullptr;
    std::array<QLabel *, 2> lblLabels{};

    // The unload: however the window closes, the main window takes the login state.
    void done(int result) override;

protected:
    // Centred on the screen: at start-up the main window behind it is still on its way to
    // its maximised size, and centring over it would put the login off centre.
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void CmdOK_Click();
    void afterLogin();
    void refuse(const QString &text, QWidget *focus);

    bool m_unloaded = false;
};
