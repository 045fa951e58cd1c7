#pragma once

#include <QString>
#include <QStringList>

// The three translation files of the language menu, by language index:
// 0 English, 1 Simplified Chinese, 2 Traditional Chinese.
extern const QString LanguageFileTable[3];

// Name of the file, in the settings folder (settings_folder.h), that remembers the
// language.
inline constexpr const char *kLanguageIniName = "Language.ini";

// Reads the first line of "Language.ini" in the settings folder:
// "./LanguageEN.qm" when the file is missing or unreadable, "./Language.qm" when it
// holds no line at all, otherwise the line as it stands.
QString readLanguageIni();

// Writes LanguageFileTable[index] and a single line feed to "Language.ini" in the
// settings folder, creating the folder when it is missing. Returns false when the file
// cannot be written. index must be 0, 1 or 2.
bool writeLanguageIni(int index);

// Where to load a translation file from: the path itself when it exists
// (relative to the current directory), else a file of the same name next to the
// executable, else one in the data folder of the installed program (bin/../share/
// mapvane, or the folder configured at build time). Returns the path unchanged
// when none exists, so the translator's own failure applies.
QString locateTranslationFile(const QString &path);

// The locale of Qt's own translations (the buttons and standard dialogs of the
// toolkit) that go with the translation file languageFile, by its file name:
// "zh_CN" for LanguageZH.qm, "zh_TW" for LanguageTW.qm, else empty (Qt's English).
QString qtTranslationLocale(const QString &languageFile);
