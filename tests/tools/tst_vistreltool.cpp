// The command-line companion, run as a real process on generated recordings and cards.
#include "testpaths.h"
#include "testrecordings.h"
#include "vistrelversion.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <csignal>

namespace {

ProcessResult tool(const QStringList &args)
{
    return runProcess(TestPaths::tool(), args);
}

QJsonObject toolJson(const QStringList &args)
{
    const ProcessResult r = tool(args);
    if (!r.finished || r.exitCode != 0) {
        qWarning() << "vistrel-tool" << args << "failed:" << r.exitCode << r.err.right(2000);
        return {};
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning() << "not JSON:" << error.errorString() << r.out.left(500);
    return doc.object();
}

QStringList paths(const QJsonArray &rows)
{
    QStringList list;
    for (const QJsonValue &row : rows)
        list << row.toObject().value(QStringLiteral("path")).toString();
    return list;
}

int validCount(const QJsonArray &gps)
{
    int valid = 0;
    for (const QJsonValue &g : gps)
        valid += g.toObject().value(QStringLiteral("valid")).toBool() ? 1 : 0;
    return valid;
}

} // namespace

class TestVistrelTool : public QObject
{
    Q_OBJECT

private:
    // The two-channel recording with telemetry that the export and clip commands cut.
    static QString twoChannelRecording()
    {
        return TestRecordings::make(QStringLiteral("20240314_153012D.mp4"),
                                    {QStringLiteral("--video"),
                                     QStringLiteral("160x90"),
                                     QStringLiteral("--video"),
                                     QStringLiteral("160x90"),
                                     QStringLiteral("--telemetry"),
                                     QStringLiteral("tlmd")});
    }

    // A file of that name written before the command runs (none for an empty name).
    static bool placeEarlier(const QTemporaryDir &out, const QString &name)
    {
        if (name.isEmpty())
            return true;
        QFile earlier(out.filePath(name));
        return earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7;
    }

    // The tool, with the converter on the PATH or without it.
    ProcessResult runConverting(const QStringList &arguments, bool converter)
    {
        QTemporaryDir emptyBin;
        const QByteArray path = qgetenv("PATH");
        if (!converter)
            qputenv("PATH", QFile::encodeName(emptyBin.path()));
        const ProcessResult r = tool(arguments);
        qputenv("PATH", path);
        return r;
    }

private slots:
    void probe_reportsStreamsRolesAndTelemetry()
    {
        const QString file = TestRecordings::make(QStringLiteral("20240314_153012D.mp4"),
                                                  {QStringLiteral("--video"),
                                                   QStringLiteral("320x180"),
                                                   QStringLiteral("--video"),
                                                   QStringLiteral("160x90"),
                                                   QStringLiteral("--audio"),
                                                   QStringLiteral("--telemetry"),
                                                   QStringLiteral("subtitle"),
                                                   QStringLiteral("--duration"),
                                                   QStringLiteral("4"),
                                                   QStringLiteral("--gps-rate"),
                                                   QStringLiteral("1"),
                                                   QStringLiteral("--gsensor-rate"),
                                                   QStringLiteral("5")});
        QVERIFY(!file.isEmpty());
        const QJsonObject probe = toolJson({QStringLiteral("probe"), file});
        QCOMPARE(probe.value(QStringLiteral("videoCount")).toInt(), 2);
        QCOMPARE(probe.value(QStringLiteral("audioCount")).toInt(), 1);
        QCOMPARE(probe.value(QStringLiteral("otherCount")).toInt(), 1);
        QCOMPARE(probe.value(QStringLiteral("front")).toInt(), 0);
        QCOMPARE(probe.value(QStringLiteral("rear")).toInt(), 1);
        QCOMPARE(probe.value(QStringLiteral("inner")).toInt(), -1);
        QCOMPARE(probe.value(QStringLiteral("damaged")).toBool(), false);
        QCOMPARE(probe.value(QStringLiteral("state")).toInt(), 1);
        QVERIFY(qAbs(probe.value(QStringLiteral("totalFrames")).toInt() - 120) <= 2);
        const QJsonArray streams = probe.value(QStringLiteral("streams")).toArray();
        QCOMPARE(streams.size(), 4);
        QCOMPARE(streams.at(1).toObject().value(QStringLiteral("width")).toInt(), 160);
        QCOMPARE(streams.at(2).toObject().value(QStringLiteral("sampleRate")).toInt(), 48000);
        QCOMPARE(streams.at(2).toObject().value(QStringLiteral("channelLayout")).toString(),
                 QStringLiteral("3"));

        const QJsonObject telemetry = probe.value(QStringLiteral("telemetry")).toObject();
        QCOMPARE(telemetry.value(QStringLiteral("source")).toString(), QStringLiteral("tlmd"));
        QCOMPARE(telemetry.value(QStringLiteral("gpsCount")).toInt(), 4);
        QCOMPARE(telemetry.value(QStringLiteral("validGpsCount")).toInt(), 4);
        QCOMPARE(telemetry.value(QStringLiteral("gsensorCount")).toInt(), 20);
        QVERIFY(qAbs(telemetry.value(QStringLiteral("gpsRate")).toDouble() - 1.0) < 0.05);
        QVERIFY(qAbs(telemetry.value(QStringLiteral("gsensorRate")).toDouble() - 0.2) < 0.01);
        QVERIFY(telemetry.contains(QStringLiteral("firstGps")));
        QVERIFY(telemetry.contains(QStringLiteral("lastGsensor")));
    }

    void probe_modelDecidesSurround_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("surround");
        QTest::newRow("ZRA") << "ZRA" << 0;
        QTest::newRow("ZRC") << "ZRC" << -1;
    }

    void probe_modelDecidesSurround()
    {
        QFETCH(QString, model);
        QFETCH(int, surround);
        const QString file = TestRecordings::make(QStringLiteral("square.mp4"),
                                                  {QStringLiteral("--video"),
                                                   QStringLiteral("288x288"),
                                                   QStringLiteral("--duration"),
                                                   QStringLiteral("1")});
        QVERIFY(!file.isEmpty());
        const QJsonObject probe
                = toolJson({QStringLiteral("probe"), file, QStringLiteral("--model"), model});
        QCOMPARE(probe.value(QStringLiteral("surround")).toInt(), surround);
        QCOMPARE(probe.value(QStringLiteral("model")).toString(), model);
    }

    void probe_failsClearlyOnBadInput()
    {
        QTemporaryDir dir;
        const ProcessResult missing
                = tool({QStringLiteral("probe"), dir.filePath(QStringLiteral("none.mp4"))});
        QVERIFY(missing.finished);
        QVERIFY(missing.exitCode != 0);
        QVERIFY(missing.err.contains("vistrel-tool:"));
        QVERIFY(missing.err.contains("cannot probe"));
        QVERIFY(missing.out.isEmpty());

        const ProcessResult usage = tool({QStringLiteral("probe")});
        QCOMPARE(usage.exitCode, 2);
        const ProcessResult unknown = tool({QStringLiteral("frobnicate")});
        QCOMPARE(unknown.exitCode, 2);
        const ProcessResult option = tool(
                {QStringLiteral("probe"), QStringLiteral("x.mp4"), QStringLiteral("--bogus")});
        QCOMPARE(option.exitCode, 2);
    }

    // Every command's usage line is the one its help shows, and the help lists every command.
    void helpAndUsage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("usageOnBareCall"); // the bare command fails with its usage line
        for (const char *command : {"probe",
                                    "telemetry",
                                    "list",
                                    "trips",
                                    "repair",
                                    "export",
                                    "report",
                                    "clip",
                                    "verify"})
            QTest::newRow(command) << QString::fromLatin1(command) << true;
        for (const char *command : {"frame", "bench"})
            QTest::newRow(command) << QString::fromLatin1(command) << false;
    }

    void helpAndUsage()
    {
        QFETCH(QString, command);
        QFETCH(bool, usageOnBareCall);

        const ProcessResult overview = tool({QStringLiteral("--help")});
        QCOMPARE(overview.exitCode, 0);
        QVERIFY2(QRegularExpression(QStringLiteral("\\nCommands:\\n(  .*\\n)*  %1 ").arg(command))
                         .match(QString::fromUtf8(overview.out))
                         .hasMatch(),
                 overview.out.constData());

        const ProcessResult help = tool({QStringLiteral("help"), command});
        QCOMPARE(help.exitCode, 0);
        const QString usage = QString::fromUtf8(help.out).section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(usage.startsWith(QStringLiteral("Usage: vistrel-tool %1 ").arg(command)),
                 qPrintable(usage));
        const ProcessResult optionHelp = tool({command, QStringLiteral("--help")});
        QCOMPARE(optionHelp.exitCode, 0);
        QCOMPARE(optionHelp.out, help.out);

        if (usageOnBareCall) {
            const ProcessResult bare = tool({command});
            QCOMPARE(bare.exitCode, 2);
            QCOMPARE(QString::fromUtf8(bare.err).trimmed(),
                     QStringLiteral("vistrel-tool: usage:")
                             + usage.mid(QStringLiteral("Usage:").size()));
        }
    }

    void versionAndUnknownHelp()
    {
        const ProcessResult version = tool({QStringLiteral("--version")});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QByteArray("vistrel-tool " VISTREL_VERSION "\n"));
        const ProcessResult unknown = tool({QStringLiteral("help"), QStringLiteral("frobnicate")});
        QCOMPARE(unknown.exitCode, 2);
        QVERIFY(unknown.out.isEmpty());
        const ProcessResult bare = tool({});
        QCOMPARE(bare.exitCode, 2);
        QVERIFY(bare.out.isEmpty());
        QVERIFY(bare.err.startsWith("Usage: vistrel-tool COMMAND"));
    }

    void telemetry_formats()
    {
        const QString file = TestRecordings::make(
                QStringLiteral("20240314_153012E.mp4"),
                {QStringLiteral("--video"),
                 QStringLiteral("160x90"),
                 QStringLiteral("--telemetry"),
                 QStringLiteral("subtitle"),
                 QStringLiteral("--duration"),
                 QStringLiteral("3"),
                 QStringLiteral("--nmea"),
                 TestPaths::nmeaLog(QStringLiteral("gpsd_haicom-305N.log"))});
        QVERIFY(!file.isEmpty());

        const QJsonObject json = toolJson({QStringLiteral("telemetry"),
                                           file,
                                           QStringLiteral("--format"),
                                           QStringLiteral("json")});
        const QJsonArray gps = json.value(QStringLiteral("gps")).toArray();
        QCOMPARE(gps.size(), 3);
        const double rate = json.value(QStringLiteral("gpsRate")).toDouble();
        QCOMPARE(gps.at(2).toObject().value(QStringLiteral("index")).toInt(), 2);
        QCOMPARE(gps.at(2).toObject().value(QStringLiteral("time")).toDouble(), 2 * rate);
        // Australia: south and east
        QVERIFY(gps.at(0).toObject().value(QStringLiteral("latitude")).toDouble() < -20);
        QVERIFY(gps.at(0).toObject().value(QStringLiteral("longitude")).toDouble() > 150);

        const ProcessResult csv = tool({QStringLiteral("telemetry"),
                                        file,
                                        QStringLiteral("--format"),
                                        QStringLiteral("csv")});
        QCOMPARE(csv.exitCode, 0);
        const QList<QByteArray> lines = csv.out.trimmed().split('\n');
        QCOMPARE(lines.first(), QByteArray("type,index,time,valid,latitude,longitude,speed,x,y,z"));
        QCOMPARE(lines.count(),
                 1 + gps.size() + json.value(QStringLiteral("gsensor")).toArray().size());
        QVERIFY(lines.at(1).startsWith("gps,0,0.000,"));

        // The log's first fixes are not valid yet (status V): no track points for them.
        const ProcessResult noFix = tool({QStringLiteral("telemetry"),
                                          file,
                                          QStringLiteral("--format"),
                                          QStringLiteral("gpx")});
        QCOMPARE(noFix.exitCode, 0);
        QCOMPARE(noFix.out.count("<trkpt"), validCount(gps));

        const QString route = TestRecordings::make(QStringLiteral("20240314_153012E.mp4"),
                                                   {QStringLiteral("--video"),
                                                    QStringLiteral("160x90"),
                                                    QStringLiteral("--telemetry"),
                                                    QStringLiteral("subtitle"),
                                                    QStringLiteral("--duration"),
                                                    QStringLiteral("3")});
        QVERIFY(!route.isEmpty());
        const QJsonArray routeGps = toolJson({QStringLiteral("telemetry"), route})
                                            .value(QStringLiteral("gps"))
                                            .toArray();
        const ProcessResult gpx = tool({QStringLiteral("telemetry"),
                                        route,
                                        QStringLiteral("--format"),
                                        QStringLiteral("gpx")});
        QCOMPARE(gpx.exitCode, 0);
        QXmlStreamReader xml(gpx.out);
        int points = 0;
        QStringList times;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("trkpt"))
                ++points;
            if (xml.isStartElement() && xml.name() == QLatin1String("time"))
                times << xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(points > 0);
        QCOMPARE(points, validCount(routeGps));
        QCOMPARE(times.size(), points);
        QCOMPARE(times.first(), QStringLiteral("2024-03-14T15:30:12.000"));
        QCOMPARE(times.at(1), QStringLiteral("2024-03-14T15:30:13.000"));

        const ProcessResult bad = tool({QStringLiteral("telemetry"),
                                        file,
                                        QStringLiteral("--format"),
                                        QStringLiteral("kml")});
        QCOMPARE(bad.exitCode, 2);
    }

    void list_memoryCardRootFilesByFolder()
    {
        const QString card = TestRecordings::makeCard(QStringLiteral("test"));
        QVERIFY(!card.isEmpty());

        const QJsonObject byFolder = toolJson(
                {QStringLiteral("list"), card, QStringLiteral("--removable-root"), card});
        const QJsonObject byName = toolJson({QStringLiteral("list"), card});
        QVERIFY(!byFolder.value(QStringLiteral("all")).toArray().isEmpty());
        QCOMPARE(paths(byFolder.value(QStringLiteral("all")).toArray()).size(),
                 paths(byName.value(QStringLiteral("all")).toArray()).size());

        for (const QString &path : paths(byFolder.value(QStringLiteral("driving")).toArray()))
            QVERIFY2(path.startsWith(card + QStringLiteral("/DRIVING/")), qPrintable(path));
        for (const QString &path : paths(byFolder.value(QStringLiteral("parking")).toArray()))
            QVERIFY2(path.startsWith(card + QStringLiteral("/PARKING/")), qPrintable(path));
        for (const QString &path : paths(byFolder.value(QStringLiteral("all")).toArray()))
            QVERIFY2(!path.contains(QStringLiteral("/DUAL/")), qPrintable(path));

        // rows are in date-time order
        const QJsonArray all = byFolder.value(QStringLiteral("all")).toArray();
        for (int i = 1; i < all.size(); ++i) {
            const QString a = all.at(i - 1).toObject().value(QStringLiteral("date")).toString()
                    + all.at(i - 1).toObject().value(QStringLiteral("time")).toString();
            const QString b = all.at(i).toObject().value(QStringLiteral("date")).toString()
                    + all.at(i).toObject().value(QStringLiteral("time")).toString();
            QVERIFY(a <= b);
        }
    }

    // Two files that follow each other, an unreadable one after them, an event inside and a
    // drive a minute later: two trips; the first one's track is one piece.
    void trips_groupMeasureAndJoin()
    {
        const QString log
                = TestPaths::nmeaLog(QStringLiteral("dashcam_leaflet-nmealayer_test.nmea"));
        const QStringList drive = {QStringLiteral("--video"),
                                   QStringLiteral("160x90"),
                                   QStringLiteral("--telemetry"),
                                   QStringLiteral("subtitle"),
                                   QStringLiteral("--duration"),
                                   QStringLiteral("2"),
                                   QStringLiteral("--nmea"),
                                   log};
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const auto place = [&](const QString &name, const QStringList &options) {
            const QString made = TestRecordings::make(name, options);
            const QString path = dir.filePath(name);
            return !made.isEmpty() && QFile::copy(made, path) ? path : QString();
        };
        const QString first = place(QStringLiteral("20240314_153000D.mp4"), drive);
        const QString second = place(QStringLiteral("20240314_153002D.mp4"), drive);
        const QString later = place(QStringLiteral("20240314_153100D.mp4"), drive);
        const QString event = place(QStringLiteral("20240314_153001E.mp4"),
                                    {QStringLiteral("--video"),
                                     QStringLiteral("160x90"),
                                     QStringLiteral("--duration"),
                                     QStringLiteral("1")});
        QStringList wider = drive;
        wider[1] = QStringLiteral("320x180");
        const QString otherStreams = place(QStringLiteral("20240314_153102D.mp4"), wider);
        for (const QString &path : {first, second, later, event, otherStreams})
            QVERIFY(!path.isEmpty());
        const QString broken = dir.filePath(QStringLiteral("20240314_153004D.mp4"));
        QFile junk(broken);
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("not a recording") > 0);
        junk.close();

        const QJsonArray trips = toolJson({QStringLiteral("trips"), dir.path()})
                                         .value(QStringLiteral("trips"))
                                         .toArray();
        QCOMPARE(trips.size(), 3); // the 320x180 file cannot join the drive before it
        const QJsonObject trip = trips.at(0).toObject();
        const QJsonArray files = trip.value(QStringLiteral("files")).toArray();
        QCOMPARE(paths(files), (QStringList {first, second, broken}));
        QCOMPARE(files.at(0).toObject().value(QStringLiteral("duration")).toDouble(), 2.0);
        QCOMPARE(files.at(1).toObject().value(QStringLiteral("duration")).toDouble(), 2.0);
        QCOMPARE(files.at(1).toObject().value(QStringLiteral("start")).toString(),
                 QStringLiteral("2024-03-14T15:30:02.000"));
        QCOMPARE(files.at(2).toObject().value(QStringLiteral("playable")).toBool(), false);
        QCOMPARE(trip.value(QStringLiteral("duration")).toDouble(), 4.0);
        QCOMPARE(trip.value(QStringLiteral("start")).toString(),
                 QStringLiteral("2024-03-14T15:30:00.000"));
        QVERIFY(trip.value(QStringLiteral("distance")).toDouble() > 0);
        QVERIFY(trip.value(QStringLiteral("maxSpeed")).toDouble() > 0);
        const QJsonArray marks = trip.value(QStringLiteral("events")).toArray();
        QCOMPARE(paths(marks), QStringList {event});
        QCOMPARE(marks.at(0).toObject().value(QStringLiteral("seconds")).toDouble(), 1.0);
        QCOMPARE(paths(trips.at(1).toObject().value(QStringLiteral("files")).toArray()),
                 QStringList {later});
        QVERIFY(trips.at(1).toObject().value(QStringLiteral("events")).toArray().isEmpty());

        // One track: the samples of both files, the GPX times on without a break.
        int samples = 0;
        for (const QString &file : {first, second})
            samples += toolJson({QStringLiteral("telemetry"), file})
                               .value(QStringLiteral("gps"))
                               .toArray()
                               .size();
        const ProcessResult joined = tool(
                {QStringLiteral("telemetry"), second, broken, first, QStringLiteral("--trip")});
        QCOMPARE(joined.exitCode, 0);
        QVERIFY2(joined.err.contains(broken.toUtf8()), joined.err.constData());
        const QJsonObject track = QJsonDocument::fromJson(joined.out).object();
        QCOMPARE(track.value(QStringLiteral("gps")).toArray().size(), samples);
        const double rate = track.value(QStringLiteral("gpsRate")).toDouble();
        QVERIFY(rate > 0);
        const ProcessResult gpx = tool({QStringLiteral("telemetry"),
                                        first,
                                        second,
                                        QStringLiteral("--trip"),
                                        QStringLiteral("--format"),
                                        QStringLiteral("gpx")});
        QCOMPARE(gpx.exitCode, 0);
        QXmlStreamReader xml(gpx.out);
        QVector<QDateTime> times;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement
                && xml.name() == QLatin1String("time"))
                times << QDateTime::fromString(xml.readElementText(), Qt::ISODateWithMs);
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(times.size(), samples);
        QCOMPARE(times.first(),
                 QDateTime::fromString(trip.value(QStringLiteral("start")).toString(),
                                       Qt::ISODateWithMs));
        for (int i = 1; i < times.size(); ++i)
            QCOMPARE(times.at(i - 1).msecsTo(times.at(i)), qRound64(rate * 1000));

        // Files that are no trip are refused, naming the file that breaks it.
        for (const QStringList &pair :
             {QStringList {first, later}, QStringList {later, otherStreams}}) {
            const ProcessResult refused = tool({QStringLiteral("telemetry"),
                                                pair.at(0),
                                                pair.at(1),
                                                QStringLiteral("--trip")});
            QCOMPARE(refused.exitCode, 1);
            QVERIFY(refused.out.isEmpty());
            QVERIFY2(refused.err.contains(pair.at(1).toUtf8()), refused.err.constData());
        }
    }

    void repair_printsTheCopy()
    {
        const QString file = TestRecordings::make(QStringLiteral("20240101_000000D.avi"),
                                                  {QStringLiteral("--video"),
                                                   QStringLiteral("160x90"),
                                                   QStringLiteral("--video"),
                                                   QStringLiteral("160x90"),
                                                   QStringLiteral("--damage"),
                                                   QStringLiteral("avi-no-index")});
        QVERIFY(!file.isEmpty());
        QTemporaryDir out;
        const QJsonObject repaired
                = toolJson({QStringLiteral("repair"), file, QStringLiteral("--out"), out.path()});
        QCOMPARE(repaired.value(QStringLiteral("path")).toString(),
                 out.filePath(QStringLiteral("20240101_000000Dtmp.avi")));
        QCOMPARE(repaired.value(QStringLiteral("damaged")).toBool(), true);
        const QJsonObject probe = toolJson(
                {QStringLiteral("probe"), repaired.value(QStringLiteral("path")).toString()});
        QCOMPARE(probe.value(QStringLiteral("videoCount")).toInt(), 2);
        QCOMPARE(probe.value(QStringLiteral("damaged")).toBool(), false);

        // one channel is enough for a copy
        const QString single = TestRecordings::make(QStringLiteral("one-cut.avi"),
                                                    {QStringLiteral("--video"),
                                                     QStringLiteral("160x90"),
                                                     QStringLiteral("--damage"),
                                                     QStringLiteral("avi-no-index")});
        const QJsonObject one
                = toolJson({QStringLiteral("repair"), single, QStringLiteral("--out"), out.path()});
        const QJsonObject oneProbe
                = toolJson({QStringLiteral("probe"), one.value(QStringLiteral("path")).toString()});
        QCOMPARE(oneProbe.value(QStringLiteral("videoCount")).toInt(), 1);

        // a file whose packets no demuxer finds gives no copy
        const QString hidden = TestRecordings::make(QStringLiteral("hidden.mp4"),
                                                    {QStringLiteral("--video"),
                                                     QStringLiteral("160x90"),
                                                     QStringLiteral("--damage"),
                                                     QStringLiteral("mp4-hidden-fragments")});
        const ProcessResult failed
                = tool({QStringLiteral("repair"), hidden, QStringLiteral("--out"), out.path()});
        QCOMPARE(failed.exitCode, 1);
        QVERIFY(failed.err.contains("no playable copy"));
    }

    void exportCommand_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("existing"); // a file already in the output folder
        QTest::addColumn<bool>("converter"); // ffmpeg on the search path
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("files"); // in the output folder afterwards
        QTest::addColumn<QByteArray>("message"); // on stderr

        const QString name = QStringLiteral("20240314_153012D");
        const QStringList front {name + QStringLiteral("_f.mp4"), name + QStringLiteral("_r.mp4")};
        QTest::newRow("separate") << QStringList {QStringLiteral("--separate")} << QString() << true
                                  << 0 << front << QByteArray();
        QTest::newRow("original") << QStringList {QStringLiteral("--original")} << QString() << true
                                  << 0 << QStringList {name + QStringLiteral(".mp4")}
                                  << QByteArray();
        QTest::newRow("an existing file is kept")
                << QStringList {QStringLiteral("--separate")} << front.last() << true << 1
                << QStringList {front.last()} << QByteArray("exists already");
        QTest::newRow("an existing file is replaced when asked")
                << QStringList {QStringLiteral("--separate"), QStringLiteral("--replace")}
                << front.last() << true << 0 << front << QByteArray();
        QTest::newRow("no converter")
                << QStringList {QStringLiteral("--separate")} << QString() << false << 1
                << QStringList() << QByteArray("could not be started");
        QTest::newRow("one mode only")
                << QStringList {QStringLiteral("--separate"), QStringLiteral("--original")}
                << QString() << true << 2 << QStringList() << QByteArray("usage");
    }

    // The window's export from the command line: the files written as JSON, or a clear failure
    // and nothing written.
    void exportCommand()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, existing);
        QFETCH(bool, converter);
        QFETCH(int, exitCode);
        QFETCH(QStringList, files);
        QFETCH(QByteArray, message);

        const QString file = twoChannelRecording();
        QVERIFY(!file.isEmpty());
        QTemporaryDir out;
        QVERIFY(placeEarlier(out, existing));
        const ProcessResult r
                = runConverting(QStringList {QStringLiteral("export"), file}
                                        << options << QStringLiteral("--out") << out.path(),
                                converter);

        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), r.err.right(500).constData());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name), files);
        if (exitCode != 0) {
            if (!existing.isEmpty())
                QCOMPARE(QFile(out.filePath(existing)).size(), qint64(7));
            return;
        }
        const QJsonArray written
                = QJsonDocument::fromJson(r.out).object().value(QStringLiteral("files")).toArray();
        QCOMPARE(written.size(), files.size());
        for (int i = 0; i < files.size(); ++i) {
            QCOMPARE(written.at(i).toString(), out.filePath(files.at(i)));
            // every file keeps the recording's telemetry
            const QJsonArray gps = toolJson({QStringLiteral("telemetry"), written.at(i).toString()})
                                           .value(QStringLiteral("gps"))
                                           .toArray();
            QVERIFY(!gps.isEmpty());
        }
    }

    void clipCommand_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("existing"); // a file already there
        QTest::addColumn<bool>("converter"); // ffmpeg on the search path
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("files"); // under the output folder afterwards
        QTest::addColumn<QByteArray>("message"); // on stderr

        const QStringList span {QStringLiteral("--from"),
                                QStringLiteral("1.5"),
                                QStringLiteral("--to"),
                                QStringLiteral("3")};
        const QString name = QStringLiteral("20240314_153013D_clip");
        const QStringList clip {name + QStringLiteral(".csv"),
                                name + QStringLiteral(".gpx"),
                                name + QStringLiteral(".mp4")};
        const QString folder = QStringLiteral("20240314_153013D_evidence/");
        QStringList package {QStringLiteral("MANIFEST.json"),
                             QStringLiteral("SHA256SUMS"),
                             QStringLiteral("20240314_153013D_report.pdf")};
        package << clip;
        package.sort();
        for (QString &file : package)
            file.prepend(folder);
        const QStringList evidence = QStringList(span)
                << QStringLiteral("--evidence") << QStringLiteral("--no-map");
        QTest::newRow("clip") << span << QString() << true << 0 << clip << QByteArray();
        QTest::newRow("evidence package")
                << evidence << QString() << true << 0 << package << QByteArray();
        QTest::newRow("an existing clip is kept")
                << span << clip.last() << true << 1 << QStringList {clip.last()}
                << QByteArray("exists already");
        QTest::newRow("no converter: nothing of the package is left")
                << evidence << QString() << false << 1 << QStringList()
                << QByteArray("could not be started");
        QTest::newRow("out mark before the in mark")
                << QStringList {QStringLiteral("--from"),
                                QStringLiteral("3"),
                                QStringLiteral("--to"),
                                QStringLiteral("2")}
                << QString() << true << 1 << QStringList() << QByteArray("before the out mark");
        QTest::newRow("a channel the recording lacks")
                << (QStringList(span) << QStringLiteral("--channels") << QStringLiteral("f,i"))
                << QString() << true << 1 << QStringList() << QByteArray("no such channel");
    }

    // A clip or an evidence package from the command line: its files, the span's telemetry,
    // checksums that sha256sum confirms, and verify that finds a changed byte.
    void clipCommand()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, existing);
        QFETCH(bool, converter);
        QFETCH(int, exitCode);
        QFETCH(QStringList, files);
        QFETCH(QByteArray, message);

        const QString file = twoChannelRecording();
        QVERIFY(!file.isEmpty());
        QTemporaryDir out;
        QVERIFY(placeEarlier(out, existing));
        const ProcessResult r
                = runConverting(QStringList {QStringLiteral("clip"), file}
                                        << options << QStringLiteral("--out") << out.path(),
                                converter);

        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), r.err.right(500).constData());
        QStringList found;
        QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(out.path()).relativeFilePath(it.next());
        found.sort();
        QCOMPARE(found, files);
        QCOMPARE(QDir(out.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
                 files.isEmpty() || !files.first().contains(QLatin1Char('/')) ? 0 : 1);
        if (exitCode != 0)
            return;

        // the samples from 1.5 s to 3 s of the recording (GPS 1 Hz, G-sensor 10 Hz)
        QString clip;
        for (const QString &f : files) {
            if (f.endsWith(QLatin1String(".mp4")))
                clip = out.filePath(f);
        }
        const QJsonObject source = toolJson({QStringLiteral("telemetry"), file});
        const QJsonObject cut = toolJson({QStringLiteral("telemetry"), clip});
        const auto values = [](const QJsonArray &rows, int from, int count) {
            QStringList list;
            for (int i = from; i < from + count && i < rows.size(); ++i) {
                QJsonObject row = rows.at(i).toObject();
                row.remove(QStringLiteral("index"));
                row.remove(QStringLiteral("time"));
                list << QString::fromUtf8(QJsonDocument(row).toJson(QJsonDocument::Compact));
            }
            return list;
        };
        const QJsonArray gps = cut.value(QStringLiteral("gps")).toArray();
        const QJsonArray gsensor = cut.value(QStringLiteral("gsensor")).toArray();
        QCOMPARE(gps.size(), 2);
        QCOMPARE(gsensor.size(), 15);
        QCOMPARE(values(gps, 0, 2), values(source.value(QStringLiteral("gps")).toArray(), 1, 2));
        QCOMPARE(values(gsensor, 0, 15),
                 values(source.value(QStringLiteral("gsensor")).toArray(), 15, 15));
        QCOMPARE(gps.first().toObject().value(QStringLiteral("time")).toDouble(), 0.0);

        if (!files.first().contains(QLatin1Char('/')))
            return;
        const QString package = QFileInfo(clip).absolutePath();
        // the list is sha256sum's, and names every file but itself
        const ProcessResult sums
                = runProcess(QStringLiteral("sh"),
                             {QStringLiteral("-c"), QStringLiteral("sha256sum -- *[!S]")},
                             120000,
                             package);
        QFile list(QDir(package).filePath(QStringLiteral("SHA256SUMS")));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QStringList listed
                = QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QStringList computed
                = QString::fromUtf8(sums.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        listed.sort();
        computed.sort();
        QCOMPARE(listed, computed);
        const QJsonObject manifest
                = QJsonDocument::fromJson([&] {
                      QFile m(QDir(package).filePath(QStringLiteral("MANIFEST.json")));
                      return m.open(QIODevice::ReadOnly) ? m.readAll() : QByteArray();
                  }())
                          .object();
        const QJsonObject recording
                = manifest.value(QStringLiteral("sources")).toArray().first().toObject();
        const ProcessResult sourceSum = runProcess(QStringLiteral("sha256sum"), {file});
        QCOMPARE(recording.value(QStringLiteral("sha256")).toString().toUtf8(),
                 sourceSum.out.left(64));
        QCOMPARE(recording.value(QStringLiteral("recorded")).toString(),
                 QStringLiteral("2024-03-14T15:30:12Z"));
        QCOMPARE(manifest.value(QStringLiteral("version")).toString(),
                 QStringLiteral(VISTREL_VERSION));
        QCOMPARE(manifest.value(QStringLiteral("marks")).toObject().value(QStringLiteral("in")),
                 QJsonValue(1.5));

        QCOMPARE(tool({QStringLiteral("verify"), package}).exitCode, 0);
        // one byte of the clip changed
        QFile changed(clip);
        QVERIFY(changed.open(QIODevice::ReadWrite));
        QVERIFY(changed.seek(changed.size() / 2));
        const char byte = changed.peek(1).at(0);
        QVERIFY(changed.putChar(char(byte ^ 0x01)));
        changed.close();
        const ProcessResult verify = tool({QStringLiteral("verify"), package});
        QCOMPARE(verify.exitCode, 1);
        QStringList states;
        for (const QJsonValue &row :
             QJsonDocument::fromJson(verify.out).object().value(QStringLiteral("files")).toArray())
            states << row.toObject().value(QStringLiteral("name")).toString() + QLatin1Char(' ')
                            + row.toObject().value(QStringLiteral("state")).toString();
        QVERIFY2(states.contains(QFileInfo(clip).fileName() + QStringLiteral(" changed")),
                 qPrintable(states.join(QLatin1Char(','))));
        QCOMPARE(states.filter(QStringLiteral(" ok")).size(), states.size() - 1);
    }

    void interruptedCommand_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("signalNumber");

        const QStringList span {QStringLiteral("--from"),
                                QStringLiteral("1.5"),
                                QStringLiteral("--to"),
                                QStringLiteral("3")};
        QTest::newRow("clip, Ctrl-C") << (QStringList {QStringLiteral("clip")} + span) << SIGINT;
        QTest::newRow("evidence package, terminated")
                << (QStringList {QStringLiteral("clip")} + span << QStringLiteral("--evidence")
                                                                << QStringLiteral("--no-map"))
                << SIGTERM;
        QTest::newRow("one file per channel, Ctrl-C")
                << QStringList {QStringLiteral("export"), QStringLiteral("--separate")} << SIGINT;
    }

    // Interrupted after the converter wrote a whole file, the command removes it and ends as
    // interrupted; the converter does not outlive it.
    void interruptedCommand()
    {
        QFETCH(QStringList, options);
        QFETCH(int, signalNumber);

        const QString file = twoChannelRecording();
        QVERIFY(!file.isEmpty());
        QTemporaryDir out;
        QTemporaryDir bin;
        // The real converter, then a long wait as on a slow card.
        const QString converted = bin.filePath(QStringLiteral("converted"));
        QFile converter(bin.filePath(QStringLiteral("ffmpeg")));
        QVERIFY(converter.open(QIODevice::WriteOnly));
        converter.write(QStringLiteral("#!/bin/sh\n/usr/bin/ffmpeg \"$@\" || exit\n"
                                       "echo $$ > '%1'\nexec sleep 60\n")
                                .arg(converted)
                                .toUtf8());
        converter.close();
        converter.setPermissions(converter.permissions() | QFileDevice::ExeOwner);

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PATH"),
                           bin.path() + QLatin1Char(':')
                                   + environment.value(QStringLiteral("PATH")));
        process.setProcessEnvironment(environment);
        const QString command = options.takeFirst();
        process.start(TestPaths::tool(),
                      QStringList {command, file} << options << QStringLiteral("--out")
                                                  << out.path());
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(converted).size() > 0, 60000);
        QDirIterator written(out.path(), QDir::Files, QDirIterator::Subdirectories);
        QVERIFY(written.hasNext());
        QVERIFY(::kill(pid_t(process.processId()), signalNumber) == 0);
        QVERIFY(process.waitForFinished(20000));

        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 128 + signalNumber);
        QVERIFY(process.readAllStandardError().contains(command.toUtf8() + " cancelled"));
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        QFile pidFile(converted);
        QVERIFY(pidFile.open(QIODevice::ReadOnly));
        const pid_t sleeper = pid_t(pidFile.readAll().trimmed().toInt());
        QVERIFY(sleeper > 0);
        QTRY_VERIFY(::kill(sleeper, 0) != 0);
    }
};

QTEST_GUILESS_MAIN(TestVistrelTool)
#include "tst_vistreltool.moc"
