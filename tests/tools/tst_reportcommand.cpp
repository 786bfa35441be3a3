// ctest-labels: gui;engine
// vistrel-tool report: the two pages of a moment as a PDF, read back with pdftotext and from the
// pages rendered by pdftoppm: the values of that moment, the exact frames of every channel, and
// the map picture composed from a tile server (one served by this test), left out without one.
#include "report/reportlayout.h"
#include "testpaths.h"
#include "testrecordings.h"
#include "tools/framecode/framecode.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

const QColor TileColour(0, 128, 255);

// Answers every request with the same one-colour PNG tile.
class TileServer : public QTcpServer
{
public:
    int requests = 0;

    TileServer()
    {
        QImage tile(256, 256, QImage::Format_RGB32);
        tile.fill(TileColour);
        QBuffer buffer(&m_png);
        buffer.open(QIODevice::WriteOnly);
        tile.save(&buffer, "PNG");
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_requestBytes[socket] += socket->readAll();
                    if (!m_requestBytes[socket].contains("\r\n\r\n"))
                        return;
                    ++requests;
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: "
                                  + QByteArray::number(m_png.size())
                                  + "\r\nConnection: close\r\n\r\n" + m_png);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

private:
    QByteArray m_png;
    QHash<QTcpSocket *, QByteArray> m_requestBytes;
};

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs vistrel-tool while this thread's events (the tile server) keep flowing.
Run runTool(const QStringList &arguments, const QString &tiles, const QString &configHome)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VISTREL_MAP_TILES"), tiles);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    tool.setProcessEnvironment(env);
    tool.start(TestPaths::tool(), arguments);
    Run r;
    if (!QTest::qWaitFor([&] { return tool.state() == QProcess::NotRunning; }, 60000)) {
        tool.kill();
        tool.waitForFinished();
        return r;
    }
    r.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    r.out = tool.readAllStandardOutput();
    r.err = tool.readAllStandardError();
    return r;
}

QString output(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The sample of one kind ("gps" or "gsensor") at a time, from the tool's CSV of the recording.
QStringList sampleAt(const QString &csv, const QString &kind, double seconds)
{
    QStringList found;
    for (const QString &line : csv.split(QLatin1Char('\n'))) {
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() == 10 && fields[0] == kind && fields[2].toDouble() <= seconds + 1e-9)
            found = fields;
    }
    return found;
}

} // namespace

class TestReportCommand : public QObject
{
    Q_OBJECT

    QString m_recording;
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString made = TestRecordings::make(
                QStringLiteral("report.mp4"),
                {"--video",
                 "320x180",
                 "--video",
                 "320x180",
                 "--duration",
                 "4",
                 "--telemetry",
                 "subtitle",
                 "--nmea",
                 TestPaths::nmeaLog(QStringLiteral("dashcam_leaflet-nmealayer_test.nmea"))});
        QVERIFY(!made.isEmpty());
        m_recording = m_dir.filePath(QStringLiteral("20240101_100000D.mp4"));
        QVERIFY(QFile::copy(made, m_recording));
    }

    void report_theMomentWithItsFramesAndMap_data()
    {
        QTest::addColumn<QString>("tiles"); // "SERVER": this test's tile server
        QTest::addColumn<bool>("noMap");
        QTest::addColumn<bool>("map");
        QTest::newRow("map from the tile server") << "SERVER" << false << true;
        QTest::newRow("--no-map") << "SERVER" << true << false;
        QTest::newRow("no tile reachable")
                << "http://127.0.0.1:9/{z}/{x}/{y}.png" << false << false;
    }

    void report_theMomentWithItsFramesAndMap()
    {
        QFETCH(QString, tiles);
        QFETCH(bool, noMap);
        QFETCH(bool, map);
        TileServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        if (tiles == "SERVER")
            tiles = QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(server.serverPort());

        const double t = 2.55;
        const QString pdf = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
        QStringList args {"report", m_recording, "--time", QString::number(t), "--out", pdf};
        if (noMap)
            args << "--no-map";
        const Run r = runTool(args, tiles, m_dir.filePath("config"));
        QVERIFY2(r.exitCode == 0, r.err.right(2000).constData());
        QCOMPARE(QJsonDocument::fromJson(r.out).object().value("map").toBool(), map);
        if (noMap)
            QCOMPARE(server.requests, 0);

        // The values of that moment, as the recording's telemetry has them.
        const QString csv
                = output(TestPaths::tool(), {"telemetry", m_recording, "--format", "csv"});
        const QStringList gps = sampleAt(csv, "gps", t);
        const QStringList g = sampleAt(csv, "gsensor", t);
        QVERIFY(gps.size() == 10 && g.size() == 10);
        const QString text = output("pdftotext", {"-layout", pdf, "-"});
        for (const QString &expected : {ReportLayout::title(),
                                        QStringLiteral("Channel 1"),
                                        QStringLiteral("Channel 2"),
                                        QString::asprintf("Latitude : %.6f", gps[4].toDouble()),
                                        QString::asprintf("Longitude : %.6f", gps[5].toDouble()),
                                        QString::asprintf("X = %.5f, Y = %.5f, Z = %.5f",
                                                          g[7].toDouble(),
                                                          g[8].toDouble(),
                                                          g[9].toDouble())}) {
            QVERIFY2(text.contains(expected), qPrintable(expected + " in:\n" + text));
        }
        QCOMPARE(
                text.contains(QRegularExpression("^\\s+Map$", QRegularExpression::MultilineOption)),
                map);

        // Where the layout puts the pictures: the exact frame of that time of each channel, and
        // the tiles around the car.
        ReportLayout::Content sizes;
        sizes.pictures
                = {QImage(320, 180, QImage::Format_RGB32), QImage(320, 180, QImage::Format_RGB32)};
        sizes.positionKnown = true;
        sizes.map = map ? QImage(560, 280, QImage::Format_RGB32) : QImage();
        QPdfWriter probe(m_dir.filePath("probe.pdf"));
        probe.setResolution(ReportLayout::Resolution);
        probe.setPageSize(QPageSize(QPageSize::A4)); // as the tool writes it
        QPageLayout full = probe.pageLayout();
        full.setMode(QPageLayout::FullPageMode);
        probe.setPageLayout(full);
        QPainter painter(&probe);
        const QVector<ReportLayout::Placement> placed = ReportLayout::draw(painter, probe, sizes);
        painter.end();
        const QString pages = m_dir.filePath(QTest::currentDataTag());
        output("pdftoppm", {"-r", "100", "-png", pdf, pages});
        const QImage pageImages[]
                = {QImage(pages + "-1.png").convertToFormat(QImage::Format_RGB888),
                   QImage(pages + "-2.png").convertToFormat(QImage::Format_RGB888)};
        QCOMPARE(placed.size(), map ? 3 : 2);
        for (const ReportLayout::Placement &p : placed) {
            const QImage area = pageImages[p.page].copy(p.rect.adjusted(2, 2, -2, -2));
            if (p.picture < 0) {
                const QColor corner = area.pixelColor(4, 4);
                QVERIFY2(qAbs(corner.red() - TileColour.red()) < 12
                                 && qAbs(corner.green() - TileColour.green()) < 12
                                 && qAbs(corner.blue() - TileColour.blue()) < 12,
                         qPrintable(corner.name()));
                continue;
            }
            int frame = -1;
            int channel = -1;
            QVERIFY(FrameCode::read(area.constBits(),
                                    area.width(),
                                    area.height(),
                                    static_cast<int>(area.bytesPerLine()),
                                    FrameCode::Layout::Rgb24,
                                    &frame,
                                    &channel));
            QCOMPARE(channel, p.picture + 1);
            QCOMPARE(frame, int(std::floor(t * 30)));
        }
    }

    void report_refusesWithoutWritingAFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad path") << "/nonexistent/20240101_100000D.mp4"
                                  << "1"
                                  << "cannot open";
        QTest::newRow("time past the end") << "RECORDING"
                                           << "4.5"
                                           << "past the end";
    }

    void report_refusesWithoutWritingAFile()
    {
        QFETCH(QString, file);
        QFETCH(QString, time);
        QFETCH(QString, message);
        const QString pdf = m_dir.filePath("refused.pdf");
        const Run r = runTool(
                {"report", file == "RECORDING" ? m_recording : file, "--time", time, "--out", pdf},
                "http://127.0.0.1:9/{z}/{x}/{y}.png",
                m_dir.filePath("config"));
        QVERIFY(r.exitCode > 0);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.right(1000).constData());
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_MAIN(TestReportCommand)
#include "tst_reportcommand.moc"
