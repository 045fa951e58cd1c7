#pragma once

#include <functional>

#include <QString>

class QWidget;

// The standard dialogs the window's commands ask with. The defaults show Qt's
// dialogs; tests put answers in their place.
struct DialogProvider
{
    // Open-file dialog: (parent, caption, start folder, filter, preselected filter)
    // -> chosen path, empty when cancelled.
    std::function<QString(QWidget *, const QString &, const QString &, const QString &, const QString &)> openFile;
    // Save-file dialog: (parent, caption, suggested path, filter) -> path, empty when cancelled.
    std::function<QString(QWidget *, const QString &, const QString &, const QString &)> saveFile;
    // Folder chooser: (parent, caption, start folder) -> folder, empty when cancelled.
    std::function<QString(QWidget *, const QString &, const QString &)> folder;
    // Integer prompt: (parent, title, label, value, min, max, step, ok) -> value.
    std::function<int(QWidget *, const QString &, const QString &, int, int, int, int, bool *)> integer;

    static DialogProvider standard();
};
