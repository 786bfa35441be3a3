#include "cardwriter.h"

#include "nmealog.h"

#include <QDir>

#include <algorithm>

namespace {

// The longest demo recording lasts 8 s at one fix per second.
constexpr int MinDemoFixes = 8;

struct CardEntry
{
    QString path; // relative to the card root
    RecordingOptions options;
};

RecordingOptions::Video videoOf(int width, int height)
{
    RecordingOptions::Video video;
    video.width = width;
    video.height = height;
    return video;
}

RecordingOptions recording(int channels, int width, int height, double duration)
{
    RecordingOptions options;
    for (int i = 0; i < channels; ++i)
        options.videos.append(videoOf(width, height));
    options.duration = duration;
    return options;
}

// The start time encoded in a recording name "YYYYMMDD_HHMMSS...".
QDateTime startOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    QDateTime start = QDateTime::fromString(name.left(15), QStringLiteral("yyyyMMdd_HHmmss"));
    start.setTimeSpec(Qt::UTC);
    return start;
}

QVector<CardEntry> testLayout()
{
    QVector<CardEntry> entries;
    auto add = [&](const QString &path, RecordingOptions options) {
        entries.append({path, options});
    };

    RecordingOptions front = recording(1, 320, 180, 2);
    front.audio = true;
    front.clicks = {0.5};
    front.telemetry = {RecordingOptions::Telemetry::Subtitle};
    add(QStringLiteral("DRIVING/20240314_153012D_F.mp4"), front);

    RecordingOptions frontRear = recording(2, 320, 180, 1);
    frontRear.telemetry = {RecordingOptions::Telemetry::UserData};
    add(QStringLiteral("DRIVING/20240314_153112D_FR.mp4"), frontRear);

    add(QStringLiteral("DRIVING/20240314_153212E.mp4"), recording(1, 160, 90, 1));

    RecordingOptions avi = recording(1, 160, 90, 1);
    avi.audio = true;
    add(QStringLiteral("DRIVING/20240314_153312D.avi"), avi);

    add(QStringLiteral("DRIVING/clip_0001.mp4"), recording(1, 160, 90, 1));
    add(QStringLiteral("DRIVING/old/20240314_140000D.mp4"), recording(1, 160, 90, 1));

    RecordingOptions three = recording(3, 160, 90, 1);
    three.audio = true;
    three.telemetry = {RecordingOptions::Telemetry::Data, RecordingOptions::Telemetry::UserData};
    add(QStringLiteral("EVENT/20240314_153412E_FRI.mp4"), three);

    add(QStringLiteral("EVENT/20240314_153512D.mp4"), recording(1, 160, 90, 1));
    add(QStringLiteral("PARKING/20240314_160000P.mp4"), recording(1, 160, 90, 1));
    add(QStringLiteral("PARKING/20240314_161000M_FR.mp4"), recording(2, 160, 90, 1));
    add(QStringLiteral("DUAL/20240314_153012D_R.mp4"), recording(1, 160, 90, 1));
    return entries;
}

QVector<CardEntry> demoLayout(const QStringList &logs)
{
    struct Plan
    {
        const char *folder;
        char kind;
        int channels;
        double duration;
    };
    static const Plan plans[] = {
            {"DRIVING", 'D', 2, 6},
            {"DRIVING", 'D', 3, 8},
            {"DRIVING", 'D', 1, 5},
            {"DRIVING", 'D', 2, 7},
            {"EVENT", 'E', 3, 4},
            {"DRIVING", 'D', 2, 8},
            {"DRIVING", 'D', 1, 6},
            {"EVENT", 'E', 2, 5},
            {"DRIVING", 'D', 3, 6},
            {"PARKING", 'P', 1, 4},
            {"PARKING", 'P', 2, 5},
            {"EVENT", 'E', 1, 4},
    };
    static const char *channelSuffix[] = {"", "_F", "_FR", "_FRI"};

    QVector<CardEntry> entries;
    const QDateTime first(QDate(2024, 3, 14), QTime(15, 30, 0), Qt::UTC);
    int logIndex = 0;
    for (int i = 0; i < int(sizeof plans / sizeof plans[0]); ++i) {
        const Plan &plan = plans[i];
        const QDateTime start = first.addSecs(60 * i);
        const QString name = start.toString(QStringLiteral("yyyyMMdd_HHmmss"))
                + QLatin1Char(plan.kind) + QLatin1String(channelSuffix[plan.channels])
                + QStringLiteral(".mp4");
        RecordingOptions options = recording(plan.channels, 640, 360, plan.duration);
        options.audio = true;
        options.clicks = {1.0};
        options.telemetry
                = {RecordingOptions::Telemetry::Subtitle, RecordingOptions::Telemetry::UserData};
        if (!logs.isEmpty())
            options.nmeaFile = logs[logIndex++ % logs.size()];
        entries.append({QLatin1String(plan.folder) + QLatin1Char('/') + name, options});
    }
    return entries;
}

} // namespace

bool CardWriter::parseLayout(const QString &text, Layout *layout, QString *error)
{
    if (text == QLatin1String("test"))
        *layout = Layout::Test;
    else if (text == QLatin1String("demo"))
        *layout = Layout::Demo;
    else {
        *error = QStringLiteral("--layout %1: expected demo or test").arg(text);
        return false;
    }
    return true;
}

bool CardWriter::write(const QString &directory,
                       Layout layout,
                       int seed,
                       const QString &nmeaDir,
                       QVector<RecordingWriter::Result> *results,
                       QString *error)
{
    QStringList logs;
    if (!nmeaDir.isEmpty()) {
        const QDir dir(nmeaDir);
        if (!dir.exists()) {
            *error = QStringLiteral("--nmea-dir %1: no such folder").arg(nmeaDir);
            return false;
        }
        // Logs that can draw a route through a whole demo recording: enough RMC sentences,
        // mostly valid fixes in the form the viewer accepts.
        for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name)) {
            QList<QByteArray> sentences;
            QString ignored;
            if (!NmeaLog::readRmcSentences(info.absoluteFilePath(), &sentences, &ignored))
                continue;
            const auto usable
                    = std::count_if(sentences.begin(), sentences.end(), &NmeaLog::isUsableFix);
            if (sentences.size() >= MinDemoFixes && usable * 2 >= sentences.size())
                logs.append(info.absoluteFilePath());
        }
        if (logs.isEmpty()) {
            *error = QStringLiteral("--nmea-dir %1: no log with enough valid RMC sentences")
                             .arg(nmeaDir);
            return false;
        }
    }

    const QVector<CardEntry> entries = layout == Layout::Test ? testLayout() : demoLayout(logs);
    const QDir root(directory);
    results->clear();
    for (const CardEntry &entry : entries) {
        RecordingOptions options = entry.options;
        options.output = root.filePath(entry.path);
        options.seed = seed + int(results->size());
        const QDateTime start = startOf(entry.path);
        if (start.isValid())
            options.startTime = start;
        if (!QDir().mkpath(QFileInfo(options.output).absolutePath())) {
            *error = QStringLiteral("cannot create the folder of %1").arg(options.output);
            return false;
        }
        if (!options.finalize(error))
            return false;
        RecordingWriter::Result result;
        if (!RecordingWriter::write(options, &result, error)) {
            *error = QStringLiteral("%1: %2").arg(options.output, *error);
            return false;
        }
        results->append(result);
    }
    return true;
}
