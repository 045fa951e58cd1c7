// Mapvane: turns raster maps into georeferenced, tiled SMF map files.

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "raster/image_file.h"
#include "settings/language_settings.h"
#include "ui/main_window.h"

int main(int argc, char *argv[])
{
    returnLargeBlocksToSystem();
    setImageAllocationLimit(queryPhysicalMemoryMB());
    QApplication app(argc, argv);

    // Narrow literals and texts are UTF-8 throughout (Qt 6 default).
    const QString languageFile = readLanguageIni();

    // The translators live until the process ends; a file that does not load
    // leaves the Simplified Chinese source texts. Qt's own texts (the buttons of
    // message boxes, the file dialog) follow the chosen Chinese.
    QTranslator translator;
    (void)translator.load(locateTranslationFile(languageFile));
    app.installTranslator(&translator);
    QTranslator qtTranslator;
    const QString qtLocale = qtTranslationLocale(languageFile);
    // Numbers and sizes ("2.00 KiB", "100 字节") are written in the interface's language.
    QLocale::setDefault(qtLocale.isEmpty() ? QLocale(QLocale::English, QLocale::UnitedStates) : QLocale(qtLocale));
    if (!qtLocale.isEmpty()
        && qtTranslator.load(QStringLiteral("qtbase_") + qtLocale, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    ensureMapvaneResources();
    app.setWindowIcon(QIcon(QStringLiteral(":/icon/Resources/aaa.ico")));

    auto *window = new MainWindow(languageFile);
    window->show();

    // "mapvane FILE...": an SMF file is opened, images and .map files are added to a
    // new project, once the window is up. Qt has taken its own options already.
    QStringList files;
    for (const QString &argument : app.arguments().mid(1)) {
        if (!argument.startsWith(QLatin1Char('-')))
            files << argument;
    }
    if (!files.isEmpty())
        QTimer::singleShot(0, window, [window, files] { window->openFiles(files); });

    const int code = app.exec();
    delete window;
    return code;
}
