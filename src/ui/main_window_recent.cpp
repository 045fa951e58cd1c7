// The main window's menu of recent files: the SMF files opened or saved last, kept in
// the settings folder and shared by every window and every run of the program.

#include <QFileInfo>
#include <QMenu>

#include "settings/recent_files.h"
#include "ui/main_window.h"

void MainWindow::fillRecentFilesMenu()
{
    menuRecentFiles->clear();
    const QStringList files = readRecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString file = files.at(i);
        QString text = file;
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *entry = menuRecentFiles->addAction(QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(text));
        // A file that has gone stays listed, greyed, until it is back or the list is cleared.
        entry->setEnabled(QFileInfo::exists(file));
        connect(entry, &QAction::triggered, this, [this, file] { openProjectFile(file); });
    }
    if (!files.isEmpty())
        menuRecentFiles->addSeparator();
    QAction *clear = menuRecentFiles->addAction(tr("清除列表(&C)"));
    clear->setEnabled(!files.isEmpty());
    connect(clear, &QAction::triggered, this, [] { writeRecentFiles({}); });
}

void MainWindow::rememberRecentFile(const QString &path)
{
    writeRecentFiles(withRecentFile(readRecentFiles(), path));
}
