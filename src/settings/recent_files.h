#pragma once

#include <QString>
#include <QStringList>

// The SMF files opened or saved last, most recent first, kept in "recent.ini" in the
// settings folder (settings_folder.h): one absolute path a line, UTF-8.

// The most files the list keeps.
inline constexpr int kRecentFilesMax = 10;

// "recent.ini" in the settings folder: "./recent.ini" from a build folder.
QString recentFilesPath();

// The paths of the file, most recent first, without empty lines, at most
// kRecentFilesMax. Empty when the file is missing or unreadable.
QStringList readRecentFiles(const QString &path = recentFilesPath());

// Writes files, one a line, creating the file's folder when it is missing. Returns
// false when the file cannot be written.
bool writeRecentFiles(const QStringList &files, const QString &path = recentFilesPath());

// files with file put first (made absolute and clean), an earlier entry of the same
// file removed, and cut to kRecentFilesMax.
QStringList withRecentFile(QStringList files, const QString &file);
