#include <QApplication>

#include "ui/mapvane2.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Mapvane2 window;
    window.show();
    return app.exec();
}
