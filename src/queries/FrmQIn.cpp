#include "FrmQIn.h"

FrmQIn::FrmQIn(QWidget *parent) : FrmMovementQuery(queries::receiptQuery(), parent) {}
