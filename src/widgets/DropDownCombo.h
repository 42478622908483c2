#pragma once

#include <QComboBox>

// An editable combo box that says when its list is about to drop down, so a window can
// fill the list at the first drop-down.
class DropDownCombo : public QComboBox {
    Q_OBJECT

public:
    explicit DropDownCombo(QWidget *parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    void DropDown();
};
