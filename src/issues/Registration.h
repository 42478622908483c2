#pragma once

namespace issues {

// Makes the issue and scrap windows known to the main window's dispatcher by name.
void registerWindows();

} // namespace issues
