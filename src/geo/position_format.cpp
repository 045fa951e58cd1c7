#include "geo/position_format.h"

#include "geo/angle_format.h"
#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "geo/grid_parameters.h"
#include "geo/int_conversion.h"
#include "geo/notation_choice.h"
#include "geo/transverse_mercator.h"
#include "geo/utm.h"

namespace {

// Whole metres as the texts show them: (int)(value + 0.5), truncating toward
// zero (so −0.7 m shows as 0).
int roundedMetres(double value)
{
    return truncateToInt(value + 0.5);
}

// Keeps a number that is about to be truncated from falling just below a
// whole value: moved 5e-10 away from zero.
double nudgedAwayFromZero(double value)
{
    return value >= 0.0 ? value + 5e-10 : value - 5e-10;
}

}  // namespace

GeoPosition shownPositionOnDatum(const GeoPosition &wgs84, int datumIndex)
{
    if (datumIndex == kWgs72DatumIndex)
        return wgs84;
    GeoPosition in = wgs84;
    in.height = 0.0;
    return wgs84ToDatum(in, datumIndex);
}

FormattedPosition formatPosition(int gridKind, int datumIndex, int angleStyle,
                                 const GeoPosition &wgs84)
{
    const GeoPosition onDatum = shownPositionOnDatum(wgs84, datumIndex);
    FormattedPosition out;
    if (gridKind == kGridUtm) {
        const EllipsoidRecord &ellipsoid = datumEllipsoidRecord(datumIndex);
        const UtmPosition utm = utmForward(ellipsoid.a, ellipsoid.inverseFlattening,
                                           onDatum.latitude, onDatum.longitude);
        out.lonOrEastingText = QStringLiteral("%1 %2 %3")
                                   .arg(utm.zone)
                                   .arg(QLatin1Char(utm.band))
                                   .arg(roundedMetres(utm.easting));
        out.latOrNorthingText = QString::number(roundedMetres(utm.northing));
        out.latOrNorthing = utm.northing;
        out.lonOrEasting = utm.easting;
    } else if (gridKind == kGridTm) {
        const GridPosition grid =
            tmForward(tmGridParameters(datumIndex), onDatum.latitude, onDatum.longitude);
        out.lonOrEastingText = QString::asprintf("%7dE", roundedMetres(grid.easting));
        out.latOrNorthingText = QString::asprintf("%7dN", roundedMetres(grid.northing));
        out.latOrNorthing = grid.northing;
        out.lonOrEasting = grid.easting;
    } else {
        const char north = onDatum.latitude >= 0.0 ? 'N' : 'S';
        const char east = onDatum.longitude >= 0.0 ? 'E' : 'W';
        out.lonOrEastingText = formatAngle(angleStyle, onDatum.longitude, east);
        out.latOrNorthingText = formatAngle(angleStyle, onDatum.latitude, north);
        out.latOrNorthing = onDatum.latitude;
        out.lonOrEasting = onDatum.longitude;
    }
    out.latOrNorthing = nudgedAwayFromZero(out.latOrNorthing);
    out.lonOrEasting = nudgedAwayFromZero(out.lonOrEasting);
    return out;
}
