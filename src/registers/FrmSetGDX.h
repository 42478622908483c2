#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QPushButton;

// Chooses one low and one high stock limit for every reagent, handed back in LowLimit and
// HighLimit (LowLimit stays -1 when nothing is to be set), or clears every reagent's
// limits at once.
class FrmSetGDX : public QDialog {
    Q_OBJECT

public:
    explicit FrmSetGDX(QWidget *parent = nullptr);

    QGroupBox *Frame1 = nullptr;
    std::array<QComboBox *, 2> CmbField{};
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *Command1 = nullptr;

private:
    void CmbField_Change(int index);
    void OKButton_Click();
    void Command1_Click();
};
