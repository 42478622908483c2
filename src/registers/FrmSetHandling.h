#pragma once

#include "RegisterWindow.h"

// The register of claimants.
class FrmSetHandling : public registers::RegisterWindow {
    Q_OBJECT

public:
    explicit FrmSetHandling(QWidget *parent = nullptr);
};
