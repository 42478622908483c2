#pragma once

#include "FrmMovementQuery.h"

// The scrap query: scrap lines by document or period, in detail only.
class FrmQScrap final : public FrmMovementQuery {
    Q_OBJECT

public:
    explicit FrmQScrap(QWidget *parent = nullptr);
};
