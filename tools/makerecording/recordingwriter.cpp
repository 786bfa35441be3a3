#include "recordingwriter.h"

#include "audiotrack.h"
#include "damage.h"
#include "foreigntelemetry.h"
#include "media/avptr.h"
#include "media/mp4atoms.h"
#include "nmealog.h"
#include "synthetictelemetry.h"
#include "videotrack.h"

#include <QFile>
#include <QFileInfo>

#include <limits>
#include <memory>
#include <vector>

namespace {

// Timed-text sample description (3GPP TS 26.245 TextSampleEntry after the SampleEntry
// header): display flags, justification, background colour, default text box, default style
// and a font table with one font. Players need it to accept the track.
QByteArray timedTextSampleEntry()
{
    static const unsigned char entry[] = {
            0x00, 0x00, 0x00, 0x00, // display flags
            0x01, // horizontal justification: centre
            0xFF, // vertical justification: bottom
            0x00, 0x00, 0x00, 0x00, // background colour RGBA
            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // text box: top, left,
            0x00, 0x00, //   bottom,
            0x00, 0x00, //   right
            0x00, 0x00, 0x00, 0x00, // style: start char, end char
            0x00, 0x01, //   font id
            0x00, //   face style flags
            0x12, //   font size
            0xFF, 0xFF, 0xFF, 0xFF, //   text colour RGBA
            0x00, 0x00, 0x00, 0x12, // font table size (18)
            'f',  't',  'a',  'b', //   type
            0x00, 0x01, //   entry count
            0x00, 0x01, //   font id
            0x04, //   name length
            'S',  'a',  'n',  's', //   name
    };
    return QByteArray(reinterpret_cast<const char *>(entry), sizeof entry);
}

// One timed-text or data stream carrying the telemetry samples.
struct TelemetryStream
{
    AVStream *stream = nullptr; // owned by the output context
    bool lengthPrefix = false;
    RecordingOptions::Telemetry kind = RecordingOptions::Telemetry::Data;
};

// What a stream of this kind carries for GPS interval i.
QByteArray streamPayload(const TelemetryStream &stream, const SyntheticTelemetry &telemetry, int i)
{
    switch (stream.kind) {
    case RecordingOptions::Telemetry::Gpmf:
        return ForeignTelemetry::gpmfSample(telemetry, i);
    case RecordingOptions::Telemetry::TextTrack:
        return ForeignTelemetry::cueText(telemetry, i);
    default:
        return telemetry.sampleText(i);
    }
}

bool isStreamKind(RecordingOptions::Telemetry kind)
{
    return kind == RecordingOptions::Telemetry::Subtitle
            || kind == RecordingOptions::Telemetry::Data
            || kind == RecordingOptions::Telemetry::Gpmf
            || kind == RecordingOptions::Telemetry::TextTrack;
}

bool addTelemetryStream(AVFormatContext *output,
                        RecordingOptions::Telemetry kind,
                        TelemetryStream *result,
                        QString *error)
{
    AVStream *stream = avformat_new_stream(output, nullptr);
    if (!stream) {
        *error = QStringLiteral("out of memory");
        return false;
    }
    stream->time_base = AVRational {1, 1000};
    AVCodecParameters *par = stream->codecpar;
    result->kind = kind;
    if (kind == RecordingOptions::Telemetry::Subtitle
        || kind == RecordingOptions::Telemetry::TextTrack) {
        par->codec_type = AVMEDIA_TYPE_SUBTITLE;
        par->codec_id = AV_CODEC_ID_MOV_TEXT;
        const QByteArray entry = timedTextSampleEntry();
        par->extradata = static_cast<uint8_t *>(
                av_mallocz(static_cast<size_t>(entry.size()) + AV_INPUT_BUFFER_PADDING_SIZE));
        if (!par->extradata) {
            *error = QStringLiteral("out of memory");
            return false;
        }
        memcpy(par->extradata, entry.constData(), static_cast<size_t>(entry.size()));
        par->extradata_size = entry.size();
        result->lengthPrefix = true;
    } else {
        par->codec_type = AVMEDIA_TYPE_DATA;
        par->codec_id = AV_CODEC_ID_BIN_DATA;
        if (kind == RecordingOptions::Telemetry::Gpmf)
            par->codec_tag = MKTAG('g', 'p', 'm', 'd');
        result->lengthPrefix = false;
    }
    result->stream = stream;
    return true;
}

bool writeTelemetrySample(AVFormatContext *output,
                          const TelemetryStream &target,
                          const QByteArray &text,
                          double start,
                          double end,
                          QString *error)
{
    QByteArray payload;
    if (target.lengthPrefix) {
        if (text.size() > 0xFFFF) {
            *error = QStringLiteral("a telemetry sample exceeds 65535 bytes; lower the "
                                    "gsensor rate or raise the gps rate");
            return false;
        }
        payload.append(static_cast<char>(text.size() >> 8));
        payload.append(static_cast<char>(text.size() & 0xFF));
    }
    payload += text;

    av::PacketPtr packet = av::makePacket();
    if (!packet || av_new_packet(packet.get(), payload.size()) < 0) {
        *error = QStringLiteral("out of memory");
        return false;
    }
    memcpy(packet->data, payload.constData(), static_cast<size_t>(payload.size()));
    const AVRational ms {1, 1000};
    const int64_t pts = std::llround(start * 1000.0);
    packet->pts = pts;
    packet->dts = pts;
    packet->duration = std::max<int64_t>(1, std::llround(end * 1000.0) - pts);
    packet->flags |= AV_PKT_FLAG_KEY;
    av_packet_rescale_ts(packet.get(), ms, target.stream->time_base);
    packet->stream_index = target.stream->index;
    const int ret = av_interleaved_write_frame(output, packet.get());
    if (ret < 0) {
        *error = QStringLiteral("writing telemetry: %1").arg(av::errorText(ret));
        return false;
    }
    return true;
}

bool muxRecording(const RecordingOptions &options,
                  const SyntheticTelemetry *telemetry,
                  RecordingWriter::Result *result,
                  QString *error)
{
    const QByteArray path = QFile::encodeName(options.output);
    // The "gpmd" track is a QuickTime data track, which only the mov flavour of the muxer
    // writes (action cameras' .MP4 files are that flavour too).
    const char *format = options.container == RecordingOptions::Container::Avi ? "avi"
            : options.telemetry.contains(RecordingOptions::Telemetry::Gpmf)    ? "mov"
                                                                               : "mp4";
    AVFormatContext *raw = nullptr;
    int ret = avformat_alloc_output_context2(&raw, nullptr, format, path.constData());
    av::OutputContextPtr output(raw);
    if (ret < 0 || !output) {
        *error = QStringLiteral("%1: %2").arg(options.output, av::errorText(ret));
        return false;
    }
    output->flags |= AVFMT_FLAG_BITEXACT;

    std::vector<std::unique_ptr<VideoTrack>> videos;
    for (int i = 0; i < options.videos.size(); ++i) {
        videos.push_back(std::make_unique<VideoTrack>(
                options.videos[i], i + 1, options.frameCount(i), options.seed, options.firstFrame));
        if (!videos.back()->open(output.get(), error))
            return false;
    }
    std::unique_ptr<AudioTrack> audio;
    if (options.audio) {
        audio = std::make_unique<AudioTrack>(options);
        if (!audio->open(output.get(), error))
            return false;
    }
    std::vector<TelemetryStream> telemetryStreams;
    for (RecordingOptions::Telemetry kind : options.telemetry) {
        if (!isStreamKind(kind))
            continue;
        TelemetryStream stream;
        if (!addTelemetryStream(output.get(), kind, &stream, error))
            return false;
        telemetryStreams.push_back(stream);
    }

    ret = avio_open(&output->pb, path.constData(), AVIO_FLAG_WRITE);
    if (ret < 0) {
        *error = QStringLiteral("%1: %2").arg(options.output, av::errorText(ret));
        return false;
    }
    AVDictionary *rawOptions = nullptr;
    if (options.damage == RecordingOptions::Damage::Mp4HiddenFragments)
        av_dict_set(&rawOptions, "movflags", "frag_keyframe+empty_moov", 0);
    else if (options.faststart)
        av_dict_set(&rawOptions, "movflags", "+faststart", 0);
    ret = avformat_write_header(output.get(), &rawOptions);
    const av::DictionaryPtr unusedOptions(rawOptions); // what the muxer did not take
    if (ret < 0) {
        *error = QStringLiteral("%1: %2").arg(options.output, av::errorText(ret));
        return false;
    }

    // Hand the muxer the streams' packets in time order: always advance the stream whose next
    // item starts first.
    int nextSample = 0;
    const int samples = telemetry && !telemetryStreams.empty() ? telemetry->sampleCount() : 0;
    for (;;) {
        enum class Next { None, Video, Audio, Telemetry } next = Next::None;
        double earliest = std::numeric_limits<double>::infinity();
        size_t videoIndex = 0;
        for (size_t i = 0; i < videos.size(); ++i) {
            if (!videos[i]->done() && videos[i]->nextTime() < earliest) {
                earliest = videos[i]->nextTime();
                next = Next::Video;
                videoIndex = i;
            }
        }
        if (audio && !audio->done() && audio->nextTime() < earliest) {
            earliest = audio->nextTime();
            next = Next::Audio;
        }
        if (nextSample < samples && telemetry->sampleTime(nextSample) < earliest)
            next = Next::Telemetry;

        if (next == Next::None)
            break;
        if (next == Next::Video && !videos[videoIndex]->writeNext(output.get(), error))
            return false;
        if (next == Next::Audio && !audio->writeNext(output.get(), error))
            return false;
        if (next == Next::Telemetry) {
            for (const TelemetryStream &stream : telemetryStreams) {
                if (!writeTelemetrySample(output.get(),
                                          stream,
                                          streamPayload(stream, *telemetry, nextSample),
                                          telemetry->sampleTime(nextSample),
                                          telemetry->sampleTime(nextSample + 1),
                                          error))
                    return false;
            }
            ++nextSample;
        }
    }
    for (const auto &video : videos) {
        if (!video->finish(output.get(), error))
            return false;
    }
    if (audio && !audio->finish(output.get(), error))
        return false;

    ret = av_write_trailer(output.get());
    if (ret < 0) {
        *error = QStringLiteral("%1: %2").arg(options.output, av::errorText(ret));
        return false;
    }
    ret = avio_closep(&output->pb);
    if (ret < 0) {
        *error = QStringLiteral("%1: %2").arg(options.output, av::errorText(ret));
        return false;
    }

    for (const auto &video : videos)
        result->frames.append(video->framesWritten());
    return true;
}

} // namespace

bool RecordingWriter::write(const RecordingOptions &options, Result *result, QString *error)
{
    *result = Result();
    result->file = QFileInfo(options.output).absoluteFilePath();

    std::unique_ptr<SyntheticTelemetry> telemetry;
    if (options.hasTelemetry()) {
        QList<QByteArray> sentences;
        if (!options.nmeaFile.isEmpty()
            && !NmeaLog::readRmcSentences(options.nmeaFile, &sentences, error))
            return false;
        telemetry = std::make_unique<SyntheticTelemetry>(
                options.gpsCount(),
                options.gsensorCount(),
                options.duration,
                options.seed,
                options.startTime,
                sentences,
                options.denseTelemetry ? SyntheticTelemetry::Motion::Drive
                                       : SyntheticTelemetry::Motion::Swing);
        result->gps = telemetry->gpsCount();
        result->gsensor = telemetry->gsensorCount();
    }

    bool ok = muxRecording(options, telemetry.get(), result, error);
    if (ok && telemetry && options.telemetry.contains(RecordingOptions::Telemetry::UserData))
        ok = Mp4Atoms::appendUserDataToFile(
                options.output, "tlmd", telemetry->userDataBlock(), error);
    if (ok && telemetry && options.telemetry.contains(RecordingOptions::Telemetry::NmeaBox))
        ok = Mp4Atoms::appendUserDataToFile(
                options.output, "free", ForeignTelemetry::nmeaBox(*telemetry), error);
    if (ok && telemetry && options.telemetry.contains(RecordingOptions::Telemetry::FreeGps))
        ok = ForeignTelemetry::addFreeGps(options.output, *telemetry, options.startTime, error);
    if (ok)
        ok = Damage::apply(options.output, options, error);
    if (ok && telemetry && options.sidecar != RecordingOptions::Sidecar::None) {
        QFile sidecar(options.sidecarPath());
        const QByteArray text = options.sidecar == RecordingOptions::Sidecar::Nmea
                ? ForeignTelemetry::nmeaSidecar(*telemetry, options.startTime, options.sidecarShift)
                : ForeignTelemetry::gpxSidecar(*telemetry, options.startTime, options.sidecarShift);
        ok = sidecar.open(QIODevice::WriteOnly) && sidecar.write(text) == text.size();
        if (!ok) {
            *error = QStringLiteral("%1: %2").arg(sidecar.fileName(), sidecar.errorString());
            sidecar.remove();
        }
    }
    if (!ok)
        QFile::remove(options.output);
    return ok;
}
