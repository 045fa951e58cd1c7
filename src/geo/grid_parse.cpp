#include "geo/grid_parse.h"

#include "geo/grid_parameters.h"
#include "geo/grid_text.h"
#include "geo/notation_choice.h"
#include "geo/transverse_mercator.h"
#include "geo/utm.h"

GeoPosition parseGridPosition(int gridKind, int datumIndex, const QString &eastingText,
                              const QString &northingText)
{
    if (gridKind == kGridUtm) {
        const UtmEastingText easting = parseUtmEastingText(eastingText);
        return utmInverse(easting.zone, easting.band, easting.easting,
                          readBase10Integer(northingText), datumIndex);
    }
    if (gridKind == kGridTm) {
        return tmInverse(tmGridParameters(datumIndex), readBase10Integer(eastingText),
                         readBase10Integer(northingText));
    }
    return GeoPosition();
}
