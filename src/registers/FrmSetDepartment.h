#pragma once

#include "RegisterWindow.h"

// The register of claiming departments.
class FrmSetDepartment : public registers::RegisterWindow {
    Q_OBJECT

public:
    explicit FrmSetDepartment(QWidget *parent = nullptr);
};
