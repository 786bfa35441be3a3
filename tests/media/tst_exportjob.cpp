// The export of a recording as one file or one file per channel, with the real converter on
// generated recordings (and stand-in converters on PATH for its failures); every output is
// read back with ffprobe, the frame-number pattern of its pictures and the telemetry parser.
#include "media/atomreader.h"
#include "media/avinput.h"
#include "media/exportjob.h"
#include "media/exportplan.h"
#include "media/mediainfo.h"
#include "media/telemetrytrack.h"
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
        src.channelStreams = {{0, -1, -1}};
        QCOMPARE(ExportPlan(src, ExportPlan::Separate, folder.path()).problem(),
                 ExportPlan::NothingToSplit);
        QCOMPARE(ExportPlan(ExportPlan::Source(), ExportPlan::Original, folder.path()).problem(),
                 ExportPlan::NoSource);
    }
};

QTEST_GUILESS_MAIN(TestExportJob)
#include "tst_exportjob.moc"
