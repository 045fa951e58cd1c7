#pragma once

#include <QByteArray>
#include <QString>

// The image an OziExplorer file names, as a path of this machine. mapPath is the
// ".map" file; imageLine the raw bytes of its image line, in whatever encoding the
// tool that wrote it used. Backslashes are folder separators; a relative path is
// taken from the ".map" file's folder. When the named file does not exist (often an
// absolute Windows path from another machine, "C:\\Maps\\topo.png"), a file of the
// same name in the ".map" file's folder is taken: the exact name first, else the
// same name in another letter case. The line is read as the file system's own
// encoding of names first (its raw bytes), then as UTF-8, GB18030 (Chinese Windows
// tools), Windows-1251 (Cyrillic) and Windows-1252 (Western), skipping readings that
// are not valid in their encoding. Returns the first existing file found this way,
// else the named path as first validly read (which then fails to load), or mapPath
// itself for an empty line.
QString resolveOziImagePath(const QString &mapPath, const QByteArray &imageLine);
