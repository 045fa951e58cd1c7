#pragma once

#include <QDialog>

#include "ui_cabout.h"

// The about dialog: one translatable text; "\n" in a translation starts a new line.
class CAbout : public QDialog, public Ui::About
{
    Q_OBJECT
public:
    explicit CAbout(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~CAbout() override;

private slots:
    void on_pushButton_clicked();
};
