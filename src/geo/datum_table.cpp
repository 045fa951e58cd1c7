#include "geo/datum_table.h"

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

namespace {

bool validIndex(int index)
{
    return index >= 0 && index < kDatumCount;
}

// {ellipsoid row, dx, dy, dz}; several rows hold identical values (81 and 82,
// 212 and 213, ...) and stay separate rows.
constexpr DatumRecord kDatumTable[] = {
    {6, -118.0, -14.0, 218.0},  // 0
    {6, -134.0, -2.0, 210.0},  // 1
    {6, -165.0, -11.0, 206.0},  // 2
    {6, -123.0, -20.0, 220.0},  // 3
    {6, -166.0, -15.0, 204.0},  // 4
    {6, -128.0, -18.0, 224.0},  // 5
    {6, -161.0, -14.0, 205.0},  // 6
    {18, -43.0, -163.0, 45.0},  // 7
    {17, -150.0, -250.0, -1.0},  // 8
    {17, -143.0, -236.0, 7.0},  // 9
    {5, -115.0, 118.0, 426.0},  // 10
    {2, -491.0, -22.0, 435.0},  // 11
    {6, -270.0, 13.0, 62.0},  // 12
    {6, -138.0, -105.0, -289.0},  // 13
    {6, -153.0, -5.0, -292.0},  // 14
    {6, -125.0, -108.0, -295.0},  // 15
    {6, -161.0, -73.0, -317.0},  // 16
    {6, -143.0, -90.0, -294.0},  // 17
    {6, -134.0, -105.0, -295.0},  // 18
    {6, -169.0, -19.0, -278.0},  // 19
    {6, -147.0, -74.0, -283.0},  // 20
    {6, -142.0, -96.0, -293.0},  // 21
    {6, -160.0, -6.0, -302.0},  // 22
    {6, -157.0, -2.0, -299.0},  // 23
    {6, -175.0, -23.0, -303.0},  // 24
    {17, -205.0, 107.0, 53.0},  // 25
    {17, 145.0, 75.0, -272.0},  // 26
    {17, -320.0, 550.0, -494.0},  // 27
    {17, 114.0, -116.0, -333.0},  // 28
    {17, 124.0, -234.0, -25.0},  // 29
    {2, -133.0, -48.0, 148.0},  // 30
    {2, -134.0, -48.0, 149.0},  // 31
    {6, -79.0, -129.0, 145.0},  // 32
    {18, -7.0, 162.0, 76.0},  // 33
    {17, -127.0, -769.0, 472.0},  // 34
    {5, -73.0, 213.0, 296.0},  // 35
    {4, 674.0, 15.0, 405.0},  // 36
    {17, -173.0, 253.0, 27.0},  // 37
    {17, 307.0, 304.0, -318.0},  // 38
    {4, -384.0, 664.0, -48.0},  // 39
    {17, -104.0, -129.0, 239.0},  // 40
    {17, -148.0, 136.0, 90.0},  // 41
    {17, 298.0, -304.0, -375.0},  // 42
    {6, -136.0, -108.0, -292.0},  // 43
    {5, -2.0, 151.0, 181.0},  // 44
    {6, -263.0, 6.0, 431.0},  // 45
    {17, 175.0, -38.0, 113.0},  // 46
    {17, -134.0, 229.0, -29.0},  // 47
    {17, -206.0, 172.0, -6.0},  // 48
    {6, -83.0, 37.0, 124.0},  // 49
    {6, 260.0, 12.0, -147.0},  // 50
    {4, -377.0, 681.0, -50.0},  // 51
    {17, 230.0, -199.0, -752.0},  // 52
    {17, 211.0, 147.0, 111.0},  // 53
    {4, 374.0, 150.0, 588.0},  // 54
    {17, -104.0, -101.0, -140.0},  // 55
    {17, -130.0, -117.0, -151.0},  // 56
    {17, -86.0, -96.0, -120.0},  // 57
    {17, -86.0, -96.0, -120.0},  // 58
    {17, -87.0, -95.0, -120.0},  // 59
    {17, -84.0, -95.0, -130.0},  // 60
    {17, -117.0, -132.0, -164.0},  // 61
    {17, -97.0, -103.0, -120.0},  // 62
    {17, -97.0, -88.0, -135.0},  // 63
    {17, -107.0, -88.0, -149.0},  // 64
    {17, -87.0, -98.0, -121.0},  // 65
    {17, -87.0, -96.0, -120.0},  // 66
    {17, -103.0, -106.0, -141.0},  // 67
    {17, -84.0, -107.0, -120.0},  // 68
    {17, -112.0, -77.0, -145.0},  // 69
    {17, -86.0, -98.0, -119.0},  // 70
    {6, -7.0, 215.0, 225.0},  // 71
    {17, -133.0, -321.0, 50.0},  // 72
    {17, 84.0, -22.0, 209.0},  // 73
    {17, -104.0, 167.0, -38.0},  // 74
    {5, -100.0, -248.0, 259.0},  // 75
    {4, -403.0, 684.0, 41.0},  // 76
    {17, 252.0, -209.0, -751.0},  // 77
    {17, -333.0, -222.0, 114.0},  // 78
    {3, 653.0, -212.0, 449.0},  // 79
    {17, -73.0, 46.0, -86.0},  // 80
    {17, -156.0, -271.0, -189.0},  // 81
    {17, -156.0, -271.0, -189.0},  // 82
    {17, -637.0, -549.0, -203.0},  // 83
    {7, 282.0, 726.0, 254.0},  // 84
    {9, 295.0, 736.0, 257.0},  // 85
    {12, 283.0, 682.0, 231.0},  // 86
    {7, 217.0, 823.0, 299.0},  // 87
    {7, 182.0, 915.0, 344.0},  // 88
    {7, 198.0, 881.0, 317.0},  // 89
    {7, 210.0, 814.0, 289.0},  // 90
    {16, -24.0, -15.0, 5.0},  // 91
    {1, 506.0, -122.0, 611.0},  // 92
    {17, -794.0, 119.0, -298.0},  // 93
    {17, 208.0, -435.0, -229.0},  // 94
    {17, 189.0, -79.0, -202.0},  // 95
    {7, -97.0, 787.0, 86.0},  // 96
    {17, 145.0, -187.0, 103.0},  // 97
    {11, -11.0, 851.0, 5.0},  // 98
    {17, 647.0, 1777.0, -1124.0},  // 99
    {19, 0.0, 0.0, 0.0},  // 100
    {5, 42.0, 124.0, 147.0},  // 101
    {6, -130.0, 29.0, 364.0},  // 102
    {6, -90.0, 40.0, 88.0},  // 103
    {5, -133.0, -77.0, -51.0},  // 104
    {5, -133.0, -79.0, -72.0},  // 105
    {6, -74.0, -130.0, 42.0},  // 106
    {6, 41.0, -220.0, -134.0},  // 107
    {4, 639.0, 405.0, 60.0},  // 108
    {6, 31.0, 146.0, 47.0},  // 109
    {4, 575.0, 93.0, 466.0},  // 110
    {17, 912.0, -58.0, 1227.0},  // 111
    {6, -81.0, -84.0, 115.0},  // 112
    {6, -92.0, -93.0, 122.0},  // 113
    {6, 174.0, 359.0, 365.0},  // 114
    {6, -247.0, -148.0, 369.0},  // 115
    {6, -243.0, -192.0, 477.0},  // 116
    {6, -249.0, -156.0, 381.0},  // 117
    {17, -10.0, 375.0, 165.0},  // 118
    {5, -5.0, 135.0, 172.0},  // 119
    {5, -2.0, 152.0, 149.0},  // 120
    {5, 2.0, 204.0, 105.0},  // 121
    {5, -4.0, 154.0, 178.0},  // 122
    {5, 1.0, 140.0, 165.0},  // 123
    {5, -7.0, 162.0, 188.0},  // 124
    {5, -9.0, 157.0, 184.0},  // 125
    {5, -22.0, 160.0, 190.0},  // 126
    {5, 4.0, 159.0, 188.0},  // 127
    {5, -7.0, 139.0, 181.0},  // 128
    {5, 0.0, 125.0, 201.0},  // 129
    {5, -9.0, 152.0, 178.0},  // 130
    {5, 11.0, 114.0, 195.0},  // 131
    {5, -3.0, 142.0, 183.0},  // 132
    {5, 0.0, 125.0, 194.0},  // 133
    {5, -10.0, 158.0, 187.0},  // 134
    {5, -8.0, 160.0, 176.0},  // 135
    {5, -9.0, 161.0, 179.0},  // 136
    {5, -8.0, 159.0, 175.0},  // 137
    {5, -12.0, 130.0, 190.0},  // 138
    {19, 0.0, 0.0, 0.0},  // 139
    {19, -2.0, 0.0, 4.0},  // 140
    {19, 0.0, 0.0, 0.0},  // 141
    {19, 0.0, 0.0, 0.0},  // 142
    {19, 1.0, 1.0, -1.0},  // 143
    {19, 0.0, 0.0, 0.0},  // 144
    {6, -186.0, -93.0, 310.0},  // 145
    {17, -425.0, -169.0, 81.0},  // 146
    {14, -130.0, 110.0, -13.0},  // 147
    {5, 89.0, -279.0, -183.0},  // 148
    {5, 45.0, -290.0, -172.0},  // 149
    {5, 65.0, -290.0, -190.0},  // 150
    {5, 61.0, -285.0, -181.0},  // 151
    {5, 58.0, -283.0, -182.0},  // 152
    {6, -346.0, -1.0, 224.0},  // 153
    {0, 371.0, -112.0, 434.0},  // 154
    {0, 371.0, -111.0, 434.0},  // 155
    {0, 375.0, -111.0, 431.0},  // 156
    {0, 384.0, -111.0, 425.0},  // 157
    {0, 370.0, -108.0, 434.0},  // 158
    {17, -307.0, -92.0, 127.0},  // 159
    {17, 185.0, 165.0, 42.0},  // 160
    {6, -106.0, -129.0, 165.0},  // 161
    {6, -148.0, 51.0, -291.0},  // 162
    {17, -499.0, -249.0, 314.0},  // 163
    {4, 582.0, 105.0, 414.0},  // 164
    {17, -270.0, 188.0, -388.0},  // 165
    {17, -270.0, 183.0, -390.0},  // 166
    {17, -305.0, 243.0, -442.0},  // 167
    {17, -282.0, 169.0, -371.0},  // 168
    {17, -278.0, 171.0, -367.0},  // 169
    {17, -298.0, 159.0, -369.0},  // 170
    {17, -288.0, 175.0, -376.0},  // 171
    {17, -279.0, 175.0, -379.0},  // 172
    {17, -295.0, 173.0, -371.0},  // 173
    {17, 16.0, 196.0, 93.0},  // 174
    {5, 11.0, 72.0, -101.0},  // 175
    {18, 28.0, -130.0, -95.0},  // 176
    {17, -128.0, -283.0, 22.0},  // 177
    {17, 164.0, 138.0, -189.0},  // 178
    {17, 94.0, -948.0, -1262.0},  // 179
    {17, -225.0, -65.0, 9.0},  // 180
    {4, 414.0, 41.0, 603.0},  // 181
    {18, 28.0, -121.0, -77.0},  // 182
    {18, 23.0, -124.0, -82.0},  // 183
    {18, 26.0, -121.0, -78.0},  // 184
    {18, 24.0, -124.0, -82.0},  // 185
    {18, 15.0, -130.0, -84.0},  // 186
    {18, 24.0, -130.0, -92.0},  // 187
    {18, 28.0, -121.0, -77.0},  // 188
    {4, 589.0, 76.0, 480.0},  // 189
    {17, 170.0, 42.0, 84.0},  // 190
    {17, -203.0, 141.0, 53.0},  // 191
    {17, -355.0, 21.0, 72.0},  // 192
    {3, 616.0, 97.0, -251.0},  // 193
    {17, -289.0, -124.0, 60.0},  // 194
    {6, -88.0, 4.0, 101.0},  // 195
    {20, -62.0, -1.0, -37.0},  // 196
    {20, -61.0, 2.0, -48.0},  // 197
    {20, -60.0, -2.0, -41.0},  // 198
    {20, -75.0, -1.0, -44.0},  // 199
    {20, -44.0, 6.0, -36.0},  // 200
    {20, -48.0, 3.0, -44.0},  // 201
    {20, -47.0, 26.0, -42.0},  // 202
    {20, -53.0, 3.0, -47.0},  // 203
    {20, -57.0, 1.0, -41.0},  // 204
    {20, -61.0, 2.0, -33.0},  // 205
    {20, -58.0, 0.0, -44.0},  // 206
    {20, -45.0, 12.0, -33.0},  // 207
    {20, -45.0, 8.0, -33.0},  // 208
    {13, 7.0, -10.0, -26.0},  // 209
    {17, -189.0, -242.0, -91.0},  // 210
    {8, -679.0, 669.0, -48.0},  // 211
    {4, -148.0, 507.0, 685.0},  // 212
    {4, -148.0, 507.0, 685.0},  // 213
    {4, -158.0, 507.0, 676.0},  // 214
    {4, -147.0, 506.0, 687.0},  // 215
    {17, -632.0, 438.0, -609.0},  // 216
    {23, -685.0, -470.0, -237.0},  // 217
    {19, 0.0, 0.0, 0.0},  // 218
    {6, 51.0, 391.0, -36.0},  // 219
    {6, -123.0, -206.0, 219.0},  // 220
    {17, 276.0, -57.0, 149.0},  // 221
    {15, 102.0, 52.0, -38.0},  // 222
    {21, 0.0, 0.0, 0.0},  // 223
    {22, 0.0, 0.0, 0.0},  // 224
    {24, -96.0, -51.0, 12.0},  // 225
    {17, -155.0, 171.0, 37.0},  // 226
    {17, -265.0, 120.0, -358.0},  // 227
};
static_assert(sizeof(kDatumTable) / sizeof(kDatumTable[0]) == kDatumCount,
              "the datum table has 228 rows");

// Rotation and scale terms of the three datums that carry them, for the
// direction datum to WGS 84. Rotations in radians (arcseconds × π / 648000),
// scale as the number applied as s / 1000.
struct HelmertExtra
{
    int datum;
    double rx;
    double ry;
    double rz;
    double s;
};

constexpr HelmertExtra kHelmertExtras[] = {
    // Merchich: 5.1", 1.6", 5.2", 2.5 ppm
    {109, 2.4725497736578703e-05, 7.757018897750183e-06, 2.5210311417688096e-05, 0.0025},
    // Porto Santo 1936: 1.04", 0.35", -3.06", 8.3 ppm
    {163, 5.042062283537619e-06, 1.6968478838828522e-06, -1.4835298641947224e-05, 0.0083},
    // Rome 1940: -0.855", 2.141", -7.023", no scale
    {180, -4.1451569734852535e-06, 1.0379860912551961e-05, -3.40484648243122e-05, 0.0},
};

const HelmertExtra *helmertExtra(int index)
{
    for (const HelmertExtra &extra : kHelmertExtras) {
        if (extra.datum == index)
            return &extra;
    }
    return nullptr;
}

}  // namespace

const QString &datumName(int index)
{
    static const QString names[] = {
        QStringLiteral("Adindan-Burkina"),  // 0
        QStringLiteral("Adindan-Cameroon"),  // 1
        QStringLiteral("Adindan-Ethiopia"),  // 2
        QStringLiteral("Adindan-Mali"),  // 3
        QStringLiteral("Adindan-Regional Mean"),  // 4
        QStringLiteral("Adindan-Senegal"),  // 5
        QStringLiteral("Adindan-Sudan"),  // 6
        QStringLiteral("Afgooye-Somalia"),  // 7
        QStringLiteral("Ain el Abd'70-Bahrain"),  // 8
        QStringLiteral("Ain el Abd'70-Saudi Arabia"),  // 9
        QStringLiteral("American Samoa'62"),  // 10
        QStringLiteral("Anna 1 Astro'65"),  // 11
        QStringLiteral("Antigua Island Astro'43"),  // 12
        QStringLiteral("Arc'50-Botswana"),  // 13
        QStringLiteral("Arc'50-Burundi"),  // 14
        QStringLiteral("Arc'50-Lesotho"),  // 15
        QStringLiteral("Arc'50-Malawi"),  // 16
        QStringLiteral("Arc'50-Regional Mean"),  // 17
        QStringLiteral("Arc'50-Swaziland"),  // 18
        QStringLiteral("Arc'50-Zaire"),  // 19
        QStringLiteral("Arc'50-Zambia"),  // 20
        QStringLiteral("Arc'50-Zimbabwe"),  // 21
        QStringLiteral("Arc'60-Mean of Kenya, Tanzania"),  // 22
        QStringLiteral("Arc'60-Kenya"),  // 23
        QStringLiteral("Arc'60-Tanzania"),  // 24
        QStringLiteral("Ascension Island'58"),  // 25
        QStringLiteral("Astro Beacon E'45"),  // 26
        QStringLiteral("Astro DOS  71/4"),  // 27
        QStringLiteral("Astro Tern Island "),  // 28
        QStringLiteral("Astronomical Station'52"),  // 29
        QStringLiteral("Australian Geo'66"),  // 30
        QStringLiteral("Australian Geo'84"),  // 31
        QStringLiteral("Ayabelle Lighthouse"),  // 32
        QStringLiteral("Beijing 1954"),  // 33
        QStringLiteral("Bellevue"),  // 34
        QStringLiteral("Bermuda 1957"),  // 35
        QStringLiteral("Bern 1898"),  // 36
        QStringLiteral("Bissau"),  // 37
        QStringLiteral("Bogota Observatory"),  // 38
        QStringLiteral("Bukit Rimpah"),  // 39
        QStringLiteral("Camp Area Astro"),  // 40
        QStringLiteral("Campo Inchauspe"),  // 41
        QStringLiteral("Canton Astro'66"),  // 42
        QStringLiteral("Cape-South Africa"),  // 43
        QStringLiteral("Cape Canaveral"),  // 44
        QStringLiteral("Carthage-Tunisia"),  // 45
        QStringLiteral("Chatham Island Astro'71"),  // 46
        QStringLiteral("Chua Astro-Paraguay"),  // 47
        QStringLiteral("Corrego Alegre"),  // 48
        QStringLiteral("Dabola-Guinea"),  // 49
        QStringLiteral("Deception Island"),  // 50
        QStringLiteral("Djakarta-Batatia"),  // 51
        QStringLiteral("DOS 1968"),  // 52
        QStringLiteral("Easter Island'67"),  // 53
        QStringLiteral("Estonia Coord Sys'37"),  // 54
        QStringLiteral("Euro'50-Cyprus"),  // 55
        QStringLiteral("Euro'50-Egypt"),  // 56
        QStringLiteral("Euro'50-England"),  // 57
        QStringLiteral("Euro'50-North Regional Mean"),  // 58
        QStringLiteral("Euro'50-Finland,Norway"),  // 59
        QStringLiteral("Euro'50-Greece"),  // 60
        QStringLiteral("Euro'50-Iran"),  // 61
        QStringLiteral("Euro'50-Italy-Sardinia"),  // 62
        QStringLiteral("Euro'50-Italy-Sicily"),  // 63
        QStringLiteral("Euro'50-Malta"),  // 64
        QStringLiteral("Euro'50-West Regional Mean"),  // 65
        QStringLiteral("Euro'50-East Regional Mean"),  // 66
        QStringLiteral("Euro'50-South Regional Mean"),  // 67
        QStringLiteral("Euro'50-Portugal, Spain"),  // 68
        QStringLiteral("Euro'50-Tunisia"),  // 69
        QStringLiteral("European 1979"),  // 70
        QStringLiteral("Fort Thomas 1955"),  // 71
        QStringLiteral("Gan 1970"),  // 72
        QStringLiteral("Geodetic Datum'49"),  // 73
        QStringLiteral("Graciosa Base SW'48"),  // 74
        QStringLiteral("Guam '63-Guam"),  // 75
        QStringLiteral("Gunung Segara"),  // 76
        QStringLiteral("GUX 1 Astro"),  // 77
        QStringLiteral("Heart North"),  // 78
        QStringLiteral("Hermannskogel Datum"),  // 79
        QStringLiteral("Hjorsey 1955"),  // 80
        QStringLiteral("Hong Kong '63"),  // 81
        QStringLiteral("Hong Kong1980"),  // 82
        QStringLiteral("Hu-Tzu-Shan"),  // 83
        QStringLiteral("Indian-Bangladesh"),  // 84
        QStringLiteral("Indian-India, Nepal"),  // 85
        QStringLiteral("Indian-Pakistan"),  // 86
        QStringLiteral("Indian 1954"),  // 87
        QStringLiteral("Indian'60-Con Son Island"),  // 88
        QStringLiteral("Indian'60-Vietnam"),  // 89
        QStringLiteral("Indian 1975"),  // 90
        QStringLiteral("Indonesian '74"),  // 91
        QStringLiteral("Ireland 1965"),  // 92
        QStringLiteral("ISTS 064 Astro'68"),  // 93
        QStringLiteral("ISTS 073 Astro'69"),  // 94
        QStringLiteral("Johnston Island'61"),  // 95
        QStringLiteral("Kandawala"),  // 96
        QStringLiteral("Kerguelen Island'49"),  // 97
        QStringLiteral("Kertau 1948"),  // 98
        QStringLiteral("Kusaie Astro'51"),  // 99
        QStringLiteral("Korean Geo Sys"),  // 100
        QStringLiteral("L.C.5 Astro'61"),  // 101
        QStringLiteral("Leigon"),  // 102
        QStringLiteral("Liberia 1964"),  // 103
        QStringLiteral("Luzon-Philip"),  // 104
        QStringLiteral("Luzon-Philip-Mindanao"),  // 105
        QStringLiteral("M'Poraloko"),  // 106
        QStringLiteral("Mahe 1971"),  // 107
        QStringLiteral("Massawa"),  // 108
        QStringLiteral("Merchich"),  // 109
        QStringLiteral("MGI"),  // 110
        QStringLiteral("Midway Astro'61"),  // 111
        QStringLiteral("Minna-Cameroon"),  // 112
        QStringLiteral("Minna-Nigeria"),  // 113
        QStringLiteral("Montserrat Island Astro'58"),  // 114
        QStringLiteral("Nahrwan-Oman-Masirah Island"),  // 115
        QStringLiteral("Nahrwan-Saudi Arabia"),  // 116
        QStringLiteral("Nahrwan-United Arab Emirates"),  // 117
        QStringLiteral("Naparima BWI"),  // 118
        QStringLiteral("N-Amer'27-Alaska"),  // 119
        QStringLiteral("N-Amer'27-Aleutian Ids E"),  // 120
        QStringLiteral("N-Amer'27-Aleutian Ids W"),  // 121
        QStringLiteral("N-Amer'27-Bahamas"),  // 122
        QStringLiteral("N-Amer'27-San Salvador"),  // 123
        QStringLiteral("N-Amer'27-Alberta"),  // 124
        QStringLiteral("N-Amer'27-Manitoba, Ontario"),  // 125
        QStringLiteral("N-Amer'27-New Brunswick"),  // 126
        QStringLiteral("N-Amer'27-Saskatchewan"),  // 127
        QStringLiteral("N-Amer'27-Yukon"),  // 128
        QStringLiteral("N-Amer'27-Canal Zone"),  // 129
        QStringLiteral("N-Amer'27-Cuba"),  // 130
        QStringLiteral("N-Amer'27-Greenland"),  // 131
        QStringLiteral("N-Amer'27-Antigua, Barbados"),  // 132
        QStringLiteral("N-Amer'27-Costa Rica, EI Salvador"),  // 133
        QStringLiteral("N-Amer'27-Mean of Canada"),  // 134
        QStringLiteral("N-Amer'27-Mean of Conus"),  // 135
        QStringLiteral("N-Amer'27-E-Mississippi"),  // 136
        QStringLiteral("N-Amer'27-W-Mississippi"),  // 137
        QStringLiteral("N-Amer'27-Mexico"),  // 138
        QStringLiteral("N-Amer'83-Alaska"),  // 139
        QStringLiteral("N-Amer'83-Aleutian Ids"),  // 140
        QStringLiteral("N-Amer'83-Canada"),  // 141
        QStringLiteral("N-Amer'83-Conus"),  // 142
        QStringLiteral("N-Amer'83-Hawaii"),  // 143
        QStringLiteral("N-Amer'83-Mexico, Central America"),  // 144
        QStringLiteral("North Sahara'59"),  // 145
        QStringLiteral("Observatorio Meteorologico'39"),  // 146
        QStringLiteral("Old Egyptian1907"),  // 147
        QStringLiteral("Old Hawaiian-Hawaii"),  // 148
        QStringLiteral("Old Hawaiian-Kauai"),  // 149
        QStringLiteral("Old Hawaiian-Maui"),  // 150
        QStringLiteral("Old Hawaiian-Regional Mean"),  // 151
        QStringLiteral("Old Hawaiian-Oahu"),  // 152
        QStringLiteral("Oman"),  // 153
        QStringLiteral("OSGB'36 -England"),  // 154
        QStringLiteral("OSGB'36 -Isle of Man"),  // 155
        QStringLiteral("OSGB'36 -Regional Mean"),  // 156
        QStringLiteral("OSGB'36 -Scotland, Shetland"),  // 157
        QStringLiteral("OSGB'36 -Wales"),  // 158
        QStringLiteral("Pico de las Nieves"),  // 159
        QStringLiteral("Pitcairn Astro 1967"),  // 160
        QStringLiteral("Point 58"),  // 161
        QStringLiteral("Pointe Noire 1948"),  // 162
        QStringLiteral("Porto Santo 1936"),  // 163
        QStringLiteral("Potsdam"),  // 164
        QStringLiteral("Prov S-Amer'56-Bolivia"),  // 165
        QStringLiteral("Prov S-Amer'56-Chile-North"),  // 166
        QStringLiteral("Prov S-Amer'56-Chile-South"),  // 167
        QStringLiteral("Prov S-Amer'56-Colombia"),  // 168
        QStringLiteral("Prov S-Amer'56-Ecuador"),  // 169
        QStringLiteral("Prov S-Amer'56-Guyana"),  // 170
        QStringLiteral("Prov S-Amer'56-Regional Mean"),  // 171
        QStringLiteral("Prov S-Amer'56-Peru"),  // 172
        QStringLiteral("Prov S-Amer'56-Venezuela"),  // 173
        QStringLiteral("Prov S-Chilean'63"),  // 174
        QStringLiteral("Puerto Rico"),  // 175
        QStringLiteral("Pulkovo 1942"),  // 176
        QStringLiteral("Qatar National"),  // 177
        QStringLiteral("Qornoq"),  // 178
        QStringLiteral("Reunion"),  // 179
        QStringLiteral("Rome 1940"),  // 180
        QStringLiteral("RT90"),  // 181
        QStringLiteral("S-42 Pul'42-Hungary"),  // 182
        QStringLiteral("S-42 Pul'42-Poland"),  // 183
        QStringLiteral("S-42 Pul'42-Czechoslavakia"),  // 184
        QStringLiteral("S-42 Pul'42-Pul'42-Latvia"),  // 185
        QStringLiteral("S-42 Pul'42-Kazakhstan"),  // 186
        QStringLiteral("S-42 Pul'42-Albania"),  // 187
        QStringLiteral("S-42 Pul'42-Romania"),  // 188
        QStringLiteral("S-JTSK"),  // 189
        QStringLiteral("Santo DOS'65"),  // 190
        QStringLiteral("Sao Braz"),  // 191
        QStringLiteral("Sapper Hill'43"),  // 192
        QStringLiteral("Schwarzeck "),  // 193
        QStringLiteral("Selvagem Grande'38"),  // 194
        QStringLiteral("Sierra Leone'60"),  // 195
        QStringLiteral("S-Amer'69-Argenntina"),  // 196
        QStringLiteral("S-Amer'69-Bolivia"),  // 197
        QStringLiteral("S-Amer'69-Brazil"),  // 198
        QStringLiteral("S-Amer'69-Chile"),  // 199
        QStringLiteral("S-Amer'69-Colombia"),  // 200
        QStringLiteral("S-Amer'69-Ecuador"),  // 201
        QStringLiteral("S-Amer'69-Baltra, Galapagos"),  // 202
        QStringLiteral("S-Amer'69-Guyana"),  // 203
        QStringLiteral("S-Amer'69-Regional Mean"),  // 204
        QStringLiteral("S-Amer'69-Paraguay"),  // 205
        QStringLiteral("S-Amer'69-Peru"),  // 206
        QStringLiteral("S-Amer'69-Trinidad, Tobago"),  // 207
        QStringLiteral("S-Amer'69-Venezuela"),  // 208
        QStringLiteral("South Asia"),  // 209
        QStringLiteral("Tananarive Observ'25"),  // 210
        QStringLiteral("Timbalai 1948"),  // 211
        QStringLiteral("Tokyo-Japan"),  // 212
        QStringLiteral("Tokyo-Regional Mean"),  // 213
        QStringLiteral("Tokyo-Okinawa"),  // 214
        QStringLiteral("Tokyo-South Korea"),  // 215
        QStringLiteral("Tristan Astro'68"),  // 216
        QStringLiteral("TWD'67"),  // 217
        QStringLiteral("TWD'97"),  // 218
        QStringLiteral("Viti Levu 1916"),  // 219
        QStringLiteral("Voirol 1960"),  // 220
        QStringLiteral("Wake Island  Astro'52"),  // 221
        QStringLiteral("Wake-Eniwetok'60"),  // 222
        QStringLiteral("WGS 1972"),  // 223
        QStringLiteral("WGS 1984"),  // 224
        QStringLiteral("Xi an 80"),  // 225
        QStringLiteral("Yacare"),  // 226
        QStringLiteral("Zanderij"),  // 227
    };
    static_assert(sizeof(names) / sizeof(names[0]) == kDatumCount, "one name per datum row");
    static const QString none;
    return validIndex(index) ? names[index] : none;
}

QString looseName(const QString &name)
{
    QString key;
    for (const QChar c : name) {
        if (c.isLetterOrNumber())
            key += c.toLower();
    }
    return key;
}

namespace {

// Names other programs (GPS receivers, OziExplorer files) give to datums of this
// table, each with the same shift parameters as the row it stands for.
struct DatumAlias
{
    const char *name;
    int index;
};
constexpr DatumAlias kDatumAliases[] = {
    {"WGS 84", kWgs84DatumIndex},
    {"WGS 72", kWgs72DatumIndex},
    {"European 1950", 65},        // mean of western Europe, -87 -98 -121
    {"NAD27 CONUS", 135},
    {"NAD83", 142},
    {"Ord Srvy Grt Britn", 156},  // OSGB 1936, regional mean
    {"Pulkovo 1942 (1)", 176},    // 28 -130 -95
    {"Tokyo", 213},               // regional mean
    {"Hong Kong 1963", 81},
    {"Australian Geod '66", 30},
    {"Australian Geod '84", 31},
};

}  // namespace

int findDatum(const QString &name)
{
    const QString key = looseName(name);
    if (key.isEmpty())
        return -1;
    for (int index = 0; index < kDatumCount; ++index) {
        if (looseName(datumName(index)) == key)
            return index;
    }
    for (const DatumAlias &alias : kDatumAliases) {
        if (looseName(QString::fromLatin1(alias.name)) == key)
            return alias.index;
    }
    return -1;
}

const DatumRecord &datumRecord(int index)
{
    return kDatumTable[validIndex(index) ? index : kWgs84DatumIndex];
}

const EllipsoidRecord &datumEllipsoidRecord(int index)
{
    return ellipsoidRecord(datumRecord(index).ellipsoid);
}

Ellipsoid datumEllipsoid(int index)
{
    return ellipsoidOf(datumEllipsoidRecord(index));
}

HelmertShift datumShiftToWgs84(int index)
{
    const DatumRecord &record = datumRecord(index);
    HelmertShift shift;
    shift.tx = record.dx;
    shift.ty = record.dy;
    shift.tz = record.dz;
    if (const HelmertExtra *extra = helmertExtra(index)) {
        shift.rx = extra->rx;
        shift.ry = extra->ry;
        shift.rz = extra->rz;
        shift.s = extra->s;
    }
    return shift;
}
