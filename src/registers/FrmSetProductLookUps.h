#pragma once

#include "shell/LookUp.h"

class QWidget;

// The catalogue's three look-up fields: what each searches, what a take fills, and the
// name a register lacks offered for adding. next is the field the focus goes to after a
// press on the list took a record.
namespace registers {

LookUpKind unitKind(QWidget *next);
LookUpKind categoryKind(QWidget *next);
// A take, and a manufacturer added on the spot, make it the one the save writes (PickCSID).
LookUpKind manufacturerKind(QWidget *next);

} // namespace registers
