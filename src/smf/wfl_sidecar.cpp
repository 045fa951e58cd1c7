#include "smf/wfl_sidecar.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <cmath>

#include "project/milliarcseconds.h"
#include "smf/wfl_status.h"

namespace {

constexpr qint64 kMaxSidecarBytes = 65536;  // a sidecar is a few hundred bytes
constexpr int kFirstLine = 5;               // lines 5 to 8 hold the edges
constexpr int kLastLine = 8;

}  // namespace

int readWflSidecar(const QString &path, WflSidecarEdges *edges, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return kWflReadError;
    }
    QByteArray text = file.read(kMaxSidecarBytes);
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return kWflReadError;
    }
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    const QList<QByteArray> lines = text.split('\n');

    double degrees[kLastLine - kFirstLine + 1];
    for (int line = kFirstLine; line <= kLastLine; ++line) {
        const bool latitude = line % 2 == 1;  // lines 5 and 7
        const QByteArray value = line <= lines.size() ? lines.at(line - 1).trimmed() : QByteArray();
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok || !std::isfinite(number)) {
            *error = value.isEmpty()
                ? QStringLiteral("%1: line %2 holds no number; lines 5 to 8 must give the tile's edges in degrees")
                      .arg(path).arg(line)
                : QStringLiteral("%1: line %2 is not a number (\"%3\")")
                      .arg(path).arg(line).arg(QString::fromLatin1(value.left(40)));
            return kWflInvalidTiles;
        }
        const double limit = latitude ? 90.0 : 180.0;
        if (std::fabs(number) > limit) {
            *error = QStringLiteral("%1: line %2 gives %3 degrees, beyond the %4 limit of %5 degrees")
                         .arg(path).arg(line).arg(number, 0, 'g', 17)
                         .arg(latitude ? QStringLiteral("latitude") : QStringLiteral("longitude"))
                         .arg(limit);
            return kWflInvalidTiles;
        }
        degrees[line - kFirstLine] = number;
    }
    edges->top = degreesToMilliarcseconds(degrees[0]);
    edges->left = degreesToMilliarcseconds(degrees[1]);
    edges->bottom = degreesToMilliarcseconds(degrees[2]);
    edges->right = degreesToMilliarcseconds(degrees[3]);
    return kWflOk;
}

int readWflPartCorner(const QString &path, qint32 *longitude, qint32 *latitude, QString *error)
{
    WflSidecarEdges edges;
    const int status = readWflSidecar(path, &edges, error);
    if (status == kWflOk) {
        *longitude = edges.left;
        *latitude = edges.top;
    }
    return status;
}
