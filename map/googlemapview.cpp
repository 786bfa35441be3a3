#include "googlemapview.h"

#include "mapbridge.h"
#include "mapwebpage.h"
#include "telemetry/maplog.h"
#include "telemetry/mapsettings.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebChannel>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include <cmath>

const char *const GoogleMapView::PageUrl = "qrc:/resource/map/google/map.html";

namespace {

bool isUsableFix(const GpsSample &sample)
{
    return sample.valid && std::isfinite(sample.latitude) && std::isfinite(sample.longitude)
            && std::fabs(sample.latitude) <= 90 && std::fabs(sample.longitude) <= 180;
}

} // namespace

GoogleMapView::GoogleMapView(const MapSettings &settings, QWidget *parent)
    : QWebEngineView(parent)
    , m_page(new MapWebPage(this))
    , m_channel(new QWebChannel(this))
    , m_bridge(new MapBridge(this))
{
    setContextMenuPolicy(Qt::NoContextMenu);
    m_page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    // The page comes from the resource; its tiles come from the tile server.
    m_page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    m_page->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);

    QWebEngineScript config;
    config.setName(QStringLiteral("vistrelMapConfig"));
    config.setInjectionPoint(QWebEngineScript::DocumentCreation);
    config.setWorldId(QWebEngineScript::MainWorld);
    config.setRunsOnSubFrames(false);
    config.setSourceCode(configScript(settings));
    m_page->scripts().insert(config);

    m_channel->registerObject(QStringLiteral("mapBridge"), m_bridge);
    m_page->setWebChannel(m_channel);
    setPage(m_page);

    connect(m_bridge, &MapBridge::routePointClicked, this, &GoogleMapView::routePointClicked);
    connect(this, &QWebEngineView::loadStarted, this, [this] { m_loaded = false; });
    connect(this, &QWebEngineView::loadFinished, this, &GoogleMapView::onLoadFinished);
}

QString GoogleMapView::configScript(const MapSettings &settings)
{
    QJsonObject config;
    config.insert(QStringLiteral("tiles"), settings.tileUrlTemplate);
    config.insert(QStringLiteral("attribution"), settings.tileAttribution);
    return QStringLiteral("window.vistrelMapConfig = %1;")
            .arg(QString::fromUtf8(QJsonDocument(config).toJson(QJsonDocument::Compact)));
}

QString GoogleMapView::positionScript(double latitude, double longitude)
{
    // Seven decimals (about 1 cm): six significant digits would put the marker up to 50 m off
    // the route at longitudes of 100 degrees and more.
    return QStringLiteral("positionChange(%1,%2);")
            .arg(latitude, 0, 'f', 7)
            .arg(longitude, 0, 'f', 7);
}

QString GoogleMapView::markerScript(bool visible)
{
    return QStringLiteral("markerImageVisible(%1);").arg(visible ? 1 : 0);
}

QString GoogleMapView::routeScript(const QVector<GpsSample> &samples)
{
    QJsonArray points;
    for (int i = 0; i < samples.size(); ++i) {
        const GpsSample &sample = samples.at(i);
        if (isUsableFix(sample))
            points.append(QJsonArray {sample.latitude, sample.longitude, i});
    }
    if (points.isEmpty())
        return QString();
    return QStringLiteral("showFlightPaths(%1);")
            .arg(QString::fromUtf8(QJsonDocument(points).toJson(QJsonDocument::Compact)));
}

void GoogleMapView::loadMapPage()
{
    m_loaded = false;
    m_positionSent = false;
    load(QUrl(QString::fromLatin1(PageUrl)));
}

void GoogleMapView::runScript(const QString &script)
{
    if (!script.isEmpty())
        page()->runJavaScript(script);
}

void GoogleMapView::setPosition(double latitude, double longitude)
{
    if (!std::isfinite(latitude) || !std::isfinite(longitude))
        return;
    // Playing-time reports come several times per GPS fix: the page hears of a move only.
    const bool same = m_positionSent && latitude == m_latitude && longitude == m_longitude;
    m_hasPosition = true;
    m_latitude = latitude;
    m_longitude = longitude;
    if (m_online && m_loaded && !same) {
        runScript(positionScript(latitude, longitude));
        m_positionSent = true;
    }
}

void GoogleMapView::setMarkerVisible(bool visible)
{
    m_markerVisible = visible;
    if (m_online && m_loaded)
        runScript(markerScript(visible));
}

void GoogleMapView::hideFlightPaths()
{
    m_gps.clear();
    if (m_loaded)
        runScript(QStringLiteral("hideFlightPaths();"));
}

void GoogleMapView::setFlightPath(const QVector<GpsSample> &samples)
{
    m_gps = samples;
    if (m_online && m_loaded)
        runScript(routeScript(m_gps));
}

void GoogleMapView::onLoadFinished(bool ok)
{
    qCDebug(lcMap).noquote() << "GoogleMapView::onLoadFinished"
                             << ": ok ? " << ok;
    m_loaded = ok;
    if (!ok)
        return;
    runScript(markerScript(m_markerVisible));
    if (!m_online)
        return;
    runScript(routeScript(m_gps));
    if (m_hasPosition) {
        runScript(positionScript(m_latitude, m_longitude));
        m_positionSent = true;
    }
}

void GoogleMapView::onPong(bool ok)
{
    qCDebug(lcMap).noquote() << "GoogleMapView::onPong"
                             << ": ok ? " << ok;
    m_online = ok;
}
