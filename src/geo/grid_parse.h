#pragma once

#include <QString>

#include "geo/geo_position.h"

// Reads a typed grid position: `gridKind` kGridUtm (easting text "zone band
// easting", see parseUtmEastingText) or kGridTm (two integer texts), on the
// ellipsoid of datum `datumIndex`. Returns latitude and longitude in degrees on
// that datum, without any datum shift (see parseGridPositionToWgs84 for the
// position to store). Unreadable parts read as 0, so any text gives some
// position and nothing is reported; another gridKind gives (0, 0). Texts far
// from any real grid position (a missing band word, a zone of 0, northings of
// thousands of kilometres off) give latitudes and longitudes far outside
// ±90/±180: callers that store whole milliarcseconds must range-check first.
GeoPosition parseGridPosition(int gridKind, int datumIndex, const QString &eastingText,
                              const QString &northingText);
