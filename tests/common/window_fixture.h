#pragma once

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/mapvane2.h"

// A working folder for window tests (the window reads and writes config.ini and
// Language.ini there) plus helpers that make images and answer dialogs.
class WindowFixture
{
public:
    WindowFixture()
    {
        oldCurrent = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    ~WindowFixture() { QDir::setCurrent(oldCurrent); }

    QString path(const QString &name) const { return dir.filePath(name); }

    // A map-like test image: a colour gradient with a dark frame.
    QString makeImage(const QString &name, int width, int height) const
    {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, ((x + y) * 3) & 255));
        }
        const QString file = path(name);
        image.save(file);
        return file;
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

    // Answers every open/save dialog of the window with fixed paths.
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

    QTemporaryDir dir;
    QString oldCurrent;
};
