// make-recording: deterministic synthetic dash-camera recordings for the tests and the demo.
// Every picture carries its frame number and channel (see FrameCode), the audio carries clicks
// at known times, and the telemetry is laid out as the camera writes it.

#include "cardwriter.h"
#include "recordingoptions.h"
#include "recordingwriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

extern "C" {
#include <libavutil/log.h>
}

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

QJsonObject summaryOf(const RecordingWriter::Result &result)
{
    QJsonArray frames;
    for (int count : result.frames)
        frames.append(count);
    return QJsonObject {{QStringLiteral("files"), QJsonArray {result.file}},
                        {QStringLiteral("frames"), frames},
                        {QStringLiteral("gps"), result.gps},
                        {QStringLiteral("gsensor"), result.gsensor}};
}

int fail(int code, const QString &message)
{
    QTextStream(stderr) << "make-recording: " << message << '\n';
    return code;
}

bool parseDouble(const QString &text, double *value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok;
}

bool parseInt(const QString &text, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("make-recording"));
    // The encoders' statistics would bury the one line that matters on failure.
    av_log_set_level(AV_LOG_ERROR);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes deterministic synthetic dash-camera "
                                                    "recordings (OUTPUT ends in .mp4 or .avi)."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("OUTPUT"), QStringLiteral("file to write"));
    const QCommandLineOption video(
            QStringLiteral("video"),
            QStringLiteral("A video stream (repeatable, 1..4; channels 1..4 in order): "
                           "WxH[,fps=F][,codecfps=C][,gop=G][,bitrate=KBPS][,bframes=N]."),
            QStringLiteral("WxH,..."));
    const QCommandLineOption duration(QStringLiteral("duration"),
                                      QStringLiteral("Length in seconds (default 3)."),
                                      QStringLiteral("seconds"));
    const QCommandLineOption audio(QStringLiteral("audio"),
                                   QStringLiteral("Add audio (AAC in MP4, MP3 in AVI)."));
    const QCommandLineOption audioRate(QStringLiteral("audio-rate"),
                                       QStringLiteral("Sample rate (default 48000)."),
                                       QStringLiteral("hz"));
    const QCommandLineOption audioChannels(QStringLiteral("audio-channels"),
                                           QStringLiteral("Channel count (default 2)."),
                                           QStringLiteral("n"));
    const QCommandLineOption clicks(QStringLiteral("clicks"),
                                    QStringLiteral("10 ms full-scale clicks at these seconds."),
                                    QStringLiteral("t1,t2,..."));
    const QCommandLineOption telemetry(
            QStringLiteral("telemetry"),
            QStringLiteral("Telemetry place (repeatable, MP4 only): subtitle, data, tlmd, gpmf "
                           "(a gpmd track), text-track (positions as cue text), nmea-box "
                           "(NMEA lines in moov/udta/free) or freegps (free atoms and a gps "
                           "index)."),
            QStringLiteral("kind"));
    const QCommandLineOption nmea(QStringLiteral("nmea"),
                                  QStringLiteral("Take the GPS sentences (RMC) from this log."),
                                  QStringLiteral("file"));
    const QCommandLineOption sidecar(QStringLiteral("sidecar"),
                                     QStringLiteral("Also write the fixes beside the recording: "
                                                    "nmea (NAME.nmea) or gpx (NAME.gpx), timed "
                                                    "from the start time."),
                                     QStringLiteral("kind"));
    const QCommandLineOption sidecarShift(QStringLiteral("sidecar-shift"),
                                          QStringLiteral("Seconds the sidecar's clock runs "
                                                         "ahead of the recording (default 0)."),
                                          QStringLiteral("s"));
    const QCommandLineOption startTime(QStringLiteral("start-time"),
                                       QStringLiteral("UTC start of the GPS clock, "
                                                      "yyyy-MM-ddTHH:mm:ssZ (default "
                                                      "2024-03-14T15:30:12Z)."),
                                       QStringLiteral("utc"));
    const QCommandLineOption gpsRate(QStringLiteral("gps-rate"),
                                     QStringLiteral("GPS samples per second (default 1)."),
                                     QStringLiteral("hz"));
    const QCommandLineOption gsensorRate(QStringLiteral("gsensor-rate"),
                                         QStringLiteral("G-sensor samples per second (default "
                                                        "10)."),
                                         QStringLiteral("hz"));
    const QCommandLineOption denseTelemetry(
            QStringLiteral("dense-telemetry"),
            QStringLiteral("GPS at 1 Hz and the G-sensor at %1 Hz (or --gsensor-rate) moving as "
                           "in a drive: gravity on z with road vibration and potholes, braking "
                           "and pulling away on x, corners on y, sensor noise.")
                    .arg(RecordingOptions::DenseGSensorRate));
    const QCommandLineOption damage(QStringLiteral("damage"),
                                    QStringLiteral("avi-no-index, avi-torn-chunk, mp4-no-moov, "
                                                   "mp4-hidden-fragments or truncate=FRACTION."),
                                    QStringLiteral("kind"));
    const QCommandLineOption faststart(QStringLiteral("faststart"),
                                       QStringLiteral("MP4: write moov in front of the media "
                                                      "data."));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Varies the content deterministically."),
                                  QStringLiteral("n"));
    const QCommandLineOption firstFrame(QStringLiteral("first-frame"),
                                        QStringLiteral("The number the first picture carries "
                                                       "(default 0)."),
                                        QStringLiteral("n"));
    const QCommandLineOption card(QStringLiteral("card"),
                                  QStringLiteral("Write a memory-card folder tree instead."),
                                  QStringLiteral("dir"));
    const QCommandLineOption layout(QStringLiteral("layout"),
                                    QStringLiteral("Card layout: demo or test (default test)."),
                                    QStringLiteral("layout"));
    const QCommandLineOption nmeaDir(QStringLiteral("nmea-dir"),
                                     QStringLiteral("Card: NMEA logs for the demo recordings."),
                                     QStringLiteral("dir"));
    const QCommandLineOption printJson(QStringLiteral("print-json"),
                                       QStringLiteral("Print a JSON summary on stdout."));
    parser.addOptions({video,     duration,  audio,       audioRate,      audioChannels,
                       clicks,    telemetry, nmea,        sidecar,        sidecarShift,
                       startTime, gpsRate,   gsensorRate, denseTelemetry, damage,
                       faststart, seed,      firstFrame,  card,           layout,
                       nmeaDir,   printJson});
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(ExitUsage, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }

    int seedValue = 0;
    if (parser.isSet(seed) && !parseInt(parser.value(seed), &seedValue))
        return fail(ExitUsage, QStringLiteral("--seed %1: not an integer").arg(parser.value(seed)));

    QTextStream out(stdout);
    QString error;

    if (parser.isSet(card)) {
        const QList<QCommandLineOption> fileOnly = {video,
                                                    duration,
                                                    audio,
                                                    audioRate,
                                                    audioChannels,
                                                    clicks,
                                                    telemetry,
                                                    nmea,
                                                    gpsRate,
                                                    gsensorRate,
                                                    denseTelemetry,
                                                    damage,
                                                    faststart,
                                                    firstFrame};
        for (const QCommandLineOption &option : fileOnly) {
            if (parser.isSet(option))
                return fail(ExitUsage,
                            QStringLiteral("--%1 is not used with --card")
                                    .arg(option.names().constFirst()));
        }
        if (!parser.positionalArguments().isEmpty())
            return fail(ExitUsage, QStringLiteral("--card takes no OUTPUT"));
        CardWriter::Layout cardLayout = CardWriter::Layout::Test;
        if (parser.isSet(layout)
            && !CardWriter::parseLayout(parser.value(layout), &cardLayout, &error))
            return fail(ExitUsage, error);
        QVector<RecordingWriter::Result> results;
        if (!CardWriter::write(parser.value(card),
                               cardLayout,
                               seedValue,
                               parser.value(nmeaDir),
                               &results,
                               &error))
            return fail(ExitFailure, error);
        if (parser.isSet(printJson)) {
            QJsonArray files;
            QJsonArray recordings;
            for (const RecordingWriter::Result &result : results) {
                files.append(result.file);
                recordings.append(summaryOf(result));
            }
            const QJsonObject summary {{QStringLiteral("files"), files},
                                       {QStringLiteral("recordings"), recordings}};
            out << QJsonDocument(summary).toJson(QJsonDocument::Compact) << '\n';
        } else {
            for (const RecordingWriter::Result &result : results)
                out << result.file << '\n';
        }
        return 0;
    }

    if (parser.isSet(layout) || parser.isSet(nmeaDir))
        return fail(ExitUsage, QStringLiteral("--layout and --nmea-dir need --card"));
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return fail(ExitUsage, QStringLiteral("expected one OUTPUT file (see --help)"));

    RecordingOptions options;
    options.output = positional.constFirst();
    options.seed = seedValue;
    if (parser.isSet(firstFrame) && !parseInt(parser.value(firstFrame), &options.firstFrame))
        return fail(
                ExitUsage,
                QStringLiteral("--first-frame %1: not an integer").arg(parser.value(firstFrame)));
    for (const QString &text : parser.values(video)) {
        RecordingOptions::Video stream;
        if (!RecordingOptions::parseVideo(text, &stream, &error))
            return fail(ExitUsage, error);
        options.videos.append(stream);
    }
    if (parser.isSet(duration) && !parseDouble(parser.value(duration), &options.duration))
        return fail(ExitUsage,
                    QStringLiteral("--duration %1: not a number").arg(parser.value(duration)));
    options.audio = parser.isSet(audio);
    if (parser.isSet(audioRate) && !parseInt(parser.value(audioRate), &options.audioRate))
        return fail(ExitUsage, QStringLiteral("--audio-rate: not an integer"));
    if (parser.isSet(audioChannels)
        && !parseInt(parser.value(audioChannels), &options.audioChannels))
        return fail(ExitUsage, QStringLiteral("--audio-channels: not an integer"));
    if (parser.isSet(clicks)
        && !RecordingOptions::parseClicks(parser.value(clicks), &options.clicks, &error))
        return fail(ExitUsage, error);
    for (const QString &text : parser.values(telemetry)) {
        RecordingOptions::Telemetry kind;
        if (!RecordingOptions::parseTelemetry(text, &kind, &error))
            return fail(ExitUsage, error);
        if (options.telemetry.contains(kind))
            return fail(ExitUsage, QStringLiteral("--telemetry %1 given twice").arg(text));
        options.telemetry.append(kind);
    }
    options.nmeaFile = parser.value(nmea);
    if (parser.isSet(sidecar)
        && !RecordingOptions::parseSidecar(parser.value(sidecar), &options.sidecar, &error))
        return fail(ExitUsage, error);
    if (parser.isSet(sidecarShift)
        && !parseDouble(parser.value(sidecarShift), &options.sidecarShift))
        return fail(ExitUsage, QStringLiteral("--sidecar-shift: not a number"));
    if (parser.isSet(startTime)) {
        options.startTime = QDateTime::fromString(parser.value(startTime), Qt::ISODate);
        if (!options.startTime.isValid() || options.startTime.timeSpec() != Qt::UTC)
            return fail(ExitUsage,
                        QStringLiteral("--start-time %1: expected yyyy-MM-ddTHH:mm:ssZ")
                                .arg(parser.value(startTime)));
    }
    options.faststart = parser.isSet(faststart);
    if (parser.isSet(gpsRate) && !parseDouble(parser.value(gpsRate), &options.gpsRate))
        return fail(ExitUsage, QStringLiteral("--gps-rate: not a number"));
    options.denseTelemetry = parser.isSet(denseTelemetry);
    if (options.denseTelemetry) {
        if (parser.isSet(gpsRate))
            return fail(ExitUsage,
                        QStringLiteral("--dense-telemetry writes GPS at 1 Hz; no --gps-rate"));
        options.gsensorRate = RecordingOptions::DenseGSensorRate;
    }
    if (parser.isSet(gsensorRate) && !parseDouble(parser.value(gsensorRate), &options.gsensorRate))
        return fail(ExitUsage, QStringLiteral("--gsensor-rate: not a number"));
    if (parser.isSet(damage)
        && !RecordingOptions::parseDamage(
                parser.value(damage), &options.damage, &options.truncateFraction, &error))
        return fail(ExitUsage, error);
    if (!options.finalize(&error))
        return fail(ExitUsage, error);

    RecordingWriter::Result result;
    if (!RecordingWriter::write(options, &result, &error))
        return fail(ExitFailure, error);
    if (parser.isSet(printJson))
        out << QJsonDocument(summaryOf(result)).toJson(QJsonDocument::Compact) << '\n';
    else
        out << result.file << '\n';
    return 0;
}
