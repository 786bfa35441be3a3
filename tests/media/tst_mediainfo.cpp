// The recording probe, the play-state bookkeeping and the repair of damaged recordings,
// on recordings written by make-recording and by the real ffmpeg program.
#include "logcapture.h"
#include "media/globalsettings.h"
#include "media/mediainfo.h"
#include "testpaths.h"
#include "testrecordings.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

// Writes a file of the given bytes into dir and returns its path.
QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QByteArray randomBytes(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = seed;
    for (int i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>(state >> 24);
    }
    return bytes;
}

// Runs the real ffmpeg program; true when it succeeded.
bool ffmpeg(const QStringList &args)
{
    const ProcessResult r = runProcess(
            QStringLiteral("ffmpeg"),
            QStringList {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y")}
                    + args);
    if (!r.finished || r.exitCode != 0)
        qWarning() << "ffmpeg failed:" << r.err;
    return r.finished && r.exitCode == 0;
}

} // namespace

class TestMediaInfo : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        qRegisterMetaType<MediaContext *>();
        QVERIFY(m_dir.isValid());
    }

    void init() { GlobalSettings::resetToDefaults(); }

    void probe_threeChannelsWithAudioAndTelemetry()
    {
        const QString file = TestRecordings::make(QStringLiteral("three.mp4"),
                                                  {QStringLiteral("--video"),
                                                   QStringLiteral("320x180"),
                                                   QStringLiteral("--video"),
                                                   QStringLiteral("240x136"),
                                                   QStringLiteral("--video"),
                                                   QStringLiteral("160x90"),
                                                   QStringLiteral("--audio"),
                                                   QStringLiteral("--telemetry"),
                                                   QStringLiteral("subtitle"),
                                                   QStringLiteral("--duration"),
                                                   QStringLiteral("2")});
        QVERIFY(!file.isEmpty());

        MediaInfo info;
        QSignalSpy spy(&info, &MediaInfo::mediaInfoStateChanged);
        LogCapture log;
        QCOMPARE(info.init(file), 0);

        QCOMPARE(info.videoCount(), 3);
        QCOMPARE(info.audioCount(), 1);
        QCOMPARE(info.otherCount(), 1);
        QCOMPARE(info.front(), 0);
        QCOMPARE(info.rear(), 1);
        QCOMPARE(info.inner(), 2);
        QCOMPARE(info.surround(), -1);
        QVERIFY(qAbs(info.duration() - 2.0) < 0.1);
        QVERIFY2(qAbs(info.totalFrames() - 60) <= 2,
                 qPrintable(QString::number(info.totalFrames())));
        QVERIFY(!info.isDamaged());
        QCOMPARE(info.state(), int(MediaInfo::Stopped));
        QCOMPARE(info.currentPath(), file);

        const StreamInfo &rear = info.streamInfo(1);
        QCOMPARE(rear.width, 240);
        QCOMPARE(rear.height, 136);
        QCOMPARE(rear.aspect, 136.0 / 240.0);
        QCOMPARE(rear.pixelFormat, int(AV_PIX_FMT_YUV420P));
        QCOMPARE(rear.seekingSeq, -1);
        QCOMPARE(rear.displayedSeq, -1);
        const StreamInfo &audio = info.streamInfo(3);
        QCOMPARE(audio.mediaType, int(AVMEDIA_TYPE_AUDIO));
        QCOMPARE(audio.sampleRate, 48000);
        QCOMPARE(audio.channels, 2);
        QCOMPARE(audio.width, 0);
        QCOMPARE(audio.pixelFormat, -1);

        // reset announces Idle, the probe Stopped
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(3).toInt(), int(MediaInfo::Idle));
        QCOMPARE(spy.at(1).at(2).toInt(), int(MediaInfo::Idle));
        QCOMPARE(spy.at(1).at(3).toInt(), int(MediaInfo::Stopped));
        QVERIFY(log.contains(
                QStringLiteral("video indices: front 0 , rear 1 , inner 2 , surround -1")));
        QVERIFY(log.contains(QStringLiteral("map exists (valid file)")));
        QVERIFY(log.contains(QStringLiteral("[Index vs Reality Check]")));
    }

    void probe_roles_data()
    {
        QTest::addColumn<QStringList>("videos");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("front");
        QTest::addColumn<int>("rear");
        QTest::addColumn<int>("inner");
        QTest::addColumn<int>("surround");

        QTest::newRow("square on a surround model")
                << QStringList {QStringLiteral("288x288")} << "ZRA" << 0 << -1 << 0 << 0;
        QTest::newRow("square on another model")
                << QStringList {QStringLiteral("288x288")} << "ZRD" << 0 << -1 << -1 << -1;
        QTest::newRow("four streams: last is inner") << QStringList {QStringLiteral("160x90"),
                                                                     QStringLiteral("160x90"),
                                                                     QStringLiteral("160x90"),
                                                                     QStringLiteral("160x90")}
                                                     << "ZRA" << 0 << 1 << 3 << -1;
        QTest::newRow("two streams")
                << QStringList {QStringLiteral("320x180"), QStringLiteral("160x90")} << "ZRB" << 0
                << 1 << -1 << -1;
    }

    void probe_roles()
    {
        QFETCH(QStringList, videos);
        QFETCH(QString, model);
        QFETCH(int, front);
        QFETCH(int, rear);
        QFETCH(int, inner);
        QFETCH(int, surround);

        QStringList options {QStringLiteral("--duration"), QStringLiteral("1")};
        for (const QString &v : videos)
            options << QStringLiteral("--video") << v;
        const QString file = TestRecordings::make(QStringLiteral("roles.mp4"), options);
        QVERIFY(!file.isEmpty());

        GlobalSettings::applyProductModel(model);
        MediaInfo info;
        QCOMPARE(info.init(file), 0);
        QCOMPARE(info.videoCount(), videos.size());
        QCOMPARE(info.front(), front);
        QCOMPARE(info.rear(), rear);
        QCOMPARE(info.inner(), inner);
        QCOMPARE(info.surround(), surround);
        QCOMPARE(info.hasSurroundStream(), surround >= 0);
        QCOMPARE(info.streamInfo(0).isSurround, surround == 0);
    }

    // An audio stream first has no frame rate: the frame count is 0, not garbage.
    void probe_audioFirst_hasNoFrameCount()
    {
        const QString source = TestRecordings::make(QStringLiteral("av.mp4"),
                                                    {QStringLiteral("--video"),
                                                     QStringLiteral("160x90"),
                                                     QStringLiteral("--audio"),
                                                     QStringLiteral("--duration"),
                                                     QStringLiteral("1")});
        QVERIFY(!source.isEmpty());
        const QString reordered = m_dir.filePath(QStringLiteral("audiofirst.mp4"));
        QVERIFY(ffmpeg({QStringLiteral("-i"),
                        source,
                        QStringLiteral("-map"),
                        QStringLiteral("0:a"),
                        QStringLiteral("-map"),
                        QStringLiteral("0:v"),
                        QStringLiteral("-c"),
                        QStringLiteral("copy"),
                        reordered}));
        MediaInfo info;
        QCOMPARE(info.init(reordered), 0);
        QCOMPARE(info.totalFrames(), int64_t(0));
        QCOMPARE(info.videoCount(), 1);
        QCOMPARE(info.front(), 1);
    }

    void probe_audioOnly_hasNoChannels()
    {
        const QString file = m_dir.filePath(QStringLiteral("tone.m4a"));
        QVERIFY(ffmpeg({QStringLiteral("-f"),
                        QStringLiteral("lavfi"),
                        QStringLiteral("-i"),
                        QStringLiteral("sine=frequency=440:duration=1"),
                        file}));
        MediaInfo info;
        QCOMPARE(info.init(file), 0);
        QCOMPARE(info.videoCount(), 0);
        QCOMPARE(info.audioCount(), 1);
        QCOMPARE(info.front(), -1);
        QCOMPARE(info.totalFrames(), int64_t(0));
    }

    void probe_attachmentStream_hasNoRecord()
    {
        const QString source = TestRecordings::make(QStringLiteral("one.mp4"),
                                                    {QStringLiteral("--video"),
                                                     QStringLiteral("160x90"),
                                                     QStringLiteral("--duration"),
                                                     QStringLiteral("1")});
        QVERIFY(!source.isEmpty());
        const QString font = writeFile(m_dir, QStringLiteral("note.txt"), "attached");
        const QString file = m_dir.filePath(QStringLiteral("attached.mkv"));
        QVERIFY(ffmpeg({QStringLiteral("-i"),
                        source,
                        QStringLiteral("-attach"),
                        font,
                        QStringLiteral("-metadata:s:t"),
                        QStringLiteral("mimetype=text/plain"),
                        QStringLiteral("-c"),
                        QStringLiteral("copy"),
                        file}));
        MediaInfo info;
        QCOMPARE(info.init(file), 0);
        QCOMPARE(info.videoCount(), 1);
        QCOMPARE(info.otherCount(), 0);
        QCOMPARE(int(info.streamInfos().size()), 1);
        QVERIFY(!info.hasStreamInfo(1));
    }

    void probe_damage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("damaged");

        QTest::newRow("intact mp4") << "ok.mp4"
                                    << "" << false;
        QTest::newRow("intact avi") << "ok.avi"
                                    << "" << false;
        QTest::newRow("avi cut before its index") << "cut.avi"
                                                  << "avi-no-index" << true;
        QTest::newRow("mp4 with hidden fragments") << "frag.mp4"
                                                   << "mp4-hidden-fragments" << true;
    }

    void probe_damage()
    {
        QFETCH(QString, name);
        QFETCH(QString, damage);
        QFETCH(bool, damaged);

        QStringList options {QStringLiteral("--video"),
                             QStringLiteral("160x90"),
                             QStringLiteral("--video"),
                             QStringLiteral("160x90"),
                             QStringLiteral("--duration"),
                             QStringLiteral("2")};
        if (!damage.isEmpty())
            options << QStringLiteral("--damage") << damage;
        const QString file = TestRecordings::make(name, options);
        QVERIFY(!file.isEmpty());
        MediaInfo info;
        LogCapture log;
        QCOMPARE(info.init(file), 0);
        QCOMPARE(info.isDamaged(), damaged);
        QCOMPARE(log.contains(QStringLiteral("No map! (invalid file)")), damaged);
        QCOMPARE(info.state(), int(MediaInfo::Stopped));
    }

    void probe_badInput_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing path") << "missing";
        QTest::newRow("empty file") << "empty";
        QTest::newRow("random bytes") << "random";
        QTest::newRow("text file") << "text";
        QTest::newRow("mp4 without moov") << "nomoov";
        QTest::newRow("mp4 cut to a few bytes") << "truncated";
        QTest::newRow("folder") << "folder";
    }

    void probe_badInput()
    {
        QFETCH(QString, kind);
        QString path;
        if (kind == QLatin1String("missing")) {
            path = m_dir.filePath(QStringLiteral("nothing-here.mp4"));
        } else if (kind == QLatin1String("empty")) {
            path = writeFile(m_dir, QStringLiteral("empty.mp4"), QByteArray());
        } else if (kind == QLatin1String("random")) {
            path = writeFile(m_dir, QStringLiteral("random.mp4"), randomBytes(65536, 7));
        } else if (kind == QLatin1String("text")) {
            path = writeFile(m_dir, QStringLiteral("notes.avi"), "this is not a recording\n");
        } else if (kind == QLatin1String("nomoov")) {
            path = TestRecordings::make(QStringLiteral("nomoov.mp4"),
                                        {QStringLiteral("--video"),
                                         QStringLiteral("160x90"),
                                         QStringLiteral("--damage"),
                                         QStringLiteral("mp4-no-moov")});
        } else if (kind == QLatin1String("truncated")) {
            const QString file
                    = TestRecordings::make(QStringLiteral("whole.mp4"),
                                           {QStringLiteral("--video"), QStringLiteral("160x90")});
            QFile in(file);
            QVERIFY(in.open(QIODevice::ReadOnly));
            path = writeFile(m_dir, QStringLiteral("short.mp4"), in.read(24));
        } else {
            path = m_dir.path();
        }
        QVERIFY(!path.isEmpty());

        MediaInfo info;
        LogCapture log;
        const int ret = info.init(path);
        QVERIFY2(ret < 0, qPrintable(QString::number(ret)));
        QVERIFY(log.contains(QStringLiteral(" open error: "))
                || log.contains(QStringLiteral(" stream info error: ")));
        // left reset: Idle until the caller decides
        QCOMPARE(info.state(), int(MediaInfo::Idle));
        QCOMPARE(info.videoCount(), 0);
        QCOMPARE(info.front(), -1);
    }

    void changeState_toSameState_emitsWithoutLogging()
    {
        MediaInfo info;
        QSignalSpy spy(&info, &MediaInfo::mediaInfoStateChanged);
        LogCapture log;
        info.changeState(MediaInfo::Idle, nullptr, true);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(2).toInt(), int(MediaInfo::Idle));
        QCOMPARE(spy.at(0).at(3).toInt(), int(MediaInfo::Idle));
        QVERIFY(!log.contains(QStringLiteral("state change")));

        info.changeState(MediaInfo::Stopped, nullptr, false);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(info.state(), int(MediaInfo::Stopped));
        QVERIFY(log.contains(QStringLiteral("state change: 0 -> 1")));
    }

    void seeking_completesWhenEveryShownChannelDrewItsSeq()
    {
        const QString file = TestRecordings::make(QStringLiteral("two.mp4"),
                                                  {QStringLiteral("--video"),
                                                   QStringLiteral("160x90"),
                                                   QStringLiteral("--video"),
                                                   QStringLiteral("160x90"),
                                                   QStringLiteral("--duration"),
                                                   QStringLiteral("1")});
        QVERIFY(!file.isEmpty());
        MediaInfo info;
        QCOMPARE(info.init(file), 0);
        info.changeState(MediaInfo::Playing, nullptr, true);

        info.setShownStream(MediaInfo::AllChannels);
        info.startSeeking();
        info.setSeekingStreamInfo(0, 4);
        info.setSeekingStreamInfo(1, 4);
        info.setSeekingStreamInfo(7, 4); // no such stream: ignored
        QVERIFY(info.isSeeking());
        info.setDisplayedSeq(0, 4);
        QVERIFY(info.isSeeking());
        info.setDisplayedSeq(1, 4);
        QVERIFY(!info.isSeeking());
        QCOMPARE(info.streamInfo(0).seekingSeq, -1);

        // one channel alone: the hidden one does not hold the seek open
        info.setShownStream(1);
        info.startSeeking();
        info.setSeekingStreamInfo(0, 5);
        info.setSeekingStreamInfo(1, 5);
        info.setDisplayedSeq(1, 5);
        QVERIFY(!info.isSeeking());
    }

    void pausing_endsAPendingSeek()
    {
        const QString file = TestRecordings::make(QStringLiteral("one.mp4"),
                                                  {QStringLiteral("--video"),
                                                   QStringLiteral("160x90"),
                                                   QStringLiteral("--duration"),
                                                   QStringLiteral("1")});
        QVERIFY(!file.isEmpty());
        MediaInfo info;
        QCOMPARE(info.init(file), 0);
        info.changeState(MediaInfo::Playing, nullptr, true);
        info.setShownStream(MediaInfo::AllChannels);
        info.startSeeking();
        info.setSeekingStreamInfo(0, 3);
        QVERIFY(info.isSeeking());
        info.changeState(MediaInfo::Paused, nullptr, true);
        QVERIFY(!info.isSeeking());
        QCOMPARE(info.streamInfo(0).seekingSeq, -1);
        QVERIFY(info.isOpened());
    }

    void frameSearchFlags()
    {
        MediaInfo info;
        LogCapture log;
        info.SetFrameSearchModeOn();
        QVERIFY(info.isFrameSearchMode());
        QVERIFY(log.contains(QStringLiteral("SetFrameSearchMode On")));
        info.SetFrameSearchModeOff();
        QVERIFY(!info.isFrameSearchMode());
        info.startFrameSearch();
        QVERIFY(info.isFrameSearching());
        info.finishFrameSearch();
        QVERIFY(!info.isFrameSearching());
    }

    void clearTempFile_deletesAndClears()
    {
        MediaInfo info;
        QString path = writeFile(m_dir, QStringLiteral("copytmp.avi"), "x");
        info.clearTempFile(path);
        QVERIFY(path.isEmpty());
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("copytmp.avi"))));

        QString gone = m_dir.filePath(QStringLiteral("never-written.avi"));
        info.clearTempFile(gone);
        QVERIFY(gone.isEmpty());
    }

    void repairArguments()
    {
        const QString out
                = MediaInfo::repairOutputPath(QStringLiteral("/in/A.mp4"), QStringLiteral("/out"));
        QCOMPARE(out, QStringLiteral("/out/Atmp.mp4"));
        const QStringList expected {QStringLiteral("-y"),
                                    QStringLiteral("-err_detect"),
                                    QStringLiteral("ignore_err"),
                                    QStringLiteral("-i"),
                                    QStringLiteral("/in/A.mp4"),
                                    QStringLiteral("-map"),
                                    QStringLiteral("0:v:0"),
                                    QStringLiteral("-map"),
                                    QStringLiteral("0:v:1?"),
                                    QStringLiteral("-c:v"),
                                    QStringLiteral("copy"),
                                    QStringLiteral("-an"),
                                    QStringLiteral("-r"),
                                    QStringLiteral("30"),
                                    QStringLiteral("-f"),
                                    QStringLiteral("avi"),
                                    out};
        QCOMPARE(MediaInfo::repairArguments(QStringLiteral("/in/A.mp4"), out), expected);
    }

    // The copy holds every video packet the damaged file still has: the last seconds before a
    // power loss are the ones that matter, and the probed duration of such a file is an
    // estimate that falls short of them.
    void repair_keepsEveryVideoPacket_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("channels");
        const QStringList cut {QStringLiteral("--duration"),
                               QStringLiteral("6"),
                               QStringLiteral("--damage"),
                               QStringLiteral("avi-no-index")};
        const QStringList torn {QStringLiteral("--duration"),
                                QStringLiteral("6"),
                                QStringLiteral("--damage"),
                                QStringLiteral("avi-torn-chunk")};
        const QStringList one {QStringLiteral("--video"), QStringLiteral("160x90")};
        const QStringList slow {QStringLiteral("--video"), QStringLiteral("160x90,fps=15")};
        QTest::newRow("one channel, cut before the index") << one + cut << 1;
        QTest::newRow("two channels, cut before the index") << one + one + cut << 2;
        QTest::newRow("30 and 15 fps, cut before the index") << one + slow + cut << 2;
        QTest::newRow("two channels, cut inside a picture") << one + one + torn << 2;
        QTest::newRow("one channel, cut inside a picture") << one + torn << 1;
    }

    void repair_keepsEveryVideoPacket()
    {
        QFETCH(QStringList, options);
        QFETCH(int, channels);
        const QString file = TestRecordings::make(QStringLiteral("20240314_153012D.avi"), options);
        QVERIFY(!file.isEmpty());
        QTemporaryDir out;
        MediaInfo info;
        QCOMPARE(info.init(file), 0);
        QVERIFY(info.isDamaged());
        LogCapture log;
        const QString copy = info.repairRecording(file, out.path());
        QCOMPARE(copy, out.path() + QStringLiteral("/20240314_153012Dtmp.avi"));
        QVERIFY(log.contains(QStringLiteral("Multi-stream Repair Success:")));

        for (int v = 0; v < channels; ++v) {
            const int source = TestRecordings::probedVideoPackets(file, v);
            QVERIFY(source > 0);
            QCOMPARE(TestRecordings::probedVideoPackets(copy, v), source);
        }
        MediaInfo repaired;
        QCOMPARE(repaired.init(copy), 0);
        QCOMPARE(repaired.videoCount(), channels);
        QVERIFY(!repaired.isDamaged());

        // the next open reuses the copy without starting the converter
        info.setConverterProgram(QStringLiteral("/nonexistent/ffmpeg"));
        QCOMPARE(info.repairRecording(file, out.path()), copy);
    }

    void repair_failures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("copy without packets") << "fragments";
        QTest::newRow("converter missing") << "missing";
        QTest::newRow("converter hangs") << "hang";
    }

    void repair_failures()
    {
        QFETCH(QString, kind);
        QTemporaryDir out;
        MediaInfo info;
        QString file;
        if (kind == QLatin1String("fragments")) {
            file = TestRecordings::make(QStringLiteral("hidden.mp4"),
                                        {QStringLiteral("--video"),
                                         QStringLiteral("160x90"),
                                         QStringLiteral("--video"),
                                         QStringLiteral("160x90"),
                                         QStringLiteral("--damage"),
                                         QStringLiteral("mp4-hidden-fragments")});
        } else {
            file = TestRecordings::make(QStringLiteral("cut2.avi"),
                                        {QStringLiteral("--video"),
                                         QStringLiteral("160x90"),
                                         QStringLiteral("--video"),
                                         QStringLiteral("160x90"),
                                         QStringLiteral("--damage"),
                                         QStringLiteral("avi-no-index")});
            if (kind == QLatin1String("missing")) {
                info.setConverterProgram(QStringLiteral("/nonexistent/ffmpeg"));
            } else {
                const QString script = out.filePath(QStringLiteral("hang.sh"));
                QFile f(script);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write("#!/bin/sh\nfor last; do :; done\necho partial > \"$last\"\nexec sleep "
                        "30\n");
                f.close();
                f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                info.setConverterProgram(script);
                info.setConverterTimeoutMs(500);
            }
        }
        QVERIFY(!file.isEmpty());
        const QString copy = info.repairRecording(file, out.path());
        QCOMPARE(copy, QString());
        // nothing half-made is left behind for the next open to reuse
        QVERIFY(!QFile::exists(MediaInfo::repairOutputPath(file, out.path())));
    }
};

QTEST_GUILESS_MAIN(TestMediaInfo)
#include "tst_mediainfo.moc"
