// QGIS georeferencer .points files: the parser, and what it reads written back as a
// .points file and as OziExplorer Point lines, which must read back as many points.

#include "fuzz_support.h"
#include "raster/ozi_map.h"
#include "raster/qgis_points.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ControlPointList list;
    QString error;
    if (parseQgisPoints(bytes, &list, &error) != PointsFileStatus::Ok)
        return 0;
    ControlPointList again;
    if (parseQgisPoints(qgisPointsText(list), &again, &error) != PointsFileStatus::Ok
        || again.points.size() != list.points.size())
        __builtin_trap();  // a file of ours that does not read back
    const QVector<GroundControlPoint> points = list.enabledPoints();
    const QByteArray map = oziMapPointsText(QStringLiteral("scan.png"), points, QSize(100, 100), &error);
    if (!map.isEmpty() && parseOziMapText(map).datumPoints.size() != points.size())
        __builtin_trap();
    return 0;
}
