#pragma once

#include "media/gpssample.h"
#include "pinger.h"

#include <QVector>
#include <QWidget>

class ElasticLabel;
class GoogleMapView;
class MediaContext;
class MediaInfo;
class QHBoxLayout;
class QImage;
class QKeyEvent;
class QLabel;
class QPushButton;
class QResizeEvent;
class QVBoxLayout;
class TelemetryTrack;

// The map panel of the side column (object name "mapWidget"): where the vehicle was at the
// moment being played, as a car marker on a web map (GoogleMapView) with the recording's route,
// and the latitude and longitude as text. In place of the map it shows a picture: "no data"
// while there is no position to show, "not connected" while the probe (Pinger, every 10 s)
// cannot reach the tile server. When the probe succeeds again the page is reloaded.
//
// It follows the media info: when playback starts it takes the GPS samples of the recording
// from the GUI's own telemetry copy (a MediaContext pointer in the signal is only an identity
// token and is never dereferenced), draws the route through the valid fixes, and the main
// window moves the marker with showPlayingTime. A fix without validity (status V) moves
// nothing: the panel keeps the last valid position.
//
// Pop-out: the title bar's buttons and the Escape key only ask (popupRequested,
// restoreRequested); the main window moves the panel into a MapDialog and back. A click on the
// route asks for a seek to the moment the vehicle was there (seekRequested).
//
// Threads: GUI thread only; the probe's ping runs as a child process.
class MapWidget : public QWidget
{
    Q_OBJECT

public:
    enum MapState { NoData = 0, NotConnected = 1, MapShown = 2 };
    Q_ENUM(MapState)

    static constexpr int ProbePeriodSeconds = 10;

    // telemetry: the main window's copy of the playing recording's track; it outlives the panel
    // and is filled before the media info changes to Playing.
    MapWidget(MediaInfo *media_info, const TelemetryTrack *telemetry, QWidget *parent = nullptr);
    ~MapWidget() override;

    // Moves the marker to the sample of the playing time (seconds / GPS interval, truncated,
    // the last sample past the end). Nothing without GPS data or for an invalid fix.
    void showPlayingTime(double seconds);
    void changeMapState(int state);
    void updatePosition(double latitude, double longitude);
    // For the printed report: -1 unless the map shows a position; else the position and a
    // 24-bit RGB picture of the map view, and 0.
    int grabMapImage(double *latitude, double *longitude, QImage *image);
    // Shows the restore button instead of the pop-out button while popped out.
    void setPopupMode(bool poppedOut);
    // Asks the main window to put the panel back in the side column (Escape does the same).
    void requestRestore();

    int mapState() const { return m_state; }
    bool isOnline() const { return m_online; }
    bool isPositionShown() const { return m_positionShown; }
    double lastLatitude() const { return m_lastLatitude; }
    double lastLongitude() const { return m_lastLongitude; }
    double gpsInterval() const { return m_gpsInterval; }
    int gpsSampleCount() const { return m_gps.size(); }

    QWidget *titleBar() const { return m_titleBar; }
    QWidget *infoWidget() const { return m_infoWidget; }
    GoogleMapView *mapView() const { return m_view; }
    QWidget *coordinatesBar() const { return m_coordinatesBar; }
    // Whether the info widget (rather than the map view) holds the place in the layout.
    bool isInfoShown() const { return m_infoInLayout; }
    // The picture the info widget shows for a state.
    static QString infoPicture(int state);
    Pinger &pinger() { return m_pinger; }

signals:
    void popupRequested();
    void restoreRequested();
    void seekRequested(double seconds);

public slots:
    void onMediaInfoStateChanged(MediaInfo *media_info,
                                 MediaContext *playing_context,
                                 int old_state,
                                 int new_state);
    void onPong(bool ok);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildTitleBar();
    void buildCoordinatesBar();
    void showInfo(int state);
    void showMapView();
    void setValueLabels(const QString &latitude, const QString &longitude);
    void onRoutePointClicked(double sampleIndex);

    const TelemetryTrack *m_telemetry = nullptr;
    int m_state = NoData;
    bool m_online = true;
    bool m_positionShown = false;
    double m_lastLatitude = -1.0;
    double m_lastLongitude = -1.0;
    double m_gpsInterval = 0;
    QVector<GpsSample> m_gps;
    Pinger m_pinger;

    QVBoxLayout *m_viewLayout = nullptr; // holds either the info widget or the map view
    bool m_infoInLayout = true;
    QWidget *m_titleBar = nullptr;
    QPushButton *m_popupButton = nullptr;
    QPushButton *m_restoreButton = nullptr;
    QWidget *m_infoWidget = nullptr;
    GoogleMapView *m_view = nullptr;
    QWidget *m_coordinatesBar = nullptr;
    ElasticLabel *m_latitudeValue = nullptr;
    ElasticLabel *m_longitudeValue = nullptr;
};
