#include "benchchild.h"

#include "cardbench.h"
#include "guibench.h"
#include "meterbench.h"

#include "benchreceiver.h"
#include "childrun.h"
#include "decodefloor.h"
#include "media/audiostate.h"
#include "media/mediaclock.h"
#include "media/mediacontext.h"
#include "media/mediaeventloop.h"
#include "media/mediastate.h"
#include "media/triptimeline.h"
#include "toolargs.h"
#include "tooloutput.h"

#include <QAudio>
#include <QJsonArray>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace {

constexpr int kWaitMs = 20000;
// Far above any decoding rate: the pacing delay is always negative, so it never waits.
constexpr double kUntimedSpeed = 100.0;

bool waitFor(const std::function<bool()> &done, int timeoutMs = kWaitMs)
{
    const double end = MediaClock::nowSeconds() + timeoutMs / 1000.0;
    while (!done()) {
        if (MediaClock::nowSeconds() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

QJsonArray toArray(const QVector<double> &values)
{
    QJsonArray a;
    for (double v : values)
        a.append(std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null));
    return a;
}

// One event loop, its receiver and what the loop reported, recorded on the emitting thread.
class Session
{
public:
    Session()
    {
        auto d = Qt::DirectConnection;
        QObject::connect(
                &loop,
                &MediaEventLoop::mediaEventOpened,
                &guard,
                [this](MediaContext *c, QString, int r) {
                    std::lock_guard<std::mutex> l(mutex);
                    openedAt = MediaClock::nowSeconds();
                    context = r == 0 ? c : nullptr;
                    openResult = r;
                    ++opened;
                },
                d);
        QObject::connect(
                &loop,
                &MediaEventLoop::mediaEventClosed,
                &guard,
                [this](QString, int) { closed.fetch_add(1); },
                d);
        QObject::connect(
                &loop,
                &MediaEventLoop::mediaEventEndOfPlaying,
                &guard,
                [this](MediaContext *) { ends.fetch_add(1); },
                d);
        QObject::connect(
                &loop,
                &MediaEventLoop::mediaEventPlayControlCommandCompleted,
                &guard,
                [this](int, int64_t, int r) {
                    std::lock_guard<std::mutex> l(mutex);
                    lastResult = r;
                    ++completed;
                },
                d);
        QObject::connect(
                &loop,
                &MediaEventLoop::mediaEventSeekingStreamInfo,
                &guard,
                [this](MediaContext *, int stream, int seq) {
                    std::lock_guard<std::mutex> l(mutex);
                    seekSeq[stream] = seq;
                    ++seekInfos;
                },
                d);
        loop.start();
    }
    ~Session()
    {
        loop.postFinish();
        loop.wait();
    }

    MediaContext *open(const QString &path, double speed, int modeStream, int viewMode)
    {
        const int before = openedCount();
        loop.postOpen(path, &rx, speed, 5, 1280, 720, modeStream, viewMode);
        if (!waitFor([&] { return openedCount() > before; }))
            return nullptr;
        std::lock_guard<std::mutex> l(mutex);
        return context;
    }
    bool close()
    {
        const int before = closed.load();
        loop.postClose();
        return waitFor([&] { return closed.load() > before; });
    }
    int control(PlayCommand::Code cmd, int64_t arg)
    {
        int before;
        {
            std::lock_guard<std::mutex> l(mutex);
            before = completed;
        }
        loop.postPlayControl(cmd, arg);
        if (!waitFor([&] {
                std::lock_guard<std::mutex> l(mutex);
                return completed > before;
            }))
            return -100;
        std::lock_guard<std::mutex> l(mutex);
        return lastResult;
    }
    int openedCount()
    {
        std::lock_guard<std::mutex> l(mutex);
        return opened;
    }
    int seekSeqOf(int stream)
    {
        std::lock_guard<std::mutex> l(mutex);
        const auto it = seekSeq.find(stream);
        return it == seekSeq.end() ? -1 : it->second;
    }
    int seekInfoCount()
    {
        std::lock_guard<std::mutex> l(mutex);
        return seekInfos;
    }

    MediaEventLoop loop;
    BenchReceiver rx;
    QObject guard;
    std::mutex mutex;
    MediaContext *context = nullptr; // guarded by mutex
    double openedAt = 0; // guarded by mutex; when the loop reported the last open
    int openResult = 1; // guarded by mutex
    int opened = 0; // guarded by mutex
    int completed = 0; // guarded by mutex
    int lastResult = 0; // guarded by mutex
    std::map<int, int> seekSeq; // guarded by mutex
    int seekInfos = 0; // guarded by mutex
    std::atomic<int> closed {0};
    std::atomic<int> ends {0};
};

QVector<int> videoStreams(MediaContext *context)
{
    QVector<int> streams;
    context->forEachState([&streams](int index, MediaState *state) {
        if (state->type() == MediaState::Video)
            streams << index;
    });
    return streams;
}

bool audioPlaying(MediaContext *context)
{
    bool playing = false;
    context->forEachState([&playing](int, MediaState *state) {
        playing = playing
                || (state->type() == MediaState::Audio
                    && static_cast<AudioState *>(state)->hasOutput());
    });
    return playing;
}

// Waits until every stream showed a picture at or after `since`; the latest of those times
// minus since, in ms, or NaN.
double firstPicturesMs(const BenchReceiver &rx, const QVector<int> &streams, double since)
{
    double latest = since;
    const bool ok = waitFor([&] {
        for (int s : streams)
            if (rx.firstArrivalSince(s, since) < 0)
                return false;
        return true;
    });
    if (!ok)
        return std::nan("");
    for (int s : streams)
        latest = std::max(latest, rx.firstArrivalSince(s, since));
    return (latest - since) * 1000.0;
}

int runThroughput(const QString &path, int modeStream, int viewMode)
{
    Session session;
    const double start = MediaClock::nowSeconds();
    MediaContext *context = session.open(path, kUntimedSpeed, modeStream, viewMode);
    if (!context)
        return ToolOutput::fail(QStringLiteral("the engine cannot open %1").arg(path));
    session.loop.postSelectVideoStream(modeStream >= 0 ? modeStream : MediaInfo::AllChannels);
    if (!waitFor([&] { return session.ends.load() > 0; }, 600000))
        return ToolOutput::fail(QStringLiteral("no end of playing within 600 s"));
    const double seconds = MediaClock::nowSeconds() - start;
    QJsonObject o;
    o.insert(QStringLiteral("audio"), audioPlaying(context));
    o.insert(QStringLiteral("frames"), session.rx.frameCount());
    o.insert(QStringLiteral("seconds"), seconds);
    o.insert(QStringLiteral("fps"), seconds > 0 ? session.rx.frameCount() / seconds : 0.0);
    ToolOutput::printJson(QJsonDocument(o));
    return 0;
}

int runPlay(const QString &path, double seconds)
{
    Session session;
    MediaContext *context = session.open(path, 1.0, -1, 0);
    if (!context)
        return ToolOutput::fail(QStringLiteral("the engine cannot open %1").arg(path));
    const bool audio = audioPlaying(context);
    session.rx.setRealtimeContext(context);
    session.loop.postSelectVideoStream(MediaInfo::AllChannels);
    if (!waitFor([&] { return session.rx.firstRealtimeArrival() > 0; }))
        return ToolOutput::fail(QStringLiteral("no picture within %1 s").arg(kWaitMs / 1000));
    const double cpu0 = ChildRun::ownCpuSeconds();
    const double wall0 = MediaClock::nowSeconds();
    waitFor([&] { return session.ends.load() > 0; }, static_cast<int>(seconds * 1000));
    const double cpu1 = ChildRun::ownCpuSeconds();
    const double wall1 = MediaClock::nowSeconds();
    session.rx.setRealtimeContext(nullptr);
    QJsonObject o;
    o.insert(QStringLiteral("audio"), audio);
    o.insert(QStringLiteral("seconds"), wall1 - wall0);
    o.insert(QStringLiteral("cpu_per_second"), (cpu1 - cpu0) / std::max(1e-6, wall1 - wall0));
    o.insert(QStringLiteral("frames"), session.rx.frameCount());
    o.insert(QStringLiteral("dropped"), session.rx.droppedFrames());
    o.insert(QStringLiteral("presentation_error_ms"), toArray(session.rx.presentationJitterMs()));
    o.insert(QStringLiteral("own_clock_error_ms"), toArray(session.rx.presentationErrorsMs()));
    o.insert(QStringLiteral("av_offset_ms"), toArray(session.rx.avOffsetsMs()));
    session.close();
    ToolOutput::printJson(QJsonDocument(o));
    return 0;
}

// The steps of one open, in ms from the open command (NaN: not reached): the loop reports the
// open, the first channel shows a picture, the audio output exists, every channel has shown one.
struct OpenTimeline
{
    double opened = std::nan("");
    double firstChannel = std::nan("");
    double audioOutput = std::nan("");
    double lastChannel = std::nan("");
};

// Waits for the first pictures of every stream (and the audio output, up to a second longer),
// polling every millisecond.
OpenTimeline openTimeline(Session &session,
                          MediaContext *context,
                          const QVector<int> &streams,
                          double start)
{
    OpenTimeline t;
    {
        std::lock_guard<std::mutex> l(session.mutex);
        t.opened = (session.openedAt - start) * 1000.0;
    }
    const double deadline = MediaClock::nowSeconds() + 20.0;
    double picturesDone = -1;
    while (MediaClock::nowSeconds() < deadline) {
        const double now = MediaClock::nowSeconds();
        if (std::isnan(t.audioOutput) && audioPlaying(context))
            t.audioOutput = (now - start) * 1000.0;
        if (picturesDone < 0) {
            double first = -1;
            double last = -1;
            bool all = true;
            for (int s : streams) {
                const double at = session.rx.firstArrivalSince(s, start);
                if (at < 0) {
                    all = false;
                    continue;
                }
                first = first < 0 ? at : std::min(first, at);
                last = std::max(last, at);
            }
            if (first >= 0)
                t.firstChannel = (first - start) * 1000.0;
            if (all) {
                t.lastChannel = (last - start) * 1000.0;
                picturesDone = now;
            }
        }
        if (picturesDone >= 0 && (!std::isnan(t.audioOutput) || now - picturesDone > 1.0))
            break;
        QThread::usleep(1000);
    }
    return t;
}

int runLatency(const QString &path, int opens, int seeks, int steps, quint32 seed)
{
    Session session;
    QVector<double> openMs, openFloorMs, seekMs, seekFloorMs, seekKeyFloorMs, stepMs, stepFloorMs;
    QVector<double> openedMs, firstChannelMs, audioOutputMs;
    QVector<double> floorInputMs, floorDecodersMs, floorFirstMs;
    QVector<int> streams;
    for (int i = 0; i < opens; ++i) {
        session.rx.clear();
        const double start = MediaClock::nowSeconds();
        MediaContext *context = session.open(path, 1.0, -1, 0);
        if (!context)
            return ToolOutput::fail(QStringLiteral("the engine cannot open %1").arg(path));
        streams = videoStreams(context);
        session.loop.postSelectVideoStream(MediaInfo::AllChannels);
        const OpenTimeline timeline = openTimeline(session, context, streams, start);
        openMs << timeline.lastChannel;
        openedMs << timeline.opened;
        firstChannelMs << timeline.firstChannel;
        audioOutputMs << timeline.audioOutput;
        session.close();
        DecodeFloor::OpenSteps floor;
        openFloorMs << DecodeFloor::openToFirstFrames(path, streams, &floor);
        floorInputMs << floor.inputOpen;
        floorDecodersMs << floor.decodersOpen;
        floorFirstMs << floor.firstFrame;
    }

    MediaContext *context = session.open(path, 1.0, -1, 0);
    if (!context)
        return ToolOutput::fail(QStringLiteral("the engine cannot open %1").arg(path));
    streams = videoStreams(context);
    if (streams.isEmpty())
        return ToolOutput::fail(QStringLiteral("no video stream in %1").arg(path));
    AVStream *front = context->formatContext()->streams[streams.first()];
    const AVRational rate = front->avg_frame_rate;
    const double fps = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 30.0;
    const double duration = context->duration() > 0 ? context->duration() / 1e6 : 1.0;
    const int frameCount = std::max(3, static_cast<int>(duration * fps));
    session.loop.postSelectVideoStream(MediaInfo::AllChannels);
    firstPicturesMs(session.rx, streams, 0);
    session.control(PlayCommand::Pause, 0); // pause: each seek then shows one picture per stream

    QRandomGenerator random(seed);
    DecodeFloor seekFloor(path, streams);
    QString error;
    const bool floorOpen = seekFloor.open(&error);
    for (int i = 0; i < seeks; ++i) {
        const double target = random.bounded(std::max(0.1, duration - 1.0));
        const int infosBefore = session.seekInfoCount();
        double start = MediaClock::nowSeconds();
        int result = session.control(PlayCommand::SeekAbsolute, static_cast<int64_t>(target * 1e6));
        for (int retry = 0; result == -1 && retry < 200; ++retry) { // a seek still in progress
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            start = MediaClock::nowSeconds();
            result = session.control(PlayCommand::SeekAbsolute, static_cast<int64_t>(target * 1e6));
        }
        double ms = std::nan("");
        if (result == 0
            && waitFor([&] { return session.seekInfoCount() >= infosBefore + streams.size(); })) {
            double latest = start;
            const bool shown = waitFor([&] {
                for (int s : streams)
                    if (session.rx.firstArrival(s, session.seekSeqOf(s)) < 0)
                        return false;
                return true;
            });
            if (shown) {
                for (int s : streams)
                    latest = std::max(latest, session.rx.firstArrival(s, session.seekSeqOf(s)));
                ms = (latest - start) * 1000.0;
            }
        }
        seekMs << ms;
        seekFloorMs << (floorOpen ? seekFloor.seekTo(target) : std::nan(""));
        seekKeyFloorMs << (floorOpen ? seekFloor.seekTo(target, true) : std::nan(""));
    }

    // Frame steps search in the one shown channel.
    session.loop.postSelectVideoStream(streams.first());
    DecodeFloor stepFloor(path, {streams.first()});
    const bool stepFloorOpen = stepFloor.open(&error);
    for (int i = 0; i < steps; ++i) {
        waitFor([&] { return !context->is_seekingByFrame.load(); });
        const int step = i % 2 == 0 ? 1 : -1;
        const int from = 1 + static_cast<int>(random.bounded(frameCount - 2));
        context->seeking_frame_pos.store(from);
        const int before = session.rx.searches().size();
        const double start = MediaClock::nowSeconds();
        double ms = std::nan("");
        if (session.control(PlayCommand::SeekByFrame, step) == 0) {
            double found = -1;
            waitFor([&] {
                const QVector<BenchReceiver::Search> all = session.rx.searches();
                for (int k = before; k < all.size(); ++k)
                    if (!all.at(k).stillSearching) {
                        found = all.at(k).time;
                        return true;
                    }
                return false;
            });
            if (found > 0)
                ms = (found - start) * 1000.0;
        }
        stepMs << ms;
        stepFloorMs << (stepFloorOpen ? stepFloor.seekTo((from + step) / fps) : std::nan(""));
    }
    session.close();

    QJsonObject o;
    o.insert(QStringLiteral("open_ms"), toArray(openMs));
    o.insert(QStringLiteral("open_floor_ms"), toArray(openFloorMs));
    o.insert(QStringLiteral("open_opened_ms"), toArray(openedMs));
    o.insert(QStringLiteral("open_first_channel_ms"), toArray(firstChannelMs));
    o.insert(QStringLiteral("open_audio_output_ms"), toArray(audioOutputMs));
    o.insert(QStringLiteral("open_floor_input_ms"), toArray(floorInputMs));
    o.insert(QStringLiteral("open_floor_decoders_ms"), toArray(floorDecodersMs));
    o.insert(QStringLiteral("open_floor_first_frame_ms"), toArray(floorFirstMs));
    o.insert(QStringLiteral("seek_ms"), toArray(seekMs));
    o.insert(QStringLiteral("seek_floor_ms"), toArray(seekFloorMs));
    o.insert(QStringLiteral("seek_keyframe_floor_ms"), toArray(seekKeyFloorMs));
    o.insert(QStringLiteral("step_ms"), toArray(stepMs));
    o.insert(QStringLiteral("step_floor_ms"), toArray(stepFloorMs));
    if (!floorOpen || !stepFloorOpen)
        o.insert(QStringLiteral("floor_error"), error);
    ToolOutput::printJson(QJsonDocument(o));
    return 0;
}

// Whether the device of the context's audio stream is playing (not idle, stopped or absent).
bool audioActive(MediaContext *context)
{
    bool active = false;
    context->forEachState([&active](int, MediaState *state) {
        active = active
                || (state->type() == MediaState::Audio
                    && static_cast<AudioState *>(state)->outputState() == QAudio::ActiveState);
    });
    return active;
}

// Half the window around a file boundary in which a silent device counts as a gap.
constexpr double kAudioWindowSeconds = 0.5;

int runTrip(const QString &listPath, bool sequential)
{
    TripTimeline trip;
    QString error;
    if (!TripTimeline::readConcatList(listPath, &trip, &error))
        return ToolOutput::fail(QStringLiteral("cannot read the trip %1: %2").arg(listPath, error));
    if (trip.count() < 2)
        return ToolOutput::fail(QStringLiteral("a trip of one file has no boundary"));

    struct Sample
    {
        double time;
        bool active;
    };
    std::vector<Sample> audio;
    bool hadAudio = false;
    Session session;
    // Gapless: the trip is one input. Sequential: each file is opened when the one before
    // it ended and was closed, as consecutive recordings were played before trips.
    const int parts = sequential ? trip.count() : 1;
    for (int part = 0; part < parts; ++part) {
        session.rx.setPictureLog(part);
        const int endsBefore = session.ends.load();
        const QString path = sequential ? trip.files().at(part).path : listPath;
        MediaContext *context = session.open(path, 1.0, -1, 0);
        if (!context)
            return ToolOutput::fail(QStringLiteral("the engine cannot open %1").arg(path));
        session.loop.postSelectVideoStream(MediaInfo::AllChannels);
        const double length
                = sequential ? trip.files().at(part).durationUs / 1e6 : trip.durationUs() / 1e6;
        const double limit = MediaClock::nowSeconds() + length + 30;
        while (session.ends.load() == endsBefore && MediaClock::nowSeconds() < limit) {
            const bool active = audioActive(context);
            hadAudio = hadAudio || active;
            audio.push_back({MediaClock::nowSeconds(), active});
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        // From the end of playing until the next device plays, nothing is heard.
        audio.push_back({MediaClock::nowSeconds(), false});
        session.close();
    }
    session.rx.setPictureLog(-1);

    // Every picture placed in its file, per stream in arrival order.
    std::map<int, std::vector<std::pair<int, BenchReceiver::Picture>>> byStream;
    for (const BenchReceiver::Picture &p : session.rx.pictures()) {
        if (!std::isfinite(p.pts))
            continue;
        // A millisecond of slack: the demuxer's offsets are rounded to its time base.
        const int file = sequential
                ? p.part
                : trip.fileAt(static_cast<int64_t>(std::llround(p.pts * 1e6)) + 1000);
        byStream[p.stream].push_back({file, p});
    }
    QJsonArray perChannel;
    QJsonArray fps;
    QVector<double> all;
    QVector<double> boundaryTimes(trip.count() - 1, -1.0);
    for (const auto &entry : byStream) {
        const auto &pictures = entry.second;
        std::vector<double> steps;
        for (size_t i = 1; i < pictures.size(); ++i)
            if (pictures[i].first == pictures[i - 1].first
                && pictures[i].second.pts > pictures[i - 1].second.pts)
                steps.push_back(pictures[i].second.pts - pictures[i - 1].second.pts);
        double interval = std::nan("");
        if (!steps.empty()) {
            std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
            interval = steps[steps.size() / 2];
        }
        fps.append(std::isfinite(interval) ? QJsonValue(1.0 / interval)
                                           : QJsonValue(QJsonValue::Null));
        QVector<double> intervals;
        for (int k = 0; k + 1 < trip.count(); ++k) {
            double last = -1;
            double first = -1;
            for (const auto &picture : pictures) {
                if (picture.first == k)
                    last = std::max(last, picture.second.time);
                else if (picture.first == k + 1 && (first < 0 || picture.second.time < first))
                    first = picture.second.time;
            }
            const bool seen = last > 0 && first > 0 && std::isfinite(interval);
            intervals << (seen ? (first - last) / interval : std::nan(""));
            if (first > 0 && (boundaryTimes[k] < 0 || first < boundaryTimes[k]))
                boundaryTimes[k] = first;
        }
        perChannel.append(toArray(intervals));
        all << intervals;
    }

    // The longest stretch around each boundary in which no device played.
    QVector<double> gaps;
    for (double at : boundaryTimes) {
        if (!hadAudio || at < 0) {
            gaps << std::nan("");
            continue;
        }
        const double from = at - kAudioWindowSeconds;
        const double to = at + kAudioWindowSeconds;
        double longest = 0;
        for (size_t i = 0; i < audio.size(); ++i) {
            if (audio[i].active || (i > 0 && !audio[i - 1].active))
                continue;
            size_t j = i;
            while (j < audio.size() && !audio[j].active)
                ++j;
            const double end = j < audio.size() ? audio[j].time : audio.back().time;
            const double clipped = std::min(end, to) - std::max(audio[i].time, from);
            longest = std::max(longest, clipped);
        }
        gaps << longest * 1000.0;
    }

    QJsonObject o;
    o.insert(QStringLiteral("sequential"), sequential);
    o.insert(QStringLiteral("files"), trip.count());
    o.insert(QStringLiteral("audio"), hadAudio);
    o.insert(QStringLiteral("fps"), fps);
    o.insert(QStringLiteral("boundary_frames"), toArray(all));
    o.insert(QStringLiteral("boundary_frames_per_channel"), perChannel);
    o.insert(QStringLiteral("audio_gap_ms"), toArray(gaps));
    ToolOutput::printJson(QJsonDocument(o));
    return 0;
}

int intOption(const ToolArgs &args, const QString &name, int fallback)
{
    bool ok = false;
    const int v = args.value(name).toInt(&ok);
    return args.has(name) && ok ? v : fallback;
}

} // namespace

int BenchChild::run(const QStringList &arguments)
{
    const ToolArgs args(arguments,
                        {QStringLiteral("child"),
                         QStringLiteral("mode-stream"),
                         QStringLiteral("view-mode"),
                         QStringLiteral("seconds"),
                         QStringLiteral("opens"),
                         QStringLiteral("seeks"),
                         QStringLiteral("steps"),
                         QStringLiteral("seed"),
                         QStringLiteral("size"),
                         QStringLiteral("paints")},
                        {QStringLiteral("sequential"), QStringLiteral("viewer")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    if (args.positionals().size() != 1)
        return ToolOutput::fail(QStringLiteral("bench --child needs one FILE"), 2);
    // The engine's per-frame debug lines would be measured along with it.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const QString path = args.positionals().first();
    const QString mode = args.value(QStringLiteral("child"));
    if (mode == QLatin1String("throughput"))
        return runThroughput(path,
                             intOption(args, QStringLiteral("mode-stream"), -1),
                             intOption(args, QStringLiteral("view-mode"), 0));
    if (mode == QLatin1String("play")) {
        const int seconds = intOption(args, QStringLiteral("seconds"), 60);
        return runPlay(path, std::max(1, seconds));
    }
    if (mode == QLatin1String("card"))
        return CardBench::runChild(path);
    if (mode == QLatin1String("trip"))
        return runTrip(path, args.has(QStringLiteral("sequential")));
    if (mode == QLatin1String("gui"))
        return GuiBench::runChild(path,
                                  std::max(1, intOption(args, QStringLiteral("seconds"), 25)),
                                  args.has(QStringLiteral("viewer")));
    if (mode == QLatin1String("meter")) {
        const QStringList size = args.value(QStringLiteral("size")).split(QLatin1Char('x'));
        QSize meterSize = MeterBench::defaultSize();
        if (size.size() == 2 && size[0].toInt() > 0 && size[1].toInt() > 0)
            meterSize = QSize(size[0].toInt(), size[1].toInt());
        return MeterBench::runChild(
                path, meterSize, std::max(1, intOption(args, QStringLiteral("paints"), 15)));
    }
    if (mode == QLatin1String("latency"))
        return runLatency(path,
                          std::max(1, intOption(args, QStringLiteral("opens"), 20)),
                          std::max(1, intOption(args, QStringLiteral("seeks"), 30)),
                          std::max(1, intOption(args, QStringLiteral("steps"), 20)),
                          static_cast<quint32>(intOption(args, QStringLiteral("seed"), 1)));
    return ToolOutput::fail(QStringLiteral("unknown bench child mode \"%1\"").arg(mode), 2);
}
