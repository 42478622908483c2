#pragma once

// The work of the last moments of a run.
namespace ModBase {

// Copies the database into the auto-backup folder (when auto-backup is on) and writes the
// folder, with its trailing separator, back to the settings. Failures are silent, apart
// from the message of a folder that cannot be made.
void BackupAtExit();
// The exit counter, and the compaction at every eleventh exit. Nothing happens while
// another program has the database open; failures are silent.
void ExitCompact();

} // namespace ModBase
