// ctest-labels: gui;engine
// The map panel in the main window: it follows a playing recording, it pops out of the side
// column into its dialog and comes back to its place (by the restore button, by Escape and by
// closing the window), and a model without a map has no panel. The real main window with its
// real engine and panel (web engine included) under Xvfb.
#include "app/mainwindow.h"
#include "map/googlemapview.h"
#include "map/mapdialog.h"
#include "map/mapdock.h"
#include "map/mapwidget.h"
#include "mappagescript.h"
#include "media/globalsettings.h"
#include "media/telemetrytrack.h"
#include "playlist/playlistwidget.h"
#include "playlist/trackexport.h"
#include "playlist/triplistwidget.h"
#include "resource/vistrelresource.h"
#include "screengrab.h"
#include "speedreadback.h"
#include "telemetry/speeddisplaywidget.h"
#include "testpaths.h"
#include "testrecordings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QtTest>

#include <memory>

#include <unistd.h>

namespace {

const int ColumnPanelHeight = 280;
const int ColumnViewHeight = 221;
const QString NoValue = QStringLiteral("0.000000");

} // namespace

class TestMainWindowMap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initVistrelResources(); }

    void init()
    {
        GlobalSettings::resetToDefaults();
        m_exports = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        if (m_window) {
            m_window->close();
            QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 30000);
            m_window.reset();
        }
        GlobalSettings::resetToDefaults();
    }

    // The window's own telemetry copy reaches the panel when playback starts, every playing-time
    // report moves it and the speed readout on screen, and the close at the end clears it;
    // whichever layout the telemetry comes in.
    void playingRecording_movesTheMapAndTheEndClearsIt_data()
    {
        QTest::addColumn<QStringList>("telemetry");
        QTest::addColumn<QString>("sidecar"); // suffix of the file beside the recording, or ""
        QTest::addColumn<int>("gsensor"); // readings the window's copy holds
        const QStringList tlmd {QStringLiteral("--telemetry"), QStringLiteral("tlmd")};
        QTest::newRow("2 Hz fixes, 10 Hz G-sensor")
                << tlmd + QStringList {QStringLiteral("--gps-rate"), QStringLiteral("2")}
                << QString() << 80;
        QTest::newRow("dense: 1 Hz fixes, 179 Hz G-sensor")
                << tlmd + QStringList {QStringLiteral("--dense-telemetry")} << QString() << 1432;
        QTest::newRow("NMEA log beside the file")
                << QStringList {QStringLiteral("--sidecar"), QStringLiteral("nmea")}
                << QStringLiteral("nmea") << 0;
        QTest::newRow("GPMF track, 100 Hz accelerometer")
                << QStringList {QStringLiteral("--telemetry"),
                                QStringLiteral("gpmf"),
                                QStringLiteral("--gsensor-rate"),
                                QStringLiteral("100")}
                << QString() << 800;
    }

    void playingRecording_movesTheMapAndTheEndClearsIt()
    {
        QFETCH(QStringList, telemetry);
        QFETCH(QString, sidecar);
        QFETCH(int, gsensor);
        // The generator's GPS clock starts when the file's name says, in this machine's zone,
        // so that a log beside the file lines up with it.
        const QString start = QDateTime(QDate(2024, 1, 1), QTime(10, 0), Qt::LocalTime)
                                      .toUTC()
                                      .toString(Qt::ISODate);
        const QString made = TestRecordings::make(
                QStringLiteral("map-route-8s.mp4"),
                QStringList {
                        QStringLiteral("--video"),
                        QStringLiteral("160x90"),
                        QStringLiteral("--duration"),
                        // Long enough that the route is still drawn when a slow machine (a
                        // sanitizer build) gets the page's answer.
                        QStringLiteral("8"),
                        QStringLiteral("--start-time"),
                        start,
                        QStringLiteral("--nmea"),
                        TestPaths::nmeaLog(QStringLiteral("dashcam_leaflet-nmealayer_test.nmea"))}
                        + telemetry);
        QVERIFY(!made.isEmpty());
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("20240101_100000D.mp4"));
        QVERIFY(QFile::copy(made, file));
        if (!sidecar.isEmpty()) {
            const QString beside = made.left(made.lastIndexOf('.') + 1) + sidecar;
            QVERIFY(QFile::copy(beside,
                                folder.filePath(QStringLiteral("20240101_100000D.") + sidecar)));
        }

        MainWindow *window = makeWindow();
        MapWidget *map = window->mapWidget();
        auto *latitude = map->findChild<QLabel *>(QStringLiteral("mapLatitudeValue"));
        auto *longitude = map->findChild<QLabel *>(QStringLiteral("mapLongitudeValue"));
        QVERIFY(latitude && longitude);
        QTRY_VERIFY_WITH_TIMEOUT(map->mapView()->isLoaded(), 30000);
        window->playList()->loadPlayList({file}, true);
        QTRY_VERIFY_WITH_TIMEOUT(latitude->text() != NoValue, 30000);

        QVector<GpsSample> samples;
        QVERIFY(window->telemetry().gpsSamples(samples) > 0);
        QCOMPARE(window->telemetry().gsensorCount(), gsensor);
        int valid = 0;
        bool known = false;
        for (const GpsSample &sample : samples) {
            if (!sample.valid)
                continue;
            ++valid;
            known = known
                    || (QString::asprintf("%.6f", sample.latitude) == latitude->text()
                        && QString::asprintf("%.6f", sample.longitude) == longitude->text());
        }
        QVERIFY2(known, qPrintable(latitude->text() + QLatin1Char(',') + longitude->text()));
        // The readout on screen shows one of the fixes' speeds (not the 0.0 of no data).
        auto *speed = window->findChild<SpeedDisplayWidget *>();
        QVERIFY(speed);
        const QImage background = SpeedReadback::resourceImage(QStringLiteral("speed_bg.BMP"));
        QString shown;
        QTRY_VERIFY_WITH_TIMEOUT(
                [&] {
                    const QImage painted
                            = ScreenGrab::of(speed).copy(QRect(QPoint(), background.size()));
                    for (const GpsSample &sample : samples) {
                        const QString text = SpeedReadback::shownText(sample.speed);
                        if (sample.valid && sample.speed >= 1
                            && SpeedReadback::differingCells(
                                       painted, SpeedReadback::composed(background, text))
                                       .isEmpty()) {
                            shown = text;
                            return true;
                        }
                    }
                    return false;
                }(),
                10000);
        QCOMPARE(map->mapState(), int(MapWidget::MapShown));
        QVERIFY(map->mapView()->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(routePoints(map), valid, 10000);

        QTRY_COMPARE_WITH_TIMEOUT(window->mediaInfo().state(), int(MediaInfo::Stopped), 30000);
        QCOMPARE(map->mapState(), int(MapWidget::NoData));
        QCOMPARE(latitude->text(), NoValue);
        QCOMPARE(longitude->text(), NoValue);
        QVERIFY(map->infoWidget()->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(
                MapPageScript::evaluate(map->mapView(), QStringLiteral("flightPath === null"))
                        .toBool(),
                true,
                10000);
    }

    void popOut_andBackInPlace_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("restore button") << QStringLiteral("button");
        QTest::newRow("Escape on the panel") << QStringLiteral("escape panel");
        QTest::newRow("Escape on the dialog") << QStringLiteral("escape dialog");
        QTest::newRow("main window closed") << QStringLiteral("close");
    }

    void popOut_andBackInPlace()
    {
        QFETCH(QString, how);
        MainWindow *window = makeWindow();
        MapWidget *map = window->findChild<MapWidget *>(QStringLiteral("mapWidget"));
        QVERIFY(map);
        QCOMPARE(window->mapWidget(), map);
        auto *place = window->findChild<QWidget *>(QStringLiteral("mapPlaceholder"));
        QVERIFY(place);
        QVERIFY(!place->isVisible());
        QWidget *column = map->parentWidget();
        const int index = column->layout()->indexOf(map);
        QVERIFY(index >= 0);
        QTRY_COMPARE(map->height(), ColumnPanelHeight);
        const QRect inColumn = map->geometry();
        auto *popup = map->findChild<QPushButton *>(QStringLiteral("mapPopupButton"));
        auto *restore = map->findChild<QPushButton *>(QStringLiteral("mapRestoreButton"));
        QVERIFY(popup && restore);
        QVERIFY(popup->isVisible());
        QVERIFY(!restore->isVisible());

        QTest::mouseClick(popup, Qt::LeftButton);
        QPointer<MapDialog> dialog = window->mapDialog();
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(map->window(), static_cast<QWidget *>(dialog.data()));
        QCOMPARE(dialog->objectName(), QStringLiteral("mapDialog"));
        QCOMPARE(dialog->windowTitle(), GlobalSettings::productTitle() + QStringLiteral(" - Map"));
        QVERIFY(!dialog->isModal());
        // The placeholder holds the panel's place; the panel grows with the dialog.
        QVERIFY(place->isVisible());
        QTRY_COMPARE(place->geometry(), inColumn);
        QTRY_VERIFY(map->height() > ColumnPanelHeight + 100);
        QVERIFY(map->infoWidget()->height() > ColumnViewHeight + 100);
        QVERIFY(restore->isVisible());
        QVERIFY(!popup->isVisible());
        // A second request while popped out changes nothing.
        window->mapDock()->popOut();
        QCOMPARE(window->mapDialog(), dialog.data());
        saveScreenshot(window, QStringLiteral("main-window-map-popped-out"));
        saveScreenshot(dialog, QStringLiteral("map-dialog"));

        if (how == QLatin1String("button"))
            QTest::mouseClick(restore, Qt::LeftButton);
        else if (how == QLatin1String("escape panel"))
            QTest::keyClick(map, Qt::Key_Escape);
        else if (how == QLatin1String("escape dialog"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            window->close();

        QVERIFY(!window->mapDialog());
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(map->parentWidget(), column);
        QCOMPARE(column->layout()->indexOf(map), index);
        QVERIFY(!place->isVisible());
        QCOMPARE(map->maximumHeight(), ColumnPanelHeight);
        QCOMPARE(map->mapView()->maximumHeight(), ColumnViewHeight);
        QCOMPARE(map->infoWidget()->maximumHeight(), ColumnViewHeight);
        QCOMPARE(map->titleBar()->height(), 25);
        QVERIFY(popup->isVisibleTo(map));
        QVERIFY(!restore->isVisibleTo(map));
        if (how == QLatin1String("close"))
            return;
        QVERIFY(map->isVisible());
        QTRY_COMPARE(map->geometry(), inColumn);
        saveScreenshot(window, QStringLiteral("main-window-map-in-column"));
        // Back in place it pops out again.
        QTest::mouseClick(popup, Qt::LeftButton);
        QVERIFY(window->mapDialog());
        QTRY_VERIFY(window->mapDialog()->isVisible());
        QCOMPARE(map->window(), static_cast<QWidget *>(window->mapDialog()));
    }

    // A trip opened from the Trips view draws the route of all its files, not of the first.
    void trip_routeCoversEveryFile()
    {
        QTemporaryDir folder;
        QStringList files;
        int valid = 0;
        for (int i = 0; i < 2; ++i) {
            const QString made
                    = TestRecordings::make(QStringLiteral("map-trip-part%1.mp4").arg(i + 1),
                                           {QStringLiteral("--video"),
                                            QStringLiteral("160x90"),
                                            QStringLiteral("--duration"),
                                            QStringLiteral("5"),
                                            QStringLiteral("--telemetry"),
                                            QStringLiteral("tlmd"),
                                            QStringLiteral("--seed"),
                                            QString::number(i + 1)});
            QVERIFY(!made.isEmpty());
            files << folder.filePath(QStringLiteral("20240101_10000%1D.mp4").arg(5 * i));
            QVERIFY(QFile::copy(made, files.last()));
            TelemetryTrack alone;
            QCOMPARE(TrackExport::load(files.last(), &alone), 0);
            QVector<GpsSample> samples;
            alone.gpsSamples(samples);
            for (const GpsSample &sample : samples)
                valid += sample.valid ? 1 : 0;
        }
        QVERIFY(valid > 0);

        MainWindow *window = makeWindow();
        MapWidget *map = window->mapWidget();
        QTRY_VERIFY_WITH_TIMEOUT(map->mapView()->isLoaded(), 30000);
        window->playList()->loadPlayList(files, false);
        window->playList()->showView(PlayListWidget::Trips);
        TripListWidget *trips = window->playList()->tripList();
        QTRY_COMPARE_WITH_TIMEOUT(trips->trips().size(), 1, 30000);
        const QRect row = trips->visualRect(trips->model()->index(0, 0));
        QTest::mouseClick(trips->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(trips->viewport(), Qt::LeftButton, {}, row.center());
        QTRY_COMPARE_WITH_TIMEOUT(map->mapState(), int(MapWidget::MapShown), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(routePoints(map), valid, 10000);
    }

    void mapDisabled_noPanelAndNoDialog()
    {
        GlobalSettings::applyProductModel(QStringLiteral("ZRC"));
        QVERIFY(GlobalSettings::mapDisabled());
        MainWindow *window = makeWindow();
        QVERIFY(!window->mapWidget());
        QVERIFY(!window->findChild<MapWidget *>());
        QVERIFY(!window->findChild<QWidget *>(QStringLiteral("mapPlaceholder")));
        QVERIFY(!window->findChild<GoogleMapView *>());
        QVERIFY(!window->mapDock());
        QVERIFY(!window->mapDialog());
        QVERIFY(!window->findChild<MapDialog *>());
    }

private:
    // The points of the route the map page draws.
    static int routePoints(MapWidget *map)
    {
        return MapPageScript::evaluate(
                       map->mapView(),
                       QStringLiteral("flightPath ? flightPath.getLatLngs().length : 0"))
                .toInt();
    }

    MainWindow *makeWindow()
    {
        m_window = std::make_unique<MainWindow>();
        m_window->setExportFolder(m_exports->path());
        m_window->resize(1060, 745);
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            qWarning("main window not exposed");
        return m_window.get();
    }

    // Where screenshots go when VISTREL_SCREENSHOT_DIR names a folder.
    static void saveScreenshot(QWidget *widget, const QString &name)
    {
        const QString folder = qEnvironmentVariable("VISTREL_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        ScreenGrab::of(widget).save(QDir(folder).filePath(name + QStringLiteral(".png")));
    }

    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<QTemporaryDir> m_exports;
};

int main(int argc, char *argv[])
{
    // The web engine shares OpenGL contexts with the widgets; as root it runs without its
    // sandbox. The map's cache and settings go to folders of this run; its tiles and probe stay
    // on this machine (nothing listens on port 9).
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts, true);
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CACHE_HOME", QDir(home.path()).filePath(QStringLiteral("cache")).toUtf8());
    qputenv("VISTREL_MAP_TILES", "http://127.0.0.1:9/{z}/{x}/{y}.png");
    qputenv("VISTREL_PING_HOST", "127.0.0.1");
    QApplication app(argc, argv);
    TestMainWindowMap test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindowmap.moc"
