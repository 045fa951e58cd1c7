// The calibration setters and scale refresh of MapProject.

#include "project/map_project.h"

#include "project/milliarcseconds.h"

int MapProject::setPointValue(int layer, CalibrationPoint MapLayer::*point, qint32 CalibrationPoint::*field,
                              qint32 value, bool MapLayer::*enteredFlag)
{
    MapLayer *record = layerAt(layer);
    if (!record)
        return 1;
    qint32 &stored = (record->*point).*field;
    if (stored != value) {
        stored = value;
        if (enteredFlag)
            record->*enteredFlag = true;
        changeFlags |= kCalibrationChanged;
    }
    return 0;
}

int MapProject::setTopLeftX(int layer, int pixel)
{
    return setPointValue(layer, &MapLayer::topLeft, &CalibrationPoint::pixelX, pixel, nullptr);
}

int MapProject::setTopLeftY(int layer, int pixel)
{
    return setPointValue(layer, &MapLayer::topLeft, &CalibrationPoint::pixelY, pixel, nullptr);
}

int MapProject::setTopLeftLon(int layer, double degrees)
{
    return setPointValue(layer, &MapLayer::topLeft, &CalibrationPoint::lon,
                         degreesToMilliarcseconds(degrees), &MapLayer::topLeftLonSet);
}

int MapProject::setTopLeftLat(int layer, double degrees)
{
    return setPointValue(layer, &MapLayer::topLeft, &CalibrationPoint::lat,
                         degreesToMilliarcseconds(degrees), &MapLayer::topLeftLatSet);
}

int MapProject::setBottomRightX(int layer, int pixel)
{
    return setPointValue(layer, &MapLayer::bottomRight, &CalibrationPoint::pixelX, pixel, nullptr);
}

int MapProject::setBottomRightY(int layer, int pixel)
{
    return setPointValue(layer, &MapLayer::bottomRight, &CalibrationPoint::pixelY, pixel, nullptr);
}

int MapProject::setBottomRightLon(int layer, double degrees)
{
    return setPointValue(layer, &MapLayer::bottomRight, &CalibrationPoint::lon,
                         degreesToMilliarcseconds(degrees), &MapLayer::bottomRightLonSet);
}

int MapProject::setBottomRightLat(int layer, double degrees)
{
    return setPointValue(layer, &MapLayer::bottomRight, &CalibrationPoint::lat,
                         degreesToMilliarcseconds(degrees), &MapLayer::bottomRightLatSet);
}

int MapProject::updateScale(int layer)
{
    MapLayer *record = layerAt(layer);
    if (!record)
        return 1;
    record->updateScales();
    return 0;
}
