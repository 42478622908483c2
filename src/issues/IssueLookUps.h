#pragma once

#include "shell/LookUp.h"

// The kinds of record the pick list of the issue and scrap windows shows, and the lists of
// their shortcut buttons. The window adds what a take fills in.
namespace issues {

// Claiming departments and claimants: a name the register lacks is offered for adding; No
// keeps the text as typed.
LookUpKind departmentKind();
LookUpKind claimantKind();
// Stock lots, searched by the reagent's pinyin code, name or barcode; a text that matches
// no lot is cleared from the field. The columns, in this order, are those LotTake reads.
LookUpKind inventoryKind();

// Every department, every claimant by name.
extern const QString DepartmentsByNameSql;
extern const QString ClaimantsByNameSql;
// Every lot by reagent name and expiry.
extern const QString LotsByNameSql;
// The lots of the reagents whose group ends with the bound LIKE pattern.
extern const QString GroupLotsSql;
// The lots that expire on or before the bound day, and those that expire between the two
// bound days, by reagent name and expiry.
extern const QString ExpiredLotsSql;
extern const QString ExpiringLotsSql;

} // namespace issues
