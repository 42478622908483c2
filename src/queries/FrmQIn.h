#pragma once

#include "FrmMovementQuery.h"

// The receipt query: receipt lines by document, invoice or period, in detail or summed.
class FrmQIn final : public FrmMovementQuery {
    Q_OBJECT

public:
    explicit FrmQIn(QWidget *parent = nullptr);
};
