// Mapvane: turns raster maps into georeferenced, tiled SMF map files.

#include <QApplication>
#include <QIcon>
#include <QTranslator>

#include "project/image_file.h"
#include "settings/language_settings.h"
#include "ui/main_window.h"

int main(int argc, char *argv[])
{
    returnLargeBlocksToSystem();
    QApplication app(argc, argv);

    // Narrow literals and texts are UTF-8 throughout (Qt 6 default).
    const QString languageFile = readLanguageIni();

    // The translator lives until the process ends; a file that does not load
    // leaves the Simplified Chinese source texts.
    QTranslator translator;
    (void)translator.load(locateTranslationFile(languageFile));
    app.installTranslator(&translator);

    ensureMapvaneResources();
    app.setWindowIcon(QIcon(QStringLiteral(":/icon/Resources/aaa.ico")));

    auto *window = new MainWindow(languageFile);
    window->show();
    const int code = app.exec();
    delete window;
    return code;
}
