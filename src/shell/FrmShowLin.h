#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The licence agreement as a fixed text.
class FrmShowLin : public QDialog {
    Q_OBJECT
public:
    explicit FrmShowLin(QWidget *parent = nullptr);

    QPlainTextEdit *Text1;
    QPushButton *CmdOK;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
