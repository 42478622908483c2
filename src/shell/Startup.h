#pragma once

#include <memory>

class FrmMain;

namespace platform {
class SingleInstance;
}

namespace ModBase {

// The start procedure up to the upgraded database: code page, single instance, settings,
// paths, the day of the run, the database check, the schema upgrade. False when the
// program must end (its message was shown). The single-instance guard lives as long as
// the caller keeps it.
bool StartUp(platform::SingleInstance &instance);

// The whole start procedure: StartUp, the main window loaded and shown, the login. Null
// when the program must end.
std::unique_ptr<FrmMain> Main(platform::SingleInstance &instance);

// True when another instance of this program folder runs; it was brought to the front.
bool PrevInstance(platform::SingleInstance &instance);

} // namespace ModBase
