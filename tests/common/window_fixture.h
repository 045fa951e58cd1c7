#pragma once

#include <QLineEdit>
#include <QtTest>

#include "ui/mapvane2.h"

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
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

    // A map-like test image: a colour gradient.
    QString makeImage(const QString &name, int width, int height) const
    {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, ((x + y) * 3) & 255));
        }
        image.save(path(name));
        return path(name);
    }

    // Makes window a project window in state 1 without the properties dialog.
    static void startProject(Mapvane2 &window)
    {
        window.project.setProperties(QStringLiteral("Tester"), QStringLiteral("map"), QColor(122, 122, 122), 300,
                                     500);
        window.projectState = 1;
        window.project.changeFlags = 1;
        window.updateActions();
    }

    // Answers the window's open and save dialogs with fixed paths, counting the save dialogs.
    static void answerFiles(Mapvane2 &window, const QString &openPath, const QString &savePath,
                            int *saveAsked = nullptr)
    {
        window.dialogs.openFile = [openPath](QWidget *, const QString &, const QString &, const QString &,
                                             const QString &) { return openPath; };
        window.dialogs.saveFile = [savePath, saveAsked](QWidget *, const QString &, const QString &,
                                                        const QString &) {
            if (saveAsked)
                ++*saveAsked;
            return savePath;
        };
    }

    // Adds a generated image of width x height as a layer through the Add command.
    void addLayer(Mapvane2 &window, int width, int height)
    {
        const QString file = makeImage(QStringLiteral("%1.png").arg(++images), width, height);
        window.dialogs.openFile = [file](QWidget *, const QString &, const QString &, const QString &,
                                         const QString &) { return file; };
        window.actionAdd->trigger();
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
    Mapvane2 window;
};

// Replaces the edit's text keystroke by keystroke, as a user types it.
inline void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}
