#include "cli/map_properties_options.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include "raster/file_access.h"
#include "settings/config_file.h"

namespace {

constexpr int kHeaderTextUnits = 32;  // UTF-16 code units of a header text field

// "R,G,B", each a decimal 0 to 255 (blanks around the numbers allowed).
bool parseFill(const QString &text, QColor *colour)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return false;
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        rgb[i] = QLocale::c().toInt(parts.at(i).trimmed(), &ok);
        if (!ok || rgb[i] < 0 || rgb[i] > 255)
            return false;
    }
    *colour = QColor(rgb[0], rgb[1], rgb[2]);
    return true;
}

void warnIfCut(const char *command, const char *what, const QString &text)
{
    if (text.size() > kHeaderTextUnits) {
        printErr(QStringLiteral("%1: warning: the %2 '%3' has %4 UTF-16 code units; the file keeps the first %5")
                     .arg(QString::fromUtf8(command), QString::fromUtf8(what), text)
                     .arg(text.size()).arg(kHeaderTextUnits));
    }
}

}  // namespace

bool MapPropertiesOptions::isOption(const QString &option)
{
    for (const CliOption &known : {kName, kCartographer, kFill, kConfig, kNoConfig}) {
        if (option == QLatin1String(known.name))
            return true;
    }
    return false;
}

bool MapPropertiesOptions::apply(const char *command, const QString &option, const QString &value)
{
    if (option == QLatin1String(kName.name)) {
        m_mapName = value;
    } else if (option == QLatin1String(kCartographer.name)) {
        m_cartographer = value;
    } else if (option == QLatin1String(kConfig.name) || option == QLatin1String(kNoConfig.name)) {
        if (option == QLatin1String(kConfig.name))
            m_configPath = value;
        else
            m_noConfig = true;
        if (m_noConfig && !m_configPath.isEmpty()) {
            usageError(command, QStringLiteral("--config and --no-config cannot be combined"));
            return false;
        }
    } else {
        QColor colour;
        if (!parseFill(value, &colour)) {
            usageError(command, QStringLiteral("--fill needs R,G,B with each value 0 to 255, not '%1'").arg(value));
            return false;
        }
        m_fill = colour;
    }
    return true;
}

int MapPropertiesOptions::resolve(const char *command)
{
    const QString name = QString::fromUtf8(command);
    ConfigDefaults defaults = builtInConfigDefaults();
    const bool explicitFile = !m_configPath.isEmpty();
    const QString path = explicitFile ? m_configPath : configIniPath();
    if (explicitFile) {
        bool missing = false;
        const QString refusal = inputFileRefusal(path, &missing);
        if (!refusal.isEmpty() && !missing) {
            printErr(QStringLiteral("%1: the settings file %2").arg(name, refusal));
            return kExitIo;
        }
    }
    // The window leaves an empty config.ini at its first start: no defaults, no warning.
    if (!m_noConfig && (explicitFile || (QFileInfo(path).isFile() && QFileInfo(path).size() > 0))) {
        m_readPath = path;
        QFile file(path);
        QString reason;
        if (!file.open(QIODevice::ReadOnly)) {
            const QString text = QStringLiteral("cannot read the settings file %1: %2").arg(path, file.errorString());
            if (explicitFile) {
                printErr(QStringLiteral("%1: %2").arg(name, text));
                return kExitIo;
            }
            printErr(QStringLiteral("%1: warning: %2; using the built-in defaults").arg(name, text));
        } else if (!parseConfigText(file.readAll(), &defaults, &reason)) {
            printErr(QStringLiteral("%1: warning: %2 is not a settings file of this program (%3); using the "
                                    "built-in defaults")
                         .arg(name, path, reason));
        }
    }
    cartographer = m_cartographer.value_or(defaults.cartographer);
    mapName = m_mapName.value_or(defaults.mapName);
    fill = m_fill.value_or(defaults.fillColour);
    warnIfCut(command, "cartographer", cartographer);
    warnIfCut(command, "map name", mapName);
    return kGoOn;
}
