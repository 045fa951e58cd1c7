#pragma once

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>

#include "common/modal_answer.h"
#include "common/project_fixtures.h"
#include "project/map_layer.h"
#include "settings/language_settings.h"
#include "ui/calibration_form.h"
#include "ui/main_window.h"
#include "ui/map_canvas.h"
#include "ui/map_properties_dialog.h"

// A working folder for window tests (the window reads and writes config.ini and
// Language.ini in the current folder) plus helpers that make files and answer dialogs.
// It brings in every window part the tests look at.
class WindowFixture
{
public:
    WindowFixture() : oldCurrent(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
    ~WindowFixture() { QDir::setCurrent(oldCurrent); }

    QString path(const QString &name) const { return dir.filePath(name); }

    QString write(const QString &name, const QByteArray &bytes) const
    {
        if (!fixtures::writeBytes(path(name), bytes))
            qFatal("cannot write %s", qPrintable(path(name)));
        return path(name);
    }

    // Adds a generated image of width x height, saved as <n>.png for the n-th one, as a
    // layer through the Add command.
    void addLayer(MainWindow &window, int width, int height);

    // Gives layer `index` one degree of longitude and latitude from 10° E, 46° N.
    static void calibrate(MapProject &project, int index)
    {
        project.setTopLeftLon(index, 10.0);
        project.setBottomRightLon(index, 11.0);
        project.setTopLeftLat(index, 46.0);
        project.setBottomRightLat(index, 45.0);
        project.updateScale(index);
    }

    QTemporaryDir dir;
    QString oldCurrent;
    int images = 0;
};

// The window's parts, found by their object names as a user finds them by sight: its
// actions and menus (the names of its Designer form), the layer table, the canvas, the
// calibration form, the selectors and the labels of the status bar.
template <typename Part = QWidget>
Part *part(const MainWindow &window, const char *name)
{
    Part *found = window.findChild<Part *>(QLatin1String(name));
    if (!found)
        qFatal("the window has no %s", name);
    return found;
}
inline QAction *action(const MainWindow &window, const char *name)
{
    return part<QAction>(window, name);
}
inline QTableWidget *layerTableOf(const MainWindow &window)
{
    return part<QTableWidget>(window, "layerTable");
}
inline MapCanvas *canvasOf(const MainWindow &window)
{
    return part<MapCanvas>(window, "canvas");
}
inline CalibrationForm *formOf(const MainWindow &window)
{
    return window.findChild<CalibrationForm *>();
}
// The language menu's entries: 0 English, 1 Simplified and 2 Traditional Chinese.
inline QAction *languageAction(const MainWindow &window, int language)
{
    static const char *const names[] = {"actionLanguageEnglish", "actionLanguageSimplifiedChinese",
                                        "actionLanguageTraditionalChinese"};
    return action(window, names[language]);
}
// "pixelXLabel", "pixelYLabel", "lonOrEastingLabel", "latOrNorthingLabel".
inline QString statusText(const MainWindow &window, int index)
{
    static const char *const names[] = {"pixelXLabel", "pixelYLabel", "lonOrEastingLabel", "latOrNorthingLabel"};
    return part<QLabel>(window, names[index])->text();
}

inline void WindowFixture::addLayer(MainWindow &window, int width, int height)
{
    const QString file = path(QStringLiteral("%1.png").arg(++images));
    fixtures::mapLikeImage(width, height).save(file);
    window.dialogs().openFiles = [file](auto...) { return QStringList{file}; };
    action(window, "actionAddLayer")->trigger();
}

// A project window (state 1, changed) in its own working folder, made without the
// properties dialog.
struct ProjectWindow
{
    ProjectWindow()
    {
        window.project().setProperties(QStringLiteral("Tester"), QStringLiteral("map"), QColor(122, 122, 122), 300,
                                       500);
        window.startNewProject();
    }
    WindowFixture fixture;
    MainWindow window;
};

// Types "name=text name=text ..." into the named edits of form in order, keystroke by
// keystroke as a user types, each replacing the edit's text. Returns the last edit.
inline QLineEdit *typeInto(QWidget *form, const QString &steps)
{
    QLineEdit *edit = nullptr;
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        edit = form->findChild<QLineEdit *>(step.section(QLatin1Char('='), 0, 0));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, step.section(QLatin1Char('='), 1));
    }
    return edit;
}

// The translation file of language `language` (0 English, 1 Simplified, 2 Traditional
// Chinese) installed while this lives, as the program installs it at start-up. Rows
// named after the files for a data-driven test.
struct InterfaceLanguage
{
    explicit InterfaceLanguage(int language)
        : loaded(translator.load(QStringLiteral(MAPVANE_QM_DIR "/") + LanguageFileTable[language].mid(2)))
    {
        QCoreApplication::installTranslator(&translator);
    }
    ~InterfaceLanguage() { QCoreApplication::removeTranslator(&translator); }

    static void addRows()
    {
        QTest::addColumn<int>("language");
        for (int language = 0; language < 3; ++language)
            QTest::addRow("%s", qPrintable(LanguageFileTable[language])) << language;
    }

    QTranslator translator;
    const bool loaded;
};
