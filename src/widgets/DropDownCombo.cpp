#include "DropDownCombo.h"

DropDownCombo::DropDownCombo(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void DropDownCombo::showPopup()
{
    Q_EMIT DropDown();
    QComboBox::showPopup();
}
