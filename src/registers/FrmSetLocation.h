#pragma once

#include "RegisterWindow.h"

// The register of storage places.
class FrmSetLocation : public registers::RegisterWindow {
    Q_OBJECT

public:
    explicit FrmSetLocation(QWidget *parent = nullptr);
};
