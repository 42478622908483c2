#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The first-start dialog: the name of the organisation that uses the program.
class FrmWelcome : public QDialog {
    Q_OBJECT
public:
    explicit FrmWelcome(QWidget *parent = nullptr);

    QLabel *lblWelcome = nullptr;
    QLineEdit *TxtCompany = nullptr;
    QPushButton *CmdOK = nullptr;
    QPushButton *CmdHelp = nullptr;

private:
    void CmdOK_Click();
    void CmdHelp_Click();
};
