#include "telemetrytrack.h"

#include "atomreader.h"
#include "avptr.h"
#include "enginelog.h"
#include "telemetryparser.h"

#include <QDebug>
#include <QFile>

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
