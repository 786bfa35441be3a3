#include "benchcommand.h"

#include "benchchild.h"
#include "benchstats.h"
#include "cardbench.h"
#include "childrun.h"
#include "media/avinput.h"
#include "media/avptr.h"
#include "media/triptimeline.h"
#include "media/videostate.h"
#include "meterbench.h"
#include "mpvwindows.h"
#include "toolargs.h"
#include "tooloutput.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include <unistd.h>

namespace {

using Recording = BenchCommand::Recording;

// Files of the trip whose boundaries are measured.
constexpr int TripFiles = 5;

// The figures taken on the main recording (three channels and audio).
QStringList mainRecordingFigures()
{
    return {QStringLiteral("throughput"),
            QStringLiteral("cpu_1x"),
            QStringLiteral("open"),
            QStringLiteral("seek"),
            QStringLiteral("frame_step"),
            QStringLiteral("presentation_error"),
            QStringLiteral("av_offset"),
            QStringLiteral("peak_rss")};
}

struct Settings
{
    bool quick = false;
    int repetitions = 3;
    int seconds = 60;
    int opens = 20;
    int seeks = 30;
    int steps = 20;
    QString toolPath;
    QString work; // scratch folder for child outputs
    QStringList figures; // keys to measure; empty: all

    bool wants(const QString &key) const { return figures.isEmpty() || figures.contains(key); }
    bool wantsAny(const QStringList &keys) const
    {
        for (const QString &key : keys)
            if (wants(key))
                return true;
        return false;
    }
    // Repetitions of a measurement that gives these figures: none when none is wanted.
    int repetitionsFor(const QStringList &keys) const { return wantsAny(keys) ? repetitions : 0; }
};

void progress(const QString &line)
{
    fprintf(stderr, "bench: %s\n", line.toUtf8().constData());
    fflush(stderr);
}

bool probe(const QString &path, Recording *out)
{
    av::FormatContextPtr format = av::openInput(path);
    if (!format)
        return false;
    out->path = path;
    out->durationUs = std::max<int64_t>(0, format->duration);
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream *s = format->streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            out->hasAudio = true;
        if (s->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
            continue;
        if (out->videoStreams.isEmpty()) {
            out->width = s->codecpar->width;
            out->height = s->codecpar->height;
        }
        out->videoStreams << static_cast<int>(i);
        int64_t frames = s->nb_frames;
        if (frames <= 0 && s->duration > 0 && s->avg_frame_rate.den > 0)
            frames = static_cast<int64_t>(s->duration * av_q2d(s->time_base)
                                          * av_q2d(s->avg_frame_rate));
        out->frames += static_cast<int>(std::max<int64_t>(0, frames));
    }
    return !out->videoStreams.isEmpty();
}

// Makes a recording once; later runs find it in the cache folder.
bool ensureRecording(const QString &dir,
                     const QString &name,
                     const QStringList &options,
                     Recording *out,
                     QString *error)
{
    const QString path = QDir(dir).filePath(name);
    if (!QFileInfo::exists(path)) {
        const QString maker = QDir(QCoreApplication::applicationDirPath())
                                      .filePath(QStringLiteral("make-recording"));
        if (!QFileInfo(maker).isExecutable()) {
            *error = QStringLiteral("make-recording not found next to vistrel-tool");
            return false;
        }
        progress(QStringLiteral("making %1 (once; cached in %2)").arg(name, dir));
        const QString part = path + QStringLiteral(".part.") + QFileInfo(path).suffix();
        const ChildRun::Result r = ChildRun::run(maker, options + QStringList {part}, 900000);
        if (!r.finished || r.exitCode != 0 || !QFile::rename(part, path)) {
            QFile::remove(part);
            *error = QStringLiteral("make-recording failed for %1").arg(name);
            return false;
        }
    }
    if (!probe(path, out)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    return true;
}

QJsonObject readJson(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QVector<double> numbers(const QJsonValue &value)
{
    QVector<double> out;
    for (const QJsonValue &v : value.toArray())
        out << (v.isDouble() ? v.toDouble() : std::nan(""));
    return out;
}

QVector<double> absolute(QVector<double> values)
{
    for (double &v : values)
        v = std::fabs(v);
    return values;
}

bool allNan(const QVector<double> &values)
{
    for (double v : values)
        if (std::isfinite(v))
            return false;
    return true;
}

// Runs `vistrel-tool bench --child ...` and returns its JSON (empty on failure) and its
// process figures.
QJsonObject runChild(const Settings &s,
                     const QStringList &arguments,
                     int timeoutMs,
                     ChildRun::Result *result,
                     const QMap<QString, QString> &env = {})
{
    static int serial = 0;
    const QString out = QDir(s.work).filePath(QStringLiteral("child-%1.json").arg(++serial));
    const QString err = QDir(s.work).filePath(QStringLiteral("child-%1.log").arg(serial));
    ChildRun child(s.toolPath, QStringList {QStringLiteral("bench")} + arguments, out, err, env);
    ChildRun::Result r;
    if (child.start())
        r = child.wait(timeoutMs);
    if (result)
        *result = r;
    if (!r.finished || r.exitCode != 0) {
        QFile log(err);
        if (log.open(QIODevice::ReadOnly))
            progress(QStringLiteral("engine child failed (%1): %2")
                             .arg(r.error, QString::fromUtf8(log.readAll().right(400))));
        return {};
    }
    return readJson(out);
}

// A child environment without a sound server: the audio stream cannot open an output, so
// every video stream is its own master and nothing but video is decoded.
QMap<QString, QString> withoutAudio()
{
    return {{QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent/bench-no-audio")},
            {QStringLiteral("PULSE_NO_AUTOSPAWN"), QStringLiteral("1")}};
}

// The main window's child: the current display, the map's web engine without its sandbox as
// root (it refuses to start otherwise), its settings and disk cache in the scratch folder.
QMap<QString, QString> guiEnvironment(const Settings &s)
{
    QMap<QString, QString> env {
            {QStringLiteral("XDG_CONFIG_HOME"), QDir(s.work).filePath(QStringLiteral("config"))},
            {QStringLiteral("XDG_CACHE_HOME"), QDir(s.work).filePath(QStringLiteral("cache"))}};
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    return env;
}

// mpv's conversion anchor: scaled and converted to BGR on the CPU.
QString scaleChain(int width)
{
    return QStringLiteral("scale=%1:-2:flags=bilinear,format=bgr24").arg(width);
}

// The pictures the engine hands to the display: scaled, limited-range YUV 4:2:0.
QString yuvScaleChain(int width)
{
    return QStringLiteral("scale=%1:-2:flags=bilinear:in_range=mpeg:out_range=mpeg,format=yuv420p")
            .arg(width);
}

// ffmpeg decoding the given video streams through one filter chain each into the null muxer;
// frames per second of wall time.
double ffmpegThroughput(const QString &ffmpeg,
                        const Recording &rec,
                        const QString &chain,
                        QString *reason)
{
    QStringList parts;
    QStringList args {QStringLiteral("-nostdin"),
                      QStringLiteral("-hide_banner"),
                      QStringLiteral("-loglevel"),
                      QStringLiteral("error"),
                      QStringLiteral("-i"),
                      rec.path};
    for (int i = 0; i < rec.videoStreams.size(); ++i)
        parts << QStringLiteral("[0:v:%1]%2[o%1]").arg(i).arg(chain);
    args << QStringLiteral("-filter_complex") << parts.join(QLatin1Char(';'));
    for (int i = 0; i < rec.videoStreams.size(); ++i)
        args << QStringLiteral("-map") << QStringLiteral("[o%1]").arg(i);
    args << QStringLiteral("-f") << QStringLiteral("null") << QStringLiteral("-");
    const ChildRun::Result r = ChildRun::run(ffmpeg, args, 600000);
    if (!r.finished || r.exitCode != 0 || r.wallSeconds <= 0) {
        *reason = QStringLiteral("ffmpeg failed: %1")
                          .arg(r.error.isEmpty() ? QString::number(r.exitCode) : r.error);
        return std::nan("");
    }
    return rec.frames / r.wallSeconds;
}

struct MpvFigures
{
    double cpuPerSecond = std::nan("");
    double rssMb = std::nan("");
};

// Three mpv players at 1x side by side, one per channel, the first with sound.
MpvFigures mpvRealtime(const QString &mpv, const Recording &rec, int seconds, bool convert)
{
    std::vector<std::unique_ptr<ChildRun>> players;
    for (int i = 0; i < rec.videoStreams.size(); ++i) {
        QStringList args {QStringLiteral("--no-config"),
                          QStringLiteral("--really-quiet"),
                          QStringLiteral("--vo=null"),
                          QStringLiteral("--vid=%1").arg(i + 1),
                          QStringLiteral("--length=%1").arg(seconds)};
        args << (i == 0 ? QStringLiteral("--ao=pulse") : QStringLiteral("--no-audio"));
        if (convert)
            args << QStringLiteral("--vf=lavfi=[%1]").arg(scaleChain(1280));
        args << rec.path;
        players.push_back(std::make_unique<ChildRun>(mpv, args));
    }
    for (auto &p : players)
        if (!p->start())
            return {};
    MpvFigures f {0, 0};
    for (auto &p : players) {
        const ChildRun::Result r = p->wait((seconds + 60) * 1000);
        if (!r.finished || r.exitCode != 0 || r.wallSeconds <= 0)
            return {};
        f.cpuPerSecond += r.cpuSeconds / std::min<double>(r.wallSeconds, seconds);
        f.rssMb += r.maxRssMb;
    }
    return f;
}

// One row of the result: the engine's per-repetition values, the anchor's, and their ratio.
struct Figure
{
    Figure(const QString &key_, const QString &title_, const QString &unit_, const QString &target_)
        : key(key_)
        , title(title_)
        , unit(unit_)
        , target(target_)
    { }

    QString key;
    QString title;
    QString unit;
    QString target;
    QVector<double> engine;
    QVector<double> anchor;
    QVector<double> ratio;
    QString reason; // why the engine or anchor value is missing
    QString anchorReason;
    QJsonObject extra;
    int met = -1; // -1 unknown, 0 no, 1 yes
};

QJsonObject toJson(const Figure &f)
{
    QJsonObject o;
    o.insert(QStringLiteral("title"), f.title);
    o.insert(QStringLiteral("unit"), f.unit);
    o.insert(QStringLiteral("target"), f.target);
    const bool engineMissing = allNan(f.engine);
    o.insert(QStringLiteral("engine"),
             engineMissing ? QJsonValue(QJsonValue::Null)
                           : QJsonValue(BenchStats::summary(f.engine)));
    const bool anchorMissing = f.anchor.isEmpty() || allNan(f.anchor);
    if (!f.anchor.isEmpty() || !f.anchorReason.isEmpty())
        o.insert(QStringLiteral("anchor"),
                 anchorMissing ? QJsonValue(QJsonValue::Null)
                               : QJsonValue(BenchStats::summary(f.anchor)));
    if (!f.ratio.isEmpty())
        o.insert(QStringLiteral("ratio"),
                 allNan(f.ratio) ? QJsonValue(QJsonValue::Null)
                                 : QJsonValue(BenchStats::summary(f.ratio)));
    QStringList reasons;
    if (engineMissing)
        reasons << (f.reason.isEmpty() ? QStringLiteral("engine not measured") : f.reason);
    if (anchorMissing && !f.anchorReason.isEmpty())
        reasons << f.anchorReason;
    if (!reasons.isEmpty())
        o.insert(QStringLiteral("reason"), reasons.join(QStringLiteral("; ")));
    o.insert(QStringLiteral("met"),
             f.met < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(f.met == 1));
    for (auto it = f.extra.begin(); it != f.extra.end(); ++it)
        o.insert(it.key(), it.value());
    return o;
}

QString cell(const QVector<double> &values, int decimals)
{
    if (values.isEmpty() || allNan(values))
        return QStringLiteral("null");
    const double m = BenchStats::median(values);
    if (values.size() == 1)
        return QString::number(m, 'f', decimals);
    return QStringLiteral("%1 [%2-%3]")
            .arg(QString::number(m, 'f', decimals),
                 QString::number(BenchStats::minimum(values), 'f', decimals),
                 QString::number(BenchStats::maximum(values), 'f', decimals));
}

QString table(const QVector<Figure> &figures)
{
    QStringList lines;
    lines << QStringLiteral("| figure | unit | engine | anchor | ratio | target | met |");
    lines << QStringLiteral("|---|---|---|---|---|---|---|");
    for (const Figure &f : figures) {
        QString anchor = f.anchor.isEmpty() && f.anchorReason.isEmpty() ? QStringLiteral("-")
                                                                        : cell(f.anchor, 2);
        if (anchor == QLatin1String("null") && !f.anchorReason.isEmpty())
            anchor += QStringLiteral(" (%1)").arg(f.anchorReason);
        QString engine = cell(f.engine, 2);
        if (engine == QLatin1String("null") && !f.reason.isEmpty())
            engine += QStringLiteral(" (%1)").arg(f.reason);
        lines << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |")
                         .arg(f.title,
                              f.unit,
                              engine,
                              anchor,
                              f.ratio.isEmpty() ? QStringLiteral("-") : cell(f.ratio, 2),
                              f.target,
                              f.met < 0 ? QStringLiteral("?")
                                        : (f.met ? QStringLiteral("yes") : QStringLiteral("no")));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QJsonObject machine()
{
    QJsonObject o;
    o.insert(QStringLiteral("nproc"), QThread::idealThreadCount());
    QFile cpu(QStringLiteral("/proc/cpuinfo"));
    if (cpu.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : cpu.readAll().split('\n'))
            if (line.startsWith("model name")) {
                o.insert(QStringLiteral("cpu"),
                         QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed()));
                break;
            }
    }
    QFile mem(QStringLiteral("/proc/meminfo"));
    if (mem.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : mem.readAll().split('\n'))
            if (line.startsWith("MemTotal:")) {
                const QList<QByteArray> parts = line.simplified().split(' ');
                if (parts.size() >= 2)
                    o.insert(QStringLiteral("memory_mb"), parts.at(1).toDouble() / 1024.0);
                break;
            }
    }
    return o;
}

double ratioOf(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b) && b > 0 ? a / b : std::nan("");
}

int metFrom(bool known, bool ok)
{
    return known ? (ok ? 1 : 0) : -1;
}

// One run of the window child (`--child gui`, with `--viewer` for the whole viewer): its JSON,
// or an empty object with the figure's reason and a missing value.
QJsonObject runWindowChild(
        const Settings &s, const QString &recording, int seconds, bool viewer, Figure *figure)
{
    QStringList arguments {QStringLiteral("--child"), QStringLiteral("gui")};
    if (viewer)
        arguments << QStringLiteral("--viewer");
    arguments << QStringLiteral("--seconds") << QString::number(seconds) << recording;
    const QJsonObject e
            = runChild(s, arguments, (seconds + 180) * 1000, nullptr, guiEnvironment(s));
    if (e.isEmpty()) {
        figure->reason = qEnvironmentVariableIsEmpty("DISPLAY")
                ? QStringLiteral("no X display (DISPLAY is not set)")
                : QStringLiteral("window child failed");
        figure->engine << std::nan("");
    }
    return e;
}

// The lowest ratio of pictures shown per second to the frame rate over the channels.
double slowestToFrameRate(const QVector<double> &shown, const QVector<double> &fps)
{
    double slowest = shown.isEmpty() ? std::nan("") : 1e9;
    for (int i = 0; i < shown.size() && i < fps.size(); ++i)
        slowest = std::min(slowest, ratioOf(shown[i], fps[i]));
    return slowest;
}

} // namespace

int BenchCommand::run(const QStringList &arguments)
{
    if (arguments.contains(QStringLiteral("--child")))
        return BenchChild::run(arguments);
    QStringList rest = arguments;
    Settings s;
    s.quick = rest.removeAll(QStringLiteral("--quick")) > 0;
    // The whole viewer against mpv's windows runs only when asked for (about 4 minutes).
    if (rest.removeAll(QStringLiteral("--viewer")) > 0)
        s.figures << QStringLiteral("viewer_1x");
    const ToolArgs args(
            rest, {QStringLiteral("json"), QStringLiteral("seconds"), QStringLiteral("figures")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    if (!args.positionals().isEmpty())
        return ToolOutput::fail(QStringLiteral("bench takes no FILE"), 2);
    if (args.has(QStringLiteral("seconds"))) {
        bool ok = false;
        s.seconds = args.value(QStringLiteral("seconds")).toInt(&ok);
        if (!ok || s.seconds < 1 || s.seconds > 3600)
            return ToolOutput::fail(QStringLiteral("--seconds needs 1 to 3600"), 2);
    }
    if (args.has(QStringLiteral("figures"))) {
        s.figures += args.value(QStringLiteral("figures"))
                             .split(QLatin1Char(','), Qt::SkipEmptyParts);
        const QStringList known = mainRecordingFigures()
                + QStringList {QStringLiteral("card"),
                               QStringLiteral("surround_panorama"),
                               QStringLiteral("surround_vr"),
                               QStringLiteral("trip_boundary"),
                               QStringLiteral("gui_1x"),
                               QStringLiteral("meter_paint"),
                               QStringLiteral("viewer_1x")};
        for (const QString &key : s.figures)
            if (!known.contains(key))
                return ToolOutput::fail(QStringLiteral("--figures: no figure \"%1\"").arg(key), 2);
        if (s.figures.isEmpty())
            return ToolOutput::fail(QStringLiteral("--figures needs at least one key"), 2);
    }
    if (s.quick) {
        s.repetitions = 1;
        s.seconds = std::min(s.seconds, 3);
        s.opens = 3;
        s.seeks = 5;
        s.steps = 4;
    }
    s.toolPath = QCoreApplication::applicationFilePath();
    QTemporaryDir work;
    if (!work.isValid())
        return ToolOutput::fail(QStringLiteral("cannot make a scratch folder"));
    s.work = work.path();

    // The recordings are made by make-recording and kept beside the build tree's programs;
    // an installed vistrel-tool has neither, and must not write beside itself.
    const QDir programs(QCoreApplication::applicationDirPath());
    if (!QFileInfo(programs.filePath(QStringLiteral("make-recording"))).isExecutable())
        return ToolOutput::fail(QStringLiteral("bench runs from the build tree: make-recording "
                                               "not found next to vistrel-tool"));
    const QString cache = programs.absoluteFilePath(QStringLiteral("../bench-recordings"));
    if (!QDir().mkpath(cache))
        return ToolOutput::fail(QStringLiteral("cannot make %1").arg(cache));
    Recording main;
    Recording surround;
    Recording mainDense;
    Recording meterHour;
    QString error;
    const QStringList common {
            QStringLiteral("--audio"), QStringLiteral("--telemetry"), QStringLiteral("subtitle")};
    // The main window's recording: the main one's pictures and sound with dense telemetry in
    // the tlmd atom (GPS at 1 Hz, the G-sensor at 179 Hz).
    const QStringList dense {QStringLiteral("--audio"),
                             QStringLiteral("--telemetry"),
                             QStringLiteral("tlmd"),
                             QStringLiteral("--dense-telemetry")};
    const QString v = s.quick ? QStringLiteral("320x180,fps=30,gop=30,bitrate=300")
                              : QStringLiteral("1920x1080,fps=30,gop=30,bitrate=10000");
    const QString length = s.quick ? QStringLiteral("3") : QStringLiteral("60");
    const QString mainName
            = s.quick ? QStringLiteral("quick-3x320x180-3s") : QStringLiteral("main-3x1080p-60s");
    const QStringList channels {QStringLiteral("--video"),
                                v,
                                QStringLiteral("--video"),
                                v,
                                QStringLiteral("--video"),
                                v,
                                QStringLiteral("--duration"),
                                length};
    const QStringList surroundOptions = s.quick
            ? QStringList {QStringLiteral("--video"),
                           QStringLiteral("480x480,fps=30,gop=30,bitrate=500"),
                           QStringLiteral("--duration"),
                           QStringLiteral("2")}
            : QStringList {QStringLiteral("--video"),
                           QStringLiteral("2880x2880,fps=30,gop=30,bitrate=20000"),
                           QStringLiteral("--duration"),
                           QStringLiteral("6")};
    // The meter's record: 200 readings a second for an hour (720,000 per axis).
    const QStringList meterOptions {QStringLiteral("--video"),
                                    QStringLiteral("160x90,fps=1"),
                                    QStringLiteral("--duration"),
                                    QStringLiteral("3600"),
                                    QStringLiteral("--telemetry"),
                                    QStringLiteral("tlmd"),
                                    QStringLiteral("--dense-telemetry"),
                                    QStringLiteral("--gsensor-rate"),
                                    QStringLiteral("200")};
    // The trip's files: the main recording's channels and sound, each a few seconds long so
    // that a run crosses several boundaries; --seed makes each file's pictures its own.
    QStringList tripChannels = channels;
    tripChannels.replace(tripChannels.size() - 1,
                         s.quick ? QStringLiteral("2") : QStringLiteral("6"));
    const bool needMain = s.wantsAny(mainRecordingFigures());
    const bool needSurround
            = s.wantsAny({QStringLiteral("surround_panorama"), QStringLiteral("surround_vr")});
    if ((needMain
         && !ensureRecording(
                 cache, mainName + QStringLiteral(".mp4"), channels + common, &main, &error))
        || (needSurround
            && !ensureRecording(cache,
                                s.quick ? QStringLiteral("quick-surround-480-2s.mp4")
                                        : QStringLiteral("surround-2880-6s.mp4"),
                                surroundOptions,
                                &surround,
                                &error))
        || ((s.wants(QStringLiteral("gui_1x")) || s.figures.contains(QStringLiteral("viewer_1x")))
            && !ensureRecording(cache,
                                mainName + QStringLiteral("-dense.mp4"),
                                channels + dense,
                                &mainDense,
                                &error))
        || (s.wants(QStringLiteral("meter_paint"))
            && !ensureRecording(
                    cache, QStringLiteral("meter-200hz-1h.mp4"), meterOptions, &meterHour, &error)))
        return ToolOutput::fail(error);

    const QString ffmpeg = ChildRun::find(QStringLiteral("ffmpeg"));
    const QString mpv = ChildRun::find(QStringLiteral("mpv"));
    QString soundReason;
    if (ChildRun::find(QStringLiteral("pactl")).isEmpty())
        soundReason = QStringLiteral("no audio device (pactl not found)");
    else if (ChildRun::run(QStringLiteral("pactl"), {QStringLiteral("info")}, 10000).exitCode != 0)
        soundReason = QStringLiteral("no audio device (no PulseAudio server reachable)");
    const QString ffmpegReason = ffmpeg.isEmpty() ? QStringLiteral("ffmpeg not found") : QString();
    QString mpvReason = mpv.isEmpty() ? QStringLiteral("mpv not found") : soundReason;

    // --- untimed throughput, main recording ---
    Figure throughput {QStringLiteral("throughput"),
                       QStringLiteral("untimed throughput, 3 channels to 1280-wide YUV 4:2:0"),
                       QStringLiteral("frames/s"),
                       QStringLiteral("engine / ffmpeg >= 1.0")};
    throughput.anchorReason = ffmpegReason;
    for (int rep = 0; rep < s.repetitionsFor({QStringLiteral("throughput")}); ++rep) {
        progress(QStringLiteral("throughput %1/%2").arg(rep + 1).arg(s.repetitions));
        const QJsonObject e
                = runChild(s,
                           {QStringLiteral("--child"), QStringLiteral("throughput"), main.path},
                           600000,
                           nullptr,
                           withoutAudio());
        const double engineFps = e.value(QStringLiteral("fps")).toDouble(std::nan(""));
        if (e.value(QStringLiteral("audio")).toBool())
            throughput.extra.insert(QStringLiteral("note"),
                                    QStringLiteral("the engine played audio in the untimed run"));
        if (e.value(QStringLiteral("frames")).toInt() != main.frames)
            throughput.extra.insert(QStringLiteral("engine_frames"),
                                    e.value(QStringLiteral("frames")));
        QString reason;
        const double anchorFps = ffmpeg.isEmpty()
                ? std::nan("")
                : ffmpegThroughput(ffmpeg, main, yuvScaleChain(1280), &reason);
        if (!reason.isEmpty())
            throughput.anchorReason = reason;
        throughput.engine << engineFps;
        throughput.anchor << anchorFps;
        throughput.ratio << ratioOf(engineFps, anchorFps);
    }
    throughput.extra.insert(QStringLiteral("frames"), main.frames);
    {
        const double r = BenchStats::median(throughput.ratio);
        throughput.met = metFrom(std::isfinite(r), r >= 1.0);
    }

    // --- surround throughput, panorama and VR ---
    QVector<Figure> surroundFigures;
    const QSize target = VideoState::targetSizeFor(surround.width, surround.height, 1280);
    for (int mode : {SurroundViewMode::Panorama, SurroundViewMode::VR}) {
        const bool panorama = mode == SurroundViewMode::Panorama;
        Figure f {panorama ? QStringLiteral("surround_panorama") : QStringLiteral("surround_vr"),
                  panorama ? QStringLiteral("untimed throughput, surround panorama")
                           : QStringLiteral("untimed throughput, surround VR"),
                  QStringLiteral("frames/s"),
                  QStringLiteral("engine / ffmpeg >= 1.0")};
        f.anchorReason = ffmpegReason;
        const QString fisheye = QStringLiteral("v360=fisheye:e:ih_fov=360:iv_fov=360:pitch=-90:"
                                               "yaw=180:w=%1:h=%2");
        const QString chain = panorama
                ? QStringLiteral("scale=%1:-2:flags=bilinear:in_range=mpeg:out_range=full,")
                                .arg(target.width())
                        + fisheye.arg(target.width()).arg(target.height())
                        + QStringLiteral(",format=bgr24")
                : fisheye.arg(2 * target.width()).arg(2 * target.height())
                        + QStringLiteral(",format=bgr24");
        f.extra.insert(QStringLiteral("anchor_chain"), chain);
        for (int rep = 0; rep < s.repetitionsFor({f.key}); ++rep) {
            progress(QStringLiteral("surround %1 %2/%3")
                             .arg(panorama ? QStringLiteral("panorama") : QStringLiteral("VR"))
                             .arg(rep + 1)
                             .arg(s.repetitions));
            const QJsonObject e = runChild(s,
                                           {QStringLiteral("--child"),
                                            QStringLiteral("throughput"),
                                            QStringLiteral("--mode-stream"),
                                            QString::number(surround.videoStreams.first()),
                                            QStringLiteral("--view-mode"),
                                            QString::number(mode),
                                            surround.path},
                                           600000,
                                           nullptr,
                                           withoutAudio());
            const double engineFps = e.value(QStringLiteral("fps")).toDouble(std::nan(""));
            QString reason;
            const double anchorFps = ffmpeg.isEmpty()
                    ? std::nan("")
                    : ffmpegThroughput(ffmpeg, surround, chain, &reason);
            if (!reason.isEmpty())
                f.anchorReason = reason;
            f.engine << engineFps;
            f.anchor << anchorFps;
            f.ratio << ratioOf(engineFps, anchorFps);
        }
        const double r = BenchStats::median(f.ratio);
        f.met = metFrom(std::isfinite(r), r >= 1.0);
        surroundFigures << f;
    }

    // --- latencies: open, seek, frame step ---
    Figure open {QStringLiteral("open"),
                 QStringLiteral("open -> first picture on every channel, p50"),
                 QStringLiteral("ms"),
                 QStringLiteral("p50 <= 1.5 x floor and <= 120 ms")};
    Figure seek {QStringLiteral("seek"),
                 QStringLiteral("absolute seek -> first picture of new seq, p50"),
                 QStringLiteral("ms"),
                 QStringLiteral("p50 <= 1.3 x floor, p95 <= 250 ms")};
    Figure step {QStringLiteral("frame_step"),
                 QStringLiteral("frame step +1/-1 -> searched frame, p50"),
                 QStringLiteral("ms"),
                 QStringLiteral("p50 <= 1.5 x floor")};
    QVector<double> openP95, seekP95, stepP95, seekKeyFloor;
    // The latency child's per-open steps (ms from the open command or the floor's start).
    static const char *const OpenSteps[] = {"open_opened_ms",
                                            "open_first_channel_ms",
                                            "open_audio_output_ms",
                                            "open_ms",
                                            "open_floor_input_ms",
                                            "open_floor_decoders_ms",
                                            "open_floor_first_frame_ms",
                                            "open_floor_ms"};
    std::map<QString, QVector<double>> openSteps;
    for (int rep = 0;
         rep < s.repetitionsFor(
                 {QStringLiteral("open"), QStringLiteral("seek"), QStringLiteral("frame_step")});
         ++rep) {
        progress(QStringLiteral("open/seek/step latency %1/%2").arg(rep + 1).arg(s.repetitions));
        const QJsonObject e = runChild(s,
                                       {QStringLiteral("--child"),
                                        QStringLiteral("latency"),
                                        QStringLiteral("--opens"),
                                        QString::number(s.opens),
                                        QStringLiteral("--seeks"),
                                        QString::number(s.seeks),
                                        QStringLiteral("--steps"),
                                        QString::number(s.steps),
                                        QStringLiteral("--seed"),
                                        QString::number(rep + 1),
                                        main.path},
                                       600000,
                                       nullptr);
        struct Part
        {
            Figure *figure;
            QVector<double> *p95;
            const char *samples;
            const char *floor;
        };
        for (const Part &p : {Part {&open, &openP95, "open_ms", "open_floor_ms"},
                              Part {&seek, &seekP95, "seek_ms", "seek_floor_ms"},
                              Part {&step, &stepP95, "step_ms", "step_floor_ms"}}) {
            const QVector<double> samples = numbers(e.value(QLatin1String(p.samples)));
            const QVector<double> floor = numbers(e.value(QLatin1String(p.floor)));
            const double p50 = BenchStats::median(samples);
            const double floor50 = BenchStats::median(floor);
            p.figure->engine << p50;
            p.figure->anchor << floor50;
            p.figure->ratio << ratioOf(p50, floor50);
            *p.p95 << BenchStats::quantile(samples, 0.95);
            int failed = 0;
            for (double v : samples)
                failed += std::isfinite(v) ? 0 : 1;
            if (failed > 0 || samples.isEmpty())
                p.figure->extra.insert(QStringLiteral("failed_samples"), failed);
        }
        seekKeyFloor << BenchStats::median(
                numbers(e.value(QStringLiteral("seek_keyframe_floor_ms"))));
        for (const char *step : OpenSteps)
            openSteps[step] << BenchStats::median(numbers(e.value(QLatin1String(step))));
        if (e.isEmpty())
            open.reason = seek.reason = step.reason = QStringLiteral("engine child failed");
    }
    open.anchorReason = seek.anchorReason = step.anchorReason = QString();
    open.extra.insert(QStringLiteral("p95"), BenchStats::summary(openP95));
    // Where an open's time goes: the engine's steps and the floor's, medians of the opens.
    QJsonObject timeline;
    for (const char *step : OpenSteps)
        timeline.insert(QLatin1String(step).mid(5), BenchStats::summary(openSteps[step]));
    open.extra.insert(QStringLiteral("timeline"), timeline);
    open.extra.insert(QStringLiteral("samples_per_run"), s.opens);
    seek.extra.insert(QStringLiteral("p95"), BenchStats::summary(seekP95));
    seek.extra.insert(QStringLiteral("samples_per_run"), s.seeks);
    // The engine shows the key frame a seek lands on; this floor decodes just that frame.
    seek.extra.insert(QStringLiteral("keyframe_floor"), BenchStats::summary(seekKeyFloor));
    step.extra.insert(QStringLiteral("p95"), BenchStats::summary(stepP95));
    step.extra.insert(QStringLiteral("samples_per_run"), s.steps);
    {
        const double p50 = BenchStats::median(open.engine);
        const double r = BenchStats::median(open.ratio);
        open.met = metFrom(std::isfinite(r), r <= 1.5 && p50 <= 120);
        const double sr = BenchStats::median(seek.ratio);
        const double s95 = BenchStats::median(seekP95);
        seek.met = metFrom(std::isfinite(sr) && std::isfinite(s95), sr <= 1.3 && s95 <= 250);
        const double tr = BenchStats::median(step.ratio);
        step.met = metFrom(std::isfinite(tr), tr <= 1.5);
    }

    // --- real time at 1x: CPU, presentation error, A/V offset, peak RSS ---
    Figure cpu {QStringLiteral("cpu_1x"),
                QStringLiteral("CPU at 1x, 3 channels + audio"),
                QStringLiteral("CPU-s/s"),
                QStringLiteral("engine / mpv with the same conversion <= 0.8, and <= 1.0 x mpv "
                               "on its own path")};
    Figure presentation {QStringLiteral("presentation_error"),
                         QStringLiteral("presentation error at 1x, |error| p99"),
                         QStringLiteral("ms"),
                         QStringLiteral("p99 <= 5 ms, no frame dropped")};
    Figure avOffset {QStringLiteral("av_offset"),
                     QStringLiteral("audio/video offset at 1x, |offset| p95"),
                     QStringLiteral("ms"),
                     QStringLiteral("abs p95 <= 20 ms (EBU R37 +40/-60)")};
    Figure rss {QStringLiteral("peak_rss"),
                QStringLiteral("peak RSS playing the main recording"),
                QStringLiteral("MB"),
                QStringLiteral("<= 250 MB and <= mpv")};
    cpu.anchorReason = mpvReason;
    rss.anchorReason = mpv.isEmpty() ? QStringLiteral("mpv not found") : soundReason;
    QVector<double> mpvPlain, drops, lateErrors, ownP50, ownMax, p50Offsets;
    for (int rep = 0; rep < s.repetitionsFor({QStringLiteral("cpu_1x"),
                                              QStringLiteral("presentation_error"),
                                              QStringLiteral("av_offset"),
                                              QStringLiteral("peak_rss")});
         ++rep) {
        progress(QStringLiteral("real time at 1x, %1 s, %2/%3")
                         .arg(s.seconds)
                         .arg(rep + 1)
                         .arg(s.repetitions));
        ChildRun::Result process;
        const QJsonObject e = runChild(s,
                                       {QStringLiteral("--child"),
                                        QStringLiteral("play"),
                                        QStringLiteral("--seconds"),
                                        QString::number(s.seconds),
                                        main.path},
                                       (s.seconds + 120) * 1000,
                                       &process);
        const bool ok = !e.isEmpty();
        const double engineCpu = e.value(QStringLiteral("cpu_per_second")).toDouble(std::nan(""));
        const QVector<double> errors = numbers(e.value(QStringLiteral("presentation_error_ms")));
        const QVector<double> offsets = numbers(e.value(QStringLiteral("av_offset_ms")));
        if (ok && !e.value(QStringLiteral("audio")).toBool()) {
            avOffset.reason = soundReason.isEmpty()
                    ? QStringLiteral("no audio device (the engine opened no audio output)")
                    : soundReason;
            cpu.extra.insert(QStringLiteral("note"), QStringLiteral("engine played without audio"));
        }
        MpvFigures withConversion;
        MpvFigures plain;
        if (mpvReason.isEmpty()) {
            withConversion = mpvRealtime(mpv, main, s.seconds, true);
            plain = mpvRealtime(mpv, main, s.seconds, false);
            if (!std::isfinite(withConversion.cpuPerSecond))
                cpu.anchorReason = rss.anchorReason = QStringLiteral("mpv failed");
        }
        cpu.engine << engineCpu;
        cpu.anchor << withConversion.cpuPerSecond;
        cpu.ratio << ratioOf(engineCpu, withConversion.cpuPerSecond);
        mpvPlain << plain.cpuPerSecond;
        const QVector<double> ownClock = numbers(e.value(QStringLiteral("own_clock_error_ms")));
        presentation.engine << BenchStats::quantile(absolute(errors), 0.99);
        lateErrors << BenchStats::maximum(errors);
        ownP50 << BenchStats::median(ownClock);
        ownMax << BenchStats::maximum(ownClock);
        drops << (ok ? e.value(QStringLiteral("dropped")).toDouble() : std::nan(""));
        avOffset.engine << BenchStats::quantile(absolute(offsets), 0.95);
        p50Offsets << BenchStats::median(offsets);
        const double engineRss = ok && process.finished ? process.maxRssMb : std::nan("");
        rss.engine << engineRss;
        rss.anchor << withConversion.rssMb;
        rss.ratio << ratioOf(engineRss, withConversion.rssMb);
    }
    cpu.extra.insert(QStringLiteral("anchor_without_conversion"), BenchStats::summary(mpvPlain));
    QVector<double> ownPathRatio;
    for (int i = 0; i < cpu.engine.size() && i < mpvPlain.size(); ++i)
        ownPathRatio << ratioOf(cpu.engine.at(i), mpvPlain.at(i));
    cpu.extra.insert(QStringLiteral("ratio_to_own_path"), BenchStats::summary(ownPathRatio));
    cpu.extra.insert(QStringLiteral("seconds"), s.seconds);
    presentation.extra.insert(QStringLiteral("dropped_frames"), BenchStats::summary(drops));
    // Error = arrival minus due time, the due time being the stream's clock mapping of the pts
    // shifted by the stream's median error; the raw own-clock figures are kept beside it.
    presentation.extra.insert(QStringLiteral("latest"), BenchStats::summary(lateErrors));
    presentation.extra.insert(QStringLiteral("own_clock_p50"), BenchStats::summary(ownP50));
    presentation.extra.insert(QStringLiteral("own_clock_max"), BenchStats::summary(ownMax));
    avOffset.extra.insert(QStringLiteral("p50_signed"), BenchStats::summary(p50Offsets));
    if (!main.hasAudio)
        avOffset.reason = QStringLiteral("the recording has no audio");
    {
        const double r = BenchStats::median(cpu.ratio);
        const double own = BenchStats::median(ownPathRatio);
        cpu.met = metFrom(std::isfinite(r) && std::isfinite(own), r <= 0.8 && own <= 1.0);
        const double p99 = BenchStats::median(presentation.engine);
        const double d = BenchStats::maximum(drops);
        presentation.met = metFrom(std::isfinite(p99) && std::isfinite(d), p99 <= 5 && d == 0);
        const double a = BenchStats::median(avOffset.engine);
        avOffset.met = metFrom(std::isfinite(a), a <= 20);
        const double m = BenchStats::median(rss.engine);
        const double mm = BenchStats::median(rss.anchor);
        rss.met = metFrom(std::isfinite(m), m <= 250 && (!std::isfinite(mm) || m <= mm));
    }

    // --- a trip: the boundaries between its files, gapless and file after file ---
    Figure tripFigure {QStringLiteral("trip_boundary"),
                       QStringLiteral("trip of %1 files: last picture of a file -> first of "
                                      "the next, every channel, worst boundary")
                               .arg(TripFiles),
                       QStringLiteral("frame intervals"),
                       QStringLiteral("<= 1.5 at every boundary; sound without a gap > 10 ms")};
    tripFigure.anchorReason = QStringLiteral("not measured");
    QVector<double> tripP50, gaplessGaps, sequentialP50, sequentialGaps;
    QString tripList;
    if (s.wants(tripFigure.key)) {
        QVector<TripTimeline::File> files;
        for (int k = 0; k < TripFiles; ++k) {
            Recording part;
            const QString name = QStringLiteral("%1-trip-%2.mp4").arg(mainName).arg(k + 1);
            if (!ensureRecording(cache,
                                 name,
                                 tripChannels
                                         + QStringList {QStringLiteral("--audio"),
                                                        QStringLiteral("--seed"),
                                                        QString::number(k + 1)},
                                 &part,
                                 &error))
                return ToolOutput::fail(error);
            if (part.durationUs <= 0)
                return ToolOutput::fail(QStringLiteral("no length in %1").arg(part.path));
            files << TripTimeline::File {QFileInfo(part.path).absoluteFilePath(), part.durationUs};
        }
        tripList = QDir(s.work).filePath(QStringLiteral("trip.ffconcat"));
        QFile list(tripList);
        if (!list.open(QIODevice::WriteOnly) || list.write(TripTimeline(files).toConcatList()) < 0)
            return ToolOutput::fail(QStringLiteral("cannot write %1").arg(tripList));
        tripFigure.anchorReason.clear();
    }
    for (int rep = 0; rep < s.repetitionsFor({tripFigure.key}); ++rep) {
        for (const bool sequential : {false, true}) {
            progress(QStringLiteral("trip of %1 files, %2, %3/%4")
                             .arg(TripFiles)
                             .arg(sequential ? QStringLiteral("file after file")
                                             : QStringLiteral("gapless"))
                             .arg(rep + 1)
                             .arg(s.repetitions));
            QStringList childArgs {QStringLiteral("--child"), QStringLiteral("trip"), tripList};
            if (sequential)
                childArgs << QStringLiteral("--sequential");
            const QJsonObject e = runChild(s, childArgs, 600000, nullptr);
            const QVector<double> boundaries = numbers(e.value(QStringLiteral("boundary_frames")));
            const QVector<double> gaps = numbers(e.value(QStringLiteral("audio_gap_ms")));
            if (e.isEmpty())
                (sequential ? tripFigure.anchorReason : tripFigure.reason)
                        = QStringLiteral("trip child failed");
            // A boundary that never showed both pictures counts as missed (NaN is the worst).
            const bool everyBoundary = !boundaries.isEmpty()
                    && std::all_of(boundaries.begin(), boundaries.end(), [](double v) {
                           return std::isfinite(v);
                       });
            const double worst = everyBoundary ? BenchStats::maximum(boundaries) : std::nan("");
            (sequential ? tripFigure.anchor : tripFigure.engine) << worst;
            (sequential ? sequentialP50 : tripP50) << BenchStats::median(boundaries);
            (sequential ? sequentialGaps : gaplessGaps) << BenchStats::maximum(gaps);
            if (!sequential && !e.isEmpty()) {
                tripFigure.extra.insert(QStringLiteral("fps"), e.value(QStringLiteral("fps")));
                tripFigure.extra.insert(QStringLiteral("boundaries_per_channel_run%1").arg(rep + 1),
                                        e.value(QStringLiteral("boundary_frames_per_channel")));
                tripFigure.extra.insert(QStringLiteral("audio"), e.value(QStringLiteral("audio")));
            }
        }
    }
    tripFigure.extra.insert(QStringLiteral("files"), TripFiles);
    tripFigure.extra.insert(QStringLiteral("p50"), BenchStats::summary(tripP50));
    tripFigure.extra.insert(QStringLiteral("audio_gap_ms_max"), BenchStats::summary(gaplessGaps));
    // The anchor is the way consecutive recordings played before trips: file after file, each
    // closed at its end and the next opened.
    tripFigure.extra.insert(QStringLiteral("anchor_is"),
                            QStringLiteral("file after file, close and open between"));
    tripFigure.extra.insert(QStringLiteral("anchor_p50"), BenchStats::summary(sequentialP50));
    tripFigure.extra.insert(QStringLiteral("anchor_audio_gap_ms_max"),
                            BenchStats::summary(sequentialGaps));
    {
        const double worst = BenchStats::maximum(tripFigure.engine);
        const double gap = BenchStats::maximum(gaplessGaps);
        // Without a sound device only the pictures are judged.
        tripFigure.met = metFrom(std::isfinite(worst), worst <= 1.5 && !(gap > 10));
    }

    // --- a memory card of many recordings: scan, sort and play-list fill ---
    const int cardCount = s.quick ? 1000 : 10000;
    Figure card {QStringLiteral("card"),
                 QStringLiteral("memory card of %1 recordings: scan + sort + play-list fill")
                         .arg(cardCount),
                 QStringLiteral("ms"),
                 QStringLiteral("<= 1000 ms; memory per recording flat (within 1.5x) from "
                                "1/4 of the card to all of it")};
    QVector<double> perRowQuarter, perRowFull;
    for (int rep = 0; rep < s.repetitionsFor({QStringLiteral("card")}); ++rep) {
        progress(QStringLiteral("memory card %1/%2").arg(rep + 1).arg(s.repetitions));
        const QJsonObject o = CardBench::measure(s.toolPath, cardCount);
        if (o.contains(QStringLiteral("error"))) {
            card.reason = o.value(QStringLiteral("error")).toString();
            card.engine << std::nan("");
            continue;
        }
        card.engine << o.value(QStringLiteral("ms")).toDouble(std::nan(""));
        const QJsonArray perRow = o.value(QStringLiteral("per_row_kb")).toArray();
        perRowQuarter << (perRow.isEmpty() ? std::nan("") : perRow.first().toDouble());
        perRowFull << (perRow.isEmpty() ? std::nan("") : perRow.last().toDouble());
        card.extra.insert(QStringLiteral("rows"), o.value(QStringLiteral("rows")));
    }
    card.extra.insert(QStringLiteral("kb_per_recording_quarter"),
                      BenchStats::summary(perRowQuarter));
    card.extra.insert(QStringLiteral("kb_per_recording_full"), BenchStats::summary(perRowFull));
    {
        const double ms = BenchStats::median(card.engine);
        const double q = BenchStats::median(perRowQuarter);
        const double f = BenchStats::median(perRowFull);
        // Small cards grow by less than a page per recording; flat means no more than 1.5x
        // per recording at the full size than at a quarter, with 1 KiB of slack.
        const bool flat = std::isfinite(q) && std::isfinite(f) && f <= 1.5 * std::max(q, 0.0) + 1.0;
        card.met = metFrom(std::isfinite(ms), ms <= 1000 && flat);
    }

    // --- the main window at 1x with dense telemetry: GUI thread and pictures shown ---
    const int guiSeconds = s.quick ? 1 : std::min(s.seconds, 25);
    Figure gui {QStringLiteral("gui_1x"),
                QStringLiteral("GUI thread at 1x, main window, 3 channels + audio, G-sensor "
                               "meter and map, dense telemetry"),
                QStringLiteral("CPU share"),
                QStringLiteral("<= 0.15 of a core; every channel presents >= 0.95 x its frame "
                               "rate")};
    QVector<double> slowestChannel;
    QSize meterSize = MeterBench::defaultSize();
    for (int rep = 0; rep < s.repetitionsFor({gui.key}); ++rep) {
        progress(QStringLiteral("main window at 1x, %1 s, %2/%3")
                         .arg(guiSeconds)
                         .arg(rep + 1)
                         .arg(s.repetitions));
        const QJsonObject e = runWindowChild(s, mainDense.path, guiSeconds, false, &gui);
        if (e.isEmpty())
            continue;
        gui.engine << e.value(QStringLiteral("gui_cpu_share")).toDouble(std::nan(""));
        slowestChannel << slowestToFrameRate(
                numbers(e.value(QStringLiteral("presented_per_second"))),
                numbers(e.value(QStringLiteral("fps"))));
        gui.extra.insert(QStringLiteral("presented_per_second_run%1").arg(rep + 1),
                         e.value(QStringLiteral("presented_per_second")));
        for (const char *key : {"fps",
                                "gl_renderer",
                                "gsensor_samples",
                                "gps_samples",
                                "map_shown",
                                "meter_visible",
                                "meter_size",
                                "still_playing",
                                "tiles_served"})
            gui.extra.insert(QLatin1String(key), e.value(QLatin1String(key)));
        const QJsonArray size = e.value(QStringLiteral("meter_size")).toArray();
        if (size.size() == 2 && size[0].toInt() > 0 && size[1].toInt() > 0)
            meterSize = QSize(size[0].toInt(), size[1].toInt());
    }
    gui.extra.insert(QStringLiteral("seconds"), guiSeconds);
    gui.extra.insert(QStringLiteral("slowest_channel_to_frame_rate"),
                     BenchStats::summary(slowestChannel));
    {
        const double share = BenchStats::median(gui.engine);
        const double slowest = BenchStats::minimum(slowestChannel);
        gui.met = metFrom(std::isfinite(share) && std::isfinite(slowest),
                          share <= 0.15 && slowest >= 0.95);
    }

    // --- the whole viewer at 1x against one mpv window per channel ---
    Figure viewer {QStringLiteral("viewer_1x"),
                   QStringLiteral("whole viewer at 1x, 3 channels + audio, meter and map"),
                   QStringLiteral("CPU-s/s"),
                   QStringLiteral("<= 1.0 x three mpv --vo=gpu windows, every channel at its "
                                  "frame rate")};
    const bool viewerWanted = s.figures.contains(viewer.key);
    const int viewerSeconds = s.quick ? 1 : 30;
    QVector<double> viewerRss, mpvRss, viewerGui, viewerSlowest, mpvSlowest;
    for (int rep = 0; viewerWanted && rep < s.repetitions; ++rep) {
        progress(QStringLiteral("whole viewer at 1x, %1 s, %2/%3")
                         .arg(viewerSeconds)
                         .arg(rep + 1)
                         .arg(s.repetitions));
        const QJsonObject e = runWindowChild(s, mainDense.path, viewerSeconds, true, &viewer);
        if (e.isEmpty())
            continue;
        viewer.engine << e.value(QStringLiteral("process_cpu_per_second")).toDouble(std::nan(""));
        viewerRss << e.value(QStringLiteral("peak_rss_mb")).toDouble(std::nan(""));
        viewerGui << e.value(QStringLiteral("gui_cpu_share")).toDouble(std::nan(""));
        const QVector<double> fps = numbers(e.value(QStringLiteral("fps")));
        viewerSlowest << slowestToFrameRate(
                numbers(e.value(QStringLiteral("presented_per_second"))), fps);
        viewer.extra.insert(QStringLiteral("presented_per_second_run%1").arg(rep + 1),
                            e.value(QStringLiteral("presented_per_second")));
        for (const char *key : {"gl_renderer", "map_shown", "meter_visible", "tiles"})
            viewer.extra.insert(QLatin1String(key), e.value(QLatin1String(key)));

        QVector<QRect> windows;
        for (const QJsonValue &tile : e.value(QStringLiteral("tiles")).toArray()) {
            const QJsonArray r = tile.toArray();
            if (r.size() == 4)
                windows << QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
        }
        if (mpv.isEmpty() || !soundReason.isEmpty()) {
            viewer.anchorReason = mpv.isEmpty() ? QStringLiteral("mpv not found") : soundReason;
            continue;
        }
        const MpvWindows::Result m
                = MpvWindows::run(mpv, s.work, mainDense.path, windows, viewerSeconds);
        if (!m.ok) {
            viewer.anchorReason = m.error;
            viewer.anchor << std::nan("");
            continue;
        }
        viewer.anchor << m.cpuPerSecond;
        viewer.ratio << ratioOf(viewer.engine.last(), m.cpuPerSecond);
        mpvRss << m.rssMb;
        mpvSlowest << slowestToFrameRate(m.shownPerSecond, fps);
        QJsonArray mpvShown;
        for (double perSecond : m.shownPerSecond)
            mpvShown.append(perSecond);
        viewer.extra.insert(QStringLiteral("mpv_shown_per_second_run%1").arg(rep + 1), mpvShown);
    }
    viewer.extra.insert(QStringLiteral("seconds"), viewerSeconds);
    viewer.extra.insert(QStringLiteral("peak_rss_mb"), BenchStats::summary(viewerRss));
    viewer.extra.insert(QStringLiteral("mpv_peak_rss_mb"), BenchStats::summary(mpvRss));
    viewer.extra.insert(QStringLiteral("gui_cpu_share"), BenchStats::summary(viewerGui));
    viewer.extra.insert(QStringLiteral("slowest_channel_to_frame_rate"),
                        BenchStats::summary(viewerSlowest));
    viewer.extra.insert(QStringLiteral("mpv_slowest_window_to_frame_rate"),
                        BenchStats::summary(mpvSlowest));
    {
        const double ratio = BenchStats::median(viewer.ratio);
        const double slowest = BenchStats::minimum(viewerSlowest);
        viewer.met = metFrom(std::isfinite(ratio) && std::isfinite(slowest),
                             ratio <= 1.0 && slowest >= 0.95);
    }

    // --- one paint of the G-sensor meter with an hour at 200 readings a second ---
    const int paints = s.quick ? 3 : 15;
    Figure meter {QStringLiteral("meter_paint"),
                  QStringLiteral("G-sensor meter paint, 720,000 readings per axis, median"),
                  QStringLiteral("ms"),
                  QStringLiteral("< 2 ms")};
    QVector<double> firstPaint, setSamples;
    for (int rep = 0; rep < s.repetitionsFor({meter.key}); ++rep) {
        progress(QStringLiteral("G-sensor meter paint %1/%2").arg(rep + 1).arg(s.repetitions));
        const QJsonObject e
                = runChild(s,
                           {QStringLiteral("--child"),
                            QStringLiteral("meter"),
                            QStringLiteral("--size"),
                            QStringLiteral("%1x%2").arg(meterSize.width()).arg(meterSize.height()),
                            QStringLiteral("--paints"),
                            QString::number(paints),
                            meterHour.path},
                           600000,
                           nullptr,
                           {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")}});
        if (e.isEmpty()) {
            meter.reason = QStringLiteral("meter child failed");
            meter.engine << std::nan("");
            continue;
        }
        meter.engine << BenchStats::median(numbers(e.value(QStringLiteral("paint_ms"))));
        firstPaint << e.value(QStringLiteral("first_paint_ms")).toDouble(std::nan(""));
        setSamples << e.value(QStringLiteral("set_samples_ms")).toDouble(std::nan(""));
        meter.extra.insert(QStringLiteral("samples"), e.value(QStringLiteral("samples")));
    }
    meter.extra.insert(QStringLiteral("size"),
                       QStringLiteral("%1x%2").arg(meterSize.width()).arg(meterSize.height()));
    meter.extra.insert(QStringLiteral("paints_per_run"), paints);
    meter.extra.insert(QStringLiteral("first_paint_ms"), BenchStats::summary(firstPaint));
    meter.extra.insert(QStringLiteral("set_samples_ms"), BenchStats::summary(setSamples));
    {
        const double ms = BenchStats::median(meter.engine);
        meter.met = metFrom(std::isfinite(ms), ms < 2.0);
    }

    QVector<Figure> figures;
    for (const Figure &f :
         {throughput, cpu, open, seek, step, presentation, avOffset, rss, tripFigure, card})
        if (s.wants(f.key))
            figures << f;
    for (const Figure &f : surroundFigures)
        if (s.wants(f.key))
            figures << f;
    for (const Figure &f : {gui, meter})
        if (s.wants(f.key))
            figures << f;
    if (viewerWanted)
        figures << viewer;

    QJsonObject result;
    result.insert(QStringLiteral("date"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    result.insert(QStringLiteral("quick"), s.quick);
    result.insert(QStringLiteral("repetitions"), s.repetitions);
    result.insert(QStringLiteral("seconds"), s.seconds);
    result.insert(QStringLiteral("machine"), machine());
    result.insert(QStringLiteral("audio"),
                  soundReason.isEmpty() ? QStringLiteral("PulseAudio") : soundReason);
    QJsonObject recordings;
    for (const Recording *r : {&main, &surround, &mainDense, &meterHour}) {
        if (r->path.isEmpty())
            continue;
        QJsonObject o;
        o.insert(QStringLiteral("video_streams"), r->videoStreams.size());
        o.insert(QStringLiteral("size"), QStringLiteral("%1x%2").arg(r->width).arg(r->height));
        o.insert(QStringLiteral("frames"), r->frames);
        o.insert(QStringLiteral("audio"), r->hasAudio);
        recordings.insert(QFileInfo(r->path).fileName(), o);
    }
    result.insert(QStringLiteral("recordings"), recordings);
    QJsonObject list;
    for (const Figure &f : figures)
        list.insert(f.key, toJson(f));
    result.insert(QStringLiteral("figures"), list);

    ToolOutput::printText(table(figures));
    if (args.has(QStringLiteral("json"))) {
        QFile file(args.value(QStringLiteral("json")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(QJsonDocument(result).toJson(QJsonDocument::Indented)) < 0)
            return ToolOutput::fail(
                    QStringLiteral("cannot write %1").arg(args.value(QStringLiteral("json"))));
    }
    return 0;
}
