#include "userdatatelemetrysource.h"

#include "atomreader.h"
#include "avinput.h"
#include "enginelog.h"
#include "telemetryparser.h"
#include "telemetrytrack.h"

#include <QDebug>
#include <QFile>

namespace {

bool isTextOrDataStream(const AVStream *stream)
{
    if (!stream || !stream->codecpar)
        return false;
    const AVMediaType type = stream->codecpar->codec_type;
    return type == AVMEDIA_TYPE_DATA || type == AVMEDIA_TYPE_SUBTITLE;
}

} // namespace

bool UserDataTelemetrySource::recognises(const Input &input) const
{
    if (!input.format)
        return false;
    for (unsigned i = 0; i < input.format->nb_streams; ++i) {
        if (isTextOrDataStream(input.format->streams[i]))
            return true;
    }
    QFile file(input.path);
    qint64 begin = 0;
    qint64 size = 0;
    return file.open(QIODevice::ReadOnly)
            && AtomReader::locate(file, {"moov", "udta", "tlmd"}, &begin, &size)
            == AtomReader::Status::Found
            && size > 0;
}

bool UserDataTelemetrySource::read(const Input &input, TelemetryTrack *track) const
{
    track->clear();
    AVFormatContext *ctx = input.format;
    if (!ctx)
        return false;
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        AVStream *stream = ctx->streams[i];
        if (!isTextOrDataStream(stream))
            continue;
        qCDebug(lcEngine).noquote()
                << "SUBTITLE indices#" << avformat_index_get_entries_count(stream);
        track->loadStream(
                stream, input.path, stream->codecpar->codec_type == AVMEDIA_TYPE_SUBTITLE);
        TelemetryParser::updateCounts(*track, input.duration);
        qCDebug(lcEngine).noquote()
                << "SUBTITLE gps#" << track->m_gpsCount << ", gsensor#" << track->m_gsensorCount
                << ", gps rate " << track->m_gpsRate << ", gsensor rate " << track->m_gsensorRate;
    }

    const QByteArray block = AtomReader::readTelemetry(input.path);
    if (!block.isEmpty())
        TelemetryParser::parseBlock(block.constData(), block.size(), input.duration, *track);
    track->setSource(name(kind()));
    return !track->m_gps.isEmpty() || !track->m_gsensor.isEmpty();
}
