#pragma once

#include "RegisterWindow.h"

// The register of manufacturers, a contact card each.
class FrmSetManufacturer : public registers::RegisterWindow {
    Q_OBJECT

public:
    explicit FrmSetManufacturer(QWidget *parent = nullptr);
};
