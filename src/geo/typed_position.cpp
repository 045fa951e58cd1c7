#include "geo/typed_position.h"

#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "geo/grid_parse.h"

GeoPosition typedPositionToWgs84(const GeoPosition &onDatum, int datumIndex)
{
    GeoPosition in = onDatum;
    in.height = 0.0;
    if (datumIndex == kWgs72DatumIndex)
        return in;
    GeoPosition out = datumToWgs84(in, datumIndex);
    out.height = 0.0;
    return out;
}

GeoPosition parseGridPositionToWgs84(int gridKind, int datumIndex, const QString &eastingText,
                                     const QString &northingText)
{
    return typedPositionToWgs84(
        parseGridPosition(gridKind, datumIndex, eastingText, northingText), datumIndex);
}
