// Typed grid positions: both grid kinds (and two that are not grids), on every
// datum and two indices either side of the table. Byte 0 picks the kind, bytes 1-2
// the datum; the rest, up to a tab, is the easting text and after it the northing
// text.

#include <cmath>

#include "fuzz_support.h"
#include "geo/datum_table.h"
#include "geo/position_parse.h"
#include "geo/position_format.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    constexpr int kKinds[] = {kGridUtm, kGridTm, kGridLatLon, 5};
    const int gridKind = kKinds[data[0] % 4];
    const int datumIndex = (data[1] | (data[2] << 8)) % (kDatumCount + 4) - 2;
    const QByteArray text(reinterpret_cast<const char *>(data + 3), qsizetype(size - 3));
    const qsizetype tab = text.indexOf('\t');
    const QString easting = QString::fromUtf8(tab < 0 ? text : text.left(tab));
    const QString northing = tab < 0 ? QString() : QString::fromUtf8(text.mid(tab + 1));
    (void)parseGridPosition(gridKind, datumIndex, easting, northing);
    (void)parseGridPositionToWgs84(gridKind, datumIndex, easting, northing);
    GeoPosition position;
    QString error;
    if (readGridPosition(gridKind, datumIndex, easting, northing, &position, &error)
        && !(std::fabs(position.latitude) <= 90.0 && std::fabs(position.longitude) <= 180.0))
        __builtin_trap();  // a position the command line would print, far off the globe
    return 0;
}
