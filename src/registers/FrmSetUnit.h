#pragma once

#include "RegisterWindow.h"

// The register of packing units.
class FrmSetUnit : public registers::RegisterWindow {
    Q_OBJECT

public:
    explicit FrmSetUnit(QWidget *parent = nullptr);
};
