#pragma once

#include <QDialog>

#include "ui_about_dialog.h"

// The about dialog: one translatable text; "\n" in a translation starts a new line.
class AboutDialog : public QDialog, public Ui::AboutDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

private slots:
    void on_okButton_clicked();
};
