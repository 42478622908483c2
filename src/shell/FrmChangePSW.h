#pragma once

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

// The logged-in user changes the own password: old password, new one, new one again.
class FrmChangePSW : public QDialog {
    Q_OBJECT
public:
    explicit FrmChangePSW(QWidget *parent = nullptr);

    std::array<QLineEdit *, 3> TxtFileld{};
    QPushButton *CmdCHPW;
    QPushButton *CmdCancel;
    QPushButton *CmdHelp;

private:
    void changePassword();
};
