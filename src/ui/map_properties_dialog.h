#pragma once

#include <QColor>
#include <QDialog>

#include "ui_map_properties_dialog.h"

// The map properties dialog: cartographer, map name and fill colour. A text longer
// than an SMF file keeps is warned about as it is typed. OK refuses an empty
// cartographer or map name, and stores the values as the defaults of new projects in
// config.ini (settings/config_file.h).
class MapPropertiesDialog : public QDialog, public Ui::MapPropertiesDialog
{
    Q_OBJECT
public:
    explicit MapPropertiesDialog(QWidget *parent = nullptr);
    ~MapPropertiesDialog() override;

    // The fill colour, shown as the base colour of the swatch.
    QColor fillColour() const;
    void setFillColour(const QColor &colour);

    // What the dialog is titled for: the open map's properties, a map about to be
    // created, or the file a WFL conversion writes.
    enum class Purpose { OpenMap, NewMap, ConvertedMap };
    void setPurpose(Purpose purpose);
    // Fills the fields.
    void setProperties(const QString &cartographer, const QString &mapName, const QColor &fill);

private slots:
    void showLengthWarning();
    void on_chooseColourButton_clicked();
    void on_cancelButton_clicked();
    void on_okButton_clicked();
};
