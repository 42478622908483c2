#pragma once

#include "FrmMovementQuery.h"

// The issue query: issue lines by document or period, in detail or summed.
class FrmQOut final : public FrmMovementQuery {
    Q_OBJECT

public:
    explicit FrmQOut(QWidget *parent = nullptr);
};
