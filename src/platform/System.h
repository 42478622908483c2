#pragma once

#include <QString>

class QDate;

// Facts of the session that the Windows calls gave the original program.
namespace platform {

// The session's ANSI code page from the locale's codeset: 950 for Big5 and its relatives,
// 936 for every other (GBK, GB18030 and UTF-8 sessions of a Chinese desktop alike).
int ansiCodePage();
// Fixes the code page that ansiCodePage reports (a test's session); 0 reads the locale again.
void setAnsiCodePage(int codePage);
// The same rule on a given codeset name (as nl_langinfo(CODESET) gives it).
int codePageOfCodeset(const QString &codeset);

// The folder of the running executable, without a trailing separator; a test may set it.
QString programFolder();
void setProgramFolder(const QString &folder);

// A date in the Chinese short date format, 2026/1/15.
QString shortDate(const QDate &date);

// The desktop folder of the user.
QString desktopFolder();

// A path on a network share: a "\\" or "//" prefix, or a file on a network file system.
bool isNetworkPath(const QString &path);

} // namespace platform
