#pragma once

#include "media/gpssample.h"

#include <QVector>
#include <QWebEngineView>

class MapBridge;
class MapSettings;
class MapWebPage;
class QWebChannel;

// The web view of the map panel: shows the map page ("qrc:/resource/map/google/map.html") and
// drives it by running its script functions (positionChange, markerImageVisible,
// showFlightPaths, hideFlightPaths). Scripts go to the page only once it has loaded
// successfully, and positions only while the probe says the tile server can be reached. What
// the page shows (position, marker visibility, route) is kept here and given to the page again
// whenever it has (re)loaded, so a reload never leaves the map on the page's initial point.
//
// The tile source comes from MapSettings and reaches the page before its own scripts run
// (window.vistrelMapConfig). Route clicks come back from the page over a web channel
// (MapBridge) and leave as routePointClicked.
//
// Threads: GUI thread only.
class GoogleMapView : public QWebEngineView
{
    Q_OBJECT

public:
    static const char *const PageUrl;

    explicit GoogleMapView(const MapSettings &settings, QWidget *parent = nullptr);

    // Loads (or reloads) the page; the view counts as not loaded until it has finished.
    void loadMapPage();

    void setPosition(double latitude, double longitude);
    void setMarkerVisible(bool visible);
    // Removes the route from the page and forgets it.
    void hideFlightPaths();
    // Keeps the samples and draws the route through their valid fixes.
    void setFlightPath(const QVector<GpsSample> &samples);

    bool isOnline() const { return m_online; }
    bool isLoaded() const { return m_loaded; }
    bool isMarkerVisible() const { return m_markerVisible; }
    MapBridge *bridge() const { return m_bridge; }

    // The script texts sent to the page.
    static QString positionScript(double latitude, double longitude);
    static QString markerScript(bool visible);
    // "showFlightPaths([[lat,lng,index],...]);" with the valid fixes of samples, index being
    // the sample's place in samples; empty when no sample is valid.
    static QString routeScript(const QVector<GpsSample> &samples);
    // The page's configuration, run before the page's own scripts.
    static QString configScript(const MapSettings &settings);

signals:
    // The user clicked the route at this position (in GPS samples, fractional).
    void routePointClicked(double sampleIndex);

public slots:
    void onLoadFinished(bool ok);
    void onPong(bool ok);

private:
    void runScript(const QString &script);

    MapWebPage *m_page = nullptr;
    QWebChannel *m_channel = nullptr;
    MapBridge *m_bridge = nullptr;
    bool m_online = true;
    bool m_loaded = false;
    bool m_markerVisible = false;
    QVector<GpsSample> m_gps;
    bool m_hasPosition = false;
    bool m_positionSent = false; // the page shows m_latitude, m_longitude
    double m_latitude = 0;
    double m_longitude = 0;
};
