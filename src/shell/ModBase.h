#pragma once

#include "platform/Convert.h"
#include "schema/DeliveredDatabase.h"
#include "widgets/GridSnapshot.h"

#include <QDate>
#include <QString>

#include <array>
#include <memory>

namespace dao {
class Database;
class Recordset;
} // namespace dao

class QLabel;
class QWidget;

// The program's shared state and its small shared routines. Start-up and test fixtures
// set the state; windows meet through it by these names.
namespace ModBase {

using platform::convert::Currency;

// Fixed at start-up.
inline QDate SysDate;
inline QString IniFile;
inline QString HelpFile;
inline QString ConnStr; // ";pwd=" + the database password

// Paths and database objects.
inline QString DBPath;
inline QString DBFile;
inline QString SQL;
inline QString BackupPath;
inline QString SysDir;
inline QString UnitName;

// Settings.
inline bool AutoBackup = false;
inline qint32 SXDays = 0;
inline float OutRate = 0;
inline qint16 OpenTimes = 0;
inline bool AutoOut = false;
inline bool TipNow = false;
inline bool PSWProtect = false;
inline qint16 QueryDate = 0;
inline qint16 OutMode = 0;
inline QString LastUser;
inline qint16 ShowStop = 0;
inline qint16 QueryOrder = 0;
inline bool NoPriceCheck = false;
inline QString OrderBy;

// The current user.
inline bool LoginOK = false;
inline qint32 UserID = 0;
inline QString UserName;
inline QString UserPSW;
inline bool SuperUser = false;
inline QString UserQX;
inline bool PSWOK = false;
inline bool HasTip = false;

// Help and pick-list channels.
inline qint16 HelpKind = 0;
inline bool PickMode = false;
inline qint32 PickGYSID = 0;
inline QString PickGYS;
inline qint32 CurSJID = 0;
inline QString PickLocation;
inline QString PickDepartment;
inline QString PickClaimant;
inline qint32 PickCSID = 0;
inline QString PickCS;
inline QString PickGroup;
inline QString PickUnit;
inline QString NewItemName;
inline QString NewItemPY;
inline float NameWidth = 0;
inline float LowLimit = 0;
inline float HighLimit = 0;

// Document numbers: whole numbers held in a double.
inline double InDH = 0;
inline double OutDH = 0;
inline double BSDH = 0;

// Report hand-off.
inline GridSnapshot PrintGrid;
inline QString PrintTitle;
inline QString PrintKind;
inline Currency PrintTotal;
inline qint32 PageCount = 0;
inline std::array<qint32, 16> PrintColWidth{};
inline qint32 PrintColCount = 0;

// The database password, the key of the SQLCipher file.
inline const QString DBPassword = schema::DatabasePassword;
inline const QString DBFileName = QStringLiteral("MarloSJGL.dat");
inline const QString IniFileName = QStringLiteral("Vialdesk.ini");

// The shared database object and recordset (ModData opens them).
dao::Database *DB();
dao::Recordset *RS();

// Clears every variable to its start value (tests start from it).
void ResetState();

// The common error box for the failure being handled: call from a catch block.
void ShowErr();
void ShowErr(const std::exception &e);

// The first status panel, which SetStatus writes (the main window installs it).
void SetStatusPanel(QLabel *panel);
void SetStatus(const QString &message, bool busy = false);
// Enter (13) becomes a Tab to the focused field and the key is swallowed (set to 0).
void EnterToTab(int &keyCode);

QString AddSlash(const QString &path);
// Adds the trailing separator to path, creates the last folder level when missing; empty
// text and a message when it cannot be created.
QString MakePath(QString &path);
QString BrowseFolder(QWidget *owner, const QString &title);
// Asks for a backup folder until it is not the database folder; empty when cancelled.
QString GetTargetPath(QWidget *owner);

// Reads every setting (see the settings file); false after the failure message was shown,
// when the program must end.
bool LoadSettings();

} // namespace ModBase
