// The calibration form of a layer whose raster brought its own georeferencing: the
// line that says where it came from, and fields that cannot be edited until the user
// calibrates the layer by hand.

#include "ui/calibration_form.h"

#include "project/geo_raster.h"
#include "ui/main_window.h"

namespace {

// The core names the origins in English; the known ones are said in the window's
// language.
QString originText(const QString &origin)
{
    if (origin == QLatin1String("world file"))
        return CalibrationForm::tr("世界文件");
    if (origin == QLatin1String("OziExplorer file"))
        return CalibrationForm::tr("OziExplorer 文件");
    if (origin == QLatin1String("ground control points"))
        return CalibrationForm::tr("地面控制点");
    return origin;
}

}  // namespace

QString CalibrationForm::georeferenceText(const RasterGeoreference &georeference)
{
    // A grid that is its own datum (geographic WGS 84) is named once.
    const QString grid = georeference.datumName.isEmpty() || georeference.datumName == georeference.gridName
        ? georeference.gridName
        : tr("%1(%2)", "grid (datum)").arg(georeference.gridName, georeference.datumName);
    const QString origin = originText(georeference.origin);
    return georeference.kind == RasterGeoreference::Warped ? tr("来自 %1:%2,已重投影").arg(origin, grid)
                                                           : tr("来自 %1:%2,原样使用").arg(origin, grid);
}

void CalibrationForm::showGeoreference(const MapLayer *layer)
{
    const RasterGeoreference *georeference = layer ? layer->georeference.get() : nullptr;
    georeferenceFrame->setVisible(georeference != nullptr);
    georeferenceLabel->setText(georeference ? georeferenceText(*georeference) : QString());
    const bool readOnly = georeference != nullptr;
    // Read-only fields look it: on the window's colour, not the colour of input.
    for (QGroupBox *box : {topLeftBox, bottomRightBox})
        box->setStyleSheet(readOnly ? QStringLiteral("QLineEdit { background: palette(window); }") : QString());
    for (QGroupBox *box : {topLeftBox, bottomRightBox}) {
        for (QLineEdit *edit : box->findChildren<QLineEdit *>())
            edit->setReadOnly(readOnly);
        for (QComboBox *side : box->findChildren<QComboBox *>())
            side->setEnabled(!readOnly);
    }
}
