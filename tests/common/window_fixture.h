#pragma once

#include <QLineEdit>
#include <QtTest>

#include "common/project_fixtures.h"
#include "ui/main_window.h"

// A working folder for window tests (the window reads and writes config.ini and
// Language.ini in the current folder) plus helpers that make files and answer dialogs.
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

    QString makeImage(const QString &name, int width, int height) const
    {
        fixtures::mapLikeImage(width, height).save(path(name));
        return path(name);
    }

    // Makes window a project window in state 1 without the properties dialog.
    static void startProject(MainWindow &window)
    {
        window.project.setProperties(QStringLiteral("Tester"), QStringLiteral("map"), QColor(122, 122, 122), 300,
                                     500);
        window.projectState = 1;
        window.project.changeFlags = 1;
        window.updateActions();
    }

    // Answers the window's open and save dialogs with fixed paths.
    static void answerFiles(MainWindow &window, const QString &openPath, const QString &savePath)
    {
        window.dialogs.openFile = [openPath](auto...) { return openPath; };
        window.dialogs.saveFile = [savePath](auto...) { return savePath; };
    }

    // Adds a generated image of width x height as a layer through the Add command.
    void addLayer(MainWindow &window, int width, int height)
    {
        const QString file = makeImage(QStringLiteral("%1.png").arg(++images), width, height);
        window.dialogs.openFile = [file](auto...) { return file; };
        window.actionAddLayer->trigger();
    }

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

// A project window (state 1, changed) in its own working folder.
struct ProjectWindow
{
    ProjectWindow() { WindowFixture::startProject(window); }
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
