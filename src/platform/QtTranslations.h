#pragma once

class QCoreApplication;

namespace platform {

// Loads Qt's own Simplified Chinese texts (dialog buttons, file dialogs, the edit menu of a
// field) whatever the session's locale: the store keeper reads Chinese everywhere.
// False when Qt's translation files are not installed.
bool installQtTranslations(QCoreApplication &app);

} // namespace platform
