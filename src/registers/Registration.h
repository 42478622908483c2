#pragma once

namespace registers {

// Makes the register windows known to the main window's dispatcher by their names.
void registerWindows();

} // namespace registers
