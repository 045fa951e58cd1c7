#include "settings/config_file.h"

#include <QFile>
#include <QTextStream>

#include "settings/settings_folder.h"

QString configIniPath()
{
    return settingsFilePath(QStringLiteral("config.ini"));
}

ConfigDefaults readConfigFile(const QString &path)
{
    ConfigDefaults result;
    QFile file(path);
    // Read-write, so that a missing file is created empty on the first start.
    makeFolderOf(path);
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

ConfigDefaults builtInConfigDefaults()
{
    ConfigDefaults defaults;
    defaults.opened = true;
    defaults.cartographer = defaults.mapName = QStringLiteral("Kelvo");
    defaults.fillColour = QColor(122, 122, 122);
    return defaults;
}

bool parseConfigText(const QByteArray &bytes, ConfigDefaults *defaults, QString *error)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (lines.size() < 5) {
        *error = QStringLiteral("it has fewer than the five lines cartographer, map name, red, green, blue");
        return false;
    }
    int rgb[3];
    for (int k = 0; k < 3; ++k) {
        bool ok = false;
        rgb[k] = lines.at(2 + k).trimmed().toInt(&ok, 10);
        if (!ok || rgb[k] < 0 || rgb[k] > 255) {
            *error = QStringLiteral("line %1 is not a whole number 0 to 255").arg(3 + k);
            return false;
        }
    }
    ConfigDefaults result = builtInConfigDefaults();
    const QString cartographer = QString::fromUtf8(lines.at(0));
    const QString mapName = QString::fromUtf8(lines.at(1));
    if (!cartographer.isEmpty())
        result.cartographer = cartographer;
    if (!mapName.isEmpty())
        result.mapName = mapName;
    result.fillColour = QColor(rgb[0], rgb[1], rgb[2]);
    *defaults = result;
    return true;
}

bool writeConfigFile(const QString &cartographer, const QString &mapName, const QColor &colour,
                     const QString &path)
{
    return writeSettingsLines(path, {cartographer, mapName, QString::number(colour.red()),
                                     QString::number(colour.green()), QString::number(colour.blue())});
}
