#include "gpmftelemetrysource.h"

#include "avptr.h"
#include "gpmfparser.h"
#include "streamsamplereader.h"
#include "telemetrytrack.h"
#include "timedtelemetry.h"

namespace {

AVStream *gpmfStream(const AVFormatContext *format)
{
    if (!format)
        return nullptr;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        AVStream *stream = format->streams[i];
        if (stream && stream->codecpar && stream->codecpar->codec_type == AVMEDIA_TYPE_DATA
            && stream->codecpar->codec_tag == MKTAG('g', 'p', 'm', 'd'))
            return stream;
    }
    return nullptr;
}

} // namespace

bool GpmfTelemetrySource::recognises(const Input &input) const
{
    return gpmfStream(input.format) != nullptr;
}

bool GpmfTelemetrySource::read(const Input &input, TelemetryTrack *track) const
{
    *track = TelemetryTrack();
    AVStream *stream = gpmfStream(input.format);
    if (!stream)
        return false;
    TimedTelemetry timed;
    StreamSampleReader::forEach(
            input.path,
            stream,
            input.duration,
            [&timed](const QByteArray &bytes, double time, double duration) {
                GpmfParser::parse(bytes.constData(), bytes.size(), time, duration, &timed);
            });
    *track = TelemetryTrack::fromTimed(timed, input.duration);
    track->setSource(name(kind()));
    return !timed.isEmpty();
}
