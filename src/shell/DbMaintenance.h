#pragma once

class QWidget;

// Backup on demand and restore of the database file, reached from the database menu.
namespace DbMaintenance {

// Compacts, asks for a folder and copies the database there under the day's backup name.
void BackupDB(QWidget *owner);
// Replaces the database by a backed-up file once that file proved to be a sound database
// of this program. True when it was replaced: the program must then end.
bool RestoreDB(QWidget *owner);

} // namespace DbMaintenance
