#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks the logged-in user for the password again before a guarded operation. Closing it
// sets PSWOK: true only when it was confirmed with the user's password.
class FrmCheckPSW : public QDialog {
    Q_OBJECT
public:
    explicit FrmCheckPSW(QWidget *parent = nullptr);

    void done(int result) override;

    QLineEdit *TxtFileld;
    QPushButton *CmdCHPW;
    QPushButton *CmdCancel;
};
