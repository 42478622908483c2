#pragma once

#include "RegisterWindow.h"

// The register of laboratory groups.
class FrmSetCategory : public registers::RegisterWindow {
    Q_OBJECT

public:
    explicit FrmSetCategory(QWidget *parent = nullptr);
};
