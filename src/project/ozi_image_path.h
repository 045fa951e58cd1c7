#pragma once

#include <QByteArray>
#include <QString>

// The image an OziExplorer file names, as a path of this machine. mapPath is the
// ".map" file; imageLine the raw bytes of its image line; fileIsUtf8 whether the
// whole file is valid UTF-8 (else the line is read as GB18030, the usual encoding
// of Chinese Windows tools). Backslashes are folder separators; a relative path is
// taken from the ".map" file's folder. When the named file does not exist (often an
// absolute Windows path from another machine, "C:\Maps\topo.png"), a file of the
// same name in the ".map" file's folder is taken: the exact name first, else the
// same name in another letter case. When none is found, the line is tried once more
// as Windows-1252. Returns the first existing file found this way, else the named
// path as first read (which then fails to load), or mapPath itself for an empty
// line.
QString resolveOziImagePath(const QString &mapPath, const QByteArray &imageLine, bool fileIsUtf8);
