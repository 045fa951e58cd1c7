#include "raster/ozi_datums.h"

#include "geo/datum_table.h"

namespace {

struct OziEllipsoid
{
    double a;                  // metres
    double inverseFlattening;  // 1/f
};

// OziExplorer's ellipsoids, by their code in the list below (GDAL's ozi_ellips.csv).
constexpr OziEllipsoid kOziEllipsoids[] = {
    {6377563.396, 299.3249646},  // 0: Airy 1830
    {6377340.189, 299.3249646},  // 1: Modified Airy
    {6378160.0, 298.25},  // 2: Australian National
    {6377397.155, 299.1528128},  // 3: Bessel 1841
    {6378206.4, 294.9786982},  // 4: Clarke 1866
    {6378249.145, 293.465},  // 5: Clarke 1880
    {6377276.345, 300.8017},  // 6: Everest (India 1830)
    {6377304.063, 300.8017},  // 7: Everest (1948)
    {6378155.0, 298.3},  // 8: Modified Fischer 1960
    {6377309.613, 300.8017},  // 9: Everest (Pakistan)
    {6378160.0, 298.247},  // 10: Indonesian 1974
    {6378137.0, 298.257222101},  // 11: GRS 80
    {6378200.0, 298.3},  // 12: Helmert 1906
    {6378270.0, 297.0},  // 13: Hough 1960
    {6378388.0, 297.0},  // 14: International 1924
    {6378245.0, 298.3},  // 15: Krassovsky 1940
    {6378160.0, 298.25},  // 16: South American 1969
    {6377295.664, 300.8017},  // 17: Everest (Malaysia 1969)
    {6377298.556, 300.8017},  // 18: Everest (Sabah Sarawak)
    {6378135.0, 298.26},  // 19: WGS 72
    {6378137.0, 298.257223563},  // 20: WGS 84
    {6377483.865, 299.1528128},  // 21: Bessel 1841 (Namibia)
    {6377301.243, 300.8017},  // 22: Everest (India 1956)
    {6378300.789, 293.466},  // 23: Clarke 1880 Palestine
    {6378249.2, 293.466021},  // 24: Clarke 1880 IGN
    {6378388.0, 296.959263},  // 25: Hayford 1909
    {6378350.87, 294.26},  // 26: Clarke 1858
    {6377492.0176, 299.1528},  // 27: Bessel 1841 (Norway)
    {6376523.0, 308.6409971},  // 28: Plessis 1817 (France)
    {6378388.0, 297.0},  // 29: Hayford 1924
};

struct OziDatumRow
{
    const char *name;
    int ellipsoid;  // a row of kOziEllipsoids
    double dx;      // metres, to WGS 84
    double dy;
    double dz;
};

// OziExplorer's datums in the order of its list (GDAL's ozi_datum.csv).
constexpr OziDatumRow kOziDatums[] = {
    {"Adindan", 5, -162, -12, 206},
    {"Afgooye", 15, -43, -163, 45},
    {"Ain el Abd 1970", 14, -150, -251, -2},
    {"Anna 1 Astro 1965", 2, -491, -22, 435},
    {"Arc 1950", 5, -143, -90, -294},
    {"Arc 1960", 5, -160, -8, -300},
    {"Ascension Island 1958", 14, -207, 107, 52},
    {"Astro B4 Sorol Atoll", 14, 114, -116, -333},
    {"Astro Beacon 1945", 14, 145, 75, -272},
    {"Astro DOS 71/4", 14, -320, 550, -494},
    {"Astronomic Stn 1952", 14, 124, -234, -25},
    {"Australian Geodetic 1966", 2, -133, -48, 148},
    {"Australian Geodetic 1984", 2, -134, -48, 149},
    {"Australian Geocentric 1994 (GDA94)", 11, 0, 0, 0},
    {"Austrian", 3, 594, 84, 471},
    {"Bellevue (IGN)", 14, -127, -769, 472},
    {"Bermuda 1957", 4, -73, 213, 296},
    {"Bogota Observatory", 14, 307, 304, -318},
    {"Campo Inchauspe", 14, -148, 136, 90},
    {"Canton Astro 1966", 14, 298, -304, -375},
    {"Cape", 5, -136, -108, -292},
    {"Cape Canaveral", 4, -2, 150, 181},
    {"Carthage", 5, -263, 6, 431},
    {"CH-1903", 3, 674, 15, 405},
    {"Chatham 1971", 14, 175, -38, 113},
    {"Chua Astro", 14, -134, 229, -29},
    {"Corrego Alegre", 14, -206, 172, -6},
    {"Djakarta (Batavia)", 3, -377, 681, -50},
    {"DOS 1968", 14, 230, -199, -752},
    {"Easter Island 1967", 14, 211, 147, 111},
    {"Egypt", 14, -130, -117, -151},
    {"European 1950", 14, -87, -98, -121},
    {"European 1950 (Mean France)", 14, -87, -96, -120},
    {"European 1950 (Spain and Portugal)", 14, -84, -107, -120},
    {"European 1979", 14, -86, -98, -119},
    {"Finland Hayford", 14, -78, -231, -97},
    {"Gandajika Base", 14, -133, -321, 50},
    {"Geodetic Datum 1949", 14, 84, -22, 209},
    {"GGRS 87", 11, -199.87, 74.79, 246.62},
    {"Guam 1963", 4, -100, -248, 259},
    {"GUX 1 Astro", 14, 252, -209, -751},
    {"Hartebeeshoek94", 20, 0, 0, 0},
    {"Hermannskogel", 3, 653, -212, 449},
    {"Hjorsey 1955", 14, -73, 46, -86},
    {"Hong Kong 1963", 14, -156, -271, -189},
    {"Hu-Tzu-Shan", 14, -634, -549, -201},
    {"Indian Bangladesh", 6, 289, 734, 257},
    {"Indian Thailand", 6, 214, 836, 303},
    {"Israeli", 23, -235, -85, 264},
    {"Ireland 1965", 1, 506, -122, 611},
    {"ISTS 073 Astro 1969", 14, 208, -435, -229},
    {"Johnston Island", 14, 191, -77, -204},
    {"Kandawala", 6, -97, 787, 86},
    {"Kerguelen Island", 14, 145, -187, 103},
    {"Kertau 1948", 7, -11, 851, 5},
    {"L.C. 5 Astro", 4, 42, 124, 147},
    {"Liberia 1964", 5, -90, 40, 88},
    {"Luzon Mindanao", 4, -133, -79, -72},
    {"Luzon Philippines", 4, -133, -77, -51},
    {"Mahe 1971", 5, 41, -220, -134},
    {"Marco Astro", 14, -289, -124, 60},
    {"Massawa", 3, 639, 405, 60},
    {"Merchich", 5, 31, 146, 47},
    {"Midway Astro 1961", 14, 912, -58, 1227},
    {"Minna", 5, -92, -93, 122},
    {"NAD27 Alaska", 4, -5, 135, 172},
    {"NAD27 Bahamas", 4, -4, 154, 178},
    {"NAD27 Canada", 4, -10, 158, 187},
    {"NAD27 Canal Zone", 4, 0, 125, 201},
    {"NAD27 Caribbean", 4, -7, 152, 178},
    {"NAD27 Central", 4, 0, 125, 194},
    {"NAD27 CONUS", 4, -8, 160, 176},
    {"NAD27 Cuba", 4, -9, 152, 178},
    {"NAD27 Greenland", 4, 11, 114, 195},
    {"NAD27 Mexico", 4, -12, 130, 190},
    {"NAD27 San Salvador", 4, 1, 140, 165},
    {"NAD83", 11, 0, 0, 0},
    {"Nahrwn Masirah Ilnd", 5, -247, -148, 369},
    {"Nahrwn Saudi Arbia", 5, -231, -196, 482},
    {"Nahrwn United Arab", 5, -249, -156, 381},
    {"Naparima BWI", 14, -2, 374, 172},
    {"NGO1948", 27, 315, -217, 528},
    {"NTF France", 24, -168, -60, 320},
    {"Norsk", 27, 278, 93, 474},
    {"NZGD1949", 14, 84, -22, 209},
    {"NZGD2000", 20, 0, 0, 0},
    {"Observatorio 1966", 14, -425, -169, 81},
    {"Old Egyptian", 12, -130, 110, -13},
    {"Old Hawaiian", 4, 61, -285, -181},
    {"Oman", 5, -346, -1, 224},
    {"Ord Srvy Grt Britn", 0, 375, -111, 431},
    {"Pico De Las Nieves", 14, -307, -92, 127},
    {"Pitcairn Astro 1967", 14, 185, 165, 42},
    {"Potsdam Rauenberg DHDN", 3, 606, 23, 413},
    {"Prov So Amrican 1956", 14, -288, 175, -376},
    {"Prov So Chilean 1963", 14, 16, 196, 93},
    {"Puerto Rico", 4, 11, 72, -101},
    {"Pulkovo 1942 (1)", 15, 28, -130, -95},
    {"Pulkovo 1942 (2)", 15, 28, -130, -95},
    {"Qatar National", 14, -128, -283, 22},
    {"Qornoq", 14, 164, 138, -189},
    {"Reunion", 14, 94, -948, -1262},
    {"Rijksdriehoeksmeting", 3, 593, 26, 478},
    {"Rome 1940", 14, -225, -65, 9},
    {"RT 90", 3, 498, -36, 568},
    {"S42", 15, 28, -121, -77},
    {"Santo (DOS)", 14, 170, 42, 84},
    {"Sao Braz", 14, -203, 141, 53},
    {"Sapper Hill 1943", 14, -355, 16, 74},
    {"Schwarzeck", 21, 616, 97, -251},
    {"South American 1969", 16, -57, 1, -41},
    {"South Asia", 8, 7, -10, -26},
    {"Southeast Base", 14, -499, -249, 314},
    {"Southwest Base", 14, -104, 167, -38},
    {"Timbalai 1948", 6, -689, 691, -46},
    {"Tokyo", 3, -128, 481, 664},
    {"Tristan Astro 1968", 14, -632, 438, -609},
    {"Viti Levu 1916", 5, 51, 391, -36},
    {"Wake-Eniwetok 1960", 13, 101, 52, -39},
    {"WGS 72", 19, 0, 0, 5},
    {"WGS 84", 20, 0, 0, 0},
    {"Yacare", 14, -155, 171, 37},
    {"Zanderij", 14, -265, 120, -358},
};

constexpr int kOziEllipsoidCount = int(sizeof kOziEllipsoids / sizeof kOziEllipsoids[0]);
constexpr int kOziDatumCount = int(sizeof kOziDatums / sizeof kOziDatums[0]);

}  // namespace

bool OziDatum::isWgs84() const
{
    const EllipsoidRecord &wgs84 = ellipsoidRecord(kWgs84EllipsoidIndex);
    return a == wgs84.a && inverseFlattening == wgs84.inverseFlattening && shift.tx == 0.0 && shift.ty == 0.0
        && shift.tz == 0.0 && shift.rx == 0.0 && shift.ry == 0.0 && shift.rz == 0.0 && shift.s == 0.0;
}

int oziDatumCount()
{
    return kOziDatumCount;
}

OziDatum oziDatum(int index)
{
    const OziDatumRow &row = kOziDatums[index >= 0 && index < kOziDatumCount ? index : 0];
    const OziEllipsoid &ellipsoid = kOziEllipsoids[row.ellipsoid < kOziEllipsoidCount ? row.ellipsoid : 0];
    OziDatum datum;
    datum.name = QString::fromLatin1(row.name);
    datum.a = ellipsoid.a;
    datum.inverseFlattening = ellipsoid.inverseFlattening;
    datum.shift.tx = row.dx;
    datum.shift.ty = row.dy;
    datum.shift.tz = row.dz;
    return datum;
}

bool findOziDatum(const QString &name, OziDatum *datum)
{
    const QString key = looseName(name);
    if (key.isEmpty())
        return false;
    for (int index = 0; index < kOziDatumCount; ++index) {
        if (looseName(QString::fromLatin1(kOziDatums[index].name)) == key) {
            *datum = oziDatum(index);
            return true;
        }
    }
    const int index = findDatum(name);
    if (index < 0)
        return false;
    const EllipsoidRecord &ellipsoid = datumEllipsoidRecord(index);
    datum->name = datumName(index).trimmed();
    datum->a = ellipsoid.a;
    datum->inverseFlattening = ellipsoid.inverseFlattening;
    datum->shift = datumShiftToWgs84(index);
    return true;
}
