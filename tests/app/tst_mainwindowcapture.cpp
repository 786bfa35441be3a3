// ctest-labels: gui;engine
// The window's picture commands end to end with the real engine and display under Xvfb: the VR
// window of a surround recording and dragging it while paused, a view mode refused for a
// camera channel, screen capture from the title bar (the frame on screen inside each JPEG, the
// GPS fix in its EXIF tags), and the printed report written to PDF (its text read by pdftotext,
// its pictures read back from the page rendered by pdftoppm), with vistrel-tool's report of the
// same moment beside it.
#include "app/mainwindow.h"
#include "app/transportcontroller.h"
#include "logcapture.h"
#include "media/globalsettings.h"
#include "media/surroundviewmode.h"
#include "playlist/playlistwidget.h"
#include "report/reportlayout.h"
#include "resource/vistrelresource.h"
#include "telemetry/gsensormeterwidget.h"
#include "testpaths.h"
#include "testrecordings.h"
#include "tools/framecode/framecode.h"
#include "video/videodisplaywidget.h"
#include "vistrelversion.h"
#include "windowreadback.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The VR window as it should be cut from the whole picture: wrapping around horizontally,
// stopping at the top and bottom.
QImage expectedWindow(const QImage &vr, int yaw, int pitch)
{
    const int w = vr.width() / 2;
    const int h = vr.height() / 2;
    const int x0 = ((yaw % vr.width()) + vr.width()) % vr.width();
    const int y0 = std::clamp(pitch, 0, vr.height() - h);
    QImage out(w, h, vr.format());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            out.setPixel(x, y, vr.pixel((x0 + x) % vr.width(), y0 + y));
    }
    return out;
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held
            = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// "d, m, s" as the exif program prints a GPS coordinate, in degrees.
double degrees(const QString &dms)
{
    const QStringList parts = dms.split(QLatin1Char(','));
    if (parts.size() != 3)
        return -1;
    return parts[0].toDouble() + parts[1].toDouble() / 60 + parts[2].toDouble() / 3600;
}

Reading readPicture(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    Reading r;
    FrameCode::read(rgb.constBits(),
                    rgb.width(),
                    rgb.height(),
                    static_cast<int>(rgb.bytesPerLine()),
                    FrameCode::Layout::Rgb24,
                    &r.frame,
                    &r.channel);
    return r;
}

// The lines of a report's text that do not depend on when it was printed.
QStringList momentLines(const QString &text)
{
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.simplified();
        if (!line.isEmpty() && !line.contains(QRegularExpression("\\d{4}-\\d\\d-\\d\\d \\d\\d:")))
            lines << line;
    }
    return lines;
}

} // namespace

class TestMainWindowCapture : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<QTemporaryDir> m_folder;

    MainWindow *openAndPlay(const QStringList &options)
    {
        const QString source = TestRecordings::make(QStringLiteral("capture.mp4"), options);
        const QString path = m_folder->filePath(QStringLiteral("20240101_100000D.mp4"));
        if (source.isEmpty() || !QFile::copy(source, path))
            return nullptr;
        m_window = std::make_unique<MainWindow>();
        m_window->setExportFolder(m_folder->path());
        m_window->setCaptureFolder(m_folder->filePath(QStringLiteral("captures")));
        QDir().mkpath(m_window->captureFolder());
        m_window->resize(960, 540);
        m_window->show();
        m_window->playList()->loadPlayList({path}, true);
        if (!QTest::qWaitFor([&] { return m_window->mediaInfo().state() == MediaInfo::Playing; },
                             20000)) {
            return nullptr;
        }
        return m_window.get();
    }

    // Pauses and waits until the pictures on screen no longer change.
    bool pause()
    {
        m_window->transport()->playOrPause();
        QMap<int, QImage> before;
        QMap<int, QImage> after;
        for (int i = 0; i < 50; ++i) {
            m_window->videoDisplay()->grabFrames(before);
            QTest::qWait(300);
            m_window->videoDisplay()->grabFrames(after);
            if (m_window->mediaInfo().state() == MediaInfo::Paused && !after.isEmpty()
                && before == after) {
                return true;
            }
        }
        return false;
    }

    QStringList nmeaTelemetry()
    {
        return {"--telemetry",
                "subtitle",
                "--nmea",
                TestPaths::nmeaLog(QStringLiteral("dashcam_leaflet-nmealayer_test.nmea")),
                "--duration",
                "10"};
    }

private slots:
    void initTestCase() { initVistrelResources(); }

    void init()
    {
        GlobalSettings::resetToDefaults();
        m_folder = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        if (m_window) {
            m_window->close();
            QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 30000);
            m_window.reset();
        }
    }

    void surroundVr_windowWrapsStopsAndFollowsTheDragWhilePaused()
    {
        GlobalSettings::applyProductModel(QStringLiteral("ZRA"));
        MainWindow *w = openAndPlay({"--video", "320x320", "--duration", "10"});
        QVERIFY(w);
        VideoDisplayWidget *display = w->videoDisplay();
        const int surround = w->mediaInfo().surround();
        QVERIFY(surround >= 0);
        QMap<int, QImage> frames;
        QTRY_VERIFY_WITH_TIMEOUT(display->grabFrames(frames) == 0 && frames.contains(surround),
                                 10000);
        const int plannedWidth = frames.value(surround).width(); // the fisheye, as recorded

        QTRY_VERIFY_WITH_TIMEOUT(clickButton(w, "surroundVRButton"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!display->vrPicture().isNull(), 10000);
        QCOMPARE(w->mediaInfo().streamInfo(surround).viewMode, int(SurroundViewMode::VR));
        QVERIFY(pause());

        // The engine's VR frames are twice the planned size; the window is the planned size.
        const QImage vr = display->vrPicture();
        display->grabFrames(frames);
        const QImage window = frames.value(surround);
        QCOMPARE(window.width(), plannedWidth);
        QVERIFY(qAbs(window.height() - plannedWidth * 9 / 16) <= 1);
        QCOMPARE(vr.size(), window.size() * 2);
        QCOMPARE(window, expectedWindow(vr, 0, 0));

        // Dragging to the right turns the view left: yaw -100 starts at column W2 - 100 and
        // wraps; the paused picture is cut and drawn again at once.
        const QImage shownBefore = ScreenGrab::of(display);
        sendMouse(display, QEvent::MouseButtonPress, QPoint(300, 200));
        sendMouse(display, QEvent::MouseMove, QPoint(400, 200));
        display->grabFrames(frames);
        QCOMPARE(frames.value(surround), expectedWindow(vr, -100, 0));
        QTRY_VERIFY(ScreenGrab::of(display) != shownBefore);

        // Far up: pitch 5000 stops at the lower half.
        sendMouse(display, QEvent::MouseMove, QPoint(400, -4800));
        sendMouse(display, QEvent::MouseButtonRelease, QPoint(400, -4800));
        display->grabFrames(frames);
        QCOMPARE(frames.value(surround), expectedWindow(vr, -100, 5000));
        QCOMPARE(frames.value(surround), expectedWindow(vr, -100, vr.height() / 2));

        // An engine that fails the change puts the stream's previous mode back.
        emit w->eventLoop().mediaEventVideoViewModeChanged(surround, SurroundViewMode::VR, -1);
        QCOMPARE(w->mediaInfo().streamInfo(surround).viewMode, int(SurroundViewMode::Original));
    }

    void viewMode_forACameraChannel_isRefused()
    {
        MainWindow *w = openAndPlay({"--video", "320x180", "--video", "320x180"});
        QVERIFY(w);
        LogCapture log;
        w->transport()->changeViewMode(w->mediaInfo().front(), SurroundViewMode::VR);
        QVERIFY(log.contains(QStringLiteral("can't change view mode: not surround view stream")));
        QCOMPARE(w->mediaInfo().streamInfo(w->mediaInfo().front()).viewMode,
                 int(SurroundViewMode::Original));
    }

    void capture_savesTheFramesOnScreenWithTheirPosition_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<QStringList>("suffixes");
        QTest::newRow("all channels") << true << QStringList {"_ch1.jpg", "_ch2.jpg"};
        QTest::newRow("front alone") << false << QStringList {".jpg"};
    }

    void capture_savesTheFramesOnScreenWithTheirPosition()
    {
        QFETCH(bool, all);
        QFETCH(QStringList, suffixes);
        MainWindow *w = openAndPlay(QStringList {"--video", "320x180", "--video", "320x180"}
                                    << nmeaTelemetry());
        QVERIFY(w);
        if (all)
            QVERIFY(clickButton(w, "allViewButton"));
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(w, 0).channel == 1, 10000);
        if (all)
            QTRY_VERIFY_WITH_TIMEOUT(onScreen(w, 1).channel == 2, 10000);
        QVERIFY(pause());
        QVector<Reading> shown {onScreen(w, 0)};
        if (all)
            shown << onScreen(w, 1);

        DialogCatcher dialogs;
        QVERIFY(clickButton(w, "screenShotButton"));
        const QStringList files = QDir(w->captureFolder()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files.size(), suffixes.size());
        QTRY_COMPARE(dialogs.texts().size(), 1);
        QVERIFY(dialogs.texts().first().contains("Captured! Do you want to open the folder?"));

        const GpsSample *fix = w->telemetry().gpsAt(w->playingTime());
        QVERIFY(fix && fix->valid);
        for (int i = 0; i < files.size(); ++i) {
            const QString file = QDir(w->captureFolder()).filePath(files.at(i));
            QVERIFY2(QRegularExpression("^ScreenCapture-\\d{8}-\\d{6}"
                                        + QRegularExpression::escape(suffixes.at(i)) + "$")
                             .match(files.at(i))
                             .hasMatch(),
                     qPrintable(files.at(i)));
            QVERIFY(dialogs.texts().first().contains(file));
            const Reading saved = readPicture(QImage(file));
            QCOMPARE(saved.channel, shown.at(i).channel);
            QCOMPARE(saved.frame, shown.at(i).frame);

            QMap<QString, QString> tags;
            for (const QString &line : run("exif", {"-m", file}).split('\n'))
                tags.insert(line.section('\t', 0, 0), line.section('\t', 1));
            QCOMPARE(tags.value("North or South Latitude"), fix->latitude < 0 ? "S" : "N");
            QVERIFY(qAbs(degrees(tags.value("Latitude")) - qAbs(fix->latitude)) < 1e-6);
            QVERIFY(qAbs(degrees(tags.value("Longitude")) - qAbs(fix->longitude)) < 1e-6);
            QVERIFY(tags.value("Date and Time (Original)").startsWith("2024:01:01 10:00:"));
        }
    }

    void report_pdfHoldsTheMoment_andTheToolAgrees()
    {
        MainWindow *w = openAndPlay(QStringList {"--video", "320x180", "--video", "320x180"}
                                    << nmeaTelemetry());
        QVERIFY(w);
        QVERIFY(clickButton(w, "allViewButton"));
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(w, 0).channel == 1 && onScreen(w, 1).channel == 2, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(w->playingTime() > 1.0, 10000);
        const QString pdf = m_folder->filePath("window.pdf");
        w->setReportFile(pdf);
        // The print command pauses by itself.
        QVERIFY(clickButton(w, "printScreenButton"));
        QCOMPARE(w->mediaInfo().state(), int(MediaInfo::Paused));
        QVERIFY(QFile::exists(pdf));
        const QString info = run("pdfinfo", {pdf});
        QVERIFY(info.contains(QRegularExpression("Pages:\\s+2\\n")));
        // The PDF names the product and the program's version.
        QVERIFY2(info.contains(QRegularExpression(
                         "Creator:\\s+" + QRegularExpression::escape(w->windowTitle())
                         + QRegularExpression::escape(" (Vistrel " VISTREL_VERSION ")\n"))),
                 qPrintable(info));

        const double t = w->playingTime();
        const GpsSample *gps = w->telemetry().gpsAt(t);
        const GSensorSample *g = w->telemetry().gsensorAt(t);
        QVERIFY(gps && g);
        const QString text = run("pdftotext", {"-layout", pdf, "-"});
        for (const QString &expected :
             {ReportLayout::title(),
              QStringLiteral("Channel 1"),
              QStringLiteral("Channel 2"),
              QStringLiteral("Latitude : %1").arg(QString::asprintf("%.6f", gps->latitude)),
              QStringLiteral("Longitude : %1").arg(QString::asprintf("%.6f", gps->longitude)),
              QString::asprintf("X = %.5f, Y = %.5f, Z = %.5f", g->x, g->y, g->z),
              QStringLiteral("Page 1 of 2"),
              QStringLiteral("Page 2 of 2")}) {
            QVERIFY2(text.contains(expected), qPrintable(expected + " in:\n" + text));
        }

        // The pictures stand where the layout puts them: the paused frames of both channels.
        ReportLayout::Content sizes;
        sizes.pictures
                = {QImage(320, 180, QImage::Format_RGB32), QImage(320, 180, QImage::Format_RGB32)};
        QPdfWriter probe(m_folder->filePath("probe.pdf"));
        probe.setResolution(ReportLayout::Resolution);
        QPainter painter(&probe);
        const QVector<ReportLayout::Placement> placed = ReportLayout::draw(painter, probe, sizes);
        painter.end();
        run("pdftoppm",
            {"-r", "100", "-f", "1", "-l", "1", "-png", pdf, m_folder->filePath("page")});
        const QImage page(m_folder->filePath("page-1.png"));
        QVERIFY(!page.isNull());
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(placed.at(i).page, 0);
            const Reading read = readPicture(page.copy(placed.at(i).rect.adjusted(2, 2, -2, -2)));
            QCOMPARE(read.channel, i + 1);
            QCOMPARE(read.frame, onScreen(w, i).frame);
        }

        // vistrel-tool's report of the same moment says the same (the window's map view has a
        // picture; the tool finds no tile server here and leaves the map out).
        const QString toolPdf = m_folder->filePath("tool.pdf");
        QProcess tool;
        tool.start(TestPaths::tool(),
                   {"report",
                    w->mediaInfo().currentPath(),
                    "--time",
                    QString::number(t, 'f', 6),
                    "--out",
                    toolPdf});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QStringList windowLines = momentLines(text);
        windowLines.removeAll(QStringLiteral("Map"));
        QCOMPARE(momentLines(run("pdftotext", {"-layout", toolPdf, "-"})), windowLines);
    }
};

QTEST_MAIN(TestMainWindowCapture)
#include "tst_mainwindowcapture.moc"
