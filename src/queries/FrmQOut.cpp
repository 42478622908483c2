#include "FrmQOut.h"

FrmQOut::FrmQOut(QWidget *parent) : FrmMovementQuery(queries::issueQuery(), parent) {}
