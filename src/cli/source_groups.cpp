#include "cli/source_groups.h"

#include <QLocale>

#include <cmath>

#include "raster/raster_mosaic.h"

bool splitSourceGroups(const QStringList &words, SourceWords *out, QString *error)
{
    SourceWords result;
    int open = -1;  // the group being read
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        result.sourceAt.append(-1);
        result.groupClosedAt.append(-1);
        if (i > 0 && word == QLatin1String("(")) {
            if (open >= 0) {
                *error = QStringLiteral("groups cannot be nested: '(' inside the group opened before it");
                return false;
            }
            open = int(result.groups.size());
            result.groups.append({int(result.sources.size()), 0});
        } else if (i > 0 && word == QLatin1String(")")) {
            if (open < 0) {
                *error = QStringLiteral("')' closes no group: it must follow a '(' and the sources of its level");
                return false;
            }
            if (result.groups.at(open).count == 0) {
                *error = QStringLiteral("the group '( )' has no source");
                return false;
            }
            result.groupClosedAt.last() = open;
            open = -1;
        } else if (i > 0) {
            result.sourceAt.last() = int(result.sources.size());
            result.sources.append(word);
            result.groupOf.append(open);
            if (open >= 0)
                ++result.groups[open].count;
        }
    }
    if (open >= 0) {
        *error = QStringLiteral("the group opened by '(' is not closed by ')'");
        return false;
    }
    *out = result;
    return true;
}

bool parseBorder(const QString &text, QVector<QPointF> *border)
{
    const QStringList values = text.split(QLatin1Char(','));
    if (values.size() % 2 != 0 || values.size() < 6 || values.size() > 2 * kMaxBorderPoints)
        return false;
    QVector<QPointF> points;
    const QLocale c = QLocale::c();
    for (qsizetype i = 0; i < values.size(); i += 2) {
        bool xOk = false;
        bool yOk = false;
        const double x = c.toDouble(values.at(i).trimmed(), &xOk);
        const double y = c.toDouble(values.at(i + 1).trimmed(), &yOk);
        if (!xOk || !yOk || !std::isfinite(x) || !std::isfinite(y))
            return false;
        points.append(QPointF(x, y));
    }
    *border = points;
    return true;
}
