#pragma once

#include <QString>
#include <QStringList>

// Where the program and mapvane-cli keep Language.ini, config.ini and the list of
// recent files.
//
// A program run from its build folder keeps them in the current folder, as it always
// has, so that every working copy and every test has its own. An installed program
// keeps them in the user's configuration folder, ~/.config/mapvane
// ($XDG_CONFIG_HOME/mapvane when that is set), wherever it is started from.
//
// A program runs from its build folder when its executable lies inside the folder it
// was built in (known at build time), or when a compiled translation file
// (LanguageEN.qm, LanguageZH.qm, LanguageTW.qm) lies beside it, as in a build folder
// that was moved; an installed program has them in share/mapvane instead.

// Whether a program whose executable lies in programFolder runs from its build folder.
bool runsFromBuildFolder(const QString &programFolder);

// The settings folder of a program in programFolder: "." from its build folder, else
// the user's configuration folder (an absolute path). Creates nothing.
QString settingsFolderFor(const QString &programFolder);

// The settings folder of this program; "." when there is no application object to
// say where the executable lies.
QString settingsFolder();

// The path of settings file `name` in settingsFolder(): "./name" from a build folder.
QString settingsFilePath(const QString &name);

// Creates the folder that holds the file at path when it is missing. False when it
// cannot be created.
bool makeFolderOf(const QString &path);

// Writes `lines` to the file at path in UTF-8, each ended by a line feed, creating its
// folder first. False when the file cannot be written.
bool writeSettingsLines(const QString &path, const QStringList &lines);
