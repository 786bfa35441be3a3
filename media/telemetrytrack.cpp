#include "telemetrytrack.h"

#include "atomreader.h"
#include "avinput.h"
#include "avptr.h"
#include "enginelog.h"
#include "telemetryparser.h"
#include "triptimeline.h"

#include <QDebug>
#include <QFile>

#include <algorithm>
#include <cmath>

namespace {

// A telemetry sample is a few hundred bytes; an index entry claiming more is damage, and
// reading it would only allocate memory for nothing.
constexpr qint64 MaxSampleSize = 16 * 1024 * 1024;

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
    const double duration = durationSeconds(ctx);
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        AVStream *stream = ctx->streams[i];
        if (!stream || !stream->codecpar)
            continue;
        const AVMediaType type = stream->codecpar->codec_type;
        if (type != AVMEDIA_TYPE_DATA && type != AVMEDIA_TYPE_SUBTITLE)
            continue;
        qCDebug(lcEngine).noquote()
                << "SUBTITLE indices#" << avformat_index_get_entries_count(stream);
        loadStream(stream, path, type == AVMEDIA_TYPE_SUBTITLE);
        TelemetryParser::updateCounts(*this, duration);
        qCDebug(lcEngine).noquote()
                << "SUBTITLE gps#" << m_gpsCount << ", gsensor#" << m_gsensorCount << ", gps rate "
                << m_gpsRate << ", gsensor rate " << m_gsensorRate;
    }

    const QByteArray block = AtomReader::readTelemetry(path);
    if (!block.isEmpty())
        TelemetryParser::parseBlock(block.constData(), block.size(), duration, *this);
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
        const Sample *sample = sampleOf(k, double(fileUs) / 1e6);
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
    if (track.m_gps.isEmpty())
        track.m_gpsRate = 0;
    if (track.m_gsensor.isEmpty())
        track.m_gsensorRate = 0;
    return track;
}

void TelemetryTrack::loadStream(AVStream *stream, const QString &path, bool lengthPrefix)
{
    const int entries = avformat_index_get_entries_count(stream);
    if (entries <= 0)
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcEngine).noquote()
                << "TelemetryTrack::loadStream cannot open" << path << ":" << file.errorString();
        return;
    }
    const qint64 fileSize = file.size();
    QByteArray sample;
    for (int i = 0; i < entries; ++i) {
        const AVIndexEntry *entry = avformat_index_get_entry(stream, i);
        if (!entry || entry->size <= 0)
            continue;
        const qint64 position = entry->pos;
        const qint64 size = entry->size;
        if (position < 0 || position > fileSize || size > fileSize - position
            || size > MaxSampleSize)
            continue;
        if (!file.seek(position))
            continue;
        sample.resize(int(size));
        if (file.read(sample.data(), size) != size)
            continue;
        TelemetryParser::parseSample(sample.constData(), sample.size(), lengthPrefix, *this);
    }
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
