#pragma once

#include "RegisterWindow.h"

// The register of suppliers, a contact card each.
class FrmSetSupplier : public registers::RegisterWindow {
    Q_OBJECT

public:
    explicit FrmSetSupplier(QWidget *parent = nullptr);
};
