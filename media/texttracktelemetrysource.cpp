#include "texttracktelemetrysource.h"

#include "avptr.h"
#include "streamsamplereader.h"
#include "telemetrytrack.h"
#include "texttrackcue.h"
#include "timedtelemetry.h"

bool TextTrackTelemetrySource::recognises(const Input &input) const
{
    if (!input.format)
        return false;
    for (unsigned i = 0; i < input.format->nb_streams; ++i) {
        const AVStream *stream = input.format->streams[i];
        if (stream && stream->codecpar && stream->codecpar->codec_type == AVMEDIA_TYPE_SUBTITLE)
            return true;
    }
    return false;
}

bool TextTrackTelemetrySource::read(const Input &input, TelemetryTrack *track) const
{
    *track = TelemetryTrack();
    if (!input.format)
        return false;
    for (unsigned i = 0; i < input.format->nb_streams; ++i) {
        AVStream *stream = input.format->streams[i];
        if (!stream || !stream->codecpar || stream->codecpar->codec_type != AVMEDIA_TYPE_SUBTITLE)
            continue;
        TimedTelemetry timed;
        StreamSampleReader::forEach(input.path,
                                    stream,
                                    input.duration,
                                    [&timed](const QByteArray &bytes, double time, double) {
                                        GpsSample sample;
                                        const QString text = TextTrackCue::sampleText(
                                                bytes.constData(), bytes.size());
                                        if (TextTrackCue::parse(text, &sample))
                                            timed.addFix(time, sample);
                                    });
        if (timed.isEmpty())
            continue; // a track of captions or of other telemetry
        *track = TelemetryTrack::fromTimed(timed, input.duration);
        track->setSource(name(kind()));
        return true;
    }
    return false;
}
