// The export of a recording as one file or one file per channel, with the real converter on
// generated recordings (and stand-in converters on PATH for its failures); every output is
// read back with ffprobe, the frame-number pattern of its pictures and the telemetry parser.
#include "media/atomreader.h"
#include "media/avinput.h"
#include "media/exportjob.h"
#include "media/exportplan.h"
#include "media/mediainfo.h"
#include "media/telemetrytrack.h"
#include "media/triptimeline.h"
#include "testpaths.h"
#include "testrecordings.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList channels(int count)
{
    QStringList options;
    for (int i = 0; i < count; ++i)
        options << QStringLiteral("--video") << QStringLiteral("160x90");
    return options << QStringLiteral("--duration") << QStringLiteral("2");
}

// The codec types of a file's streams in order, by ffprobe ("video,audio,subtitle").
QString streamTypes(const QString &file)
{
    const ProcessResult probe = runProcess(QStringLiteral("ffprobe"),
                                           {QStringLiteral("-v"),
                                            QStringLiteral("error"),
                                            QStringLiteral("-show_entries"),
                                            QStringLiteral("stream=codec_type"),
                                            QStringLiteral("-of"),
                                            QStringLiteral("csv=p=0"),
                                            file});
    return QString::fromUtf8(probe.out).trimmed().split(QLatin1Char('\n')).join(QLatin1Char(','));
}

// The channel each video stream's pictures show ("1,2"); 0 for a stream whose pictures
// disagree or cannot be read.
QString videoChannels(const QString &file)
{
    QStringList result;
    QVector<int> video;
    {
        const av::FormatContextPtr input = TestRecordings::open(file);
        if (!input)
            return QString();
        for (unsigned i = 0; i < input->nb_streams; ++i) {
            if (input->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
                video << int(i);
        }
    }
    for (int stream : video) {
        const QVector<QPair<int, int>> frames = TestRecordings::readBack(file, stream, 5);
        int channel = frames.isEmpty() ? 0 : frames.first().second;
        for (const auto &frame : frames)
            channel = frame.second == channel ? channel : 0;
        result << QString::number(channel);
    }
    return result.join(QLatin1Char(','));
}

// Every GPS and G-sensor sample of a file as text, one per line.
QStringList telemetryOf(const QString &file)
{
    av::FormatContextPtr ctx = av::openInput(file);
    if (!ctx)
        return {QStringLiteral("cannot open")};
    TelemetryTrack track;
    track.load(ctx.get(), file);
    QVector<GpsSample> gps;
    QVector<GSensorSample> gsensor;
    track.gpsSamples(gps);
    track.gsensorSamples(gsensor);
    QStringList lines;
    for (const GpsSample &g : gps)
        lines << QStringLiteral("gps %1 %2 %3 %4")
                         .arg(g.valid)
                         .arg(g.latitude, 0, 'f', 7)
                         .arg(g.longitude, 0, 'f', 7)
                         .arg(g.speed, 0, 'f', 3);
    for (const GSensorSample &s : gsensor)
        lines << QStringLiteral("g %1 %2 %3").arg(s.x).arg(s.y).arg(s.z);
    return lines;
}

// The GPS and G-sensor samples of a file as the viewer loads them.
void samplesOf(const QString &file, QVector<GpsSample> *gps, QVector<GSensorSample> *gsensor)
{
    gps->clear();
    gsensor->clear();
    av::FormatContextPtr ctx = av::openInput(file);
    if (!ctx)
        return;
    TelemetryTrack track;
    track.load(ctx.get(), file);
    track.gpsSamples(*gps);
    track.gsensorSamples(*gsensor);
}

// Where two lists of samples differ: positions by more than 1e-6 degrees, speeds by more than
// 0.01 km/h, G-sensor values at all; empty when they agree.
QString sampleDifference(const QVector<GpsSample> &gps,
                         const QVector<GpsSample> &expectedGps,
                         const QVector<GSensorSample> &gsensor,
                         const QVector<GSensorSample> &expectedGsensor)
{
    if (gps.size() != expectedGps.size() || gsensor.size() != expectedGsensor.size()) {
        return QStringLiteral("%1 fixes and %2 readings, expected %3 and %4")
                .arg(gps.size())
                .arg(gsensor.size())
                .arg(expectedGps.size())
                .arg(expectedGsensor.size());
    }
    for (int i = 0; i < gps.size(); ++i) {
        const GpsSample &a = gps.at(i);
        const GpsSample &b = expectedGps.at(i);
        if (a.valid != b.valid || std::abs(a.latitude - b.latitude) > 1e-6
            || std::abs(a.longitude - b.longitude) > 1e-6 || std::abs(a.speed - b.speed) > 0.01) {
            return QStringLiteral("fix %1: %2 %3 %4 %5, expected %6 %7 %8 %9")
                    .arg(i)
                    .arg(a.valid)
                    .arg(a.latitude, 0, 'f', 8)
                    .arg(a.longitude, 0, 'f', 8)
                    .arg(a.speed, 0, 'f', 4)
                    .arg(b.valid)
                    .arg(b.latitude, 0, 'f', 8)
                    .arg(b.longitude, 0, 'f', 8)
                    .arg(b.speed, 0, 'f', 4);
        }
    }
    for (int i = 0; i < gsensor.size(); ++i) {
        const GSensorSample &a = gsensor.at(i);
        const GSensorSample &b = expectedGsensor.at(i);
        if (a.x != b.x || a.y != b.y || a.z != b.z) {
            return QStringLiteral("reading %1: %2 %3 %4, expected %5 %6 %7")
                    .arg(i)
                    .arg(a.x)
                    .arg(a.y)
                    .arg(a.z)
                    .arg(b.x)
                    .arg(b.y)
                    .arg(b.z);
        }
    }
    return QString();
}

QByteArray bytesOf(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Writes an executable stand-in named ffmpeg into dir; "$out" is its last argument.
bool writeStandIn(const QTemporaryDir &dir, const QByteArray &body)
{
    QFile file(dir.filePath(QStringLiteral("ffmpeg")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("#!/bin/sh\nfor out; do :; done\n" + body + "\n");
    file.close();
    return file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The frames of a video stream by their pattern: "first-last/count/channel" (channel 0 when
// they disagree); with the edit list ignored, also the pictures it hides.
QString frameSpan(const QString &file, int stream, bool ignoreEditList)
{
    const QVector<QPair<int, int>> frames
            = TestRecordings::readBack(file, stream, 0, 0, ignoreEditList);
    if (frames.isEmpty())
        return QStringLiteral("none");
    int channel = frames.first().second;
    for (const auto &frame : frames)
        channel = frame.second == channel ? channel : 0;
    return QStringLiteral("%1-%2/%3/%4")
            .arg(frames.first().first)
            .arg(frames.last().first)
            .arg(frames.size())
            .arg(channel);
}

// A stream's length as ffprobe states it (with the edit list applied); -1 when unknown.
double streamSeconds(const QString &file, const QString &stream)
{
    const ProcessResult probe = runProcess(QStringLiteral("ffprobe"),
                                           {QStringLiteral("-v"),
                                            QStringLiteral("error"),
                                            QStringLiteral("-select_streams"),
                                            stream,
                                            QStringLiteral("-show_entries"),
                                            QStringLiteral("stream=duration"),
                                            QStringLiteral("-of"),
                                            QStringLiteral("csv=p=0"),
                                            file});
    bool ok = false;
    const double seconds = QString::fromUtf8(probe.out).trimmed().toDouble(&ok);
    return ok ? seconds : -1;
}

// The mean PSNR in dB of the first video stream of a clip against the span of the source,
// measured by the real converter's psnr filter with the pictures paired by their order (the
// two files' time stamps may round differently); -1 when it cannot be read.
double psnrAgainst(const QString &clip, const QString &source, double from, double length)
{
    const ProcessResult run
            = runProcess(QStringLiteral("ffmpeg"),
                         {QStringLiteral("-hide_banner"),
                          QStringLiteral("-t"),
                          QString::number(length),
                          QStringLiteral("-i"),
                          clip,
                          QStringLiteral("-ss"),
                          QString::number(from),
                          QStringLiteral("-t"),
                          QString::number(length),
                          QStringLiteral("-i"),
                          source,
                          QStringLiteral("-lavfi"),
                          QStringLiteral("[0:v:0]setpts=N[a];[1:v:0]setpts=N[b];[a][b]psnr"),
                          QStringLiteral("-f"),
                          QStringLiteral("null"),
                          QStringLiteral("-")});
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("average:([0-9.]+)"))
                                                  .match(QString::fromUtf8(run.out + run.err));
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

} // namespace

class TestExportJob : public QObject
{
    Q_OBJECT

    QByteArray m_path;

    // A generated recording placed under a camera's name in folder; with reorder, remuxed by
    // the converter with these maps first (streams before the video streams).
    QString source(const QStringList &options,
                   const QString &name,
                   const QStringList &reorder,
                   const QString &folder)
    {
        const QString made = TestRecordings::make(QStringLiteral("export-%1.%2")
                                                          .arg(options.join(QString()))
                                                          .arg(QFileInfo(name).suffix().toLower()),
                                                  options);
        if (made.isEmpty())
            return QString();
        const QString target = folder + QLatin1Char('/') + name;
        // A log beside the recording goes with it, named after it.
        for (const char *suffix : {".nmea", ".gpx"}) {
            const QString beside = made.left(made.lastIndexOf(QLatin1Char('.'))) + suffix;
            if (QFile::exists(beside)
                && !QFile::copy(beside, target.left(target.lastIndexOf(QLatin1Char('.'))) + suffix))
                return QString();
        }
        if (reorder.isEmpty())
            return QFile::copy(made, target) ? target : QString();
        QStringList args {
                QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), made};
        for (const QString &map : reorder)
            args << QStringLiteral("-map") << map;
        args << QStringLiteral("-c") << QStringLiteral("copy") << QStringLiteral("-f")
             << QStringLiteral("mp4") << target;
        const ProcessResult remux = runProcess(QStringLiteral("ffmpeg"), args);
        return remux.exitCode == 0 ? target : QString();
    }

private slots:
    void initTestCase() { m_path = qgetenv("PATH"); }
    void cleanup() { qputenv("PATH", m_path); }

    void exportRecording_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("reorder"); // maps that put streams before the video
        QTest::addColumn<bool>("repaired"); // export the repaired copy of the recording
        QTest::addColumn<int>("mode");
        // Per output: "file name|stream types|channel of each video stream".
        QTest::addColumn<QStringList>("expected");

        const QString audio = QStringLiteral("--audio");
        const QStringList subtitle {QStringLiteral("--telemetry"), QStringLiteral("subtitle")};
        const QStringList data {QStringLiteral("--telemetry"), QStringLiteral("data")};
        const QStringList atom {QStringLiteral("--telemetry"), QStringLiteral("tlmd")};
        const QStringList damaged {QStringLiteral("--damage"), QStringLiteral("avi-no-index")};

        QTest::newRow("one channel with audio, original: the same bytes")
                << (channels(1) << audio << atom) << QStringLiteral("20240101_100000D.mp4")
                << QStringList() << false << int(ExportPlan::Original)
                << QStringList {QStringLiteral("20240101_100000D.mp4|video,audio|1")};
        QTest::newRow("two channels, audio and timed text, separate")
                << (channels(2) << audio << subtitle) << QStringLiteral("20240101_100100D.mp4")
                << QStringList() << false << int(ExportPlan::Separate)
                << QStringList {QStringLiteral("20240101_100100D_f.mp4|video,audio,subtitle|1"),
                                QStringLiteral("20240101_100100D_r.mp4|video,audio,subtitle|2")};
        QTest::newRow("three channels without audio, atom only, upper-case suffix, separate")
                << (channels(3) << atom) << QStringLiteral("20240101_100200E.MP4") << QStringList()
                << false << int(ExportPlan::Separate)
                << QStringList {QStringLiteral("20240101_100200E_f.mp4|video|1"),
                                QStringLiteral("20240101_100200E_r.mp4|video|2"),
                                QStringLiteral("20240101_100200E_i.mp4|video|3")};
        QTest::newRow("three channels, audio, timed text and atom, mixed-case suffix, separate")
                << (channels(3) << audio << subtitle << atom)
                << QStringLiteral("20240101_100300D.Mp4") << QStringList() << false
                << int(ExportPlan::Separate)
                << QStringList {QStringLiteral("20240101_100300D_f.mp4|video,audio,subtitle|1"),
                                QStringLiteral("20240101_100300D_r.mp4|video,audio,subtitle|2"),
                                QStringLiteral("20240101_100300D_i.mp4|video,audio,subtitle|3")};
        QTest::newRow("audio and data streams before the video, separate")
                << (channels(2) << audio << data) << QStringLiteral("20240101_100400D.mp4")
                << QStringList {QStringLiteral("0:a"), QStringLiteral("0:d"), QStringLiteral("0:v")}
                << false << int(ExportPlan::Separate)
                << QStringList {QStringLiteral("20240101_100400D_f.mp4|video,audio,data|1"),
                                QStringLiteral("20240101_100400D_r.mp4|video,audio,data|2")};
        QTest::newRow("two channels with audio in AVI, separate")
                << (channels(2) << audio) << QStringLiteral("20240101_100500P.avi") << QStringList()
                << false << int(ExportPlan::Separate)
                << QStringList {QStringLiteral("20240101_100500P_f.avi|video,audio|1"),
                                QStringLiteral("20240101_100500P_r.avi|video,audio|2")};
        QTest::newRow("the repaired copy, original: the recording's name, through the converter")
                << (channels(2) << damaged) << QStringLiteral("20240101_100600D.avi")
                << QStringList() << true << int(ExportPlan::Original)
                << QStringList {QStringLiteral("20240101_100600D.avi|video,video|1,2")};
        QTest::newRow("the repaired copy, separate")
                << (channels(2) << damaged) << QStringLiteral("20240101_100700D.avi")
                << QStringList() << true << int(ExportPlan::Separate)
                << QStringList {QStringLiteral("20240101_100700D_f.avi|video|1"),
                                QStringLiteral("20240101_100700D_r.avi|video|2")};
    }

    // Every output has the streams of its channel, the pictures of its channel and the
    // telemetry of the recording; nothing else is left in the folder.
    void exportRecording()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, name);
        QFETCH(QStringList, reorder);
        QFETCH(bool, repaired);
        QFETCH(int, mode);
        QFETCH(QStringList, expected);

        QTemporaryDir recordings;
        QTemporaryDir out;
        QString path = source(options, name, reorder, recordings.path());
        QVERIFY(!path.isEmpty());
        const QString original = path;
        if (repaired) {
            MediaInfo info;
            path = info.repairRecording(path, recordings.path());
            QVERIFY(!path.isEmpty());
        }

        ExportPlan::Source src;
        QString error;
        QVERIFY2(ExportPlan::probe(path, &src, &error), qPrintable(error));
        src.repairedCopy = repaired;
        src.telemetryPath = original;
        const ExportPlan plan(src, ExportPlan::Mode(mode), out.path());
        QVERIFY2(plan.isValid(), qPrintable(plan.problemText()));

        ExportJob job;
        QSignalSpy progress(&job, &ExportJob::progress);
        const ExportJob::Result result = job.run(plan);
        QVERIFY2(result.ok,
                 qPrintable(result.errorText + QLatin1Char('\n') + result.converterOutput));
        QCOMPARE(progress.last().at(0).toInt(), 100);

        QStringList names;
        for (const QString &row : expected)
            names << row.section(QLatin1Char('|'), 0, 0);
        QStringList sortedNames = names;
        sortedNames.sort();
        QCOMPARE(filesIn(out.path()), sortedNames);
        QCOMPARE(result.outputs.size(), names.size());

        const QStringList sourceTelemetry = telemetryOf(original);
        const QByteArray sourceAtom = AtomReader::readTelemetry(original);
        for (int i = 0; i < expected.size(); ++i) {
            const QString file = out.filePath(names.at(i));
            QCOMPARE(result.outputs.at(i), file);
            QCOMPARE(streamTypes(file), expected.at(i).section(QLatin1Char('|'), 1, 1));
            QCOMPARE(videoChannels(file), expected.at(i).section(QLatin1Char('|'), 2, 2));
            if (!repaired) {
                // the map, the meter and the speed of the exported file are the recording's
                QCOMPARE(telemetryOf(file), sourceTelemetry);
                if (ExportPlan::isMp4Name(file))
                    QCOMPARE(AtomReader::readTelemetry(file), sourceAtom);
            }
            if (mode == ExportPlan::Original && !repaired)
                QVERIFY(bytesOf(file) == bytesOf(original));
        }
        if (options.contains(QStringLiteral("tlmd")) || options.contains(QStringLiteral("subtitle"))
            || options.contains(QStringLiteral("data")))
            QVERIFY(sourceTelemetry.size() > 10);
    }

    void clip_data()
    {
        QTest::addColumn<QStringList>("second"); // a second recording: the clip cuts the trip
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<QVector<int>>("channels"); // ExportPlan::Channel; empty: all
        // Per video stream of the clip: "frames shown|frames in the file" as frameSpan gives.
        QTest::addColumn<QStringList>("frames");
        // The source's samples the clip holds: GPS [first, last), G-sensor [first, last).
        QTest::addColumn<QVector<int>>("samples");
        // Where the recordings hold their telemetry (make-recording's options).
        QTest::addColumn<QStringList>("telemetry");

        // Key frames every 30 pictures (1 s); GPS 1 Hz, G-sensor 10 Hz.
        const QStringList none;
        const QStringList tlmd {QStringLiteral("--telemetry"), QStringLiteral("tlmd")};
        QTest::newRow("lossless, in mark between key frames: the copy begins at the key frame")
                << none << 2.5 << 4.5 << false << QVector<int>()
                << QStringList {QStringLiteral("75-134/60/1|60-134/75/1"),
                                QStringLiteral("75-134/60/2|60-134/75/2")}
                << QVector<int> {2, 4, 25, 45} << tlmd;
        QTest::newRow("lossless, in mark on a key frame, rear channel only")
                << none << 1.0 << 2.0 << false << QVector<int> {int(ExportPlan::Rear)}
                << QStringList {QStringLiteral("30-59/30/2|30-59/30/2")}
                << QVector<int> {1, 2, 10, 20} << tlmd;
        QTest::newRow("exact: the marked frames, both channels")
                << none << 2.5 << 4.5 << true << QVector<int>()
                << QStringList {QStringLiteral("75-134/60/1|75-134/60/1"),
                                QStringLiteral("75-134/60/2|75-134/60/2")}
                << QVector<int> {2, 4, 25, 45} << tlmd;
        const QStringList matching {QStringLiteral("--video"),
                                    QStringLiteral("160x90"),
                                    QStringLiteral("--video"),
                                    QStringLiteral("160x90")};
        QTest::newRow("across the boundary of a trip, lossless")
                << matching << 4.5 << 6.0 << false << QVector<int>()
                << QStringList {QStringLiteral("135-179/45/1|120-179/60/1"),
                                QStringLiteral("135-179/45/2|120-179/60/2")}
                << QVector<int> {4, 6, 45, 60} << tlmd;
        // The second recording's pictures are larger: the trip cannot be copied and is
        // re-encoded at the first recording's size.
        QTest::newRow("across the boundary of a trip whose streams differ: exact")
                << QStringList {QStringLiteral("--video"),
                                QStringLiteral("320x180"),
                                QStringLiteral("--video"),
                                QStringLiteral("320x180")}
                << 4.5 << 6.0 << false << QVector<int>()
                << QStringList {QStringLiteral("135-179/45/1|135-179/45/1"),
                                QStringLiteral("135-179/45/2|135-179/45/2")}
                << QVector<int> {4, 6, 45, 60} << tlmd;
        // The clip's atom is written from the samples whatever their source.
        QTest::newRow("lossless, GPS and accelerometer from a GPMF track")
                << none << 2.5 << 4.5 << false << QVector<int>()
                << QStringList {QStringLiteral("75-134/60/1|60-134/75/1"),
                                QStringLiteral("75-134/60/2|60-134/75/2")}
                << QVector<int> {2, 4, 25, 45}
                << QStringList {QStringLiteral("--telemetry"),
                                QStringLiteral("gpmf"),
                                QStringLiteral("--gsensor-rate"),
                                QStringLiteral("10")};
        QTest::newRow("exact, GPS from an NMEA log beside the recording")
                << none << 1.5 << 4.0 << true << QVector<int>()
                << QStringList {QStringLiteral("45-119/75/1|45-119/75/1"),
                                QStringLiteral("45-119/75/2|45-119/75/2")}
                << QVector<int> {1, 4, 0, 0}
                << QStringList {QStringLiteral("--sidecar"), QStringLiteral("nmea")};
        QTest::newRow("lossless, GPS from a GPX log beside each recording of a trip")
                << matching << 4.5 << 6.0 << false << QVector<int>()
                << QStringList {QStringLiteral("135-179/45/1|120-179/60/1"),
                                QStringLiteral("135-179/45/2|120-179/60/2")}
                << QVector<int> {4, 6, 0, 0}
                << QStringList {QStringLiteral("--sidecar"), QStringLiteral("gpx")};
    }

    // A clip shows the span's pictures (read back from the frame numbers), holds the audio of
    // the span and only the span's telemetry samples, re-timed to start at 0.
    void clip()
    {
        QFETCH(QStringList, second);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(bool, exact);
        QFETCH(QVector<int>, channels);
        QFETCH(QStringList, frames);
        QFETCH(QVector<int>, samples);
        QFETCH(QStringList, telemetry);

        QTemporaryDir recordings;
        QTemporaryDir out;
        // The generator's GPS clock starts when the file's name says, in this machine's zone,
        // so that a log beside the file lines up with it.
        const auto startOf = [](int second) {
            return QStringList {QStringLiteral("--start-time"),
                                QDateTime(QDate(2024, 1, 1), QTime(13, 0, second), Qt::LocalTime)
                                        .toUTC()
                                        .toString(Qt::ISODate)};
        };
        const QStringList common = QStringList {QStringLiteral("--audio")} + telemetry
                << QStringLiteral("--duration");
        QStringList options = startOf(0) + common;
        options << (second.isEmpty() ? QStringLiteral("6") : QStringLiteral("5"))
                << QStringLiteral("--video") << QStringLiteral("160x90")
                << QStringLiteral("--video") << QStringLiteral("160x90");
        const QString first
                = source(options, QStringLiteral("20240101_130000D.mp4"), {}, recordings.path());
        QVERIFY(!first.isEmpty());
        QString path = first;
        QVector<TripTimeline::File> files {{first, 5000000}};
        if (!second.isEmpty()) {
            const QString next = source(
                    startOf(5) + common << QStringLiteral("5") << QStringLiteral("--first-frame")
                                        << QStringLiteral("150") << QStringLiteral("--seed")
                                        << QStringLiteral("1") << second,
                    QStringLiteral("20240101_130005D.mp4"),
                    {},
                    recordings.path());
            QVERIFY(!next.isEmpty());
            files << TripTimeline::File {next, 5000000};
            path = recordings.filePath(QStringLiteral("trip.ffconcat"));
            QFile list(path);
            QVERIFY(list.open(QIODevice::WriteOnly));
            list.write(TripTimeline(files).toConcatList());
            list.close();
        }

        ExportPlan::Source src;
        QString error;
        QVERIFY2(ExportPlan::probe(path, &src, &error), qPrintable(error));
        ExportPlan::Span span;
        span.from = from;
        span.to = to;
        span.exact = exact;
        for (int channel : channels)
            span.channels << ExportPlan::Channel(channel);
        const ExportPlan plan(src, span, out.path());
        QVERIFY2(plan.isValid(), qPrintable(plan.problemText()));
        QCOMPARE(plan.span().exact, exact || !src.streamsMatch);

        ExportJob job;
        QSignalSpy progress(&job, &ExportJob::progress);
        const ExportJob::Result result = job.run(plan);
        QVERIFY2(result.ok,
                 qPrintable(result.errorText + QLatin1Char('\n') + result.converterOutput));
        QCOMPARE(progress.last().at(0).toInt(), 100);
        // named after the in mark's moment
        const QString name = QStringLiteral("20240101_1300%1D_clip.mp4")
                                     .arg(int(from), 2, 10, QLatin1Char('0'));
        QCOMPARE(filesIn(out.path()), QStringList {name});
        const QString clip = out.filePath(name);
        QCOMPARE(result.outputs, QStringList {clip});

        QStringList read;
        for (int v = 0; v < frames.size(); ++v)
            read << frameSpan(clip, v, false) + QLatin1Char('|') + frameSpan(clip, v, true);
        QCOMPARE(read, frames);
        QCOMPARE(streamTypes(clip),
                 QStringList(QVector<QString>(frames.size(), QStringLiteral("video")).toList())
                                 .join(QLatin1Char(','))
                         + QStringLiteral(",audio"));
        const double audio = streamSeconds(clip, QStringLiteral("a:0"));
        QVERIFY2(std::abs(audio - (to - from)) < 0.05, qPrintable(QString::number(audio)));
        if (plan.span().exact) {
            // 43 dB at these small, noisy pictures (docs/clips.md); 35 dB would be visibly
            // blurred.
            // Against the first recording's part: the second one's may have been scaled.
            const double psnr = psnrAgainst(
                    clip, first, from, (second.isEmpty() ? to : std::min(to, 5.0)) - from);
            QVERIFY2(psnr >= 40, qPrintable(QString::number(psnr)));
        }

        // The samples of the span as the viewer reads them from the recordings, and the clip
        // plays them from its start.
        QVector<GpsSample> sourceGps;
        QVector<GSensorSample> sourceGsensor;
        for (const TripTimeline::File &file : files) {
            QVector<GpsSample> gps;
            QVector<GSensorSample> gsensor;
            samplesOf(file.path, &gps, &gsensor);
            sourceGps += gps;
            sourceGsensor += gsensor;
        }
        QVector<GpsSample> clipGps;
        QVector<GSensorSample> clipGsensor;
        samplesOf(clip, &clipGps, &clipGsensor);
        const QString difference
                = sampleDifference(clipGps,
                                   sourceGps.mid(samples.at(0), samples.at(1) - samples.at(0)),
                                   clipGsensor,
                                   sourceGsensor.mid(samples.at(2), samples.at(3) - samples.at(2)));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QVERIFY(!clipGps.isEmpty());
        av::FormatContextPtr ctx = av::openInput(clip);
        QVERIFY(ctx);
        TelemetryTrack track;
        track.load(ctx.get(), clip);
        QCOMPARE(track.source(), QStringLiteral("tlmd"));
        QCOMPARE(track.gpsIndexAt(0), 0);
        QCOMPARE(track.gsensorIndexAt(0), clipGsensor.isEmpty() ? -1 : 0);
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("standIn"); // the ffmpeg found on PATH; empty: none at all
        QTest::addColumn<bool>("cancel"); // cancel as soon as the first output appears
        QTest::addColumn<QString>("failedOutput");
        QTest::addColumn<QString>("error");

        QTest::newRow("converter missing") << QByteArray() << false << QStringLiteral("_f.mp4")
                                           << QStringLiteral("could not be started");
        QTest::newRow("converter crashes on the second file")
                << QByteArray("case \"$out\" in *_r.mp4) kill -SEGV $$;; esac\n"
                              "exec /usr/bin/ffmpeg \"$@\"")
                << false << QStringLiteral("_r.mp4") << QStringLiteral("crashed");
        QTest::newRow("converter fails on the second file")
                << QByteArray("/usr/bin/ffmpeg \"$@\" || exit\n"
                              "case \"$out\" in *_r.mp4) exit 1;; esac")
                << false << QStringLiteral("_r.mp4") << QStringLiteral("exit code 1");
        QTest::newRow("converter writes nothing")
                << QByteArray("exit 0") << false << QStringLiteral("_f.mp4")
                << QStringLiteral("no video packet");
        QTest::newRow("converter reports a missing file")
                << QByteArray("echo \"x.mp4: No such file or directory\" >&2\n"
                              "exec /usr/bin/ffmpeg \"$@\"")
                << false << QStringLiteral("_f.mp4") << QStringLiteral("missing file");
        // The stand-in has begun its output (a copy of its input) and waits.
        QTest::newRow("cancelled during a run")
                << QByteArray("/bin/cp \"$6\" \"$out\"\necho progress=continue\n"
                              "exec /bin/sleep 30")
                << true << QString() << QStringLiteral("cancelled");
    }

    // A failed or cancelled export says so and leaves no file behind.
    void failures()
    {
        QFETCH(QByteArray, standIn);
        QFETCH(bool, cancel);
        QFETCH(QString, failedOutput);
        QFETCH(QString, error);

        QTemporaryDir recordings;
        QTemporaryDir out;
        QTemporaryDir bin;
        const QString path = source(channels(2) << QStringLiteral("--audio"),
                                    QStringLiteral("20240101_110000D.mp4"),
                                    {},
                                    recordings.path());
        QVERIFY(!path.isEmpty());
        ExportPlan::Source src;
        QString probeError;
        QVERIFY(ExportPlan::probe(path, &src, &probeError));
        const ExportPlan plan(src, ExportPlan::Separate, out.path());
        QVERIFY(plan.isValid());

        if (!standIn.isEmpty())
            QVERIFY(writeStandIn(bin, standIn));
        qputenv("PATH", QFile::encodeName(bin.path()));

        ExportJob job;
        QSignalSpy finished(&job, &ExportJob::finished);
        if (cancel) {
            connect(&job, &ExportJob::outputLine, &job, [&] {
                if (QFile::exists(plan.outputPaths().first()))
                    job.cancel();
            });
        }
        QVERIFY(job.start(plan));
        QVERIFY(!job.start(plan)); // one export at a time
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        const auto result = finished.first().first().value<ExportJob::Result>();
        QVERIFY(!result.ok);
        QCOMPARE(result.cancelled, cancel);
        QVERIFY2(result.errorText.contains(error), qPrintable(result.errorText));
        if (!failedOutput.isEmpty())
            QVERIFY2(result.failedOutput.endsWith(failedOutput), qPrintable(result.failedOutput));
        QVERIFY(result.outputs.isEmpty());
        QCOMPARE(filesIn(out.path()), QStringList());
        QVERIFY(!job.isRunning());
    }

    // An output never lands on the recording (nor on the one a repaired copy was made from);
    // outputs already there are named before anything is written.
    void plan_refusesTheSourceAndNamesExistingOutputs()
    {
        QTemporaryDir folder;
        const QString path
                = source(channels(2), QStringLiteral("20240101_120000D.mp4"), {}, folder.path());
        QVERIFY(!path.isEmpty());
        ExportPlan::Source src;
        QString error;
        QVERIFY(ExportPlan::probe(path, &src, &error));

        QCOMPARE(ExportPlan(src, ExportPlan::Original, folder.path()).problem(),
                 ExportPlan::OverSource);
        QCOMPARE(ExportPlan(src, ExportPlan::Original, folder.path() + QStringLiteral("/./"))
                         .problem(),
                 ExportPlan::OverSource);
        const ExportPlan beside(src, ExportPlan::Separate, folder.path());
        QVERIFY(beside.isValid());
        QCOMPARE(beside.existingOutputs(), QStringList());
        QFile rear(folder.filePath(QStringLiteral("20240101_120000D_r.mp4")));
        QVERIFY(rear.open(QIODevice::WriteOnly));
        rear.close();
        QCOMPARE(beside.existingOutputs(), QStringList {rear.fileName()});

        ExportPlan::Source copy = src;
        copy.path = folder.filePath(QStringLiteral("20240101_120000Dtmp.mp4"));
        copy.repairedCopy = true;
        QCOMPARE(ExportPlan(copy, ExportPlan::Original, folder.path()).problem(),
                 ExportPlan::OverSource);
        QCOMPARE(ExportPlan(src, ExportPlan::Separate, QString()).problem(),
                 ExportPlan::NoOutputFolder);
        ExportPlan::Span span;
        span.from = 1.5;
        span.to = 1.5;
        QCOMPARE(ExportPlan(src, span, folder.path()).problem(), ExportPlan::BadSpan);
        span.from = src.duration; // an in mark at the end leaves nothing
        span.to = src.duration + 1;
        QCOMPARE(ExportPlan(src, span, folder.path()).problem(), ExportPlan::BadSpan);
        span.from = 0.5;
        span.to = 1.0;
        span.channels = {ExportPlan::Interior};
        QCOMPARE(ExportPlan(src, span, folder.path()).problem(), ExportPlan::NoSuchChannel);
        span.channels.clear();
        const ExportPlan clip(src, span, folder.path());
        QCOMPARE(clip.outputPaths(), QStringList {folder.filePath("20240101_120000D_clip.mp4")});
        QCOMPARE(ExportPlan::clipName(QStringLiteral("front.MP4"), 12.25),
                 QStringLiteral("front_12.3s_clip.mp4"));
        QCOMPARE(ExportPlan::clipName(QStringLiteral("20231231_235959E_F.MP4"), 61.9),
                 QStringLiteral("20240101_000100E_F_clip.mp4"));
        src.channelStreams = {{0, -1, -1}};
        QCOMPARE(ExportPlan(src, ExportPlan::Separate, folder.path()).problem(),
                 ExportPlan::NothingToSplit);
        QCOMPARE(ExportPlan(ExportPlan::Source(), ExportPlan::Original, folder.path()).problem(),
                 ExportPlan::NoSource);
    }
};

QTEST_GUILESS_MAIN(TestExportJob)
#include "tst_exportjob.moc"
