#pragma once

#include "OutReversalWindow.h"

// The issue reversal window: issue lines found and taken back, their quantity returning
// to the store.
class FrmCancelOut : public OutReversalWindow {
    Q_OBJECT

public:
    explicit FrmCancelOut(QWidget *parent = nullptr);
};
