// The calibration form's read-only fields: those of a layer whose raster brought its
// own georeferencing, with the line that says where it came from, until the user
// calibrates the layer by hand; and the grid fields of a position the grid notation
// shown cannot express.

#include "ui/calibration_form.h"

#include "project/layer_mosaic.h"
#include "raster/geo_raster.h"
#include "ui/main_window.h"

QString CalibrationForm::originText(const RasterGeoreference &georeference)
{
    // Said in the window's language; GeoTIFF and a format's own name stand as they are.
    switch (georeference.origin) {
    case GeoreferenceOrigin::WorldFile:
        return tr("世界文件");
    case GeoreferenceOrigin::OziExplorerFile:
        return tr("OziExplorer 文件");
    case GeoreferenceOrigin::GroundControlPoints:
        return tr("地面控制点");
    case GeoreferenceOrigin::GeoTiff:
    case GeoreferenceOrigin::RasterFormat:
        break;
    }
    return originName(georeference);
}

QString CalibrationForm::georeferenceText(const RasterGeoreference &georeference)
{
    // A grid that is its own datum (geographic WGS 84) is named once.
    const QString grid = georeference.datumName.isEmpty() || georeference.datumName == georeference.gridName
        ? georeference.gridName
        : tr("%1(%2)", "grid (datum)").arg(georeference.gridName, georeference.datumName);
    const QString origin = originText(georeference);
    return georeference.kind == RasterGeoreference::Warped ? tr("来自 %1:%2,已重投影").arg(origin, grid)
                                                           : tr("来自 %1:%2,原样使用").arg(origin, grid);
}

void CalibrationForm::showGeoreference(const MapLayer *layer)
{
    const RasterGeoreference *georeference = layer ? layer->georeference.get() : nullptr;
    // A merged layer's corners are those of the level its sources make.
    const LayerMosaic *mosaic = layer ? layer->mosaic.get() : nullptr;
    georeferenceFrame->setVisible(georeference || mosaic);
    georeferenceLabel->setText(georeference ? georeferenceText(*georeference)
                               : mosaic     ? tr("由 %1 个图层合并而成,来源见控制点窗口").arg(mosaic->sources.size())
                                            : QString());
    calibrateByHandButton->setVisible(!mosaic);
    const bool readOnly = georeference || mosaic;
    // Read-only fields look it: on the window's colour, not the colour of input.
    for (QGroupBox *box : {topLeftBox, bottomRightBox})
        box->setStyleSheet(readOnly ? QStringLiteral("QLineEdit { background: palette(window); }") : QString());
    for (QGroupBox *box : {topLeftBox, bottomRightBox}) {
        for (QLineEdit *edit : box->findChildren<QLineEdit *>()) {
            edit->setReadOnly(readOnly);
            // Not outside a grid until the refresh says so (showOutsideGrid).
            if (!edit->styleSheet().isEmpty())
                edit->setStyleSheet(QString());
        }
        for (QComboBox *side : box->findChildren<QComboBox *>())
            side->setEnabled(!readOnly);
    }
}

void CalibrationForm::showOutsideGrid(const PointFields &fields)
{
    for (QLineEdit *edit : {fields.utmZone, fields.utmBand, fields.utmEasting, fields.lat.decimal, fields.tmEasting,
                            fields.tmNorthing}) {
        if (edit->isReadOnly())
            continue;  // a georeferenced layer's look already
        edit->setReadOnly(true);
        edit->setStyleSheet(QStringLiteral("QLineEdit { background: palette(window); }"));
    }
    fields.tmEastingSide->setEnabled(false);
    fields.tmNorthingSide->setEnabled(false);
}
