// ctest-labels: gui
// The map panel with the real web engine, the real map page from the resource and the real
// ping: a tile server in the test (127.0.0.1) stands in for the map service and records which
// tiles the page asks for. What the page shows is read back from the page's own objects and
// from the pixels of the panel.
#include "map/googlemapview.h"
#include "map/mapwidget.h"
#include "mappagescript.h"
#include "media/avinput.h"
#include "media/avptr.h"
#include "media/globalsettings.h"
#include "media/mediainfo.h"
#include "media/telemetryparser.h"
#include "media/telemetrytrack.h"
#include "resource/vistrelresource.h"
#include "screengrab.h"
#include "testpaths.h"
#include "testrecordings.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>

#include <unistd.h>

namespace {

// An address on no interface of the test machine (TEST-NET-2): ping gets no answer.
const char *const UnreachableHost = "198.51.100.1";
const int PageZoom = 15; // the page's zoom level
const int LoadTimeoutMs = 30000;
const int PingTimeoutMs = 20000; // ping waits 6 s for its answer

// Answers every "GET /{z}/{x}/{y}.png" with one single-colour 256 x 256 PNG tile and records
// each request with its User-Agent. Tiles go out with "Cache-Control: no-store", so every page
// asks again. Runs on the test thread's event loop.
class TileServer
{
public:
    struct Request
    {
        int z = -1;
        int x = -1;
        int y = -1;
        QByteArray userAgent;
    };

    static QColor tileColour() { return QColor(0xc8, 0xb4, 0x96); }

    TileServer()
    {
        // Mostly the tile colour, with a thin grid so that screenshots show the tiles.
        QImage tile(256, 256, QImage::Format_RGB32);
        tile.fill(tileColour());
        {
            QPainter painter(&tile);
            painter.setPen(tileColour().darker(125));
            painter.drawRect(0, 0, 255, 255);
            for (int i = 32; i < 256; i += 32) {
                painter.drawLine(i, 0, i, 255);
                painter.drawLine(0, i, 255, i);
            }
        }
        QBuffer buffer(&m_tile);
        buffer.open(QIODevice::WriteOnly);
        tile.save(&buffer, "PNG");
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                QObject::connect(
                        socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    bool isListening() const { return m_server.isListening(); }
    QString urlTemplate() const
    {
        return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(m_server.serverPort());
    }
    QVector<Request> requests() const { return m_requests; }
    bool hasTile(int z, int x, int y) const
    {
        for (const Request &r : m_requests) {
            if (r.z == z && r.x == x && r.y == y)
                return true;
        }
        return false;
    }

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        const int end = pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray head = pending.left(end);
        m_pending.remove(socket);
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        Request request;
        for (const QByteArray &line : lines) {
            if (line.toLower().startsWith("user-agent:"))
                request.userAgent = line.mid(11).trimmed();
        }
        const QList<QByteArray> parts = requestLine.value(1).split('/');
        QByteArray status = "404 Not Found";
        QByteArray body;
        if (requestLine.value(0) == "GET" && parts.size() == 4 && parts.at(3).endsWith(".png")) {
            request.z = parts.at(1).toInt();
            request.x = parts.at(2).toInt();
            request.y = parts.at(3).chopped(4).toInt();
            m_requests.append(request);
            status = "200 OK";
            body = m_tile;
        }
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: image/png\r\nContent-Length: "
                      + QByteArray::number(body.size())
                      + "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QByteArray m_tile;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QVector<Request> m_requests;
};

// The slippy-map tile holding a position at zoom z.
QPoint tileOf(double latitude, double longitude, int z)
{
    const double n = std::pow(2.0, z);
    const double lat = latitude * M_PI / 180.0;
    const int x = int(std::floor((longitude + 180.0) / 360.0 * n));
    const int y = int(std::floor((1.0 - std::asinh(std::tan(lat)) / M_PI) / 2.0 * n));
    return QPoint(x, y);
}

struct Fix
{
    bool valid;
    double latitude;
    double longitude;
};

// One RMC sentence as the recording's telemetry holds it ("$G..." up to CR LF).
QByteArray rmcRecord(const Fix &fix)
{
    auto field = [](double value, int degreeDigits) {
        const double a = std::fabs(value);
        const int degrees = int(a);
        const double minutes = (a - degrees) * 60.0;
        return QString::asprintf("%0*d%08.5f", degreeDigits, degrees, minutes).toLatin1();
    };
    return "$GPRMC,120000," + QByteArray(fix.valid ? "A" : "V") + "," + field(fix.latitude, 2)
            + (fix.latitude < 0 ? ",S," : ",N,") + field(fix.longitude, 3)
            + (fix.longitude < 0 ? ",W," : ",E,") + "022.4,084.4,230394,003.1,W,A\r\n";
}

// A track of these fixes spread over durationSeconds, read by the real telemetry parser.
void fillTrack(TelemetryTrack &track, const QVector<Fix> &fixes, double durationSeconds)
{
    QByteArray block;
    for (const Fix &fix : fixes)
        block += rmcRecord(fix);
    TelemetryParser::parseBlock(block.constData(), block.size(), durationSeconds, track);
}

// Ten fixes one second apart going north-east on the west coast of Korea, at a longitude of
// three digits and with seven decimals, as receivers give them; the fourth (index 3) is a lost
// fix, reported as the receivers do: status V at 0, 0.
QVector<Fix> coastRoute()
{
    QVector<Fix> fixes;
    for (int i = 0; i < 10; ++i)
        fixes.append({true, 37.0537451 + 0.0004127 * i, 126.6553969 + 0.0006213 * i});
    fixes[3] = {false, 0, 0};
    return fixes;
}

// The marker's position on the page, as "lat,lng" with 6 decimals.
QString markerOnPage(GoogleMapView *view)
{
    return MapPageScript::evaluate(view,
                                   QStringLiteral("marker.getLatLng().lat.toFixed(6) + ',' + "
                                                  "marker.getLatLng().lng.toFixed(6)"))
            .toString();
}

QString position(double latitude, double longitude)
{
    return QString::asprintf("%.6f,%.6f", latitude, longitude);
}

// Whether a widget shows a picture centred on it: the picture's opaque pixels appear unchanged
// in what the screen shows of the widget.
bool showsPicture(QWidget *widget, const QString &picturePath)
{
    const QImage shown = ScreenGrab::of(widget).convertToFormat(QImage::Format_ARGB32);
    const QImage picture = QImage(picturePath).convertToFormat(QImage::Format_ARGB32);
    if (shown.isNull() || picture.isNull())
        return false;
    const QPoint offset((shown.width() - picture.width()) / 2,
                        (shown.height() - picture.height()) / 2);
    int opaque = 0;
    int same = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (qAlpha(p) != 255)
                continue;
            ++opaque;
            const QPoint at = offset + QPoint(x, y);
            if (shown.rect().contains(at) && (shown.pixel(at) & 0xffffff) == (p & 0xffffff))
                ++same;
        }
    }
    return opaque > 100 && same >= opaque * 95 / 100;
}

int countPixels(const QImage &image, const std::function<bool(QColor)> &match)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (match(image.pixelColor(x, y)))
                ++n;
        }
    }
    return n;
}

bool isRouteGreen(QColor c)
{
    return c.green() > 200 && c.red() < 80 && c.blue() < 80;
}

QString labelText(MapWidget *map, const char *name)
{
    auto *label = map->findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("(no label)");
}

// Where screenshots of the panel go when VISTREL_SCREENSHOT_DIR names a folder.
void saveScreenshot(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("VISTREL_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    ScreenGrab::of(widget).save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

} // namespace

class TestMapWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initVistrelResources();
        QVERIFY(m_tiles.isListening());
    }

    void init()
    {
        GlobalSettings::resetToDefaults();
        qputenv("VISTREL_MAP_TILES", m_tiles.urlTemplate().toUtf8());
        qputenv("VISTREL_PING_HOST", "127.0.0.1");
        m_track = std::make_unique<TelemetryTrack>();
        m_info = std::make_unique<MediaInfo>();
    }

    void cleanup()
    {
        m_map.reset();
        m_info.reset();
        m_track.reset();
    }

    void page_loadsFromResourceAndFetchesOnlyTheFixTiles();
    void marker_followsPlayingTime_data();
    void marker_followsPlayingTime();
    void route_presentWhilePlaying_clickSeeks_goneAfterStop();
    void denseRecording_routeWholeAndMarkerOnTheFixOfTheTime_data();
    void denseRecording_routeWholeAndMarkerOnTheFixOfTheTime();
    void probe_unreachableShowsNotConnected_successReloads();
    void recordingWithoutGps_showsNoData();

private:
    // A panel the size it has in the side column, shown, its page loaded and its probe answered.
    void makePanel()
    {
        m_map = std::make_unique<MapWidget>(m_info.get(), m_track.get());
        m_map->setFixedSize(312, 280);
        m_map->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_map.get()));
        QTRY_VERIFY_WITH_TIMEOUT(m_map->mapView()->isLoaded(), LoadTimeoutMs);
    }

    void play() { m_info->changeState(MediaInfo::Playing, nullptr, true); }

    // A fix as the track holds it (parsed from its sentence).
    GpsSample sample(int index) const
    {
        QVector<GpsSample> samples;
        m_track->gpsSamples(samples);
        return samples.value(index);
    }

    TileServer m_tiles;
    std::unique_ptr<TelemetryTrack> m_track;
    std::unique_ptr<MediaInfo> m_info;
    std::unique_ptr<MapWidget> m_map;
};

void TestMapWidget::page_loadsFromResourceAndFetchesOnlyTheFixTiles()
{
    fillTrack(*m_track, coastRoute(), 10);
    const int requestsBefore = m_tiles.requests().size();
    makePanel();
    QCOMPARE(m_map->mapView()->url(), QUrl(QStringLiteral("qrc:/resource/map/google/map.html")));
    QCOMPARE(MapPageScript::evaluate(m_map->mapView(), QStringLiteral("typeof L.map")).toString(),
             QStringLiteral("function"));
    // Nothing is fetched while there is nothing to show.
    QCOMPARE(m_tiles.requests().size(), requestsBefore);

    double latitude = 0;
    double longitude = 0;
    QImage image;
    QCOMPARE(m_map->grabMapImage(&latitude, &longitude, &image), -1);

    play();
    m_map->showPlayingTime(5.5);
    const GpsSample fix = sample(5);
    const QPoint tile = tileOf(fix.latitude, fix.longitude, PageZoom);
    QTRY_VERIFY_WITH_TIMEOUT(m_tiles.hasTile(PageZoom, tile.x(), tile.y()), LoadTimeoutMs);
    for (const TileServer::Request &request : m_tiles.requests().mid(requestsBefore)) {
        // Only the page's zoom, and only tiles a 312 x 221 view around the fix can show.
        QCOMPARE(request.z, PageZoom);
        QVERIFY2(std::abs(request.x - tile.x()) <= 1 && std::abs(request.y - tile.y()) <= 1,
                 qPrintable(QStringLiteral("%1/%2").arg(request.x).arg(request.y)));
        QVERIFY2(request.userAgent.startsWith("Vistrel/1.01"), request.userAgent.constData());
    }
    // The licence's attribution is on the map.
    QVERIFY(MapPageScript::evaluate(
                    m_map->mapView(),
                    QStringLiteral("document.querySelector('.leaflet-control-attribution')"
                                   ".textContent"))
                    .toString()
                    .contains(QStringLiteral("OpenStreetMap")));

    // The printed report's picture: the view as shown, tiles included.
    QTRY_VERIFY_WITH_TIMEOUT(
            m_map->grabMapImage(&latitude, &longitude, &image) == 0
                    && countPixels(image, [](QColor c) { return c == TileServer::tileColour(); })
                            > image.width() * image.height() / 2,
            LoadTimeoutMs);
    QCOMPARE(position(latitude, longitude), position(fix.latitude, fix.longitude));
    QCOMPARE(image.size(), m_map->mapView()->contentsRect().size());
    QCOMPARE(image.format(), QImage::Format_RGB888);
}

void TestMapWidget::marker_followsPlayingTime_data()
{
    QTest::addColumn<QList<double>>("times");
    QTest::addColumn<int>("shown"); // index of the fix the marker ends on
    // One fix per second; fix 3 is invalid (V at 0, 0).
    QTest::newRow("first fix") << QList<double> {0.0} << 0;
    QTest::newRow("time truncated to the fix") << QList<double> {2.99} << 2;
    QTest::newRow("past the end: the last fix") << QList<double> {250.0} << 9;
    QTest::newRow("invalid fix keeps the last position") << QList<double> {2.2, 3.4} << 2;
    QTest::newRow("valid fix after the invalid one") << QList<double> {2.2, 3.4, 4.1} << 4;
}

void TestMapWidget::marker_followsPlayingTime()
{
    QFETCH(QList<double>, times);
    QFETCH(int, shown);
    fillTrack(*m_track, coastRoute(), 10);
    makePanel();
    play();
    for (double t : times)
        m_map->showPlayingTime(t);
    const GpsSample fix = sample(shown);
    const QString expected = position(fix.latitude, fix.longitude);
    QTRY_COMPARE_WITH_TIMEOUT(markerOnPage(m_map->mapView()), expected, LoadTimeoutMs);
    QCOMPARE(labelText(m_map.get(), "mapLatitudeValue"), QString::asprintf("%.6f", fix.latitude));
    QCOMPARE(labelText(m_map.get(), "mapLongitudeValue"), QString::asprintf("%.6f", fix.longitude));
    QCOMPARE(MapPageScript::evaluate(m_map->mapView(), QStringLiteral("map.hasLayer(marker)"))
                     .toBool(),
             true);
    QCOMPARE(m_map->mapState(), int(MapWidget::MapShown));
    QVERIFY(m_map->mapView()->isVisible());
    QVERIFY(!m_map->infoWidget()->isVisible());
}

void TestMapWidget::route_presentWhilePlaying_clickSeeks_goneAfterStop()
{
    fillTrack(*m_track, coastRoute(), 10);
    makePanel();
    QSignalSpy seeks(m_map.get(), &MapWidget::seekRequested);
    GoogleMapView *view = m_map->mapView();
    const QString routeLength = QStringLiteral("flightPath ? flightPath.getLatLngs().length : 0");

    play();
    m_map->showPlayingTime(5.0);
    // The nine valid fixes; the lost one is left out.
    QTRY_COMPARE_WITH_TIMEOUT(MapPageScript::evaluate(view, routeLength).toInt(), 9, LoadTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(countPixels(ScreenGrab::of(view), isRouteGreen) > 40, LoadTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(countPixels(ScreenGrab::of(view),
                                         [](QColor c) { return c == TileServer::tileColour(); })
                                     > view->width() * view->height() / 2,
                             LoadTimeoutMs);
    saveScreenshot(m_map.get(), QStringLiteral("map-shown-with-route"));

    // A click on the route where the vehicle was at fix 7 asks for that moment (7 s).
    const GpsSample seven = sample(7);
    const QVariantMap point
            = MapPageScript::evaluate(
                      view,
                      QStringLiteral("(function () { var p = map.latLngToContainerPoint([%1, "
                                     "%2]); return {x: p.x, y: p.y}; })()")
                              .arg(seven.latitude, 0, 'f', 7)
                              .arg(seven.longitude, 0, 'f', 7))
                      .toMap();
    QVERIFY(view->focusProxy());
    QTest::mouseClick(view->focusProxy(),
                      Qt::LeftButton,
                      Qt::NoModifier,
                      QPoint(qRound(point.value(QStringLiteral("x")).toDouble()),
                             qRound(point.value(QStringLiteral("y")).toDouble())));
    QTRY_COMPARE_WITH_TIMEOUT(seeks.size(), 1, LoadTimeoutMs);
    QVERIFY2(std::fabs(seeks.at(0).at(0).toDouble() - 7.0) < 0.1,
             qPrintable(seeks.at(0).at(0).toString()));

    // Pausing keeps the route and the samples; stopping removes both.
    m_info->changeState(MediaInfo::Paused, nullptr, true);
    QCOMPARE(MapPageScript::evaluate(view, routeLength).toInt(), 9);
    QCOMPARE(m_map->gpsSampleCount(), 10);
    m_info->changeState(MediaInfo::Stopped, nullptr, true);
    QTRY_COMPARE_WITH_TIMEOUT(MapPageScript::evaluate(view, routeLength).toInt(), 0, LoadTimeoutMs);
    QCOMPARE(MapPageScript::evaluate(view, QStringLiteral("flightPath === null")).toBool(), true);
    QCOMPARE(m_map->mapState(), int(MapWidget::NoData));
    QCOMPARE(m_map->gpsSampleCount(), 0);
    QCOMPARE(labelText(m_map.get(), "mapLatitudeValue"), QStringLiteral("0.000000"));
    QCOMPARE(labelText(m_map.get(), "mapLongitudeValue"), QStringLiteral("0.000000"));
    QVERIFY(showsPicture(m_map->infoWidget(), MapWidget::infoPicture(MapWidget::NoData)));
    double latitude = 0;
    double longitude = 0;
    QImage image;
    QCOMPARE(m_map->grabMapImage(&latitude, &longitude, &image), -1);
}

void TestMapWidget::denseRecording_routeWholeAndMarkerOnTheFixOfTheTime_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<QList<double>>("times"); // shown in this order; the marker ends on the last
    QTest::newRow("one minute at 179 Hz") << 60.0 << QList<double> {0.5, 30.2, 59.9};
    QTest::newRow("an hour at 200 Hz") << 3600.0 << QList<double> {12.0, 1800.7, 3599.5};
}

// A recording of make-recording's dense telemetry (GPS at 1 Hz from a real log, the G-sensor at
// 179-200 Hz), read by the viewer's reader: the route holds every fix and the marker follows
// the GPS rate, not the G-sensor's.
void TestMapWidget::denseRecording_routeWholeAndMarkerOnTheFixOfTheTime()
{
    QFETCH(double, duration);
    QFETCH(QList<double>, times);
    QStringList options {QStringLiteral("--video"),
                         QStringLiteral("160x90,fps=1"),
                         QStringLiteral("--duration"),
                         QString::number(duration),
                         QStringLiteral("--telemetry"),
                         QStringLiteral("tlmd"),
                         QStringLiteral("--dense-telemetry"),
                         QStringLiteral("--nmea"),
                         TestPaths::nmeaLog(QStringLiteral("dashcam_leaflet-nmealayer_test.nmea"))};
    if (duration > 60)
        options << QStringLiteral("--gsensor-rate") << QStringLiteral("200");
    const QString file = TestRecordings::make(QStringLiteral("dense-map.mp4"), options);
    QVERIFY(!file.isEmpty());
    av::FormatContextPtr input = av::openInput(file);
    QVERIFY(input);
    m_track->load(input.get(), file);
    QCOMPARE(m_track->gpsCount(), int(duration));
    QVERIFY(m_track->gsensorCount() >= int(duration) * 179);

    makePanel();
    play();
    for (double t : times)
        m_map->showPlayingTime(t);
    const GpsSample fix = sample(int(times.last()));
    QVERIFY(fix.valid);
    QTRY_COMPARE_WITH_TIMEOUT(
            markerOnPage(m_map->mapView()), position(fix.latitude, fix.longitude), LoadTimeoutMs);
    QCOMPARE(labelText(m_map.get(), "mapLatitudeValue"), QString::asprintf("%.6f", fix.latitude));
    QTRY_COMPARE_WITH_TIMEOUT(
            MapPageScript::evaluate(
                    m_map->mapView(),
                    QStringLiteral("flightPath ? flightPath.getLatLngs().length : 0"))
                    .toInt(),
            m_track->validGpsCount(),
            LoadTimeoutMs);
    QCOMPARE(m_map->gpsSampleCount(), int(duration));
}

void TestMapWidget::probe_unreachableShowsNotConnected_successReloads()
{
    qputenv("VISTREL_PING_HOST", UnreachableHost);
    fillTrack(*m_track, coastRoute(), 10);
    makePanel();
    QCOMPARE(m_map->pinger().host(), QString::fromLatin1(UnreachableHost));
    QTRY_VERIFY_WITH_TIMEOUT(!m_map->isOnline(), PingTimeoutMs);

    play();
    m_map->showPlayingTime(1.5);
    QCOMPARE(m_map->mapState(), int(MapWidget::NotConnected));
    QVERIFY(m_map->infoWidget()->isVisible());
    QVERIFY(!m_map->mapView()->isVisible());
    QVERIFY(showsPicture(m_map->infoWidget(), MapWidget::infoPicture(MapWidget::NotConnected)));
    QVERIFY(!showsPicture(m_map->infoWidget(), MapWidget::infoPicture(MapWidget::NoData)));
    QCOMPARE(labelText(m_map.get(), "mapLatitudeValue"), QStringLiteral("0.000000"));
    saveScreenshot(m_map.get(), QStringLiteral("map-not-connected"));

    // The host answers again: the page is loaded anew, and the next update shows the map there.
    QSignalSpy loads(m_map->mapView(), &QWebEngineView::loadFinished);
    m_map->pinger().start(QStringLiteral("127.0.0.1"), MapWidget::ProbePeriodSeconds);
    QTRY_VERIFY_WITH_TIMEOUT(m_map->isOnline(), PingTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(loads.size(), 1, LoadTimeoutMs);
    QCOMPARE(loads.at(0).at(0).toBool(), true);
    m_map->showPlayingTime(1.5);
    QCOMPARE(m_map->mapState(), int(MapWidget::MapShown));
    QVERIFY(m_map->mapView()->isVisible());
    const GpsSample fix = sample(1);
    QTRY_COMPARE_WITH_TIMEOUT(
            markerOnPage(m_map->mapView()), position(fix.latitude, fix.longitude), LoadTimeoutMs);
    // The reloaded page has the route again.
    QTRY_COMPARE_WITH_TIMEOUT(
            MapPageScript::evaluate(m_map->mapView(),
                                    QStringLiteral("flightPath.getLatLngs().length"))
                    .toInt(),
            9,
            LoadTimeoutMs);
}

void TestMapWidget::recordingWithoutGps_showsNoData()
{
    const int requestsBefore = m_tiles.requests().size();
    makePanel();
    play();
    for (double t : {0.0, 1.0, 30.0})
        m_map->showPlayingTime(t);
    QCOMPARE(m_map->mapState(), int(MapWidget::NoData));
    QVERIFY(m_map->infoWidget()->isVisible());
    QVERIFY(!m_map->mapView()->isVisible());
    QVERIFY(showsPicture(m_map->infoWidget(), MapWidget::infoPicture(MapWidget::NoData)));
    QCOMPARE(labelText(m_map.get(), "mapLatitudeValue"), QStringLiteral("0.000000"));
    QCOMPARE(labelText(m_map.get(), "mapLongitudeValue"), QStringLiteral("0.000000"));
    QCOMPARE(MapPageScript::evaluate(m_map->mapView(), QStringLiteral("map.hasLayer(marker)"))
                     .toBool(),
             false);
    QCOMPARE(m_tiles.requests().size(), requestsBefore);
    saveScreenshot(m_map.get(), QStringLiteral("map-no-data"));
}

int main(int argc, char *argv[])
{
    // The web engine shares OpenGL contexts with the widgets; as root it runs without its
    // sandbox. The profile's cache and the settings go to folders of this run.
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CACHE_HOME", QDir(home.path()).filePath(QStringLiteral("cache")).toUtf8());
    QApplication app(argc, argv);
    TestMapWidget test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mapwidget.moc"
