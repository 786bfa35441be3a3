// ctest-labels: engine
// The engine under bad input and a storm of commands: every open either fails with -1/-2 or
// plays to an end that is reported; every close returns; nothing crashes, hangs or leaks.
#include "enginetestsupport.h"
#include "logcapture.h"
#include "media/mediacontext.h"
#include "media/mediaeventloop.h"
#include "testpaths.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

// A loop with its receiver and log; finishes the loop however the test ends.
struct Engine
{
    Engine()
    {
        log.attach(&loop);
        loop.start();
    }
    ~Engine()
    {
        loop.postFinish();
        loop.wait();
    }
    // Opens path for a 640x360 view at 1x and selects stream; false when the open fails.
    bool play(const QString &path, int stream)
    {
        loop.postOpen(path, &rx, 1.0, 5, 640, 360, -1, 0);
        if (!QTest::qWaitFor([this] { return log.openedCount() > 0; }, 20000)
            || log.openedCount() != 1 || log.opened().first().result != 0)
            return false;
        loop.postSelectVideoStream(stream);
        return true;
    }

    FrameReceiver rx;
    MediaEventLoop loop;
    LoopLog log;
};

class TestEngineRobustness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void badInput_opensOrEnds_data();
    void badInput_opensOrEnds();
    void fourVideoStreams_allPlay();
    void decoderFailingAtStart_reportsError();
    void fileTruncatedWhilePlaying_ends();
    void fileDeletedWhilePlaying_ends();
    void commandStorm_endsWithCleanClose();

private:
    QString copyOf(const QString &source, const QString &name);
    QString m_two; // 2 s, 320x180 + 160x90
    QString m_twoFast; // the same with moov in front
    QTemporaryDir m_dir;
};

namespace {

// Plays a file on its own loop: the open result, and for a playable file the way it ended.
struct Outcome
{
    int openResult = -100;
    int ends = 0;
    QVector<int> errors;
    int frames = 0;
    bool closed = false;
};

Outcome playToEnd(const QString &path, int timeoutMs = 30000)
{
    Outcome outcome;
    Engine e;
    FrameReceiver &rx = e.rx;
    MediaEventLoop &loop = e.loop;
    LoopLog &log = e.log;
    loop.postOpen(path, &rx, 1.0, 5, 640, 360, -1, 0);
    if (QTest::qWaitFor([&] { return log.openedCount() > 0; }, 20000)) {
        outcome.openResult = log.opened().first().result;
        if (outcome.openResult == 0) {
            loop.postSelectVideoStream(MediaInfo::AllChannels);
            (void)QTest::qWaitFor([&] { return log.ends() > 0 || !log.errors().isEmpty(); },
                                  timeoutMs);
            loop.postClose();
            outcome.closed = QTest::qWaitFor([&] { return log.closedCount() > 0; }, 30000);
        }
    }
    outcome.ends = log.ends();
    outcome.errors = log.errors();
    outcome.frames = rx.log.count();
    return outcome;
}

} // namespace

QString TestEngineRobustness::copyOf(const QString &source, const QString &name)
{
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    return QFile::copy(source, path) ? path : QString();
}

void TestEngineRobustness::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_two = TestRecordings::make(QStringLiteral("robust.mp4"),
                                 {"--video", "320x180", "--video", "160x90", "--duration", "2"});
    QVERIFY(!m_two.isEmpty());
    m_twoFast = TestRecordings::make(
            QStringLiteral("robustfast.mp4"),
            {"--video", "320x180", "--video", "160x90", "--duration", "2", "--faststart"});
    QVERIFY(!m_twoFast.isEmpty());
}

void TestEngineRobustness::badInput_opensOrEnds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("mustFail");
    QTest::newRow("zero length") << "empty"
                                 << "" << true;
    QTest::newRow("not media") << "text"
                               << "" << true;
    // Opens when a sound device takes the audio (nothing is read until a video stream is
    // selected, and there is none); fails as "no supported streams" without one.
    QTest::newRow("audio only, no video") << "ffmpeg"
                                          << "-f lavfi -i sine=d=1 -c:a aac audio.m4a" << false;
    // an AVI whose video four-character code no decoder knows
    QTest::newRow("unsupported codec")
            << "ffmpeg"
            << "-f lavfi -i testsrc=size=160x90:rate=10 -t 1 -c:v mpeg4 zz.avi" << true;
    QTest::newRow("truncated 10%") << "truncate"
                                   << "0.10" << false;
    QTest::newRow("truncated 37%") << "truncate"
                                   << "0.37" << false;
    QTest::newRow("truncated 61%") << "truncate"
                                   << "0.61" << false;
    QTest::newRow("truncated 93%") << "truncate"
                                   << "0.93" << false;
    QTest::newRow("faststart truncated 23%") << "truncatefast"
                                             << "0.23" << false;
    QTest::newRow("faststart truncated 71%") << "truncatefast"
                                             << "0.71" << false;
    QTest::newRow("bytes flipped, seed 1") << "flip"
                                           << "1" << false;
    QTest::newRow("bytes flipped, seed 2") << "flip"
                                           << "2" << false;
    QTest::newRow("bytes flipped, seed 3") << "flip"
                                           << "3" << false;
    QTest::newRow("avi without index") << "make"
                                       << "avi-no-index" << false;
    QTest::newRow("mp4 without moov") << "make"
                                      << "mp4-no-moov" << true;
    QTest::newRow("mp4 hidden fragments") << "make"
                                          << "mp4-hidden-fragments" << false;
}

void TestEngineRobustness::badInput_opensOrEnds()
{
    QFETCH(QString, kind);
    QFETCH(QString, argument);
    QFETCH(bool, mustFail);
    QString path;
    if (kind == "empty") {
        path = m_dir.filePath("empty.mp4");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else if (kind == "text") {
        path = m_dir.filePath("notes.mp4");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("this is not a recording\n").repeated(200));
    } else if (kind == "ffmpeg") {
        const QStringList args = argument.split(' ');
        path = m_dir.filePath(args.last());
        QStringList full = {"-y", "-v", "error"};
        full += args.mid(0, args.size() - 1);
        full << path;
        const ProcessResult r = runProcess("ffmpeg", full, 60000);
        QVERIFY2(r.exitCode == 0, r.err.constData());
        if (path.endsWith(".avi")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QByteArray data = f.readAll();
            QVERIFY(data.count("FMP4") > 0);
            data.replace("FMP4", "ZZZZ");
            f.seek(0);
            f.write(data);
        }
    } else if (kind == "truncate" || kind == "truncatefast") {
        path = copyOf(kind == "truncate" ? m_two : m_twoFast, "cut.mp4");
        QFile f(path);
        QVERIFY(f.resize(static_cast<qint64>(f.size() * argument.toDouble())));
    } else if (kind == "flip") {
        path = copyOf(m_twoFast, "flipped.mp4");
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray data = f.readAll();
        QRandomGenerator random(argument.toUInt());
        // leave the header alone so the file opens, damage the media data
        for (int i = 0; i < 400; ++i) {
            const int at = 4096 + random.bounded(data.size() - 4096);
            data[at] = static_cast<char>(data[at] ^ (1 << random.bounded(8)));
        }
        f.seek(0);
        f.write(data);
    } else if (kind == "make") {
        path = TestRecordings::make(
                QStringLiteral("damaged-%1.%2")
                        .arg(argument, argument.startsWith("avi") ? "avi" : "mp4"),
                {"--video",
                 "320x180",
                 "--video",
                 "160x90",
                 "--duration",
                 "2",
                 "--damage",
                 argument});
    }
    QVERIFY(!path.isEmpty());

    LogCapture capture;
    const bool audioOnly = argument.contains(QStringLiteral("sine="));
    const Outcome outcome = playToEnd(path, audioOnly ? 2000 : 30000);
    QVERIFY2(outcome.openResult == 0 || outcome.openResult == -1 || outcome.openResult == -2,
             qPrintable(QString::number(outcome.openResult)));
    if (mustFail)
        QVERIFY(outcome.openResult < 0);
    if (outcome.openResult < 0) {
        QVERIFY(capture.contains(QStringLiteral("MediaContext opening")));
        if (kind == "ffmpeg")
            QVERIFY(capture.contains(QStringLiteral("no supported streams available")));
    } else if (audioOnly) {
        QCOMPARE(outcome.frames, 0);
        QVERIFY(outcome.closed);
    } else {
        QVERIFY2(outcome.ends == 1 || !outcome.errors.isEmpty(), "playback did not end");
        QVERIFY(outcome.closed);
    }
}

void TestEngineRobustness::fourVideoStreams_allPlay()
{
    const QString path = TestRecordings::make(QStringLiteral("four.mp4"),
                                              {"--video",
                                               "160x90",
                                               "--video",
                                               "160x90",
                                               "--video",
                                               "160x90",
                                               "--video",
                                               "160x90",
                                               "--duration",
                                               "1"});
    QVERIFY(!path.isEmpty());
    Engine e;
    FrameReceiver &rx = e.rx;
    MediaEventLoop &loop = e.loop;
    LoopLog &log = e.log;
    QVERIFY(e.play(path, MediaInfo::AllChannels));
    QTRY_COMPARE_WITH_TIMEOUT(log.ends(), 1, 30000);
    for (int stream = 0; stream < 4; ++stream) {
        int expected = 0;
        for (const ReceivedFrame &r : rx.log.frames()) {
            if (r.stream != stream)
                continue;
            QCOMPARE(r.channel, stream + 1);
            QCOMPARE(r.number, expected++);
        }
        QCOMPARE(expected, 30);
    }
    loop.postFinish();
    QTRY_COMPARE_WITH_TIMEOUT(log.finished().size(), 1, 30000);
    QCOMPARE(log.finished().first(), 0);
}

void TestEngineRobustness::decoderFailingAtStart_reportsError()
{
    // Raw 4-bit BGR pictures decode, but no scaler takes them: the decoder thread fails on its
    // first picture, when it builds the filter graph for it.
    const QString path = m_dir.filePath(QStringLiteral("bgr4.nut"));
    const ProcessResult made = runProcess("ffmpeg",
                                          {"-y",
                                           "-v",
                                           "error",
                                           "-f",
                                           "lavfi",
                                           "-i",
                                           "testsrc=size=160x90:rate=10",
                                           "-t",
                                           "2",
                                           "-pix_fmt",
                                           "bgr4",
                                           "-c:v",
                                           "rawvideo",
                                           path},
                                          60000);
    QVERIFY2(made.exitCode == 0, made.err.constData());

    Engine e;
    QVERIFY(e.play(path, 0));
    MediaContext *context = e.log.opened().first().context;
    QTRY_VERIFY_WITH_TIMEOUT(!e.log.errorReports().isEmpty(), 20000);
    const LoopLog::ErrorReport report = e.log.errorReports().first();
    QCOMPARE(report.context, context);
    QVERIFY(report.err < 0);
    QCOMPARE(report.openedBefore, 1); // reported after the open, never before it
    QCOMPARE(e.rx.log.count(), 0);
    e.loop.postClose();
    QTRY_COMPARE_WITH_TIMEOUT(e.log.closedCount(), 1, 30000);
    QCOMPARE(e.log.errorReports().size(), 1);
}

void TestEngineRobustness::fileTruncatedWhilePlaying_ends()
{
    const QString path = copyOf(m_two, "shrinking.mp4");
    QVERIFY(!path.isEmpty());
    Engine e;
    FrameReceiver &rx = e.rx;
    MediaEventLoop &loop = e.loop;
    LoopLog &log = e.log;
    QVERIFY(e.play(path, MediaInfo::AllChannels));
    QTRY_VERIFY_WITH_TIMEOUT(rx.log.count() >= 4, 20000);
    QFile f(path);
    QVERIFY(f.resize(f.size() / 3));
    QTRY_VERIFY_WITH_TIMEOUT(log.ends() == 1 || !log.errors().isEmpty(), 30000);
    loop.postClose();
    QTRY_COMPARE_WITH_TIMEOUT(log.closedCount(), 1, 30000);
}

void TestEngineRobustness::fileDeletedWhilePlaying_ends()
{
    const QString path = copyOf(m_two, "vanishing.mp4");
    QVERIFY(!path.isEmpty());
    Engine e;
    FrameReceiver &rx = e.rx;
    MediaEventLoop &loop = e.loop;
    LoopLog &log = e.log;
    QVERIFY(e.play(path, 0));
    QTRY_VERIFY_WITH_TIMEOUT(rx.log.count() >= 4, 20000);
    QVERIFY(QFile::remove(path));
    QTRY_VERIFY_WITH_TIMEOUT(log.ends() == 1 || !log.errors().isEmpty(), 30000);
    loop.postClose();
    QTRY_COMPARE_WITH_TIMEOUT(log.closedCount(), 1, 30000);
}

void TestEngineRobustness::commandStorm_endsWithCleanClose()
{
    // A few small files, damaged ones among them.
    QStringList files = {m_two, m_twoFast};
    const QString cut = copyOf(m_twoFast, "storm-cut.mp4");
    QFile(cut).resize(QFile(cut).size() / 2);
    files << cut;
    const QString flipped = copyOf(m_twoFast, "storm-flipped.mp4");
    {
        QFile f(flipped);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray data = f.readAll();
        QRandomGenerator random(7);
        for (int i = 0; i < 300; ++i) {
            const int at = 4096 + random.bounded(data.size() - 4096);
            data[at] = static_cast<char>(data[at] ^ 0x5a);
        }
        f.seek(0);
        f.write(data);
    }
    files << flipped << m_dir.filePath("missing.mp4");

    Engine e;
    FrameReceiver &rx = e.rx;
    MediaEventLoop &loop = e.loop;
    LoopLog &log = e.log;
    QRandomGenerator random(20261208);
    int aborts = 0;
    const int posts = 2500;
    for (int i = 0; i < posts; ++i) {
        const int kind = random.bounded(100);
        if (kind < 6) {
            loop.postOpen(files.at(random.bounded(files.size())),
                          &rx,
                          random.bounded(1, 400) / 100.0,
                          random.bounded(-5, 15),
                          random.bounded(-100, 3000),
                          random.bounded(-100, 2000),
                          random.bounded(-1, 4),
                          random.bounded(-1, 5));
        } else if (kind < 9) {
            loop.postClose();
        } else if (kind < 70) {
            // Numbers outside the commands too: they must be refused, not run.
            const auto cmd = static_cast<PlayCommand::Code>(random.bounded(0, 11));
            int64_t arg;
            switch (random.bounded(4)) {
            case 0:
                arg = random.bounded(-3, 4);
                break;
            case 1:
                arg = random.bounded(-5000000, 5000000);
                break;
            case 2:
                arg = static_cast<int64_t>(random.generate64() >> random.bounded(64));
                break;
            default:
                arg = random.bounded(0, 400);
                break;
            }
            // A real abort parks a decoder for 5 s: only a couple of them.
            if (cmd == PlayCommand::AbortStream && arg >= 0 && arg < 4 && ++aborts > 2)
                arg = 99;
            loop.postPlayControl(cmd, arg);
        } else if (kind < 82) {
            const int choices[] = {0, 1, 2, 3, -1, 99, MediaInfo::AllChannels};
            loop.postSelectVideoStream(choices[random.bounded(7)]);
        } else if (kind < 91) {
            loop.postChangeViewMode(random.bounded(-1, 4), random.bounded(-2, 6));
        } else {
            loop.postChangeDisplaySize(random.bounded(-10, 5000), random.bounded(-10, 3000));
        }
        if (i % 25 == 24)
            QTest::qWait(random.bounded(20, 150));
    }
    loop.postFinish();
    QTRY_COMPARE_WITH_TIMEOUT(log.finished().size(), 1, 90000);
    QVERIFY(loop.wait(30000));
    QVERIFY(log.completedCount() > 1000);
    QVERIFY(log.openedCount() > 50);
    qDebug() << "storm:" << log.openedCount() << "opens," << log.completedCount()
             << "play controls," << rx.log.count() << "pictures";
}

QTEST_GUILESS_MAIN(TestEngineRobustness)
#include "tst_enginerobustness.moc"
