#include "ui/points_form_ranges.h"

#include <algorithm>
#include <cmath>

#include "geo/datum_table.h"
#include "geo/grid_parameters.h"
#include "geo/transverse_mercator.h"

namespace {

constexpr double kTmHalfWidth = 6.0;  // degrees either side of the central meridian

struct TmExtent
{
    IntRange easting;
    IntRange northing;
};

int outwardKilometres(double metres)
{
    const double km = metres >= 0.0 ? std::ceil(metres / 1000.0) : std::floor(metres / 1000.0);
    return int(km) * 1000;
}

// The easting is widest on the equator and the northing largest at the poles.
TmExtent computeTmExtent()
{
    double west = 0.0;
    double east = 0.0;
    double pole = 0.0;
    for (int datum = 0; datum < kDatumCount; ++datum) {
        const TmParameters grid = tmGridParameters(datum);
        west = std::min(west, tmForward(grid, 0.0, kTmCentralMeridian - kTmHalfWidth).easting);
        east = std::max(east, tmForward(grid, 0.0, kTmCentralMeridian + kTmHalfWidth).easting);
        pole = std::max(pole, tmForward(grid, 90.0, kTmCentralMeridian).northing);
    }
    const int north = outwardKilometres(pole);
    return {{outwardKilometres(west), outwardKilometres(east)}, {-north, north}};
}

const TmExtent &tmExtent()
{
    static const TmExtent extent = computeTmExtent();
    return extent;
}

}  // namespace

IntRange tmEastingRange()
{
    return tmExtent().easting;
}

IntRange tmNorthingRange()
{
    return tmExtent().northing;
}
