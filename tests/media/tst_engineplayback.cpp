// ctest-labels: engine
// The playback engine end to end: a real event-loop thread plays synthetic recordings and the
// tests read the frame number and channel back from every picture that reaches the receiver.
#include "enginetestsupport.h"
#include "logcapture.h"
#include "media/mediacontext.h"
#include "media/mediaeventloop.h"
#include "media/videostate.h"

#include <QtTest>

Q_DECLARE_METATYPE(PlayCommand::Code)

// One event loop with its logs; finishes the loop when it goes.
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
    // Opens and waits for the result; the context or null.
    MediaContext *open(const QString &path,
                       int viewWidth = 1280,
                       int modeStream = -1,
                       int viewMode = SurroundViewMode::Original)
    {
        const int before = log.openedCount();
        loop.postOpen(path, &rx, 1.0, 5, viewWidth, viewWidth * 9 / 16, modeStream, viewMode);
        if (!QTest::qWaitFor([&] { return log.openedCount() > before; }, 20000))
            return nullptr;
        return log.opened().last().context;
    }
    // Posts a play control and waits for its completion; its result.
    int control(PlayCommand::Code cmd, int64_t arg)
    {
        const int before = log.completedCount();
        loop.postPlayControl(cmd, arg);
        if (!QTest::qWaitFor([&] { return log.completedCount() > before; }, 20000))
            return -100;
        return log.completed().last().result;
    }
    MediaEventLoop loop;
    LoopLog log;
    FrameReceiver rx;
};

class TestEnginePlayback : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void play_framesInOrder_onlySelected_endOnce();
    void pause_holds_resumeGoesOn();
    void speed2_framesCarryTheSpeed_inOrder();
    void seek_whilePaused_landsOnKeyframe_onePerStream_data();
    void seek_whilePaused_landsOnKeyframe_onePerStream();
    void seek_everyChannelShowsTheSameMoment_data();
    void seek_everyChannelShowsTheSameMoment();
    void frameSearch_returnsExactFrame_data();
    void frameSearch_returnsExactFrame();
    void frameSearch_stepsByOne();
    void noSink_playsAndSearches();
    void halfRate_dropsEverySecondFrame();
    void targetSize_followsDisplaySize_rebuildsGraph();
    void viewModes_v360Sizes_data();
    void viewModes_v360Sizes();
    void openWhileOpen_closedBeforeOpened();
    void relays_dropLateSignals_unknownCommand();
    void abortedStream_reportedDead_closeReturns();

private:
    QString m_twoChannels; // 4 s, 320x180 + 160x90, key frame every 10 frames
    QString m_single; // 2 s, 320x180
};

namespace {

// Posts a seek (relative or absolute) and waits until each of the streams announced its new seq and
// showed one picture of it.
bool seekAndShow(Engine &e, PlayCommand::Code cmd, int64_t arg, const QVector<int> &streams)
{
    const int before = e.log.seekInfo().size();
    if (e.control(cmd, arg) != 0)
        return false;
    if (!QTest::qWaitFor([&] { return e.log.seekInfo().size() >= before + streams.size(); }, 20000))
        return false;
    return QTest::qWaitFor(
            [&] {
                for (int stream : streams) {
                    if (e.rx.log.countWithSeq(stream, e.log.lastSeekSeq(stream)) == 0)
                        return false;
                }
                return true;
            },
            20000);
}

ReceivedFrame firstWithSeq(const Engine &e, int stream, int seq)
{
    for (const ReceivedFrame &r : e.rx.log.frames())
        if (r.stream == stream && r.seq == seq)
            return r;
    return ReceivedFrame();
}

} // namespace

void TestEnginePlayback::initTestCase()
{
    m_twoChannels = TestRecordings::make(
            QStringLiteral("two.mp4"),
            {"--video", "320x180,gop=10", "--video", "160x90,gop=10", "--duration", "4"});
    QVERIFY(!m_twoChannels.isEmpty());
    m_single = TestRecordings::make(QStringLiteral("single.mp4"),
                                    {"--video", "320x180,gop=10", "--duration", "2"});
    QVERIFY(!m_single.isEmpty());
}

void TestEnginePlayback::play_framesInOrder_onlySelected_endOnce()
{
    LogCapture capture;
    Engine e;
    MediaContext *context = e.open(m_twoChannels);
    QVERIFY(context);
    QCOMPARE(e.log.opened().last().result, 0);
    // a hardware device that cannot be created (no GPU) leaves the stream in software
    if (capture.contains(QStringLiteral("failed to create specified HW device")))
        QVERIFY(capture.contains(QStringLiteral("using software decoding")));
    // nothing is read before a stream is selected
    QTest::qWait(300);
    QCOMPARE(e.rx.log.count(), 0);

    e.loop.postSelectVideoStream(1);
    QTRY_COMPARE_WITH_TIMEOUT(e.log.ends(), 1, 30000);
    const QVector<ReceivedFrame> frames = e.rx.log.frames();
    QCOMPARE(frames.size(), 120);
    for (int i = 0; i < frames.size(); ++i) {
        QCOMPARE(frames[i].stream, 1);
        QCOMPARE(frames[i].channel, 2);
        QCOMPARE(frames[i].number, i);
        QCOMPARE(frames[i].width, 160);
        if (i > 0)
            QVERIFY(frames[i].pts > frames[i - 1].pts);
    }
    QVERIFY(!e.log.times().isEmpty());
    QTest::qWait(300);
    QCOMPARE(e.log.ends(), 1);
    e.loop.postClose();
    QTRY_COMPARE_WITH_TIMEOUT(e.log.closedCount(), 1, 20000);
    QCOMPARE(e.log.ends(), 1);
}

void TestEnginePlayback::pause_holds_resumeGoesOn()
{
    Engine e;
    QVERIFY(e.open(m_twoChannels));
    e.loop.postSelectVideoStream(MediaInfo::AllChannels);
    QTRY_VERIFY_WITH_TIMEOUT(e.rx.log.countOf(0) >= 10, 20000);
    QCOMPARE(e.control(PlayCommand::Pause, 0), 0);
    // a frame already being presented may still arrive; then nothing
    QTest::qWait(200);
    const int held = e.rx.log.count();
    QTest::qWait(500);
    QCOMPARE(e.rx.log.count(), held);
    QCOMPARE(e.control(PlayCommand::Resume, 0), 0);
    QTRY_COMPARE_WITH_TIMEOUT(e.log.ends(), 1, 30000);
    for (int stream = 0; stream < 2; ++stream) {
        int expected = 0;
        for (const ReceivedFrame &r : e.rx.log.frames()) {
            if (r.stream != stream)
                continue;
            QCOMPARE(r.channel, stream + 1);
            QCOMPARE(r.number, expected);
            ++expected;
        }
        QCOMPARE(expected, 120);
    }
}

void TestEnginePlayback::speed2_framesCarryTheSpeed_inOrder()
{
    Engine e;
    QVERIFY(e.open(m_single));
    e.loop.postSelectVideoStream(0);
    QTRY_VERIFY_WITH_TIMEOUT(e.rx.log.count() >= 5, 20000);
    QCOMPARE(e.control(PlayCommand::SetSpeed, 200), 0);
    QTRY_COMPARE_WITH_TIMEOUT(e.log.ends(), 1, 30000);
    const QVector<ReceivedFrame> frames = e.rx.log.frames();
    QCOMPARE(frames.size(), 60);
    int fast = 0;
    for (int i = 0; i < frames.size(); ++i) {
        QCOMPARE(frames[i].number, i);
        if (i > 0) {
            QVERIFY(frames[i].pts > frames[i - 1].pts);
            // once a frame carries speed 2, all later ones do
            if (frames[i - 1].speed == 2.0)
                QCOMPARE(frames[i].speed, 2.0);
        }
        fast += frames[i].speed == 2.0 ? 1 : 0;
    }
    QVERIFY(fast > 0);
    QVERIFY(frames.first().speed == 1.0);
}

void TestEnginePlayback::seek_whilePaused_landsOnKeyframe_onePerStream_data()
{
    QTest::addColumn<PlayCommand::Code>("cmd");
    QTest::addColumn<qint64>("arg");
    QTest::addColumn<int>("expected");
    // key frames every 10 frames at 30 fps; a seek lands on the key frame at or before it
    QTest::newRow("absolute 1.5 s") << PlayCommand::SeekAbsolute << qint64(1500000) << 40;
    QTest::newRow("absolute on a key frame") << PlayCommand::SeekAbsolute << qint64(1000000) << 30;
    QTest::newRow("absolute 0") << PlayCommand::SeekAbsolute << qint64(0) << 0;
    QTest::newRow("absolute near the end") << PlayCommand::SeekAbsolute << qint64(3900000) << 110;
    QTest::newRow("absolute past 35 min 47 s")
            << PlayCommand::SeekAbsolute << qint64(3000000000LL) << 110;
    QTest::newRow("relative +1.2 s from frame 40")
            << PlayCommand::SeekRelative << qint64(1200000) << 70;
    QTest::newRow("relative -1 s from frame 40")
            << PlayCommand::SeekRelative << qint64(-1000000) << 10;
    QTest::newRow("relative before the start")
            << PlayCommand::SeekRelative << qint64(-5000000) << 0;
}

void TestEnginePlayback::seek_whilePaused_landsOnKeyframe_onePerStream()
{
    QFETCH(PlayCommand::Code, cmd);
    QFETCH(qint64, arg);
    QFETCH(int, expected);
    Engine e;
    QVERIFY(e.open(m_twoChannels));
    e.loop.postSelectVideoStream(MediaInfo::AllChannels);
    QCOMPARE(e.control(PlayCommand::Pause, 0), 0);
    if (cmd == PlayCommand::SeekRelative) {
        // relative seeks start from the picture shown after an absolute seek to 1.5 s
        QVERIFY(seekAndShow(e, PlayCommand::SeekAbsolute, 1500000, {0, 1}));
        QCOMPARE(firstWithSeq(e, 0, e.log.lastSeekSeq(0)).number, 40);
        QTRY_VERIFY_WITH_TIMEOUT(!e.log.times().isEmpty(), 20000);
        QTest::qWait(100);
    }
    QVERIFY(seekAndShow(e, cmd, arg, {0, 1}));
    QTest::qWait(400);
    for (int stream = 0; stream < 2; ++stream) {
        const int seq = e.log.lastSeekSeq(stream);
        QCOMPARE(e.rx.log.countWithSeq(stream, seq), 1);
        const ReceivedFrame r = firstWithSeq(e, stream, seq);
        QCOMPARE(r.number, expected);
        QCOMPARE(r.channel, stream + 1);
    }
    // resuming plays on from there, in order
    const int before = e.rx.log.countOf(0);
    QCOMPARE(e.control(PlayCommand::Resume, 0), 0);
    QTRY_VERIFY_WITH_TIMEOUT(e.rx.log.countOf(0) > before || e.log.ends() > 0, 20000);
}

void TestEnginePlayback::seek_everyChannelShowsTheSameMoment_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QVector<double>>("rates");
    QTest::addColumn<PlayCommand::Code>("cmd");
    QTest::addColumn<qint64>("arg");
    QTest::addColumn<bool>("paused");
    // The front channel has B-frames and the rear none: the front key frame's decoding time
    // lies before its picture time, and the rear is put one whole group early by the demuxer.
    const QStringList reorder {"--video",
                               "320x180,gop=30,bframes=2",
                               "--video",
                               "160x90,gop=30,bframes=0",
                               "--audio",
                               "--duration",
                               "7"};
    // Key frames every 0.4 s on the front, every second on a 15 fps rear.
    const QStringList intervals {
            "--video", "320x180,gop=12", "--video", "160x90,fps=15,gop=15", "--duration", "6"};
    const QStringList three {"--video",
                             "320x180,gop=30,bframes=2",
                             "--video",
                             "160x90,gop=15,bframes=0",
                             "--video",
                             "160x90,fps=15,gop=20",
                             "--duration",
                             "6"};
    const QVector<double> equal {30, 30};
    const QVector<double> mixed {30, 15};
    QTest::newRow("mp4 reorder delays, absolute 5.5 s, paused")
            << "reorder.mp4" << reorder << equal << PlayCommand::SeekAbsolute << qint64(5500000)
            << true;
    QTest::newRow("mp4 reorder delays, absolute 2 s, playing")
            << "reorder.mp4" << reorder << equal << PlayCommand::SeekAbsolute << qint64(2000000)
            << false;
    QTest::newRow("mp4 reorder delays, relative +3 s, playing")
            << "reorder.mp4" << reorder << equal << PlayCommand::SeekRelative << qint64(3000000)
            << false;
    QTest::newRow("mp4 30 + 15 fps, absolute 3.5 s, paused")
            << "intervals.mp4" << intervals << mixed << PlayCommand::SeekAbsolute << qint64(3500000)
            << true;
    QTest::newRow("avi 30 + 15 fps, absolute 3.5 s, paused")
            << "intervals.avi" << intervals << mixed << PlayCommand::SeekAbsolute << qint64(3500000)
            << true;
    QTest::newRow("avi 30 + 15 fps, relative +4.5 s, playing")
            << "intervals.avi" << intervals << mixed << PlayCommand::SeekRelative << qint64(4500000)
            << false;
    QTest::newRow("mp4 three channels, absolute 4.3 s, paused")
            << "three.mp4" << three << QVector<double> {30, 30, 15} << PlayCommand::SeekAbsolute
            << qint64(4300000) << true;
    QTest::newRow("mp4 three channels, absolute 1.9 s, playing")
            << "three.mp4" << three << QVector<double> {30, 30, 15} << PlayCommand::SeekAbsolute
            << qint64(1900000) << false;
}

void TestEnginePlayback::seek_everyChannelShowsTheSameMoment()
{
    QFETCH(QString, file);
    QFETCH(QStringList, options);
    QFETCH(QVector<double>, rates);
    QFETCH(PlayCommand::Code, cmd);
    QFETCH(qint64, arg);
    QFETCH(bool, paused);
    const QString path = TestRecordings::make(file, options);
    QVERIFY(!path.isEmpty());
    Engine e;
    QVERIFY(e.open(path));
    e.loop.postSelectVideoStream(MediaInfo::AllChannels);
    if (paused)
        QCOMPARE(e.control(PlayCommand::Pause, 0), 0);
    QVector<int> streams;
    for (int i = 0; i < rates.size(); ++i)
        streams.append(i);
    QVERIFY(seekAndShow(e, cmd, arg, streams));

    double earliest = 1e9;
    double latest = -1e9;
    for (int stream : streams) {
        const ReceivedFrame r = firstWithSeq(e, stream, e.log.lastSeekSeq(stream));
        QVERIFY2(r.number >= 0, qPrintable(QStringLiteral("stream %1 unreadable").arg(stream)));
        QCOMPARE(r.channel, stream + 1);
        const double shown = r.number / rates[stream];
        earliest = std::min(earliest, shown);
        latest = std::max(latest, shown);
    }
    // Within one frame of the slowest channel.
    const double slowest = *std::min_element(rates.cbegin(), rates.cend());
    QVERIFY2(latest - earliest <= 1.0 / slowest + 1e-6,
             qPrintable(QStringLiteral("channels at %1 .. %2 s").arg(earliest).arg(latest)));
    if (cmd == PlayCommand::SeekAbsolute)
        QVERIFY(latest <= arg / 1e6 + 1.0 / slowest);
}

void TestEnginePlayback::frameSearch_returnsExactFrame_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("first frame (a key frame)") << 0;
    QTest::newRow("second frame") << 1;
    QTest::newRow("key frame 10") << 10;
    QTest::newRow("inside a group") << 37;
    QTest::newRow("last frame") << 59;
}

void TestEnginePlayback::frameSearch_returnsExactFrame()
{
    QFETCH(int, number);
    Engine e;
    MediaContext *context = e.open(m_single);
    QVERIFY(context);
    e.loop.postSelectVideoStream(0);
    QCOMPARE(e.control(PlayCommand::Pause, 0), 0);
    context->seeking_frame_pos.store(number);
    QCOMPARE(e.control(PlayCommand::SeekByFrame, number > 1 ? number : 0), 0);
    QTRY_COMPARE_WITH_TIMEOUT(e.rx.log.searches().size(), 1, 20000);
    const ReceivedFrame found = e.rx.log.searches().first();
    QCOMPARE(found.seq, 0); // not still searching
    QCOMPARE(found.stream, 0);
    QCOMPARE(found.width, 320);
    QCOMPARE(found.number, number);
    QCOMPARE(found.channel, 1);
    if (number > 1)
        QCOMPARE(context->current_frame.load(), int64_t(number));
}

void TestEnginePlayback::frameSearch_stepsByOne()
{
    Engine e;
    MediaContext *context = e.open(m_single);
    QVERIFY(context);
    e.loop.postSelectVideoStream(0);
    QCOMPARE(e.control(PlayCommand::Pause, 0), 0);
    context->seeking_frame_pos.store(20);
    QCOMPARE(e.control(PlayCommand::SeekByFrame, 1), 0);
    QTRY_COMPARE_WITH_TIMEOUT(e.rx.log.searches().size(), 1, 20000);
    QCOMPARE(e.rx.log.searches().last().number, 21);
    QTRY_VERIFY_WITH_TIMEOUT(!context->is_seekingByFrame.load(), 20000);
    QCOMPARE(e.control(PlayCommand::SeekByFrame, -1), 0);
    QTRY_COMPARE_WITH_TIMEOUT(e.rx.log.searches().size(), 2, 20000);
    QCOMPARE(e.rx.log.searches().last().number, 20);
    QTRY_VERIFY_WITH_TIMEOUT(!context->is_seekingByFrame.load(), 20000);
    // one step back from 0 stays at 0 but still searches
    context->seeking_frame_pos.store(0);
    QCOMPARE(e.control(PlayCommand::SeekByFrame, -1), 0);
    QTRY_COMPARE_WITH_TIMEOUT(e.rx.log.searches().size(), 3, 20000);
    QCOMPARE(e.rx.log.searches().last().number, 0);
    QCOMPARE(context->seeking_frame_pos.load(), int64_t(0));
    // the stream selection "all" has no single stream to search in
    QTRY_VERIFY_WITH_TIMEOUT(!context->is_seekingByFrame.load(), 20000);
    e.loop.postSelectVideoStream(MediaInfo::AllChannels);
    QCOMPARE(e.control(PlayCommand::SeekByFrame, 0), 0);
    QTRY_COMPARE_WITH_TIMEOUT(e.rx.log.searches().size(), 4, 20000);
    QCOMPARE(e.rx.log.searches().last().seq, 1); // null frame, still searching
}

void TestEnginePlayback::noSink_playsAndSearches()
{
    // Opened without a frame sink: the pictures are freed where they would be handed over
    // (the sanitizer builds see a leak otherwise), and playing and searching report as usual.
    Engine e;
    e.loop.postOpen(m_single, nullptr, 1.0, 5, 640, 360, -1, 0);
    QTRY_COMPARE_WITH_TIMEOUT(e.log.openedCount(), 1, 20000);
    MediaContext *context = e.log.opened().first().context;
    QVERIFY(context);
    e.loop.postSelectVideoStream(0);
    QTRY_VERIFY_WITH_TIMEOUT(!e.log.times().isEmpty(), 20000);
    QCOMPARE(e.control(PlayCommand::Pause, 0), 0);
    const int timesBefore = e.log.times().size();
    context->seeking_frame_pos.store(30);
    QCOMPARE(e.control(PlayCommand::SeekByFrame, 30), 0);
    // The search ends and reports a time. Which frame it lands on is the searches' own tests'
    // matter (with a sink); reports of the playing before the pause may still come in here.
    QTRY_VERIFY_WITH_TIMEOUT(!context->is_seekingByFrame.load(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(e.log.times().size() > timesBefore, 20000);
    QCOMPARE(e.rx.log.count(), 0);
}

void TestEnginePlayback::halfRate_dropsEverySecondFrame()
{
    const QString path
            = TestRecordings::make(QStringLiteral("half.mp4"),
                                   {"--video", "320x180,fps=30,codecfps=15", "--duration", "1"});
    QVERIFY(!path.isEmpty());
    Engine e;
    QVERIFY(e.open(path));
    e.loop.postSelectVideoStream(0);
    QTRY_COMPARE_WITH_TIMEOUT(e.log.ends(), 1, 20000);
    const QVector<ReceivedFrame> frames = e.rx.log.frames();
    QCOMPARE(frames.size(), 15);
    for (int i = 0; i < frames.size(); ++i)
        QCOMPARE(frames[i].number, 2 * i);
}

void TestEnginePlayback::targetSize_followsDisplaySize_rebuildsGraph()
{
    const QString path = TestRecordings::make(QStringLiteral("wide.mp4"),
                                              {"--video", "1600x900", "--duration", "1"});
    QVERIFY(!path.isEmpty());
    LogCapture capture;
    Engine e;
    QVERIFY(e.open(path, 1000));
    e.loop.postSelectVideoStream(0);
    QCOMPARE(e.control(PlayCommand::Pause, 0), 0);
    QVERIFY(seekAndShow(e, PlayCommand::SeekAbsolute, 0, {0}));
    ReceivedFrame r = firstWithSeq(e, 0, e.log.lastSeekSeq(0));
    QCOMPARE(QSize(r.width, r.height), QSize(1280, 720));
    QCOMPARE(r.number, 0);
    const int builds = capture.count(QStringLiteral("creating or renewing filters"));
    QVERIFY(builds >= 1);

    e.loop.postChangeDisplaySize(2000, 1125);
    QVERIFY(seekAndShow(e, PlayCommand::SeekAbsolute, 500000, {0}));
    r = firstWithSeq(e, 0, e.log.lastSeekSeq(0));
    QCOMPARE(QSize(r.width, r.height), QSize(1600, 900));
    QVERIFY(r.number >= 0);
    QVERIFY(capture.count(QStringLiteral("creating or renewing filters")) > builds);
    QVERIFY(capture.contains(QStringLiteral("change display size 1280x720 -> 2000x1125")));
}

void TestEnginePlayback::viewModes_v360Sizes_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("VR") << int(SurroundViewMode::VR);
    QTest::newRow("panorama") << int(SurroundViewMode::Panorama);
    QTest::newRow("stereo") << int(SurroundViewMode::Stereo);
}

void TestEnginePlayback::viewModes_v360Sizes()
{
    QFETCH(int, mode);
    const QString path = TestRecordings::make(QStringLiteral("square.mp4"),
                                              {"--video", "320x320", "--duration", "1"});
    QVERIFY(!path.isEmpty());
    // a square stream is planned at 16:9 of its width
    const QSize target = VideoState::targetSizeFor(320, 320, 640);
    QCOMPARE(target, QSize(320, 180));
    Engine e;
    QVERIFY(e.open(path, 640, 0, mode));
    e.loop.postSelectVideoStream(0);
    QCOMPARE(e.control(PlayCommand::Pause, 0), 0);
    QVERIFY(seekAndShow(e, PlayCommand::SeekAbsolute, 0, {0}));
    ReceivedFrame r = firstWithSeq(e, 0, e.log.lastSeekSeq(0));
    QCOMPARE(QSize(r.width, r.height),
             VideoState::outputSizeFor(mode, target.width(), target.height(), 320, 320));
    QCOMPARE(r.viewMode, mode);

    // back to the original view: the next frame comes from a rebuilt graph
    e.loop.postChangeViewMode(0, SurroundViewMode::Original);
    QTRY_COMPARE_WITH_TIMEOUT(e.log.viewModeResults().size(), 1, 20000);
    QCOMPARE(e.log.viewModeResults().first(), 0);
    QVERIFY(seekAndShow(e, PlayCommand::SeekAbsolute, 500000, {0}));
    r = firstWithSeq(e, 0, e.log.lastSeekSeq(0));
    QCOMPARE(r.viewMode, int(SurroundViewMode::Original));
    QCOMPARE(QSize(r.width, r.height), QSize(320, 320));
    QVERIFY(r.number >= 0);
    // an unknown stream refuses
    e.loop.postChangeViewMode(7, SurroundViewMode::VR);
    QTRY_COMPARE_WITH_TIMEOUT(e.log.viewModeResults().size(), 2, 20000);
    QCOMPARE(e.log.viewModeResults().last(), -1);
}

void TestEnginePlayback::openWhileOpen_closedBeforeOpened()
{
    Engine e;
    QVERIFY(e.open(m_single));
    e.loop.postSelectVideoStream(0);
    QVERIFY(e.open(m_twoChannels));
    QCOMPARE(e.log.order(), QStringList({"opened", "closed", "opened"}));
    QCOMPARE(e.log.closed().first(), m_single);
    QCOMPARE(e.log.opened().last().path, m_twoChannels);
    e.loop.postClose();
    QTRY_COMPARE_WITH_TIMEOUT(e.log.closedCount(), 2, 20000);
    QVERIFY(e.loop.hasNoContext());
    // a second close has nothing to close
    e.loop.postFinish();
    QTRY_COMPARE_WITH_TIMEOUT(e.log.finished().size(), 1, 20000);
    QCOMPARE(e.log.finished().first(), -1);
    QCOMPARE(e.log.closedCount(), 2);
}

void TestEnginePlayback::relays_dropLateSignals_unknownCommand()
{
    LogCapture capture;
    Engine e;
    // without a context every command gives -1
    QCOMPARE(e.control(PlayCommand::SeekAbsolute, 0), -1);
    MediaContext *context = e.open(m_single);
    QVERIFY(context);
    QCOMPARE(e.control(static_cast<PlayCommand::Code>(9), 0), -1); // no such command
    QCOMPARE(e.log.completed().last().cmd, 9);
    QCOMPARE(e.control(PlayCommand::SetSpeed, 150), 0);
    QCOMPARE(context->playSpeed(), 1.5);
    QCOMPARE(e.control(PlayCommand::SetSpeed, 0), -1); // speed 0 would stop time
    QCOMPARE(context->playSpeed(), 1.5);
    QCOMPARE(e.control(PlayCommand::AbortStream, 99), -1); // no such stream

    // a signal of a context that is not the current one is logged, not relayed
    MediaContext other(nullptr);
    e.loop.onEndOfPlaying(&other);
    e.loop.onErrorOccurredWhileRunning(&other, -1);
    e.loop.onPlayingTimeUpdated(&other, 1.0, 0);
    QVERIFY(capture.contains(QStringLiteral("MediaEventLoop::onEndOfPlaying")));
    QTest::qWait(50);
    QCOMPARE(e.log.ends(), 0);
    QVERIFY(e.log.errors().isEmpty());
    QVERIFY(e.log.times().isEmpty());
}

void TestEnginePlayback::abortedStream_reportedDead_closeReturns()
{
    LogCapture capture;
    Engine e;
    QVERIFY(e.open(m_twoChannels));
    e.loop.postSelectVideoStream(0);
    QTRY_VERIFY_WITH_TIMEOUT(e.rx.log.count() >= 3, 20000);
    QCOMPARE(e.control(PlayCommand::AbortStream, 0), 0);
    QTRY_VERIFY_WITH_TIMEOUT(e.log.errors().contains(AVERROR_BUG2), 30000);
    QCOMPARE(e.log.errors().count(AVERROR_BUG2), 1);
    QVERIFY(capture.contains(QStringLiteral("decoder is dead @")));
    e.loop.postClose();
    QTRY_COMPARE_WITH_TIMEOUT(e.log.closedCount(), 1, 30000);
    QVERIFY(capture.contains(QStringLiteral("decoder forced to killed, dead? true")));
}

QTEST_GUILESS_MAIN(TestEnginePlayback)
#include "tst_engineplayback.moc"
