#include "FrmQScrap.h"

FrmQScrap::FrmQScrap(QWidget *parent) : FrmMovementQuery(queries::scrapQuery(), parent) {}
