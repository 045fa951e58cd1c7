#pragma once

#include <QMainWindow>

class Mapvane2 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Mapvane2(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
};
