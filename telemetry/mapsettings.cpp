#include "mapsettings.h"

#include "maplog.h"

#include <QDebug>
#include <QRegularExpression>
#include <QSettings>
#include <QUrl>

const char *const MapSettings::TileUrlKey = "map/tileUrl";
const char *const MapSettings::AttributionKey = "map/tileAttribution";
const char *const MapSettings::PingHostKey = "map/pingHost";

namespace {

const char *const TilesVariable = "VISTREL_MAP_TILES";
const char *const PingHostVariable = "VISTREL_PING_HOST";

} // namespace

QString MapSettings::defaultTileUrlTemplate()
{
    return QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png");
}

QString MapSettings::defaultTileAttribution()
{
    return QStringLiteral("&copy; <a href=\"https://www.openstreetmap.org/copyright\">"
                          "OpenStreetMap</a> contributors");
}

QString MapSettings::defaultPingHost(const QString &tileUrlTemplate)
{
    // The placeholders are not valid in a host name, so parse a filled-in example.
    QString example = tileUrlTemplate;
    example.replace(QLatin1String("{z}"), QLatin1String("0"))
            .replace(QLatin1String("{x}"), QLatin1String("0"))
            .replace(QLatin1String("{y}"), QLatin1String("0"));
    const QString host = QUrl(example).host();
    return isUsablePingHost(host) ? host : QStringLiteral("tile.openstreetmap.org");
}

bool MapSettings::isUsableTileUrlTemplate(const QString &tileUrlTemplate)
{
    if (!tileUrlTemplate.contains(QLatin1String("{z}"))
        || !tileUrlTemplate.contains(QLatin1String("{x}"))
        || !tileUrlTemplate.contains(QLatin1String("{y}")))
        return false;
    QString example = tileUrlTemplate;
    example.replace(QLatin1String("{z}"), QLatin1String("0"))
            .replace(QLatin1String("{x}"), QLatin1String("0"))
            .replace(QLatin1String("{y}"), QLatin1String("0"))
            .replace(QLatin1String("{s}"), QLatin1String("a"));
    const QUrl url(example, QUrl::StrictMode);
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty()
            && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool MapSettings::isUsablePingHost(const QString &host)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9._:][A-Za-z0-9._:-]*$"));
    return host.size() <= 253 && pattern.match(host).hasMatch();
}

MapSettings MapSettings::load()
{
    QSettings settings(QStringLiteral("vistrel"), QStringLiteral("vistrel"));
    return load(settings);
}

MapSettings MapSettings::load(QSettings &settings)
{
    // Defaults go into the file once, so the user finds the keys to change.
    if (!settings.contains(QLatin1String(TileUrlKey)))
        settings.setValue(QLatin1String(TileUrlKey), defaultTileUrlTemplate());
    if (!settings.contains(QLatin1String(AttributionKey)))
        settings.setValue(QLatin1String(AttributionKey), defaultTileAttribution());
    if (!settings.contains(QLatin1String(PingHostKey)))
        settings.setValue(QLatin1String(PingHostKey), QString());

    MapSettings result;
    result.tileUrlTemplate = settings.value(QLatin1String(TileUrlKey)).toString().trimmed();
    result.tileAttribution = settings.value(QLatin1String(AttributionKey)).toString();
    result.pingHost = settings.value(QLatin1String(PingHostKey)).toString().trimmed();

    const QString tiles = qEnvironmentVariable(TilesVariable).trimmed();
    if (!tiles.isEmpty())
        result.tileUrlTemplate = tiles;
    const QString host = qEnvironmentVariable(PingHostVariable).trimmed();
    if (!host.isEmpty())
        result.pingHost = host;

    if (!isUsableTileUrlTemplate(result.tileUrlTemplate)) {
        qCDebug(lcMap).noquote() << "MapSettings: unusable tile URL template"
                                 << result.tileUrlTemplate << ", using" << defaultTileUrlTemplate();
        result.tileUrlTemplate = defaultTileUrlTemplate();
    }
    if (result.pingHost.isEmpty()) {
        result.pingHost = defaultPingHost(result.tileUrlTemplate);
    } else if (!isUsablePingHost(result.pingHost)) {
        qCDebug(lcMap).noquote() << "MapSettings: unusable probe host" << result.pingHost;
        result.pingHost = defaultPingHost(result.tileUrlTemplate);
    }
    return result;
}
