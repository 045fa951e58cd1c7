#include "ui/dialog_provider.h"

#include <QFileDialog>
#include <QInputDialog>

DialogProvider DialogProvider::standard()
{
    DialogProvider dialogs;
    dialogs.openFile = [](QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                          const QString &preselected) {
        QString selected = preselected;
        return QFileDialog::getOpenFileName(parent, caption, dir, filter, preselected.isEmpty() ? nullptr : &selected);
    };
    dialogs.saveFile = [](QWidget *parent, const QString &caption, const QString &suggested, const QString &filter) {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    };
    dialogs.folder = [](QWidget *parent, const QString &caption, const QString &dir) {
        return QFileDialog::getExistingDirectory(parent, caption, dir, QFileDialog::ShowDirsOnly);
    };
    dialogs.integer = [](QWidget *parent, const QString &title, const QString &label, int value, int min, int max,
                         int step, bool *ok) {
        return QInputDialog::getInt(parent, title, label, value, min, max, step, ok);
    };
    return dialogs;
}
