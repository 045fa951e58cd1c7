#pragma once

#include <QColor>
#include <QDialog>

#include "ui_cproperty.h"

// The map properties dialog: cartographer, map name and fill colour. OK also
// stores the values as the defaults of new projects in "./config.ini".
class CProperty : public QDialog, public Ui::Dialog
{
    Q_OBJECT
public:
    explicit CProperty(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~CProperty() override;

    // The fill colour shown by the swatch (the swatch's base colour).
    QColor swatchColour() const;
    void setSwatchColour(const QColor &colour);

private slots:
    void on_toolButton_clicked();
    void on_cancelButton_clicked();
    void on_okButton_clicked();
};
