#include "app/settings/config_file.h"

#include <QFile>
#include <QTextStream>

ConfigDefaults readConfigFile(const QString &path)
{
    ConfigDefaults result;
    QFile file(path);
    // Read-write, so that a missing file is created empty on the first start.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Text))
        return result;
    result.opened = true;
    QTextStream stream(&file);
    stream.setEncoding(QStringConverter::Utf8);

    const QString kelvo = QStringLiteral("Kelvo");
    QString line = stream.readLine();
    result.cartographer = line.isEmpty() ? kelvo : line;
    line = stream.readLine();
    result.mapName = line.isEmpty() ? kelvo : line;

    int rgb[3];
    for (int &component : rgb) {
        QString text = stream.readLine();
        if (text.isNull())
            text = QStringLiteral("122");
        bool ok = false;
        component = text.toInt(&ok, 10);
        if (!ok)
            component = 0;
    }
    // Out-of-range components are kept as QColor keeps them: an invalid colour.
    result.fillColour.setRgb(rgb[0], rgb[1], rgb[2], 255);
    return result;
}

bool writeConfigFile(const QString &cartographer, const QString &mapName, const QColor &colour,
                     const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream stream(&file);
    stream.setEncoding(QStringConverter::Utf8);
    stream << cartographer << '\n'
           << mapName << '\n'
           << QString::number(colour.red()) << '\n'
           << QString::number(colour.green()) << '\n'
           << QString::number(colour.blue()) << '\n';
    stream.flush();
    return stream.status() == QTextStream::Ok && file.error() == QFileDevice::NoError;
}
