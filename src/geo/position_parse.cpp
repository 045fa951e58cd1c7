#include "geo/position_parse.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "geo/position_format.h"
#include "geo/transverse_mercator.h"

namespace {

// White space as the C scanner sees it in the "C" locale.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void skipBlanks(const QByteArray &bytes, qsizetype *pos)
{
    while (*pos < bytes.size() && isBlank(bytes.at(*pos)))
        ++*pos;
}

// "%d": optional sign and at least one digit at *pos (after blanks). Moves *pos
// past what it read and returns false when there is no digit. A value beyond
// the int range is read in full and gives 0.
bool scanInt(const QByteArray &bytes, qsizetype *pos, int *value)
{
    skipBlanks(bytes, pos);
    qsizetype p = *pos;
    bool negative = false;
    if (p < bytes.size() && (bytes.at(p) == '+' || bytes.at(p) == '-')) {
        negative = bytes.at(p) == '-';
        ++p;
    }
    const qsizetype firstDigit = p;
    long long magnitude = 0;
    bool overflow = false;
    while (p < bytes.size() && bytes.at(p) >= '0' && bytes.at(p) <= '9') {
        if (!overflow) {
            magnitude = magnitude * 10 + (bytes.at(p) - '0');
            overflow = magnitude > 2147483648LL;
        }
        ++p;
    }
    if (p == firstDigit)
        return false;
    *pos = p;
    if (overflow || (!negative && magnitude > 2147483647LL))
        *value = 0;
    else
        *value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

// "%s": the next run of non-blank bytes (after blanks).
bool scanWord(const QByteArray &bytes, qsizetype *pos, QByteArray *word)
{
    skipBlanks(bytes, pos);
    const qsizetype start = *pos;
    while (*pos < bytes.size() && !isBlank(bytes.at(*pos)))
        ++*pos;
    if (*pos == start)
        return false;
    *word = bytes.mid(start, *pos - start);
    return true;
}

}  // namespace

UtmEastingText parseUtmEastingText(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    UtmEastingText out;
    qsizetype pos = 0;
    if (!scanInt(bytes, &pos, &out.zone))
        return out;
    QByteArray word;
    if (!scanWord(bytes, &pos, &word))
        return out;
    out.bandWord = QString::fromUtf8(word);
    out.band = word.at(0);
    scanInt(bytes, &pos, &out.easting);
    return out;
}

int readBase10Integer(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

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

namespace {

// An argument echoed in a message: one line, at most 40 characters.
QString quoted(const QString &text)
{
    QString shown = text.left(40).simplified();
    if (text.size() > 40)
        shown += QStringLiteral("...");
    return QLatin1Char('\'') + shown + QLatin1Char('\'');
}

// Metres: digits with an optional sign and decimals, checked against range. The
// field names the value in the reason.
bool readMetres(const QString &text, IntRange range, const QString &field, double *metres, QString *error)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    bool ok = number.match(text).hasMatch();
    if (ok)
        *metres = QLocale::c().toDouble(text, &ok);
    if (!ok) {
        *error = QCoreApplication::translate("GridPosition", "the %1 %2 is not a number of metres")
                     .arg(field, quoted(text));
        return false;
    }
    if (*metres < range.bottom || *metres > range.top) {
        *error = QCoreApplication::translate("GridPosition", "the %1 %2 is outside %3 to %4 metres")
                     .arg(field, quoted(text)).arg(range.bottom).arg(range.top);
        return false;
    }
    return true;
}

// tmInverse made the inverse of tmForward: the two series disagree by up to a few
// centimetres 6° from the central meridian, so a position shown on a grid would not
// read back to itself. Newton steps on tmForward, each kept only while it brings the
// grid position closer, close the gap to well under a millimetre.
GeoPosition inverseOfForward(const TmParameters &grid, double easting, double northing)
{
    GeoPosition position = tmInverse(grid, easting, northing);
    const auto missOf = [&](double latitude, double longitude) {
        const GridPosition at = tmForward(grid, latitude, longitude);
        return GridPosition{easting - at.easting, northing - at.northing};
    };
    GridPosition miss = missOf(position.latitude, position.longitude);
    for (int step = 0; step < 5 && std::hypot(miss.easting, miss.northing) > 1e-6; ++step) {
        constexpr double kStep = 1e-6;  // degrees
        const GridPosition byLat = missOf(position.latitude + kStep, position.longitude);
        const GridPosition byLon = missOf(position.latitude, position.longitude + kStep);
        // The derivatives of the grid position by latitude and longitude, metres per degree.
        const double eLat = (miss.easting - byLat.easting) / kStep;
        const double eLon = (miss.easting - byLon.easting) / kStep;
        const double nLat = (miss.northing - byLat.northing) / kStep;
        const double nLon = (miss.northing - byLon.northing) / kStep;
        const double determinant = eLat * nLon - eLon * nLat;
        if (!(std::fabs(determinant) > 0.0))
            break;
        const double latitude = position.latitude + (nLon * miss.easting - eLon * miss.northing) / determinant;
        const double longitude = position.longitude + (eLat * miss.northing - nLat * miss.easting) / determinant;
        const GridPosition next = missOf(latitude, longitude);
        if (!(std::hypot(next.easting, next.northing) < std::hypot(miss.easting, miss.northing)))
            break;
        position.latitude = latitude;
        position.longitude = longitude;
        miss = next;
    }
    return position;
}

bool readUtm(int datumIndex, const QString &eastingText, const QString &northingText, GeoPosition *position,
             QString *error)
{
    static const QRegularExpression shape(QStringLiteral("^\\s*(\\d+)\\s*([A-Za-z])\\s+(\\S+)\\s*$"));
    const QRegularExpressionMatch parts = shape.match(eastingText);
    if (!parts.hasMatch()) {
        *error = QCoreApplication::translate("GridPosition", "the UTM easting text %1 is not \"zone band easting\" "
                                                             "(e.g. \"49 Q 757196\")")
                     .arg(quoted(eastingText));
        return false;
    }
    const int zone = parts.captured(1).size() <= 2 ? parts.captured(1).toInt() : 0;
    // formatPosition shows 180° E in zone 61, at its western edge: read back as shown.
    const bool zone61 = zone == kUtmZoneRange.top + 1;
    if ((zone < kUtmZoneRange.bottom || zone > kUtmZoneRange.top) && !zone61) {
        *error = QCoreApplication::translate("GridPosition", "the UTM zone %1 is outside %2 to %3")
                     .arg(quoted(parts.captured(1))).arg(kUtmZoneRange.bottom).arg(kUtmZoneRange.top);
        return false;
    }
    const char band = parts.captured(2).at(0).toUpper().toLatin1();
    if (band < 'C' || band > 'X' || band == 'I' || band == 'O') {
        *error = QCoreApplication::translate("GridPosition", "the UTM band %1 is not a letter C to X (without I and O)")
                     .arg(quoted(parts.captured(2)));
        return false;
    }
    double easting = 0.0;
    double northing = 0.0;
    if (!readMetres(parts.captured(3), kUtmEastingRange, QCoreApplication::translate("GridPosition", "UTM easting"),
                    &easting, error)
        || !readMetres(northingText.trimmed(), kUtmNorthingRange,
                       QCoreApplication::translate("GridPosition", "UTM northing"), &northing, error))
        return false;
    const Ellipsoid ellipsoid = datumEllipsoid(datumIndex);
    const double southern = band < 'N' ? kUtmSouthernFalseNorthing : 0.0;
    *position = inverseOfForward(utmZoneParameters(ellipsoid.a, ellipsoid.f, zone), easting, northing - southern);
    return true;
}

// A TM metre text without its optional letter ("306513E" -> "306513").
QString withoutLetter(const QString &text, QChar letter)
{
    QString value = text.trimmed();
    if (value.endsWith(letter, Qt::CaseInsensitive))
        value.chop(1);
    return value.trimmed();
}

// A position on the globe: latitude within ±90°, longitude brought into -180° to 180°
// (a zone's eastern edge may pass the antimeridian).
bool onTheGlobe(GeoPosition *position, QString *error)
{
    if (!(std::fabs(position->latitude) <= 90.0) || !std::isfinite(position->longitude)) {
        *error = QCoreApplication::translate("GridPosition", "the grid position lies beyond the pole");
        return false;
    }
    position->longitude = std::remainder(position->longitude, 360.0);
    return true;
}

}  // namespace

bool readGridPosition(int gridKind, int datumIndex, const QString &eastingText, const QString &northingText,
                      GeoPosition *position, QString *error)
{
    if (gridKind == kGridUtm)
        return readUtm(datumIndex, eastingText, northingText, position, error) && onTheGlobe(position, error);
    if (gridKind != kGridTm) {
        *error = QCoreApplication::translate("GridPosition", "not a grid notation");
        return false;
    }
    double easting = 0.0;
    double northing = 0.0;
    if (!readMetres(withoutLetter(eastingText, QLatin1Char('E')), tmEastingRange(),
                    QCoreApplication::translate("GridPosition", "TM easting"), &easting, error)
        || !readMetres(withoutLetter(northingText, QLatin1Char('N')), tmNorthingRange(),
                       QCoreApplication::translate("GridPosition", "TM northing"), &northing, error))
        return false;
    *position = inverseOfForward(tmGridParameters(datumIndex), easting, northing);
    return onTheGlobe(position, error);
}

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

bool typedPositionsAreShifted(int datumIndex)
{
    return datumIndex >= 0 && datumIndex < kDatumCount && datumIndex != kWgs84DatumIndex
        && datumIndex != kWgs72DatumIndex;
}

GeoPosition typedPositionToWgs84(const GeoPosition &onDatum, int datumIndex)
{
    GeoPosition in = onDatum;
    in.height = 0.0;
    // On WGS 1984 itself the shift is an identity only up to rounding, which would
    // store 22.5 as 22.49999999997 and truncate it a milliarcsecond short.
    if (!typedPositionsAreShifted(datumIndex))
        return in;
    GeoPosition out = datumToWgs84(in, datumIndex);
    out.height = 0.0;
    return out;
}

GeoPosition parseGridPositionToWgs84(int gridKind, int datumIndex, const QString &eastingText,
                                     const QString &northingText)
{
    return typedPositionToWgs84(
        parseGridPosition(gridKind, datumIndex, eastingText, northingText), datumIndex);
}
