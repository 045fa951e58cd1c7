#include "geo/typed_position.h"

#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "geo/grid_parse.h"

bool typedPositionsAreShifted(int datumIndex)
{
    return datumIndex >= 0 && datumIndex < kDatumCount && datumIndex != kWgs84DatumIndex
        && datumIndex != kWgs72DatumIndex;
}

GeoPosition typedPositionToWgs84(const GeoPosition &onDatum, int datumIndex)
{
    GeoPosition in = onDatum;
    in.height = 0.0;
    // On WGS 1984 itself the shift is an identity only up to rounding, which would
    // store 22.5 as 22.49999999997 and truncate it a milliarcsecond short.
    if (!typedPositionsAreShifted(datumIndex))
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
