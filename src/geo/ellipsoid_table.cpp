#include "geo/ellipsoid_table.h"

namespace {

// Rows 2, 20 and 23 hold the same values but stay separate rows (datums refer to
// them by row number); row 10 is referenced by no datum.
constexpr EllipsoidRecord kEllipsoidTable[] = {
    {6377563.396, 299.3249646},  // 0: Airy 1830
    {6377340.189, 299.3249646},  // 1: Modified Airy
    {6378160.0, 298.25},  // 2: Australian National
    {6377483.865, 299.1528128},  // 3: Bessel 1841 (Namibia)
    {6377397.155, 299.1528128},  // 4: Bessel 1841
    {6378206.4, 294.9786982},  // 5: Clarke 1866
    {6378249.145, 293.465},  // 6: Clarke 1880
    {6377276.345, 300.8017},  // 7: Everest (India 1830)
    {6377298.556, 300.8017},  // 8: Everest (Sabah and Sarawak)
    {6377301.243, 300.8017},  // 9: Everest (India 1956)
    {6377295.664, 300.8017},  // 10: Everest (Malaysia 1969)
    {6377304.063, 300.8017},  // 11: Everest (Malaysia 1948)
    {6377309.613, 300.8017},  // 12: Everest (Pakistan)
    {6378155.0, 298.3},  // 13: Modified Fischer 1960
    {6378200.0, 298.3},  // 14: Helmert 1906
    {6378270.0, 297.0},  // 15: Hough 1960
    {6378160.0, 298.247},  // 16: Indonesian 1974
    {6378388.0, 297.0},  // 17: International 1924
    {6378245.0, 298.3},  // 18: Krassovsky 1940
    {6378137.0, 298.257222101},  // 19: GRS 80
    {6378160.0, 298.25},  // 20: South American 1969
    {6378135.0, 298.26},  // 21: WGS 72
    {6378137.0, 298.257223563},  // 22: WGS 84
    {6378160.0, 298.25},  // 23: Australian National (copy used by TWD'67)
    {6378140.0, 298.257},  // 24: IAG 1975
};
static_assert(sizeof(kEllipsoidTable) / sizeof(kEllipsoidTable[0]) == kEllipsoidCount,
              "the ellipsoid table has 25 rows");

}  // namespace

const EllipsoidRecord &ellipsoidRecord(int index)
{
    if (index < 0 || index >= kEllipsoidCount)
        index = kWgs84EllipsoidIndex;
    return kEllipsoidTable[index];
}

Ellipsoid ellipsoidOf(const EllipsoidRecord &record)
{
    return {record.a, 1.0 / record.inverseFlattening};
}
