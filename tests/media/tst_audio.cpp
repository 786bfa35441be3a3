// ctest-labels: audio;engine
// The audio path: the ring buffer alone, and the audio state playing through the real audio
// output (a PulseAudio server with a null sink) inside the real engine, as the master clock of
// the video streams.
#include "logcapture.h"
#include "media/audioringbuffer.h"
#include "media/audiostate.h"
#include "media/framesink.h"
#include "media/mediacontext.h"
#include "media/mediaframe.h"
#include "media/videostate.h"
#include "testpaths.h"
#include "testrecordings.h"

#include <QAudioDeviceInfo>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/types.h>

namespace {

// The byte the stress test writes at index i of epoch e.
uint8_t patternByte(int epoch, int64_t i)
{
    return static_cast<uint8_t>((epoch * 31 + i * 7 + (i >> 8)) & 0xff);
}

struct Presented
{
    int stream;
    double pts;
    int seq;
    double audioClock; // the audio clock when the frame was presented, NaN without audio
};

} // namespace

// Receives the presented video frames on the runner threads and notes the audio clock at that
// moment (the benchmark hook).
class Receiver : public FrameSink
{
public:
    std::atomic<AudioState *> audio {nullptr};

    std::vector<Presented> frames() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_frames;
    }
    int count() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return static_cast<int>(m_frames.size());
    }
    void clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_frames.clear();
    }

    void presentFrame(int streamIndex, std::unique_ptr<MediaFrame> frame) override
    {
        AudioState *state = audio.load();
        const double clock = state ? state->audioClock() : std::nan("");
        std::lock_guard<std::mutex> lock(m_mutex);
        m_frames.push_back({streamIndex, frame->pts, frame->seq, clock});
    }
    void presentSearchFrame(int, av::FramePtr, bool) override { }

private:
    mutable std::mutex m_mutex;
    std::vector<Presented> m_frames;
};

// One open recording on a context driven from the test thread.
struct Playback
{
    Receiver rx;
    MediaContext context {&rx};
    AudioState *audio = nullptr;
    VideoState *video = nullptr;

    ~Playback() { context.close(); }

    bool open(const QString &path, int volume = 5)
    {
        if (context.openFromFile(path, 1.0, volume, 640, 360, -1, 0) != 0)
            return false;
        for (int index : context.streamIndexes()) {
            MediaState *state = context.stateFor(index);
            if (!state)
                continue;
            if (state->type() == MediaState::Audio && !audio)
                audio = static_cast<AudioState *>(state);
            if (state->type() == MediaState::Video && !video)
                video = static_cast<VideoState *>(state);
        }
        rx.audio.store(audio);
        return context.selectVideoStream(MediaInfo::AllChannels) == 0;
    }
};

class TestAudio : public QObject
{
    Q_OBJECT

private slots:
    void ring_sizeForSlot_data();
    void ring_sizeForSlot();
    void ring_wrapAround_keepsBytesInOrder();
    void ring_oneByteAlwaysFree();
    void ring_seqChange_discardsAndRestartsPosition();
    void ring_concurrentPushAndDrain_keepEveryEpochIntact();

    void open_formats_play_data();
    void open_formats_play();
    void play_audioClockRunsAtRealTime_videoPacedToIt();
    void pause_stopsAudioClock_resumeRestartsIt();
    void seek_restartsAudioClockAtNewPts();
    void speed2_reopensAtDoubleRate();
    void rateChangeMidstream_rebuildsGraph_playsOn();
    void volume_levelsClamp_data();
    void volume_levelsClamp();
    void noSoundServer_audioNotSupported_videoPlaysOnItsOwnClock();
    void noSoundServerChild();
    void serverGone_audioClockGoesOnWithoutSound();
    void serverGoneChild();

private:
    // Runs one test function of this program in a child process that reaches the sound
    // server (or none) only through runtimeDir; true when it passed.
    void runChild(const QString &function, const QString &runtimeDir);
    // Skips a case that needs the sound server when none answers.
    bool haveSoundServer();
    QString recording(const QString &name, const QStringList &extra);
};

bool TestAudio::haveSoundServer()
{
    return !QAudioDeviceInfo::defaultOutputDevice().isNull();
}

QString TestAudio::recording(const QString &name, const QStringList &extra)
{
    return TestRecordings::make(name, QStringList {"--video", "160x90"} + extra);
}

// --- the ring buffer alone ---------------------------------------------------------------------

void TestAudio::ring_sizeForSlot_data()
{
    QTest::addColumn<int>("slotSize");
    QTest::addColumn<int>("size");
    QTest::newRow("48 kHz stereo") << 38400 << 262144;
    QTest::newRow("44.1 kHz mono") << 17640 << 131072;
    QTest::newRow("96 kHz stereo") << 76800 << 524288;
    QTest::newRow("five slots exactly a power of two") << 8 << 64; // 40 -> 64
    QTest::newRow("one byte") << 1 << 8;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("negative") << -4 << 0;
    QTest::newRow("beyond int32") << (1 << 28) << 0;
}

void TestAudio::ring_sizeForSlot()
{
    QFETCH(int, slotSize);
    QFETCH(int, size);
    QCOMPARE(AudioRingBuffer::sizeForSlot(slotSize), size);
    AudioRingBuffer ring;
    QCOMPARE(ring.setup(slotSize), size > 0);
    QCOMPARE(ring.size(), size);
    QCOMPARE(ring.slotSize(), size > 0 ? slotSize : 0);
    QCOMPARE(ring.seq(), -1);
    QCOMPARE(ring.stored(), 0);
}

void TestAudio::ring_wrapAround_keepsBytesInOrder()
{
    AudioRingBuffer ring;
    QVERIFY(ring.setup(8)); // 64 bytes
    ring.resetEpoch(3, 10.0);
    int64_t written = 0;
    int64_t read = 0;
    double expectedPosition = 10.0;
    // Chunks of 37 bytes in, at most 8 out: the positions wrap many times.
    for (int round = 0; round < 40; ++round) {
        std::vector<uint8_t> in(37);
        for (auto &b : in)
            b = patternByte(3, written++);
        QVERIFY(ring.write(in.data(), 37));
        while (ring.stored() > 0) {
            double position = -1;
            const int n = ring.takeChunk(8, 2, 3, 100.0, &position);
            if (n == 0)
                break; // one odd byte waits for the next round
            QVERIFY(n % 2 == 0 && n <= 8);
            QCOMPARE(position, expectedPosition);
            expectedPosition += n / 100.0;
            for (int i = 0; i < n; ++i)
                QCOMPARE(ring.slotBuffer()[i], patternByte(3, read++));
        }
    }
    QVERIFY(read > 40 * 37 - 2);
    QVERIFY(std::abs(ring.position() - (10.0 + read / 100.0)) < 1e-9);
}

void TestAudio::ring_oneByteAlwaysFree()
{
    AudioRingBuffer ring;
    QVERIFY(ring.setup(8));
    ring.resetEpoch(0, 0.0);
    std::vector<uint8_t> bytes(64, 0x5a);
    QVERIFY(!ring.write(bytes.data(), 64));
    QVERIFY(ring.write(bytes.data(), 63));
    QCOMPARE(ring.stored(), 63);
    QCOMPARE(ring.freeBytes(), 1);
    QVERIFY(!ring.write(bytes.data(), 1));
    double position = 0;
    QCOMPARE(ring.takeChunk(8, 1, 0, 1000.0, &position), 8);
    QCOMPARE(ring.freeBytes(), 9);
    QVERIFY(!ring.write(bytes.data(), 9));
    QVERIFY(ring.write(bytes.data(), 8));
    QCOMPARE(ring.stored(), 63);
    QVERIFY(!ring.write(nullptr, 0));
}

void TestAudio::ring_seqChange_discardsAndRestartsPosition()
{
    AudioRingBuffer ring;
    QVERIFY(ring.setup(16)); // 128 bytes
    ring.resetEpoch(0, 1.0);
    std::vector<uint8_t> old(40, 0x11);
    QVERIFY(ring.write(old.data(), 40));
    double position = 0;
    QCOMPARE(ring.takeChunk(16, 4, 0, 40.0, &position), 16);
    QCOMPARE(position, 1.0);
    QCOMPARE(ring.position(), 1.4);

    ring.resetEpoch(1, 5.0);
    QCOMPARE(ring.seq(), 1);
    QCOMPARE(ring.stored(), 0);
    QCOMPARE(ring.position(), 5.0);
    QCOMPARE(ring.freeBytes(), 128);
    // A consumer still on the old seq gets nothing.
    std::vector<uint8_t> fresh(12, 0x22);
    QVERIFY(ring.write(fresh.data(), 12));
    QCOMPARE(ring.takeChunk(16, 4, 0, 40.0, &position), 0);
    QCOMPARE(ring.takeChunk(16, 4, 1, 40.0, &position), 12);
    QCOMPARE(position, 5.0);
    for (int i = 0; i < 12; ++i)
        QCOMPARE(ring.slotBuffer()[i], uint8_t(0x22));

    ring.release();
    QCOMPARE(ring.size(), 0);
    QCOMPARE(ring.seq(), -1);
    QCOMPARE(ring.position(), 0.0);
    QVERIFY(!ring.write(fresh.data(), 4));
}

void TestAudio::ring_concurrentPushAndDrain_keepEveryEpochIntact()
{
    AudioRingBuffer ring;
    QVERIFY(ring.setup(256)); // 2048 bytes
    constexpr int64_t kTotal = 3000000;
    constexpr int64_t kEpochBytes = 40000;
    constexpr double kBytesPerSecond = 1000.0;
    std::atomic<bool> done {false};

    std::thread producer([&] {
        int epoch = 0;
        int64_t index = 0;
        uint32_t random = 12345;
        std::vector<uint8_t> chunk(700);
        ring.resetEpoch(epoch, epoch * 100.0);
        for (int64_t total = 0; total < kTotal;) {
            random = random * 1664525u + 1013904223u;
            const int n = 1 + static_cast<int>((random >> 8) % 600);
            if (index >= kEpochBytes) {
                ++epoch;
                index = 0;
                ring.resetEpoch(epoch, epoch * 100.0);
            }
            for (int i = 0; i < n; ++i)
                chunk[i] = patternByte(epoch, index + i);
            while (n >= ring.freeBytes())
                std::this_thread::yield();
            if (!ring.write(chunk.data(), n))
                break;
            index += n;
            total += n;
        }
        done.store(true);
    });

    int lastSeq = -2;
    int64_t index = 0;
    int64_t received = 0;
    int mismatches = 0;
    int epochsSeen = 0;
    while (!(done.load() && ring.stored() == 0)) {
        const int seq = ring.seq();
        if (seq != lastSeq) {
            lastSeq = seq;
            index = 0;
            ++epochsSeen;
        }
        double position = 0;
        const int n = ring.takeChunk(97, 1, lastSeq, kBytesPerSecond, &position);
        if (n == 0) {
            std::this_thread::yield();
            continue;
        }
        if (std::abs(position - (lastSeq * 100.0 + index / kBytesPerSecond)) > 1e-6)
            ++mismatches;
        for (int i = 0; i < n; ++i)
            if (ring.slotBuffer()[i] != patternByte(lastSeq, index + i))
                ++mismatches;
        index += n;
        received += n;
    }
    producer.join();
    QCOMPARE(mismatches, 0);
    QVERIFY(epochsSeen > 10);
    QVERIFY(received > 0);
}

// --- the audio state through the real output ---------------------------------------------------

void TestAudio::open_formats_play_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::newRow("48 kHz stereo AAC") << "stereo48.mp4" << QStringList {"--audio"} << 48000 << 2;
    QTest::newRow("44.1 kHz mono AAC")
            << "mono44.mp4"
            << QStringList {"--audio", "--audio-rate", "44100", "--audio-channels", "1"} << 44100
            << 1;
    QTest::newRow("48 kHz 5.1 AAC")
            << "surround51.mp4" << QStringList {"--audio", "--audio-channels", "6"} << 48000 << 6;
    QTest::newRow("44.1 kHz stereo MP3 in AVI")
            << "stereo44.avi" << QStringList {"--audio", "--audio-rate", "44100"} << 44100 << 2;
}

void TestAudio::open_formats_play()
{
    QVERIFY2(haveSoundServer(), "no sound server (./test starts one)");
    QFETCH(QString, file);
    QFETCH(QStringList, options);
    QFETCH(int, rate);
    QFETCH(int, channels);
    const QString path = recording(file, options);
    QVERIFY(!path.isEmpty());

    Playback playback;
    QVERIFY(playback.open(path));
    AudioState *audio = playback.audio;
    QVERIFY(audio);
    QVERIFY(audio->hasOutput());
    QCOMPARE(playback.context.masterFor(playback.video), static_cast<MediaState *>(audio));
    QCOMPARE(audio->packetCapacity(), 50);
    QCOMPARE(audio->deviceRate(), rate);
    // The device plays the stream's channels, or downmixed ones if it refuses them.
    const int played = audio->deviceChannels();
    QVERIFY2(played == channels || played == 2, qPrintable(QString::number(played)));
    QCOMPARE(audio->targetChannels(), played);
    QCOMPARE(audio->frameSize(), 2 * played);
    QCOMPARE(audio->bytesPerSlot(), rate / 5 * 2 * played);
    QCOMPARE(audio->ring().size(), AudioRingBuffer::sizeForSlot(audio->bytesPerSlot()));
    if (rate == 48000 && channels == 2) {
        QCOMPARE(audio->frameSize(), 4);
        QCOMPARE(audio->bytesPerSlot(), 38400);
        QCOMPARE(audio->ring().size(), 262144);
    }

    // It plays: the audio clock moves and the video follows it.
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() > 0.6, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(playback.rx.count() > 10, 10000);
    QCOMPARE(audio->outputState(), int(QAudio::ActiveState));
}

void TestAudio::play_audioClockRunsAtRealTime_videoPacedToIt()
{
    QVERIFY2(haveSoundServer(), "no sound server (./test starts one)");
    const QString path = recording("clock48.mp4", {"--audio", "--duration", "9"});
    QVERIFY(!path.isEmpty());
    Playback playback;
    QVERIFY(playback.open(path));
    AudioState *audio = playback.audio;
    QVERIFY(audio);
    QCOMPARE(playback.context.masterFor(playback.video), static_cast<MediaState *>(audio));

    // Measure between two chunk boundaries (the clock moves in 200 ms steps), over >= 4 s.
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() > 0.5, 10000);
    const double before = audio->audioClock();
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() != before, 2000);
    QElapsedTimer wall;
    wall.start();
    const double start = audio->audioClock();
    playback.rx.clear();
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() >= start + 4.0, 10000);
    const double elapsed = wall.nsecsElapsed() / 1e9;
    const double advanced = audio->audioClock() - start;
    const double ratio = advanced / elapsed;
    qInfo().noquote() << "audio clock" << advanced << "s in" << elapsed << "s of wall time";
    QVERIFY2(ratio > 0.9 && ratio < 1.1,
             qPrintable(QString("audio %1 s in %2 s of wall time").arg(advanced).arg(elapsed)));

    // The video frames shown meanwhile were due at the audio clock: none more than a slot and
    // a bit away from it.
    const std::vector<Presented> frames = playback.rx.frames();
    QVERIFY(frames.size() > 90); // 30 fps over 4 s
    int far = 0;
    double worst = 0;
    for (const Presented &f : frames) {
        const double gap = std::abs(f.pts - f.audioClock);
        worst = std::max(worst, gap);
        far += gap > 0.35 ? 1 : 0;
    }
    qInfo().noquote() << frames.size() << "frames," << far << "more than 0.35 s off, worst"
                      << worst;
    QVERIFY2(far <= static_cast<int>(frames.size()) / 20,
             qPrintable(QString("%1 of %2 frames off the audio clock, worst %3 s")
                                .arg(far)
                                .arg(frames.size())
                                .arg(worst)));
}

void TestAudio::pause_stopsAudioClock_resumeRestartsIt()
{
    QVERIFY2(haveSoundServer(), "no sound server (./test starts one)");
    const QString path = recording("pause48.mp4", {"--audio", "--duration", "8"});
    QVERIFY(!path.isEmpty());
    LogCapture log;
    Playback playback;
    QVERIFY(playback.open(path));
    AudioState *audio = playback.audio;
    QVERIFY(audio);
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() > 1.0, 10000);

    QCOMPARE(playback.context.pause(), 0);
    QTRY_COMPARE(audio->outputState(), int(QAudio::SuspendedState));
    QVERIFY(log.contains("audio state: SUSPENDED"));
    const double frozen = audio->audioClock();
    const int framesWhenPaused = playback.rx.count();
    // Nothing may move while paused; this wait only gives it the chance to.
    QTest::qWait(700);
    QCOMPARE(audio->audioClock(), frozen);
    QVERIFY(playback.rx.count() <= framesWhenPaused + 1);

    QCOMPARE(playback.context.resume(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() > frozen + 0.5, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(playback.rx.count() > framesWhenPaused + 10, 5000);
}

void TestAudio::seek_restartsAudioClockAtNewPts()
{
    QVERIFY2(haveSoundServer(), "no sound server (./test starts one)");
    const QString path = recording("seek48.mp4", {"--audio", "--duration", "9"});
    QVERIFY(!path.isEmpty());
    LogCapture log;
    Playback playback;
    QVERIFY(playback.open(path));
    AudioState *audio = playback.audio;
    QVERIFY(audio);
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() > 1.0, 10000);
    const int oldSeq = audio->clock().seq();

    QCOMPARE(playback.context.seekAbsolute(6000000), 0);
    QTRY_VERIFY_WITH_TIMEOUT(audio->clock().seq() > oldSeq, 10000);
    // The new epoch starts at the pts of the first audio frame after the seek: at or before the
    // target (the seek lands on a key frame), never at the old time.
    const double first = audio->clock().firstPts();
    QVERIFY2(first > 4.0 && first <= 6.1, qPrintable(QString::number(first)));
    QVERIFY(log.contains("audio buffer seq mismatch"));
    QVERIFY(log.contains("audio renderer: mismatch seq"));
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() > first + 0.5, 5000);
    const int newSeq = audio->clock().seq();
    QTRY_VERIFY_WITH_TIMEOUT(playback.rx.count() > 0 && playback.rx.frames().back().seq == newSeq,
                             5000);
    QVERIFY(playback.rx.frames().back().pts > 4.0);
}

void TestAudio::speed2_reopensAtDoubleRate()
{
    QVERIFY2(haveSoundServer(), "no sound server (./test starts one)");
    const QString path = recording("speed48.mp4", {"--audio", "--duration", "9"});
    QVERIFY(!path.isEmpty());
    LogCapture log;
    Playback playback;
    QVERIFY(playback.open(path));
    AudioState *audio = playback.audio;
    QVERIFY(audio);
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() > 0.5, 10000);

    QCOMPARE(playback.context.setPlaySpeed(2.0), 0);
    QVERIFY(log.contains("audio new sampling rate 96000"));
    if (log.contains("audio format not supported, try nearest."))
        QVERIFY(audio->deviceRate() > 48000);
    else
        QCOMPARE(audio->deviceRate(), 96000);
    QVERIFY(audio->hasOutput());
    QCOMPARE(audio->bytesPerSlot(), audio->deviceRate() / 5 * 4);
    QCOMPARE(audio->outputVolume(), 0.5);

    // The clock now runs at about twice the wall time.
    QTRY_VERIFY_WITH_TIMEOUT(audio->clock().speed() == 2.0, 5000);
    const double before = audio->audioClock();
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() != before, 2000);
    QElapsedTimer wall;
    wall.start();
    const double start = audio->audioClock();
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() >= start + 3.0, 10000);
    const double ratio = (audio->audioClock() - start) / (wall.nsecsElapsed() / 1e9);
    qInfo().noquote() << "at speed 2 the audio clock runs" << ratio << "x wall time";
    QVERIFY2(ratio > 1.6 && ratio < 2.4, qPrintable(QString::number(ratio)));
}

void TestAudio::rateChangeMidstream_rebuildsGraph_playsOn()
{
    QVERIFY2(haveSoundServer(), "no sound server (./test starts one)");
    // MP3 frames carry their own rate: two MP3 streams of 44.1 and 22.05 kHz joined into one
    // audio stream, muxed with video, change the decoded rate after 1.5 s.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString first = dir.filePath("a.mp3");
    const QString second = dir.filePath("b.mp3");
    const QString joined = dir.filePath("ab.mp3");
    const QString path = dir.filePath("ratechange.avi");
    const QStringList mp3 {"-id3v2_version", "0", "-write_xing", "0", "-c:a", "libmp3lame"};
    QCOMPARE(runProcess("ffmpeg",
                        QStringList {"-v",
                                     "error",
                                     "-y",
                                     "-f",
                                     "lavfi",
                                     "-i",
                                     "sine=f=440:r=44100:d=1.5",
                                     "-ac",
                                     "2"}
                                + mp3 + QStringList {first})
                     .exitCode,
             0);
    QCOMPARE(runProcess("ffmpeg",
                        QStringList {"-v",
                                     "error",
                                     "-y",
                                     "-f",
                                     "lavfi",
                                     "-i",
                                     "sine=f=660:r=22050:d=3",
                                     "-ac",
                                     "2"}
                                + mp3 + QStringList {second})
                     .exitCode,
             0);
    QFile out(joined);
    QVERIFY(out.open(QIODevice::WriteOnly));
    for (const QString &part : {first, second}) {
        QFile in(part);
        QVERIFY(in.open(QIODevice::ReadOnly));
        out.write(in.readAll());
    }
    out.close();
    QCOMPARE(runProcess("ffmpeg", {"-v",
                                   "error",
                                   "-y",
                                   "-f",
                                   "lavfi",
                                   "-i",
                                   "testsrc=s=160x90:r=30:d=5",
                                   "-i",
                                   joined,
                                   "-map",
                                   "0:v",
                                   "-map",
                                   "1:a",
                                   "-c:v",
                                   "libx264",
                                   "-g",
                                   "30",
                                   "-c:a",
                                   "copy",
                                   path})
                     .exitCode,
             0);

    LogCapture log;
    Playback playback;
    QSignalSpy errors(&playback.context, &MediaContext::errorOccurredWhileRunning);
    QVERIFY(playback.open(path));
    AudioState *audio = playback.audio;
    QVERIFY(audio);
    QCOMPARE(audio->targetRate(), 44100);
    QTRY_VERIFY_WITH_TIMEOUT(log.contains("source changed"), 10000);
    QVERIFY(log.contains("rate 44100 -> 22050"));
    // The graph resamples the new rate to the device's: the clock goes on past the change.
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() > 2.5, 10000);
    QVERIFY(!audio->isFailed());
    QCOMPARE(errors.count(), 0);
}

void TestAudio::volume_levelsClamp_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("volume");
    QTest::newRow("above the range") << 12 << 1.0;
    QTest::newRow("below the range") << -3 << 0.0;
    QTest::newRow("middle") << 5 << 0.5;
    QTest::newRow("top") << 10 << 1.0;
    QTest::newRow("mute") << 0 << 0.0;
}

void TestAudio::volume_levelsClamp()
{
    QFETCH(int, level);
    QFETCH(double, volume);
    QCOMPARE(AudioState::volumeForLevel(level), volume);
    QVERIFY2(haveSoundServer(), "no sound server (./test starts one)");
    const QString path = recording("stereo48.mp4", {"--audio"});
    QVERIFY(!path.isEmpty());
    LogCapture log;
    Playback playback;
    QVERIFY(playback.open(path, 7));
    QVERIFY(playback.audio);
    QVERIFY(std::abs(playback.audio->outputVolume() - 0.7) < 1e-3);
    QCOMPARE(playback.context.setVolume(level), 0);
    QVERIFY(std::abs(playback.audio->outputVolume() - volume) < 1e-3);
    QVERIFY(log.contains(QString("AudioState::setVolume : %1").arg(level)));
}

void TestAudio::runChild(const QString &function, const QString &runtimeDir)
{
    QFile config(runtimeDir + "/client.conf");
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("autospawn = no\n");
    config.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VISTREL_AUDIO_CHILD", "1");
    env.insert("PULSE_SERVER", "unix:" + runtimeDir + "/pulse/native");
    env.insert("PULSE_CLIENTCONFIG", config.fileName());
    env.insert("XDG_RUNTIME_DIR", runtimeDir);
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {function});
    QVERIFY(child.waitForFinished(120000));
    const QByteArray out = child.readAllStandardOutput() + child.readAllStandardError();
    // The end of the child's output says why it failed (its FAIL line, a sanitizer's report).
    const QByteArray tail = QByteArray::number(child.exitCode()) + ": " + out.right(6000);
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, tail.constData());
    QVERIFY2(out.contains(QString("PASS   : TestAudio::%1()").arg(function).toUtf8()),
             tail.constData());
}

void TestAudio::noSoundServer_audioNotSupported_videoPlaysOnItsOwnClock()
{
    // A process keeps its first sound server connection: a fresh child that can reach none.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    runChild("noSoundServerChild", dir.path());
}

void TestAudio::noSoundServerChild()
{
    if (qEnvironmentVariableIsEmpty("VISTREL_AUDIO_CHILD"))
        QSKIP("runs as the child of noSoundServer_audioNotSupported_videoPlaysOnItsOwnClock");
    const QString path = recording("stereo48.mp4", {"--audio"});
    QVERIFY(!path.isEmpty());
    LogCapture log;
    Playback playback;
    QVERIFY(playback.open(path));
    QVERIFY(!playback.audio);
    QVERIFY(playback.video);
    QVERIFY(log.contains("stream 1 , type 1 : not supported"));
    QCOMPARE(playback.context.masterFor(playback.video), static_cast<MediaState *>(playback.video));
    QTRY_VERIFY_WITH_TIMEOUT(playback.rx.count() > 30, 10000);
}

void TestAudio::serverGone_audioClockGoesOnWithoutSound()
{
    QVERIFY2(!QStandardPaths::findExecutable("pulseaudio").isEmpty(),
             "no pulseaudio program (tools/deps.sh --test installs it)");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A private sound server that the child kills while its recording plays; this process
    // owns it, so it also goes when the child fails early.
    QProcess server;
    QProcessEnvironment serverEnv = QProcessEnvironment::systemEnvironment();
    serverEnv.insert("XDG_RUNTIME_DIR", dir.path());
    serverEnv.remove("PULSE_SERVER");
    server.setProcessEnvironment(serverEnv);
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start("pulseaudio",
                 {"-n",
                  "--daemonize=no",
                  "--exit-idle-time=-1",
                  "--disallow-exit",
                  "--log-target=file:" + dir.filePath("pulse.log"),
                  "--load=module-native-protocol-unix socket=" + dir.filePath("pulse/native"),
                  "--load=module-null-sink sink_name=gone_null rate=48000 channels=2",
                  "--load=module-always-sink"});
    QVERIFY(server.waitForStarted());
    qputenv("VISTREL_PULSE_PID", QByteArray::number(server.processId()));
    runChild("serverGoneChild", dir.path());
    qunsetenv("VISTREL_PULSE_PID");
    server.kill();
    server.waitForFinished();
}

void TestAudio::serverGoneChild()
{
    if (qEnvironmentVariableIsEmpty("VISTREL_AUDIO_CHILD"))
        QSKIP("runs as the child of serverGone_audioClockGoesOnWithoutSound");
    const qint64 serverPid = qEnvironmentVariableIntValue("VISTREL_PULSE_PID");
    QVERIFY(serverPid > 0);
    QTRY_VERIFY_WITH_TIMEOUT(runProcess("pactl", {"info"}, 5000).exitCode == 0, 10000);

    const QString path = recording("gone48.mp4", {"--audio", "--duration", "9"});
    QVERIFY(!path.isEmpty());
    LogCapture log;
    Playback playback;
    QVERIFY(playback.open(path));
    AudioState *audio = playback.audio;
    QVERIFY(audio);
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() > 1.0, 10000);

    QCOMPARE(::kill(static_cast<pid_t>(serverPid), SIGKILL), 0);
    QTRY_VERIFY_WITH_TIMEOUT(log.contains("audio output lost"), 10000);
    QVERIFY(!audio->hasOutput());
    // The clock, and the video paced against it, go on at about real time.
    const double lost = audio->audioClock();
    QElapsedTimer wall;
    wall.start();
    const int frames = playback.rx.count();
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() > lost + 2.0, 10000);
    const double ratio = (audio->audioClock() - lost) / (wall.nsecsElapsed() / 1e9);
    QVERIFY2(ratio > 0.7 && ratio < 1.3, qPrintable(QString::number(ratio)));
    QVERIFY(playback.rx.count() > frames + 30);
    // Until the loss was noticed the clock stood still and the video waited for it; the video
    // stays that much ahead of the clock until the next seek (the pacing adds its own lateness).
    const Presented last = playback.rx.frames().back();
    QVERIFY2(std::abs(last.pts - last.audioClock) < 1.5,
             qPrintable(QString("%1 vs %2").arg(last.pts).arg(last.audioClock)));
}

QTEST_GUILESS_MAIN(TestAudio)
#include "tst_audio.moc"
