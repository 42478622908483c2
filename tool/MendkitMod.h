#pragma once

#include <QString>

class QWidget;

// The settings-file routines of the repair tool and its commands. Each command works on
// the settings file of the given program folder and talks to the user through message
// boxes, so the window only has to call it.
namespace MendkitMod {

// The settings file that Vialdesk keeps in its program folder.
QString settingsFile(const QString &programFolder);
// The auto-backup folder the tool proposes: a folder beside the program folder.
QString proposedBackupFolder(const QString &programFolder);

// One key as the profile API gives it into a 255-character buffer, blanks trimmed; empty
// when absent or unreadable.
QString GetINI(const QString &section, const QString &key, const QString &file);
// Writes one key, creating the file and the section; false when the file cannot be written.
bool WriteINI(const QString &section, const QString &key, const QString &value, const QString &file);

// Creates the folder (one level) when it does not exist. The path on success; otherwise
// the drive-error box is shown and the result is empty.
QString ValidatePath(const QString &path, QWidget *owner = nullptr);

void copyToDesktop(const QString &programFolder, const QString &desktopFolder, QWidget *owner = nullptr);
void resetDatabaseFolder(const QString &programFolder, QWidget *owner = nullptr);
void openProgramFolder(const QString &programFolder, QWidget *owner = nullptr);
void openBackupFolder(const QString &programFolder, QWidget *owner = nullptr);
void setBackupFolder(const QString &programFolder, const QString &proposedFolder, QWidget *owner = nullptr);

} // namespace MendkitMod
