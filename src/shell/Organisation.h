#pragma once

namespace ModBase {

// Reads the organisation's name into UnitName; the first-start dialog asks for it when
// the database holds none. UnitName stays empty when the user gives no name.
void LoadOrganisation();

} // namespace ModBase
