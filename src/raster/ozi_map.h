#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <QVector>

#include <memory>

#include "geo/pixel_grid.h"
#include "raster/geo_raster.h"

struct OziDatum;

// A reference point of a "PointNN" line: a pixel and its latitude and longitude in
// degrees on the map's own datum (line 5), or its position on the map's grid, or both.
struct OziDatumPoint
{
    qint32 pixelX = 0;
    qint32 pixelY = 0;
    bool hasLatLon = false;
    double latitude = 0.0;   // degrees, north positive
    double longitude = 0.0;  // degrees, east positive
    bool hasGrid = false;
    QByteArray gridZone;     // the zone field, trimmed ("37" on a UTM grid); often empty
    double easting = 0.0;    // grid units, metres
    double northing = 0.0;
    bool gridSouth = false;  // the grid's hemisphere letter is S
};

// What the program takes from the bytes of an OziExplorer ".map" file: the raw
// bytes of its third line (the image path, still in the file's own encoding), the
// datum named on line 5, the reference points of its last "MMPNUM" block (WGS 84 by
// the format's definition) and those of its "Point01" to "Point30" lines, and the
// projection of its grid. Corner lists are ignored.
struct OziMapText
{
    bool hasImageLine = false;        // the file has a third line
    QByteArray imageLine;             // third line, line end removed
    QByteArray datumName;             // first field of line 5, trimmed; empty when absent
    QVector<CalibrationPoint> points; // MMPNUM block: pixels and milliarcseconds, in file order
    QVector<OziDatumPoint> datumPoints;  // Point lines with a pixel and a position
    QByteArray projectionName;        // second field of the "Map Projection" line, trimmed
    QList<QByteArray> projectionSetup;  // fields after "Projection Setup", trimmed: LAT0, LON0, K, ...
};

// Reads lines ended by LF or CRLF, of any length. A line containing "MMPNUM" is
// followed by N pixel lines ("MMPXY,i,x,y") and then N geographic lines
// ("MMPLL,i,lon,lat", decimal degrees), N the whole number after its comma (0 when
// it is not one). Point i takes x and y from the last two fields of pixel line i and
// lon and lat from the last two of geographic line i (a line without a comma gives
// 0 for both; a field that is not a number gives 0); degrees become milliarcseconds
// truncated toward zero. Lines the file does not have give no points, and a later
// "MMPNUM" block replaces an earlier one. Lines read as points are not counted as
// file lines, so they never become the image line.
// A line "PointNN,xy, X, Y,in, deg, LATDEG, LATMIN,N|S, LONDEG, LONMIN,E|W, grid, ZONE,
// EASTING, NORTHING,N|S" gives a datum point when X and Y are numbers and either
// LATDEG and LONDEG are (empty minutes read as 0) or EASTING and NORTHING are; the
// unused Point lines, with empty fields, give none. The first line starting
// "Map Projection," names the projection, the first starting "Projection Setup,"
// gives its values.
OziMapText parseOziMapText(const QByteArray &bytes);

// The image an OziExplorer file names, as a path of this machine. mapPath is the
// ".map" file; imageLine the raw bytes of its image line, in whatever encoding the
// tool that wrote it used. Backslashes are folder separators; a relative path is
// taken from the ".map" file's folder. When the named file does not exist (often an
// absolute Windows path from another machine, "C:\\Maps\\topo.png"), a file of the
// same name in the ".map" file's folder is taken: the exact name first, else the
// same name in another letter case. The line is read as the file system's own
// encoding of names first (its raw bytes), then as UTF-8, GB18030 (Chinese Windows
// tools), Windows-1251 (Cyrillic) and Windows-1252 (Western), skipping readings that
// are not valid in their encoding. Returns the first existing file found this way,
// else the named path as first validly read (which then fails to load), or mapPath
// itself for an empty line.
QString resolveOziImagePath(const QString &mapPath, const QByteArray &imageLine);

// Whether path names an OziExplorer map file: a file name ending in ".map" in any
// letter case, with a name before the dot ("A.MAP" is one; "roadmap" and ".map" are
// not).
bool isOziMapPath(const QString &path);

// The most Point lines an OziExplorer file has.
inline constexpr int kOziPointLines = 30;

// The text of an OziExplorer ".map" file (version 2.2 layout, CRLF line ends) naming
// imagePath on its third line and tying it by its Point lines (what OziMapFile reads
// back): points on WGS 84 in degrees, on the "Latitude/Longitude" projection, pixels
// rounded to whole ones, latitudes and longitudes in degrees and decimal minutes (to
// 0.000001', about 2 mm); the image's size on the IWH line when imageSize is valid.
// Empty with a reason for more than kOziPointLines points, or a point that is no
// position on WGS 84 or whose pixel lies beyond the range of whole numbers.
QByteArray oziMapPointsText(const QString &imagePath, const QVector<GroundControlPoint> &points, QSize imageSize,
                            QString *error);

// Where the calibration of an OziExplorer file came from.
enum class OziCalibrationSource : quint8 {
    None,        // neither block: the layer must be calibrated by hand
    MmpBlock,    // the MMPXY/MMPLL block, WGS 84 by definition
    PointLines,  // the Point01..Point30 lines, on the map's datum
};

struct OziMapSummary
{
    OziCalibrationSource source = OziCalibrationSource::None;
    int pointCount = 0;                  // reference points the calibration was built from
    QString datumName;                   // the datum of line 5, as the file names it
    // The file's own reference points on WGS 84 (pixels of the image, as the file gives
    // them), for measuring how far the layer's georeferencing misses them.
    QVector<GroundControlPoint> referencePoints;
    // The pixels of the MMPXY lines, in file order: the polygon around the map face
    // OziExplorer and other tools write there (only the image's corners for a map
    // without one); empty for fewer than 3 or more than 100 points.
    QVector<QPointF> border;
};

// Why an OziExplorer file gives no layer.
enum class OziMapStatus : quint8 {
    Ok,
    Unreadable,  // the file cannot be opened (missing, not a regular file)
    Invalid,     // what it says cannot be used; errorString() says why
};

// An OziExplorer map file read for a layer: the image it names and what places it.
class OziMapFile
{
public:
    // Reads the OziExplorer map file at path. The image is the one the file names (see
    // resolveOziImagePath); the reference points place it.
    // The datum of line 5 is looked up in OziExplorer's datum list and the datum table
    // (findOziDatum).
    // A map on the "Latitude/Longitude" projection (or naming none) whose datum is WGS
    // 84, or one no list knows, gets the calibration of a north-up image (hasCorners):
    // longitudes from the leftmost and rightmost points, latitudes from the topmost and
    // bottommost (on equal pixels the earlier point wins), the two pixels the corners of
    // the points' bounding box. The points are those of the "MMPNUM" block when the
    // file has one, else those of its Point lines with a latitude and longitude, as
    // they stand.
    // So does a map on a projected grid whose datum no list knows, with allowCornerFit
    // and a "MMPNUM" block: the corners of that block, which cannot follow the grid's
    // lines (such a map may land a kilometre off); without allowCornerFit it is refused.
    // Any other map (a projected grid, or latitude and longitude on another datum) is
    // georeferenced on its own grid (see georeferenceOziMap) to be warped onto the level
    // grid (georeference()). Its Point lines are then the reference points, the
    // "MMPNUM" block only when it has none.
    // A file without reference points gives neither, so the layer must be calibrated by
    // hand before it can be saved; so does a projected map whose image size cannot be
    // read (loading the image then says why). summary() tells what the calibration came
    // from.
    // Unreadable when the file cannot be opened (missing, not a regular file); Invalid
    // when its Point lines, or its grid, are on a datum no list knows, when its
    // projection is not one the program reads, when its reference points do not fix
    // the grid, or when its image is in OziExplorer's own format (.ozf2, .ozfx3), which
    // the program does not read. errorString() then says why.
    OziMapStatus read(const QString &path, bool allowCornerFit = false);

    QString errorString() const { return m_errorString; }
    // The image the file names; the file's own path while it names none (fewer than
    // three lines, or not read), which then fails to load as an image.
    QString imagePath() const { return m_imagePath; }
    // The calibration of a north-up image: both points, with their pixels as the file
    // gives them.
    bool hasCorners() const { return m_hasCorners; }
    CalibrationPoint topLeft() const { return m_topLeft; }
    CalibrationPoint bottomRight() const { return m_bottomRight; }
    // How a map on its own grid is warped onto the level grid; nullptr for any other.
    std::shared_ptr<const RasterGeoreference> georeference() const { return m_georeference; }
    const OziMapSummary &summary() const { return m_summary; }

private:
    OziMapStatus importLinear(const OziMapText &text, bool knownDatum);
    OziMapStatus importOnGrid(const OziMapText &text, const OziDatum *datum);
    OziMapStatus fail(OziMapStatus status, const QString &reason);

    QString m_errorString;
    QString m_imagePath;
    bool m_hasCorners = false;
    CalibrationPoint m_topLeft;
    CalibrationPoint m_bottomRight;
    std::shared_ptr<const RasterGeoreference> m_georeference;
    OziMapSummary m_summary;
};
