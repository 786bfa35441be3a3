#include "tripscanner.h"

#include "folderscanner.h"
#include "media/avinput.h"
#include "media/avptr.h"
#include "media/telemetrytrack.h"
#include "playlistlog.h"
#include "tripgrouper.h"

#include <QDebug>
#include <QHash>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace {

constexpr double EarthRadiusMetres = 6371008.8;

// The GPS of one recording, placed by its start.
struct GpsPart
{
    qint64 startMs = 0; // from the name
    double rate = 0; // seconds per fix
    QVector<GpsSample> gps;
};

// The container's length; when the header gives none for the whole file (AVI states only its
// streams' lengths, which the stream-info probe would add up), the longest stream's.
int64_t durationOf(const AVFormatContext *ctx)
{
    if (ctx->duration != AV_NOPTS_VALUE && ctx->duration > 0)
        return ctx->duration;
    int64_t longest = 0;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream *stream = ctx->streams[i];
        if (!stream || stream->duration == AV_NOPTS_VALUE || stream->duration <= 0
            || stream->time_base.num <= 0 || stream->time_base.den <= 0)
            continue;
        longest = std::max(longest,
                           av_rescale_q(stream->duration, stream->time_base, AV_TIME_BASE_Q));
    }
    return longest;
}

// Opens a recording as cheaply as its container allows: the header alone, and the stream-info
// probe only when the header leaves the length or a stream's parameters out.
av::FormatContextPtr openForTrip(const QString &path)
{
    av::InputOptions header;
    header.streamInfo = false;
    av::FormatContextPtr ctx = av::openInput(path, header);
    if (!ctx)
        return ctx;
    if (durationOf(ctx.get()) > 0 && !TripScanner::layoutOf(ctx.get()).isEmpty())
        return ctx;
    qCDebug(lcPlayList).noquote() << path << "header incomplete, probing the streams";
    ctx.reset();
    return av::openInput(path);
}

// Fills what the open recording tells of its length and layout, and its GPS when part is given.
TripRecording inspectOpen(const PlayListEntry &entry, AVFormatContext *ctx, GpsPart *part)
{
    TripRecording row;
    row.entry = entry;
    row.start = FolderScanner::rowDateTime(entry);
    if (!ctx)
        return row;
    const QString layout = TripScanner::layoutOf(ctx);
    const int64_t duration = durationOf(ctx);
    if (!layout.isEmpty() && duration > 0) {
        row.layout = layout;
        row.durationUs = duration;
    }
    if (part && row.playable()) {
        TelemetryTrack track;
        track.load(ctx, entry.path);
        part->startMs = row.start.isValid() ? row.start.toMSecsSinceEpoch() : 0;
        part->rate = track.gpsRate();
        track.gpsSamples(part->gps);
    }
    return row;
}

// Opens every entry (inspectOpen) into rows[i] and parts[i], on up to MaxThreads threads: the
// telemetry text of a recording takes far longer to parse than its header to read. False
// when *cancel turned true.
bool inspectAll(const QVector<PlayListEntry> &entries,
                TripRecording *rows,
                GpsPart *parts,
                const std::atomic<bool> *cancel)
{
    constexpr int MaxThreads = 8;
    std::atomic<int> next {0};
    const auto work = [&] {
        for (int i = next++; i < entries.size(); i = next++) {
            if (cancel && cancel->load())
                return;
            av::FormatContextPtr ctx = openForTrip(entries[i].path);
            rows[i] = inspectOpen(entries[i], ctx.get(), &parts[i]);
        }
    };
    const int threads = std::min({QThread::idealThreadCount(), MaxThreads, int(entries.size())});
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread &thread : pool)
        thread.join();
    return !(cancel && cancel->load());
}

bool usable(const GpsSample &fix)
{
    return fix.valid && std::isfinite(fix.latitude) && std::isfinite(fix.longitude)
            && std::abs(fix.latitude) <= 90 && std::abs(fix.longitude) <= 180;
}

// Distance and top speed along the parts (in trip order) by the rule in the header.
void measureParts(const QVector<GpsPart> &parts, Trip &trip)
{
    trip.distanceMetres = 0;
    trip.maxSpeedKmh = 0;
    bool haveReference = false;
    GpsSample reference;
    double referenceSeconds = 0;
    int referencePart = -1;
    int rejected = 0;
    const qint64 originMs = parts.isEmpty() ? 0 : parts.first().startMs;
    for (int p = 0; p < parts.size(); ++p) {
        const GpsPart &part = parts[p];
        if (part.rate <= 0)
            continue;
        const double partSeconds = double(part.startMs - originMs) / 1000.0;
        for (int i = 0; i < part.gps.size(); ++i) {
            const GpsSample &fix = part.gps[i];
            if (!usable(fix))
                continue;
            if (std::isfinite(fix.speed) && fix.speed <= TripScanner::MaxSpeedKmh)
                trip.maxSpeedKmh = std::max(trip.maxSpeedKmh, fix.speed);
            const double seconds = partSeconds + i * part.rate;
            if (!haveReference) {
                reference = fix;
                referenceSeconds = seconds;
                referencePart = p;
                haveReference = true;
                continue;
            }
            double elapsed = seconds - referenceSeconds;
            if (referencePart != p)
                elapsed += 1.0; // the names' whole seconds
            elapsed = std::max(elapsed, part.rate);
            const double metres = TripScanner::haversineMetres(
                    reference.latitude, reference.longitude, fix.latitude, fix.longitude);
            if (metres / elapsed * 3.6 <= TripScanner::MaxSpeedKmh) {
                trip.distanceMetres += metres;
                rejected = 0;
            } else if (++rejected < TripScanner::RejectedFixesToMove) {
                continue; // keep the reference
            } else {
                rejected = 0;
            }
            reference = fix;
            referenceSeconds = seconds;
            referencePart = p;
        }
    }
}

} // namespace

QString TripScanner::layoutOf(const AVFormatContext *ctx)
{
    QStringList streams;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream *stream = ctx->streams[i];
        const AVCodecParameters *par = stream ? stream->codecpar : nullptr;
        if (!par)
            return QString();
        const QString codec = QString::fromLatin1(avcodec_get_name(par->codec_id));
        switch (par->codec_type) {
        case AVMEDIA_TYPE_VIDEO:
            if (par->codec_id == AV_CODEC_ID_NONE || par->width <= 0 || par->height <= 0)
                return QString();
            streams << QStringLiteral("%1 %2x%3").arg(codec).arg(par->width).arg(par->height);
            break;
        case AVMEDIA_TYPE_AUDIO:
            if (par->codec_id == AV_CODEC_ID_NONE || par->ch_layout.nb_channels <= 0
                || par->sample_rate <= 0)
                return QString();
            streams << QStringLiteral("%1 %2ch %3Hz")
                               .arg(codec)
                               .arg(par->ch_layout.nb_channels)
                               .arg(par->sample_rate);
            break;
        default:
            streams << QStringLiteral("%1 %2").arg(
                    QString::fromLatin1(av_get_media_type_string(par->codec_type)), codec);
            break;
        }
    }
    return streams.join(QLatin1Char('|'));
}

double TripScanner::haversineMetres(double lat1, double lon1, double lat2, double lon2)
{
    constexpr double radians = M_PI / 180.0;
    const double dLat = (lat2 - lat1) * radians;
    const double dLon = (lon2 - lon1) * radians;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2)
            + std::cos(lat1 * radians) * std::cos(lat2 * radians) * std::sin(dLon / 2)
                    * std::sin(dLon / 2);
    return 2 * EarthRadiusMetres * std::asin(std::min(1.0, std::sqrt(a)));
}

TripRecording TripScanner::inspect(const PlayListEntry &entry)
{
    av::FormatContextPtr ctx = openForTrip(entry.path);
    return inspectOpen(entry, ctx.get(), nullptr);
}

void TripScanner::measure(Trip &trip)
{
    QVector<GpsPart> parts;
    for (const TripRecording &recording : qAsConst(trip.recordings)) {
        if (!recording.playable())
            continue;
        av::FormatContextPtr ctx = openForTrip(recording.entry.path);
        GpsPart part;
        inspectOpen(recording.entry, ctx.get(), &part);
        part.startMs = recording.start.isValid() ? recording.start.toMSecsSinceEpoch() : 0;
        parts.append(part);
    }
    measureParts(parts, trip);
}

QVector<Trip> TripScanner::scan(const FolderScanner &scanner, const std::atomic<bool> *cancel)
{
    // Event recordings are marks only: their names say all that is needed.
    QVector<TripRecording> events;
    for (const PlayListEntry &entry : scanner.table(FolderScanner::Event)) {
        TripRecording event;
        event.entry = entry;
        event.start = FolderScanner::rowDateTime(entry);
        events.append(event);
    }

    // On a memory card the folder picks the table, so a file of an unknown kind may lie in a
    // kind's table already; such a file belongs to that table's trips.
    QSet<QString> inTables;
    for (int filter : {FolderScanner::Driving, FolderScanner::Event, FolderScanner::Parking}) {
        for (const PlayListEntry &entry : scanner.table(filter))
            inTables.insert(entry.path);
    }
    QVector<PlayListEntry> unknown;
    for (const PlayListEntry &entry : scanner.table(FolderScanner::All)) {
        if (entry.kind == RecordingKind::Unknown && !inTables.contains(entry.path))
            unknown.append(entry);
    }

    // Every recording of the three groups opened once, on several threads.
    const QVector<PlayListEntry> *groups[] = {&scanner.table(FolderScanner::Driving),
                                              &scanner.table(FolderScanner::Parking),
                                              &unknown};
    QVector<PlayListEntry> entries;
    for (const QVector<PlayListEntry> *group : groups)
        entries += *group;
    QVector<TripRecording> rows(entries.size());
    QVector<GpsPart> parts(entries.size());
    if (!inspectAll(entries, rows.data(), parts.data(), cancel))
        return {};

    QVector<Trip> trips;
    QHash<QString, int> indexOf;
    int first = 0;
    for (const QVector<PlayListEntry> *group : groups) {
        trips += TripGrouper::group(rows.mid(first, group->size()), events);
        for (int i = first; i < first + group->size(); ++i)
            indexOf.insert(entries[i].path, i);
        first += group->size();
    }
    for (Trip &trip : trips) {
        QVector<GpsPart> tripParts;
        for (const TripRecording &recording : qAsConst(trip.recordings)) {
            if (recording.playable())
                tripParts.append(parts.at(indexOf.value(recording.entry.path)));
        }
        measureParts(tripParts, trip);
    }
    std::stable_sort(trips.begin(), trips.end(), [](const Trip &a, const Trip &b) {
        return a.start.isValid() && (!b.start.isValid() || a.start < b.start);
    });
    return trips;
}
