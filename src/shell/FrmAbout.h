#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: the program, its version, the organisation using it and the maker.
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget *parent = nullptr);

    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *LblLince;
    QLabel *lblDescription;
    QLabel *Label2;
    QLabel *Image1;
    QLabel *Label8;
    QLabel *Label6;
    QLabel *Label4;
    QLabel *Label9;
    QLabel *LabWeb;
    QPushButton *CmdOK;
};
