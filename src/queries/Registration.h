#pragma once

// The query and ledger windows, registered with the main window's dispatcher by name.
namespace queries {

void registerWindows();

} // namespace queries
