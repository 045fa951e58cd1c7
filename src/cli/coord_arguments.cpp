#include "cli/coord_arguments.h"

#include <cmath>

#include "geo/datum_table.h"
#include "geo/notation_choice.h"

namespace {

// An argument echoed in a message, kept on one line.
QString quoted(const QString &text)
{
    QString shown = text.left(80);
    for (QChar &c : shown) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = QLatin1Char('?');
    }
    if (shown.size() < text.size())
        shown += QStringLiteral("...");
    return QLatin1Char('\'') + shown + QLatin1Char('\'');
}

bool readNumber(const QString &text, double *value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && std::isfinite(*value);
}

bool looksLikeNumber(const QString &text)
{
    double ignored = 0.0;
    return readNumber(text, &ignored);
}

int notationRow(const QString &text)
{
    static const char *const kNames[] = {"deg", "dm", "dms", "utm", "tm"};
    for (int row = 0; row < 5; ++row) {
        if (text == QLatin1String(kNames[row]))
            return row;
    }
    return -1;
}

int gridKindOf(const QString &text)
{
    if (text == QLatin1String("utm"))
        return kGridUtm;
    if (text == QLatin1String("tm"))
        return kGridTm;
    return -1;
}

}  // namespace

int coordDatumIndex(const QString &text)
{
    const int byName = datumIndexByName(text);
    if (byName >= 0)
        return byName;
    bool ok = false;
    const int index = text.toInt(&ok, 10);
    return ok && index >= 0 && index < kDatumCount ? index : -1;
}

QString parseCoordArguments(const QStringList &args, CoordRequest *request)
{
    QString datumText;
    QString notationText;
    QString parseText;
    bool datumGiven = false;
    bool notationGiven = false;
    bool parseGiven = false;
    QStringList values;
    bool optionsEnded = false;

    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || looksLikeNumber(arg)) {
            values.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QLatin1String("--to-wgs84")) {
            if (request->toWgs84)
                return QStringLiteral("--to-wgs84 given twice");
            request->toWgs84 = true;
            continue;
        }
        QString *target = nullptr;
        bool *given = nullptr;
        if (arg == QLatin1String("--datum")) {
            target = &datumText;
            given = &datumGiven;
        } else if (arg == QLatin1String("--notation")) {
            target = &notationText;
            given = &notationGiven;
        } else if (arg == QLatin1String("--parse")) {
            target = &parseText;
            given = &parseGiven;
        } else {
            return QStringLiteral("unknown option %1").arg(quoted(arg));
        }
        if (*given)
            return QStringLiteral("%1 given twice").arg(arg);
        if (i + 1 >= args.size())
            return QStringLiteral("missing value for %1").arg(arg);
        *target = args.at(++i);
        *given = true;
    }

    if (!datumGiven)
        return QStringLiteral("missing --datum");
    request->datumIndex = coordDatumIndex(datumText);
    if (request->datumIndex < 0)
        return QStringLiteral("unknown datum %1 (give 0 to 227 or an exact datum name)")
            .arg(quoted(datumText));

    if (notationGiven && (parseGiven || request->toWgs84))
        return QStringLiteral("--notation cannot be combined with --parse or --to-wgs84");
    if (!notationGiven && !parseGiven && !request->toWgs84)
        return QStringLiteral("give one of --notation, --parse or --to-wgs84");
    if (notationGiven) {
        request->notationRow = notationRow(notationText);
        if (request->notationRow < 0)
            return QStringLiteral("unknown notation %1 (give deg, dm, dms, utm or tm)")
                .arg(quoted(notationText));
    }
    if (parseGiven) {
        request->parseGridKind = gridKindOf(parseText);
        if (request->parseGridKind < 0)
            return QStringLiteral("unknown grid %1 for --parse (give utm or tm)").arg(quoted(parseText));
    }

    if (values.size() != 2) {
        const QString expected = parseGiven ? QStringLiteral("EASTING_TEXT NORTHING_TEXT")
                                            : QStringLiteral("LAT LON");
        return QStringLiteral("expected two values, %1; got %2").arg(expected).arg(values.size());
    }
    request->firstText = values.at(0);
    request->secondText = values.at(1);
    if (parseGiven)
        return QString();

    if (!readNumber(request->firstText, &request->latitude))
        return QStringLiteral("latitude %1 is not a number").arg(quoted(request->firstText));
    if (!readNumber(request->secondText, &request->longitude))
        return QStringLiteral("longitude %1 is not a number").arg(quoted(request->secondText));
    if (std::fabs(request->latitude) > 90.0)
        return QStringLiteral("latitude %1 is outside -90 to 90").arg(quoted(request->firstText));
    if (std::fabs(request->longitude) > 180.0)
        return QStringLiteral("longitude %1 is outside -180 to 180").arg(quoted(request->secondText));
    return QString();
}
