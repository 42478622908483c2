#pragma once

#include "OutReversalWindow.h"

// The scrap reversal window: scrap lines, shown with their reason, found and taken back,
// the scrapped quantity returning to the store.
class FrmCancelScrap : public OutReversalWindow {
    Q_OBJECT

public:
    explicit FrmCancelScrap(QWidget *parent = nullptr);
};
