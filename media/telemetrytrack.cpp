#include "telemetrytrack.h"

#include "avinput.h"
#include "avptr.h"
#include "enginelog.h"
#include "streamsamplereader.h"
#include "telemetryparser.h"
#include "telemetrysource.h"
#include "timedtelemetry.h"
#include "triptimeline.h"

#include <QDebug>

#include <algorithm>
#include <cmath>

namespace {

double durationSeconds(const AVFormatContext *ctx)
{
    if (ctx->duration == AV_NOPTS_VALUE || ctx->duration <= 0)
        return 0.0;
    return double(ctx->duration) / AV_TIME_BASE;
}

} // namespace

void TelemetryTrack::clear()
{
    m_gpsCount = 0;
    m_gsensorCount = 0;
    m_gps.clear();
    m_gsensor.clear();
    m_gpsRate = 0;
    m_gsensorRate = 0;
}

void TelemetryTrack::load(AVFormatContext *ctx, const QString &path)
{
    clear();
    if (!ctx)
        return;
    if (TripTimeline::isConcatList(path)) {
        // A trip: the list names the recordings, whose tracks are joined on the trip's axis.
        TripTimeline trip;
        QString error;
        if (TripTimeline::readConcatList(path, &trip, &error))
            loadTrip(trip);
        else
            qCDebug(lcEngine).noquote() << "trip list" << path << "unreadable:" << error;
        return;
    }
    TelemetrySource::Input input;
    input.format = ctx;
    input.path = path;
    input.duration = durationSeconds(ctx);
    bool haveFallback = false;
    TelemetryTrack readings; // the first G-sensor readings any source gave
    for (const TelemetrySource *source : TelemetrySource::all()) {
        if (!source->recognises(input))
            continue;
        TelemetryTrack candidate;
        if (!source->read(input, &candidate))
            continue;
        const int valid = candidate.validGpsCount();
        qCDebug(lcEngine).noquote()
                << "telemetry source" << candidate.source() << ": gps#" << candidate.m_gps.size()
                << ", valid gps#" << valid << ", gsensor#" << candidate.m_gsensor.size();
        if (readings.m_gsensor.isEmpty() && !candidate.m_gsensor.isEmpty())
            readings = candidate;
        if (valid > 0) {
            *this = candidate;
            break;
        }
        if (!haveFallback) {
            *this = candidate;
            haveFallback = true;
        }
    }
    // A camera that keeps its G-sensor in the file and its GPS beside it: both are shown.
    if (m_gsensor.isEmpty() && !readings.m_gsensor.isEmpty()) {
        m_gsensor = readings.m_gsensor;
        m_gsensorCount = readings.m_gsensorCount;
        m_gsensorRate = readings.m_gsensorRate;
        qCDebug(lcEngine).noquote()
                << "G-sensor readings of" << path << "from" << readings.m_source;
    }
    if (!m_source.isEmpty())
        qCDebug(lcEngine).noquote() << "telemetry of" << path << "from" << m_source;
}

void TelemetryTrack::loadTrip(const TripTimeline &trip)
{
    clear();
    QVector<TelemetryTrack> parts;
    parts.reserve(trip.count());
    av::InputOptions header;
    header.streamInfo = false;
    for (const TripTimeline::File &file : trip.files()) {
        TelemetryTrack part;
        av::FormatContextPtr ctx = av::openInput(file.path, header);
        if (ctx)
            part.load(ctx.get(), file.path);
        else
            qCDebug(lcEngine).noquote() << "TelemetryTrack::loadTrip cannot open" << file.path;
        parts.append(part);
    }
    *this = joined(trip, parts);
    qCDebug(lcEngine).noquote() << "TelemetryTrack::loadTrip" << trip.count() << "files: gps#"
                                << m_gpsCount << ", gsensor#" << m_gsensorCount;
}

namespace {

// The smallest positive rate of the parts' lists that rateOf picks; 0 when none has one.
template<class RateOf>
double smallestRate(const QVector<TelemetryTrack> &parts, RateOf rateOf)
{
    double rate = 0;
    for (const TelemetryTrack &part : parts) {
        const double r = rateOf(part);
        if (r > 0 && std::isfinite(r) && (rate == 0 || r < rate))
            rate = r;
    }
    return rate;
}

// Fills out with one sample per `rate` seconds of the trip, file by file: sampleOf(k, local)
// gives file k's sample at local seconds into it, or nullptr when the file has none.
template<class Sample, class SampleOf, class Fill>
void joinList(
        const TripTimeline &trip, double rate, QVector<Sample> &out, SampleOf sampleOf, Fill fill)
{
    const int64_t total = std::llround(double(trip.durationUs()) / 1e6 / rate);
    out.reserve(int(std::min<int64_t>(total, 1 << 26)));
    for (int64_t i = 0; i < total && i < (1 << 26); ++i) {
        const double t = double(i) * rate;
        int64_t fileUs = 0;
        const int k = trip.fileAt(std::llround(t * 1e6), &fileUs);
        // A tenth of a microsecond in: the file's time is whole microseconds, and without it
        // 4.6 s / 0.1 s would truncate to sample 45 of the file instead of 46.
        const Sample *sample = sampleOf(k, double(fileUs) / 1e6 + 1e-7);
        out.append(sample ? *sample : fill(out));
    }
}

} // namespace

TelemetryTrack TelemetryTrack::joined(const TripTimeline &trip,
                                      const QVector<TelemetryTrack> &parts)
{
    TelemetryTrack track;
    if (trip.isEmpty() || parts.size() != trip.count())
        return track;
    const double gpsRate = smallestRate(
            parts, [](const TelemetryTrack &p) { return p.m_gps.isEmpty() ? 0.0 : p.m_gpsRate; });
    const double gsensorRate = smallestRate(parts, [](const TelemetryTrack &p) {
        return p.m_gsensor.isEmpty() ? 0.0 : p.m_gsensorRate;
    });
    if (gpsRate > 0) {
        joinList(
                trip,
                gpsRate,
                track.m_gps,
                [&parts](int k, double local) -> const GpsSample * {
                    return parts.at(k).gpsAt(local);
                },
                [](const QVector<GpsSample> &) { return GpsSample(); });
        track.m_gpsRate = gpsRate;
    }
    if (gsensorRate > 0) {
        GSensorSample first;
        for (const TelemetryTrack &part : parts) {
            if (!part.m_gsensor.isEmpty()) {
                first = part.m_gsensor.first();
                break;
            }
        }
        joinList(
                trip,
                gsensorRate,
                track.m_gsensor,
                [&parts](int k, double local) -> const GSensorSample * {
                    return parts.at(k).gsensorAt(local);
                },
                [first](const QVector<GSensorSample> &sofar) {
                    return sofar.isEmpty() ? first : sofar.last();
                });
        track.m_gsensorRate = gsensorRate;
    }
    track.m_gpsCount = track.m_gps.size();
    track.m_gsensorCount = track.m_gsensor.size();
    for (const TelemetryTrack &part : parts) {
        if (!part.m_source.isEmpty()) {
            track.m_source = part.m_source;
            break;
        }
    }
    if (track.m_gps.isEmpty())
        track.m_gpsRate = 0;
    if (track.m_gsensor.isEmpty())
        track.m_gsensorRate = 0;
    return track;
}

namespace {

// Median of the positive gaps between consecutive times (sorted); 0 when there is none.
template<class Item>
double medianInterval(const QVector<Item> &items)
{
    std::vector<double> gaps;
    gaps.reserve(size_t(items.size()));
    for (int i = 1; i < items.size(); ++i) {
        const double gap = items[i].time - items[i - 1].time;
        if (gap > 1e-6)
            gaps.push_back(gap);
    }
    if (gaps.empty())
        return 0;
    std::nth_element(gaps.begin(), gaps.begin() + long(gaps.size() / 2), gaps.end());
    return gaps[gaps.size() / 2];
}

// Lays items (sorted by time) on an even axis over duration (0: up to the last item) and
// calls put(i, item or nullptr, t) for every position i at time t; item is the last one at or
// before t plus half the spacing. Returns the spacing (0 when nothing was laid).
template<class Item, class Put>
double layEvenly(const QVector<Item> &items, double duration, Put put)
{
    if (items.isEmpty())
        return 0;
    double interval = medianInterval(items);
    if (!(interval > 0))
        interval = duration > 0 ? duration : 1.0;
    interval = std::max(interval, 0.001);
    const double span = duration > 0 ? duration : items.last().time + interval;
    if (!(span > 0))
        return 0;
    const int64_t count
            = std::clamp<int64_t>(std::llround(span / interval), 1, TimedTelemetry::MaxSamples);
    const double rate = span / double(count);
    int next = 0; // first item later than the current window
    for (int64_t i = 0; i < count; ++i) {
        const double t = double(i) * rate;
        while (next < items.size() && items[next].time <= t + rate / 2)
            ++next;
        put(i, next > 0 ? &items[next - 1] : nullptr, t, interval);
    }
    return rate;
}

template<class Item>
QVector<Item> sortedByTime(const QVector<Item> &items)
{
    QVector<Item> sorted = items;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Item &a, const Item &b) {
        return a.time < b.time;
    });
    return sorted;
}

} // namespace

TelemetryTrack TelemetryTrack::fromTimed(const TimedTelemetry &timed, double duration)
{
    TelemetryTrack track;
    if (!(duration > 0) || !std::isfinite(duration))
        duration = 0;
    const QVector<TimedTelemetry::Fix> fixes = sortedByTime(timed.fixes());
    track.m_gpsRate = layEvenly(
            fixes,
            duration,
            [&track](int64_t, const TimedTelemetry::Fix *fix, double t, double interval) {
                const double maxAge = std::max(MaxFixAge * interval, MaxFixAgeSeconds);
                if (fix && t - fix->time <= maxAge)
                    track.m_gps.append(fix->sample);
                else
                    track.m_gps.append(GpsSample());
            });
    const QVector<TimedTelemetry::Reading> readings = sortedByTime(timed.readings());
    track.m_gsensorRate = layEvenly(
            readings,
            duration,
            [&track, &readings](int64_t, const TimedTelemetry::Reading *reading, double, double) {
                track.m_gsensor.append(reading ? reading->sample : readings.first().sample);
            });
    track.m_gpsCount = track.m_gps.size();
    track.m_gsensorCount = track.m_gsensor.size();
    return track;
}

void TelemetryTrack::loadStream(AVStream *stream, const QString &path, bool lengthPrefix)
{
    StreamSampleReader::forEach(path, stream, 0, [&](const QByteArray &sample, double, double) {
        TelemetryParser::parseSample(sample.constData(), sample.size(), lengthPrefix, *this);
    });
}

int TelemetryTrack::validGpsCount() const
{
    int count = 0;
    for (const GpsSample &sample : m_gps) {
        if (sample.valid)
            ++count;
    }
    return count;
}

int TelemetryTrack::indexAt(double seconds, double rate, int count)
{
    if (count <= 0 || !(rate > 0) || !std::isfinite(rate))
        return -1;
    if (!(seconds > 0)) // negative, zero or not a number
        return 0;
    const double index = seconds / rate;
    if (!(index < double(count - 1)))
        return count - 1;
    return int(index);
}

int TelemetryTrack::gpsIndexAt(double seconds) const
{
    return indexAt(seconds, m_gpsRate, m_gps.size());
}

int TelemetryTrack::gsensorIndexAt(double seconds) const
{
    return indexAt(seconds, m_gsensorRate, m_gsensor.size());
}

const GpsSample *TelemetryTrack::gpsAt(double seconds) const
{
    const int index = gpsIndexAt(seconds);
    return index < 0 ? nullptr : &m_gps.at(index);
}

const GSensorSample *TelemetryTrack::gsensorAt(double seconds) const
{
    const int index = gsensorIndexAt(seconds);
    return index < 0 ? nullptr : &m_gsensor.at(index);
}
