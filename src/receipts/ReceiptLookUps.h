#pragma once

#include "shell/LookUp.h"

// The kinds of record the receipt window's pick list shows, and the lists of its shortcut
// buttons. The window adds what a take fills in.
namespace receipts {

LookUpKind supplierKind();
LookUpKind productKind();
LookUpKind locationKind();

// The suppliers of receipt lines dated after the given day, each once, latest first.
extern const QString RecentSuppliersSql;
// Every supplier by short name.
extern const QString SuppliersByNameSql;
// The active reagents whose group ends with the bound LIKE pattern, by name.
extern const QString GroupReagentsSql;
// Every active reagent by name.
extern const QString ReagentsByNameSql;
// The receipt document numbers with a line dated after the bound day (the receipt flag
// bound second), latest first.
extern const QString RecentReceiptNumbersSql;
// The groups of the group menu.
extern const QString GroupsSql;

} // namespace receipts
