#pragma once

#include <QString>

// Locating the server installation and its reference page. Nothing is cached: every call reads
// the environment and the INI file afresh.
namespace ServerInstall {

// Value of KELMPATH, its name matched without regard to case; empty when not set.
QString GetServerInstallPath();

// The default reference page, or the "HelpPath" of DraCFG.ini in programDir when that page exists.
QString GetHelpLocation(const QString& programDir);

// An empty location counts as not found.
bool HelpFileExists(const QString& programDir);

// One key of one section of an INI file: trimmed, at most 49 characters; empty when absent.
QString ReadIniValue(const QString& iniPath, const QString& section, const QString& key);
// The same over the file's bytes.
QString parseIniValue(const QByteArray& bytes, const QString& section, const QString& key);

inline constexpr qsizetype IniValueMaxLength = 49;

} // namespace ServerInstall
