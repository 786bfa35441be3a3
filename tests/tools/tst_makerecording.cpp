#include "media/avptr.h"
#include "testpaths.h"
#include "testrecordings.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QVector3D>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

QStringList videos(int count, const QString &video)
{
    QStringList options;
    for (int i = 0; i < count; ++i)
        options << QStringLiteral("--video") << video;
    return options;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The payloads of one stream's packets, in file order.
QList<QByteArray> packetsOf(const QString &path, int streamIndex)
{
    QList<QByteArray> packets;
    av::FormatContextPtr input = TestRecordings::open(path);
    if (!input)
        return packets;
    av::PacketPtr packet = av::makePacket();
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        if (packet->stream_index == streamIndex)
            packets.append(QByteArray(reinterpret_cast<const char *>(packet->data), packet->size));
        av_packet_unref(packet.get());
    }
    return packets;
}

// Timed-text samples without the empty ones the MP4 muxer adds at the end of each sample.
QList<QByteArray> telemetryTexts(const QString &path, int streamIndex, bool lengthPrefix)
{
    QList<QByteArray> texts;
    for (const QByteArray &packet : packetsOf(path, streamIndex)) {
        if (!lengthPrefix) {
            texts.append(packet);
            continue;
        }
        if (packet.size() < 2)
            return {};
        const int length = (uchar(packet[0]) << 8) | uchar(packet[1]);
        if (length != packet.size() - 2)
            return {}; // the prefix must hold the exact text length
        if (length > 0)
            texts.append(packet.mid(2));
    }
    return texts;
}

// Independent MP4 atom walk: the payload of the atom at path ({"moov", "udta", "tlmd"}).
bool atomPayload(const QByteArray &file, const QList<QByteArray> &path, QByteArray *payload)
{
    qint64 begin = 0;
    qint64 end = file.size();
    for (const QByteArray &type : path) {
        bool found = false;
        qint64 offset = begin;
        while (offset + 8 <= end) {
            const auto *p = reinterpret_cast<const uchar *>(file.constData() + offset);
            qint64 size = (qint64(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
            qint64 header = 8;
            if (size == 1) {
                if (offset + 16 > end)
                    return false;
                size = 0;
                for (int i = 8; i < 16; ++i)
                    size = (size << 8) | p[i];
                header = 16;
            } else if (size == 0) {
                size = end - offset;
            }
            if (size < header || offset + size > end)
                return false;
            if (file.mid(int(offset + 4), 4) == type) {
                begin = offset + header;
                end = offset + size;
                found = true;
                break;
            }
            offset += size;
        }
        if (!found)
            return false;
    }
    *payload = file.mid(int(begin), int(end - begin));
    return true;
}

QList<QByteArray> rmcLines(const QString &log)
{
    QList<QByteArray> lines;
    for (QByteArray line : fileBytes(log).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() > 7 && line.startsWith('$') && line.mid(3, 4) == "RMC,")
            lines.append(line);
    }
    return lines;
}

// Records of a telemetry text scanned the way the viewer's reader does: "$G..." up to CR LF,
// "$M" + 12 numbers whose twelfth comma must start ",0,0$". Returns false on anything else
// between records.
bool parseRecords(const QByteArray &text, QList<QByteArray> *gps, QList<QVector<int>> *gsensor)
{
    int i = 0;
    while (i < text.size()) {
        if (text[i] != '$')
            return false;
        if (i + 1 == text.size())
            return true; // the lone "$" that closes a sample
        if (text[i + 1] == 'G') {
            const int cr = text.indexOf('\r', i);
            if (cr < 0 || cr + 1 >= text.size() || text[cr + 1] != '\n')
                return false;
            gps->append(text.mid(i, cr - i));
            i = cr + 2;
        } else if (text[i + 1] == 'M') {
            int commas = 0;
            int j = i + 2;
            for (; j < text.size() && commas < 12; ++j) {
                if (text[j] == '$')
                    return false;
                if (text[j] == ',')
                    ++commas;
            }
            const int twelfth = j - 1;
            if (commas < 12 || text.mid(twelfth, 5) != ",0,0$")
                return false;
            QVector<int> values;
            for (const QByteArray &field : text.mid(i + 2, twelfth - i - 2).split(','))
                values.append(field.toInt());
            if (values.size() != 12)
                return false;
            gsensor->append(values);
            i = twelfth + 4;
        } else {
            return false;
        }
    }
    return true;
}

int nmeaFieldCount(const QByteArray &sentence)
{
    return sentence.left(sentence.indexOf('*')).split(',').size();
}

bool checksumValid(const QByteArray &sentence)
{
    const int star = sentence.indexOf('*');
    if (!sentence.startsWith('$') || star < 0 || star + 3 != sentence.size())
        return false;
    uint8_t sum = 0;
    for (int i = 1; i < star; ++i)
        sum ^= uint8_t(sentence[i]);
    return sentence.mid(star + 1).toUpper()
            == QByteArray::number(sum, 16).toUpper().rightJustified(2, '0');
}

// All decoded samples of channel 0 of the first audio stream; rate and channels as decoded.
QVector<float> decodeAudio(const QString &path, int *rate, int *channels)
{
    QVector<float> samples;
    av::FormatContextPtr input = TestRecordings::open(path);
    if (!input)
        return samples;
    const int index = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (index < 0)
        return samples;
    const AVCodec *codec = avcodec_find_decoder(input->streams[index]->codecpar->codec_id);
    av::CodecContextPtr decoder(avcodec_alloc_context3(codec));
    if (!decoder
        || avcodec_parameters_to_context(decoder.get(), input->streams[index]->codecpar) < 0
        || avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return samples;
    av::PacketPtr packet = av::makePacket();
    av::FramePtr frame = av::makeFrame();
    auto drain = [&] {
        while (avcodec_receive_frame(decoder.get(), frame.get()) >= 0) {
            *rate = frame->sample_rate;
            *channels = frame->ch_layout.nb_channels;
            for (int i = 0; i < frame->nb_samples; ++i) {
                if (frame->format == AV_SAMPLE_FMT_FLTP)
                    samples.append(reinterpret_cast<const float *>(frame->extended_data[0])[i]);
                else if (frame->format == AV_SAMPLE_FMT_S16P)
                    samples.append(reinterpret_cast<const int16_t *>(frame->extended_data[0])[i]
                                   / 32768.0f);
            }
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        if (packet->stream_index == index && avcodec_send_packet(decoder.get(), packet.get()) >= 0)
            drain();
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(decoder.get(), nullptr);
    drain();
    return samples;
}

// Frame rate the H.264 stream itself announces (set by the decoder from the stream's timing
// information), after decoding its first picture.
double codecFrameRate(const QString &path, int streamIndex)
{
    av::FormatContextPtr input = TestRecordings::open(path);
    if (!input)
        return -1;
    const AVCodecParameters *par = input->streams[streamIndex]->codecpar;
    const AVCodec *codec = avcodec_find_decoder(par->codec_id);
    av::CodecContextPtr decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), par) < 0
        || avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return -1;
    av::PacketPtr packet = av::makePacket();
    av::FramePtr frame = av::makeFrame();
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        const bool ours = packet->stream_index == streamIndex;
        if (ours)
            avcodec_send_packet(decoder.get(), packet.get());
        av_packet_unref(packet.get());
        if (ours && avcodec_receive_frame(decoder.get(), frame.get()) >= 0)
            return av_q2d(decoder->framerate);
    }
    return -1;
}

// A recording's telemetry as the viewer reads it (vistrel-tool telemetry runs the viewer's
// TelemetryTrack): the GPS fixes as (latitude, longitude) and the G-sensor readings as x, y, z,
// with the seconds per sample the reader derived. False when the tool fails.
struct ReadTrack
{
    QVector<QPointF> gps;
    QVector<QVector3D> gsensor;
    double gsensorSeconds = 0; // seconds per reading: time of the last / its index
};

bool readTrack(const QString &file, ReadTrack *track)
{
    const ProcessResult r
            = runProcess(TestPaths::tool(), {"telemetry", "--format", "csv", file}, 300000);
    if (r.exitCode != 0)
        return false;
    for (const QByteArray &line : r.out.split('\n')) {
        const QList<QByteArray> f = line.split(',');
        if (f.size() != 10)
            continue;
        if (f[0] == "gps")
            track->gps.append(QPointF(f[4].toDouble(), f[5].toDouble()));
        else if (f[0] == "gsensor")
            track->gsensor.append(QVector3D(f[7].toFloat(), f[8].toFloat(), f[9].toFloat()));
        if (f[0] == "gsensor" && f[1].toInt() > 0)
            track->gsensorSeconds = f[2].toDouble() / f[1].toInt();
    }
    return true;
}

QVector<QPair<int, int>> expectedFrames(int count, int channel)
{
    QVector<QPair<int, int>> frames;
    for (int i = 0; i < count; ++i)
        frames.append({i, channel});
    return frames;
}

} // namespace

class TestMakeRecording : public QObject
{
    Q_OBJECT

private slots:
    void probe_reportsRequestedStreams_data();
    void probe_reportsRequestedStreams();

    void codecFps_announcesHalfRateWhileStampedAtFull();

    void frames_showNumberAndChannelInOrder_data();
    void frames_showNumberAndChannelInOrder();

    void telemetry_samplesFollowTheRecordLayout_data();
    void telemetry_samplesFollowTheRecordLayout();

    void viewerReader_countsRateAndMotionOfEachLayout_data();
    void viewerReader_countsRateAndMotionOfEachLayout();

    void nmea_rmcSentencesKeptExactlyInOrder_data();
    void nmea_rmcSentencesKeptExactlyInOrder();

    void generatedRoute_isValidMovingRmc();

    void userData_tlmdAtomInsideMoovAndFilePlayable_data();
    void userData_tlmdAtomInsideMoovAndFilePlayable();

    void audio_clicksAtRequestedTimesSilenceElsewhere_data();
    void audio_clicksAtRequestedTimesSilenceElsewhere();

    void damage_aviWithoutIndex_hasNoEntriesAtOpen();
    void damage_aviTornChunk_endsInsideTheLastPicture();
    void damage_mp4WithoutMoov_failsToOpen();
    void damage_hiddenFragments_openWithoutPackets();
    void damage_truncate_cutsAtFraction_data();
    void damage_truncate_cutsAtFraction();

    void output_isDeterministicAndSeedVariesIt();
    void printJson_summarisesWhatWasWritten();

    void badArguments_failWithMessageAndNoFile_data();
    void badArguments_failWithMessageAndNoFile();

    void card_testLayout();
    void card_demoLayout();
};

void TestMakeRecording::probe_reportsRequestedStreams_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("sizes");
    QTest::addColumn<double>("fps");
    QTest::addColumn<QString>("audioCodec"); // empty: no audio
    QTest::addColumn<int>("audioRate");
    QTest::addColumn<int>("audioChannels");
    QTest::addColumn<QStringList>("otherStreams"); // codec names of subtitle/data streams
    QTest::addColumn<double>("duration");

    QTest::newRow("defaults") << "defaults.mp4" << QStringList() << QStringList {"320x180"} << 30.0
                              << QString() << 0 << 0 << QStringList() << 3.0;
    QTest::newRow("three channels, audio, subtitle")
            << "three.mp4"
            << (videos(3, "320x180")
                + QStringList {"--audio", "--telemetry", "subtitle", "--duration", "2"})
            << QStringList {"320x180", "320x180", "320x180"} << 30.0 << "aac" << 48000 << 2
            << QStringList {"mov_text"} << 2.0;
    QTest::newRow("mixed sizes, 25 fps, data stream, mono 44.1 kHz")
            << "mixed.mp4"
            << QStringList {"--video",
                            "640x360,fps=25",
                            "--video",
                            "320x240,fps=25",
                            "--audio",
                            "--audio-rate",
                            "44100",
                            "--audio-channels",
                            "1",
                            "--telemetry",
                            "data",
                            "--duration",
                            "1.6"}
            << QStringList {"640x360", "320x240"} << 25.0 << "aac" << 44100 << 1
            << QStringList {"bin_data"} << 1.6;
    QTest::newRow("four channels, both telemetry streams")
            << "four.mp4"
            << (videos(4, "160x90")
                + QStringList {"--telemetry", "subtitle", "--telemetry", "data", "--duration", "1"})
            << QStringList {"160x90", "160x90", "160x90", "160x90"} << 30.0 << QString() << 0 << 0
            << QStringList {"mov_text", "bin_data"} << 1.0;
    QTest::newRow("avi, two channels, mp3")
            << "two.avi" << (videos(2, "320x180") + QStringList {"--audio", "--duration", "2"})
            << QStringList {"320x180", "320x180"} << 30.0 << "mp3" << 48000 << 2 << QStringList()
            << 2.0;
}

void TestMakeRecording::probe_reportsRequestedStreams()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, options);
    QFETCH(QStringList, sizes);
    QFETCH(double, fps);
    QFETCH(QString, audioCodec);
    QFETCH(int, audioRate);
    QFETCH(int, audioChannels);
    QFETCH(QStringList, otherStreams);
    QFETCH(double, duration);

    const QString file = TestRecordings::make(fileName, options);
    QVERIFY(!file.isEmpty());
    av::FormatContextPtr input = TestRecordings::open(file);
    QVERIFY(input);

    QStringList foundSizes;
    QStringList foundOthers;
    QString foundAudio;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream *stream = input->streams[i];
        const AVCodecParameters *par = stream->codecpar;
        switch (par->codec_type) {
        case AVMEDIA_TYPE_VIDEO: {
            QCOMPARE(int(i), foundSizes.size()); // video streams come first, channel order
            QCOMPARE(par->codec_id, AV_CODEC_ID_H264);
            foundSizes << QStringLiteral("%1x%2").arg(par->width).arg(par->height);
            QCOMPARE(av_q2d(av_guess_frame_rate(input.get(), input->streams[i], nullptr)), fps);
            const double streamSeconds = stream->duration * av_q2d(stream->time_base);
            QVERIFY2(std::fabs(streamSeconds - duration) <= 1.0 / fps + 1e-6,
                     qPrintable(QString::number(streamSeconds)));
            break;
        }
        case AVMEDIA_TYPE_AUDIO:
            QVERIFY(foundAudio.isEmpty());
            foundAudio = QString::fromLatin1(avcodec_get_name(par->codec_id));
            QCOMPARE(par->sample_rate, audioRate);
            QCOMPARE(par->ch_layout.nb_channels, audioChannels);
            break;
        case AVMEDIA_TYPE_SUBTITLE:
        case AVMEDIA_TYPE_DATA:
            foundOthers << QString::fromLatin1(avcodec_get_name(par->codec_id));
            break;
        default:
            QFAIL("unexpected stream type");
        }
    }
    QCOMPARE(foundSizes, sizes);
    QCOMPARE(foundAudio, audioCodec);
    QCOMPARE(foundOthers, otherStreams);
    QVERIFY(std::fabs(input->duration / double(AV_TIME_BASE) - duration) < 0.1);
}

void TestMakeRecording::codecFps_announcesHalfRateWhileStampedAtFull()
{
    const QString half = TestRecordings::make(
            "half.mp4", {"--video", "320x180,fps=30,codecfps=15", "--duration", "2"});
    const QString normal
            = TestRecordings::make("normal.mp4", {"--video", "320x180", "--duration", "2"});
    QVERIFY(!half.isEmpty() && !normal.isEmpty());

    av::FormatContextPtr input = TestRecordings::open(half);
    QVERIFY(input);
    AVStream *stream = input->streams[0];
    QCOMPARE(av_q2d(av_guess_frame_rate(input.get(), stream, nullptr)), 30.0);
    QCOMPARE(av_q2d(stream->avg_frame_rate), 30.0);
    QCOMPARE(codecFrameRate(half, 0), 15.0);
    QCOMPARE(codecFrameRate(normal, 0), 30.0);

    // 60 frames at 1/30 s steps.
    const QList<QByteArray> packets = packetsOf(half, 0);
    QCOMPARE(packets.size(), 60);
    QCOMPARE(TestRecordings::readBack(half, 0), expectedFrames(60, 1));
}

void TestMakeRecording::frames_showNumberAndChannelInOrder_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<int>>("frames"); // per video stream
    QTest::addColumn<int>("scaleWidth");

    QTest::newRow("mp4, three channels")
            << "f3.mp4" << (videos(3, "320x180") + QStringList {"--duration", "2", "--audio"})
            << QList<int> {60, 60, 60} << 0;
    QTest::newRow("mp4, sizes and rates differ")
            << "fmix.mp4"
            << QStringList {"--video", "640x360", "--video", "320x180,fps=15", "--duration", "2"}
            << QList<int> {60, 30} << 0;
    QTest::newRow("avi, two channels with audio")
            << "f2.avi" << (videos(2, "320x180") + QStringList {"--duration", "2", "--audio"})
            << QList<int> {60, 60} << 0;
    QTest::newRow("b-frames, long gop")
            << "fb.mp4" << QStringList {"--video", "320x180,bframes=2,gop=60", "--duration", "3"}
            << QList<int> {90} << 0;
    QTest::newRow("low bitrate")
            << "fbit.mp4" << QStringList {"--video", "320x180,bitrate=100", "--duration", "2"}
            << QList<int> {60} << 0;
    QTest::newRow("seeded content") << "fseed.mp4" << QStringList {"--duration", "1", "--seed", "7"}
                                    << QList<int> {30} << 0;
    QTest::newRow("four small channels")
            << "f4.mp4" << (videos(4, "160x90") + QStringList {"--duration", "1"})
            << QList<int> {30, 30, 30, 30} << 0;
    QTest::newRow("1280x720 shown at 640")
            << "f720.mp4" << QStringList {"--video", "1280x720", "--duration", "1"}
            << QList<int> {30} << 640;
    QTest::newRow("640x360 shown at 320")
            << "f360.mp4" << QStringList {"--video", "640x360", "--duration", "1"}
            << QList<int> {30} << 320;
    QTest::newRow("320x180 shown at 160")
            << "f180.mp4" << QStringList {"--duration", "1"} << QList<int> {30} << 160;
}

void TestMakeRecording::frames_showNumberAndChannelInOrder()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, options);
    QFETCH(QList<int>, frames);
    QFETCH(int, scaleWidth);

    const QString file = TestRecordings::make(fileName, options);
    QVERIFY(!file.isEmpty());
    for (int stream = 0; stream < frames.size(); ++stream) {
        const auto read = TestRecordings::readBack(file, stream, 0, scaleWidth);
        QCOMPARE(read, expectedFrames(frames[stream], stream + 1));
    }
}

void TestMakeRecording::telemetry_samplesFollowTheRecordLayout_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("gpsRate");
    QTest::addColumn<double>("gsensorRate");
    QTest::addColumn<bool>("dense"); // --dense-telemetry: driving motion, GPS at 1 Hz

    QTest::newRow("defaults: 1 Hz GPS, 10 Hz G") << 3.0 << 1.0 << 10.0 << false;
    QTest::newRow("2 Hz GPS, 25 Hz G") << 2.0 << 2.0 << 25.0 << false;
    QTest::newRow("G slower than GPS") << 4.0 << 2.0 << 1.0 << false;
    QTest::newRow("no G-sensor") << 2.0 << 1.0 << 0.0 << false;
    QTest::newRow("uneven split 3 GPS / 10 G") << 1.0 << 3.0 << 10.0 << false;
    QTest::newRow("dense: 179 Hz G in 1 Hz samples") << 20.0 << 1.0 << 179.0 << true;
    QTest::newRow("dense at 1000 Hz: 33 KB samples") << 3.0 << 1.0 << 1000.0 << true;
}

void TestMakeRecording::telemetry_samplesFollowTheRecordLayout()
{
    QFETCH(double, duration);
    QFETCH(double, gpsRate);
    QFETCH(double, gsensorRate);
    QFETCH(bool, dense);

    const QString file = TestRecordings::make(
            "telemetry.mp4",
            QStringList {"--duration",
                         QString::number(duration),
                         "--telemetry",
                         "subtitle",
                         "--telemetry",
                         "data",
                         "--gsensor-rate",
                         QString::number(gsensorRate)}
                    + (dense ? QStringList {"--dense-telemetry"}
                             : QStringList {"--gps-rate", QString::number(gpsRate)}));
    QVERIFY(!file.isEmpty());
    const int gpsCount = int(std::lround(duration * gpsRate));
    const int gsensorCount = int(std::lround(duration * gsensorRate));

    const QList<QByteArray> subtitle = telemetryTexts(file, 1, true);
    const QList<QByteArray> data = telemetryTexts(file, 2, false);
    QCOMPARE(subtitle.size(), gpsCount); // one sample per GPS interval
    QCOMPARE(data, subtitle); // same text, without the length prefix

    QList<QByteArray> gps;
    QList<QVector<int>> gsensor;
    for (const QByteArray &text : subtitle) {
        QList<QByteArray> sampleGps;
        QVERIFY2(parseRecords(text, &sampleGps, &gsensor), text.constData());
        QCOMPARE(sampleGps.size(), 1);
        QVERIFY(text.startsWith("$GPRMC,"));
        gps += sampleGps;
    }
    QCOMPARE(gps.size(), gpsCount);
    QCOMPARE(gsensor.size(), gsensorCount);
    for (const QVector<int> &record : gsensor) {
        for (int axis = 0; axis < 3; ++axis) {
            QVERIFY(record[axis] >= 0 && record[axis] <= 35); // magnitude byte
            QVERIFY(record[3 + axis] == 0 || record[3 + axis] == 1); // sign byte
        }
        for (int unused = 6; unused < 12; ++unused)
            QCOMPARE(record[unused], 0);
        // z is gravity: about 1 g and positive (a pothole in a drive takes a third off).
        const double z = (record[2] + 1) / 32.0;
        QVERIFY(record[5] == 0 && z > (dense ? 0.55 : 0.85) && z < 1.15);
    }

    // Samples start on the GPS grid and cover the recording.
    av::FormatContextPtr input = TestRecordings::open(file);
    QVERIFY(input);
    av::PacketPtr packet = av::makePacket();
    int sample = 0;
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        const AVStream *stream = input->streams[packet->stream_index];
        if (packet->stream_index == 2) {
            const double start = packet->pts * av_q2d(stream->time_base);
            QVERIFY(std::fabs(start - sample * duration / gpsCount) < 0.002);
            ++sample;
        }
        av_packet_unref(packet.get());
    }
    QCOMPARE(sample, gpsCount);
}

void TestMakeRecording::viewerReader_countsRateAndMotionOfEachLayout_data()
{
    QTest::addColumn<QString>("layout"); // --telemetry
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("gsensorRate"); // 0: --dense-telemetry's own rate
    QTest::addColumn<QString>("video");

    QTest::newRow("timed text, dense minute") << "subtitle" << 60.0 << 0.0 << "160x90,fps=5";
    QTest::newRow("data stream, dense minute") << "data" << 60.0 << 0.0 << "160x90,fps=5";
    QTest::newRow("tlmd atom, dense minute") << "tlmd" << 60.0 << 0.0 << "160x90,fps=5";
    QTest::newRow("tlmd atom, 200 Hz for an hour") << "tlmd" << 3600.0 << 200.0 << "160x90,fps=1";
    QTest::newRow("timed text, 200 Hz for an hour")
            << "subtitle" << 3600.0 << 200.0 << "160x90,fps=1";
}

void TestMakeRecording::viewerReader_countsRateAndMotionOfEachLayout()
{
    QFETCH(QString, layout);
    QFETCH(double, duration);
    QFETCH(double, gsensorRate);
    QFETCH(QString, video);
    const QString log = TestPaths::nmeaLog("dashcam_leaflet-nmealayer_test.nmea");
    QStringList options {"--video",
                         video,
                         "--duration",
                         QString::number(duration),
                         "--telemetry",
                         layout,
                         "--dense-telemetry",
                         "--nmea",
                         log};
    if (gsensorRate > 0)
        options << "--gsensor-rate" << QString::number(gsensorRate);
    else
        gsensorRate = 179;
    const QString file = TestRecordings::make("dense.mp4", options);
    QVERIFY(!file.isEmpty());

    ReadTrack track;
    QVERIFY(readTrack(file, &track));
    const int gsensorCount = int(std::lround(duration * gsensorRate));
    QCOMPARE(track.gps.size(), int(duration));
    QCOMPARE(track.gsensor.size(), gsensorCount);
    // Seconds per reading: the recording's length over the readings, as the meter steps them.
    QVERIFY2(std::fabs(track.gsensorSeconds - 1.0 / gsensorRate) < 1e-3 / gsensorRate,
             qPrintable(QString::number(track.gsensorSeconds, 'g', 9)));

    // The fixes are the log's, in order, repeated when the log is shorter than the recording.
    const QList<QByteArray> rmc = rmcLines(log);
    QVERIFY(!rmc.isEmpty());
    for (int i : {0, int(duration) / 2, int(duration) - 1}) {
        const QList<QByteArray> f = rmc[i % rmc.size()].split(',');
        const double latitude = f[3].left(2).toDouble() + f[3].mid(2).toDouble() / 60;
        QVERIFY2(std::fabs(track.gps[i].x() - latitude) < 1e-6, qPrintable(QString::number(i)));
    }

    // A drive: gravity on z with potholes, braking on x, corners both ways on y, and noise
    // (neighbouring readings differ), never beyond what a reading can hold (1.125 g).
    double zSum = 0;
    QVector3D low(10, 10, 10);
    QVector3D high(-10, -10, -10);
    int changed = 0;
    for (int i = 0; i < track.gsensor.size(); ++i) {
        const QVector3D &g = track.gsensor[i];
        zSum += g.z();
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], g[axis]);
            high[axis] = std::max(high[axis], g[axis]);
        }
        changed += i > 0 && g != track.gsensor[i - 1] ? 1 : 0;
    }
    QVERIFY(std::fabs(zSum / gsensorCount - 1.0) < 0.05);
    QVERIFY2(low.z() < 0.8 && low.z() > 0.55, qPrintable(QString::number(low.z())));
    QVERIFY2(low.x() < -0.45 && high.x() > 0.15, qPrintable(QString::number(low.x())));
    QVERIFY(low.y() < -0.3 && high.y() > 0.3);
    QVERIFY(std::max({-low.x(), -low.y(), high.x(), high.y(), high.z()}) <= 1.125);
    QVERIFY2(changed > gsensorCount / 2, qPrintable(QString::number(changed)));
}

void TestMakeRecording::nmea_rmcSentencesKeptExactlyInOrder_data()
{
    QTest::addColumn<QString>("log");
    QTest::addColumn<double>("gpsRate");
    QTest::addColumn<double>("duration");

    QTest::newRow("gpsd haicom: comments, other sentences") << "gpsd_haicom-305N.log" << 1.0 << 3.0;
    QTest::newRow("dash-cam sidecar: CRLF, GSENSORD lines")
            << "dashcam_leaflet-nmealayer_test.nmea" << 2.0 << 3.0;
    QTest::newRow("exiftool: proprietary sentences between")
            << "exiftool_Geotag2.log" << 1.0 << 3.0;
    QTest::newRow("GNRMC talker") << "gpsd_ublox-zed-f9p-nmea.log" << 1.0 << 4.0;
    QTest::newRow("short log repeats") << "gpsd_tr737A+.log" << 5.0 << 3.0;
}

void TestMakeRecording::nmea_rmcSentencesKeptExactlyInOrder()
{
    QFETCH(QString, log);
    QFETCH(double, gpsRate);
    QFETCH(double, duration);

    const QString logPath = TestPaths::nmeaLog(log);
    const QList<QByteArray> expected = rmcLines(logPath);
    QVERIFY2(!expected.isEmpty(), qPrintable(logPath));
    const QString file = TestRecordings::make("nmea.mp4",
                                              {"--video",
                                               "160x90",
                                               "--duration",
                                               QString::number(duration),
                                               "--telemetry",
                                               "subtitle",
                                               "--nmea",
                                               logPath,
                                               "--gps-rate",
                                               QString::number(gpsRate)});
    QVERIFY(!file.isEmpty());

    QList<QByteArray> gps;
    QList<QVector<int>> gsensor;
    for (const QByteArray &text : telemetryTexts(file, 1, true))
        QVERIFY(parseRecords(text, &gps, &gsensor));
    const int count = int(std::lround(duration * gpsRate));
    QCOMPARE(gps.size(), count);
    for (int i = 0; i < count; ++i)
        QCOMPARE(gps[i], expected[i % expected.size()]);
}

void TestMakeRecording::generatedRoute_isValidMovingRmc()
{
    const QString file = TestRecordings::make("route.mp4",
                                              {"--video",
                                               "160x90",
                                               "--duration",
                                               "10",
                                               "--telemetry",
                                               "subtitle",
                                               "--gsensor-rate",
                                               "0"});
    QVERIFY(!file.isEmpty());
    QList<QByteArray> gps;
    QList<QVector<int>> gsensor;
    for (const QByteArray &text : telemetryTexts(file, 1, true))
        QVERIFY(parseRecords(text, &gps, &gsensor));
    QCOMPARE(gps.size(), 10);

    QPointF previous;
    for (int i = 0; i < gps.size(); ++i) {
        const QByteArray &sentence = gps[i];
        QVERIFY2(checksumValid(sentence), sentence.constData());
        QCOMPARE(nmeaFieldCount(sentence), 13);
        const QList<QByteArray> fields = sentence.split(',');
        QCOMPARE(fields[0], QByteArray("$GPRMC"));
        QCOMPARE(fields[2], QByteArray("A"));
        QVERIFY(fields[4] == "N" || fields[4] == "S");
        QVERIFY(fields[6] == "E" || fields[6] == "W");
        // Latitude: 2 degree digits then minutes; longitude: 3 then minutes.
        const double latitude = fields[3].left(2).toDouble() + fields[3].mid(2).toDouble() / 60;
        const double longitude = fields[5].left(3).toDouble() + fields[5].mid(3).toDouble() / 60;
        QVERIFY(fields[3].mid(2).toDouble() < 60 && fields[5].mid(3).toDouble() < 60);
        const double kmh = fields[7].toDouble() * 1.852;
        QVERIFY2(kmh > 5 && kmh < 130, fields[7].constData());
        const QPointF position(latitude, longitude);
        if (i > 0)
            QVERIFY(position != previous); // moving
        previous = position;
    }
}

void TestMakeRecording::userData_tlmdAtomInsideMoovAndFilePlayable_data()
{
    QTest::addColumn<bool>("faststart");
    QTest::newRow("moov after mdat") << false;
    QTest::newRow("moov before mdat: chunk offsets shifted") << true;
}

void TestMakeRecording::userData_tlmdAtomInsideMoovAndFilePlayable()
{
    QFETCH(bool, faststart);
    QStringList options = videos(2, "320x180")
            + QStringList {"--duration",
                           "3",
                           "--audio",
                           "--telemetry",
                           "tlmd",
                           "--telemetry",
                           "subtitle",
                           "--nmea",
                           TestPaths::nmeaLog("gpsd_haicom-305N.log")};
    if (faststart)
        options << "--faststart";
    const QString file = TestRecordings::make("tlmd.mp4", options);
    QVERIFY(!file.isEmpty());

    const QByteArray bytes = fileBytes(file);
    QByteArray block;
    QVERIFY(atomPayload(bytes, {"moov", "udta", "tlmd"}, &block));
    QByteArray mdat;
    QVERIFY(atomPayload(bytes, {"mdat"}, &mdat));
    QCOMPARE(bytes.indexOf("moov") < bytes.indexOf("mdat"), faststart);

    // The same records as the timed-text stream, G-sensor records in 16-byte binary form.
    QList<QByteArray> textGps;
    QList<QVector<int>> textG;
    for (const QByteArray &text : telemetryTexts(file, 3, true))
        QVERIFY(parseRecords(text, &textGps, &textG));
    QCOMPARE(textGps.size(), 3);
    QCOMPARE(textG.size(), 30);
    QCOMPARE(block.count("$G"), 3);
    QCOMPARE(block.count("$M"), 30);
    QList<QByteArray> blockGps;
    QList<QVector<int>> blockG;
    int i = 0;
    while (i < block.size()) {
        QVERIFY(block[i] == '$' && i + 1 < block.size());
        if (block[i + 1] == 'G') {
            const int crlf = block.indexOf("\r\n", i);
            QVERIFY(crlf > i);
            blockGps.append(block.mid(i, crlf - i));
            i = crlf + 2;
        } else {
            QCOMPARE(block[i + 1], 'M');
            QVERIFY(i + 16 <= block.size());
            QVector<int> record;
            for (int b = 0; b < 12; ++b)
                record.append(uchar(block[i + 2 + b]));
            QCOMPARE(block[i + 14], '\0'); // trailer b12, b13
            QCOMPARE(block[i + 15], '\0');
            blockG.append(record);
            i += 16;
        }
    }
    QCOMPARE(blockGps, textGps);
    QCOMPARE(blockG, textG);
    QCOMPARE(blockGps, rmcLines(TestPaths::nmeaLog("gpsd_haicom-305N.log")).mid(0, 3));

    // Still a good file: every frame of both channels and all the audio decode.
    QCOMPARE(TestRecordings::readBack(file, 0), expectedFrames(90, 1));
    QCOMPARE(TestRecordings::readBack(file, 1), expectedFrames(90, 2));
    int rate = 0;
    int channels = 0;
    const QVector<float> audio = decodeAudio(file, &rate, &channels);
    QVERIFY(std::abs(audio.size() - 3 * 48000) <= 1024);
}

void TestMakeRecording::audio_clicksAtRequestedTimesSilenceElsewhere_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<double>("tolerance"); // seconds of encoder delay we accept

    QTest::newRow("mp4 aac 48 kHz stereo")
            << "clicks.mp4" << QStringList {"--audio", "--clicks", "0.5,1.5", "--duration", "2"}
            << 48000 << 2 << 0.005;
    QTest::newRow("mp4 aac 44.1 kHz mono") << "clicks.mp4"
                                           << QStringList {"--audio",
                                                           "--audio-rate",
                                                           "44100",
                                                           "--audio-channels",
                                                           "1",
                                                           "--clicks",
                                                           "0.5,1.5",
                                                           "--duration",
                                                           "2"}
                                           << 44100 << 1 << 0.005;
    QTest::newRow("avi mp3") << "clicks.avi"
                             << QStringList {"--audio", "--clicks", "0.5,1.5", "--duration", "2"}
                             << 48000 << 2 << 0.06;
}

void TestMakeRecording::audio_clicksAtRequestedTimesSilenceElsewhere()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, options);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(double, tolerance);

    const QString file = TestRecordings::make(fileName, options);
    QVERIFY(!file.isEmpty());
    int decodedRate = 0;
    int decodedChannels = 0;
    const QVector<float> samples = decodeAudio(file, &decodedRate, &decodedChannels);
    QCOMPARE(decodedRate, rate);
    QCOMPARE(decodedChannels, channels);
    QVERIFY(samples.size() >= 2 * rate - 1152);

    // Onsets: the first loud sample after each stretch of silence.
    QVector<double> onsets;
    int lastLoud = -rate;
    float peak = 0;
    for (int i = 0; i < samples.size(); ++i) {
        const float level = std::fabs(samples[i]);
        if (level > 0.25f) {
            if (i - lastLoud > rate / 10)
                onsets.append(double(i) / rate);
            lastLoud = i;
        }
        peak = std::max(peak, level);
    }
    QVERIFY2(peak > 0.8f, qPrintable(QString::number(peak))); // full scale
    QCOMPARE(onsets.size(), 2);
    QVERIFY2(std::fabs(onsets[0] - 0.5) <= tolerance, qPrintable(QString::number(onsets[0])));
    QVERIFY2(std::fabs(onsets[1] - 1.5) <= tolerance, qPrintable(QString::number(onsets[1])));

    // Quiet away from the clicks (the codec may smear a click over one frame).
    for (int i = 0; i < samples.size(); ++i) {
        const double t = double(i) / rate;
        if (std::fabs(t - 0.5) > 0.1 && std::fabs(t - 1.5) > 0.1)
            QVERIFY2(std::fabs(samples[i]) < 0.02, qPrintable(QString::number(t)));
    }
}

void TestMakeRecording::damage_aviWithoutIndex_hasNoEntriesAtOpen()
{
    const QStringList options = videos(2, "320x180") + QStringList {"--audio", "--duration", "2"};
    const QString intact = TestRecordings::make("intact.avi", options);
    const QString damaged = TestRecordings::make(
            "noindex.avi", options + QStringList {"--damage", "avi-no-index"});
    QVERIFY(!intact.isEmpty() && !damaged.isEmpty());

    av::FormatContextPtr good = TestRecordings::open(intact, false);
    QVERIFY(good);
    for (unsigned i = 0; i < good->nb_streams; ++i)
        QVERIFY(avformat_index_get_entries_count(good->streams[i]) > 0);

    av::FormatContextPtr bad = TestRecordings::open(damaged, false);
    QVERIFY(bad);
    QCOMPARE(int(bad->nb_streams), 3);
    for (unsigned i = 0; i < bad->nb_streams; ++i)
        QCOMPARE(avformat_index_get_entries_count(bad->streams[i]), 0);
    QVERIFY(!fileBytes(damaged).contains("idx1"));
    QVERIFY(fileBytes(intact).startsWith(fileBytes(damaged)));

    // The pictures are all still there for a repair to copy.
    QCOMPARE(TestRecordings::readBack(damaged, 1), expectedFrames(60, 2));
}

void TestMakeRecording::damage_aviTornChunk_endsInsideTheLastPicture()
{
    const QStringList options = videos(2, "160x90") + QStringList {"--audio", "--duration", "2"};
    const QString intact = TestRecordings::make("intact.avi", options);
    const QString torn = TestRecordings::make("torn.avi",
                                              options + QStringList {"--damage", "avi-torn-chunk"});
    QVERIFY(!intact.isEmpty() && !torn.isEmpty());
    QVERIFY(fileBytes(intact).startsWith(fileBytes(torn)));
    QVERIFY(!fileBytes(torn).contains("idx1"));

    // (stream, size) of every packet in file order
    auto packets = [](const QString &path) {
        QVector<QPair<int, int>> list;
        av::FormatContextPtr input = TestRecordings::open(path, false);
        if (!input)
            return list;
        av::PacketPtr packet = av::makePacket();
        while (av_read_frame(input.get(), packet.get()) >= 0) {
            list.append({packet->stream_index, packet->size});
            av_packet_unref(packet.get());
        }
        return list;
    };
    const QVector<QPair<int, int>> whole = packets(intact);
    const QVector<QPair<int, int>> cut = packets(torn);
    QVERIFY(!cut.isEmpty() && cut.size() <= whole.size());
    // Everything before the last picture is intact; the last one is there in part.
    const int last = cut.size() - 1;
    QCOMPARE(cut.mid(0, last), whole.mid(0, last));
    QCOMPARE(cut.at(last).first, whole.at(last).first);
    QVERIFY(cut.at(last).first < 2); // a video stream
    QVERIFY(cut.at(last).second > 0 && cut.at(last).second < whole.at(last).second);
}

void TestMakeRecording::damage_mp4WithoutMoov_failsToOpen()
{
    const QString file
            = TestRecordings::make("nomoov.mp4", {"--duration", "2", "--damage", "mp4-no-moov"});
    QVERIFY(!file.isEmpty());
    QVERIFY(QFileInfo(file).size() > 10000); // the media data is there
    int error = 0;
    // The demuxer's complaint is the expected outcome here.
    const int level = av_log_get_level();
    av_log_set_level(AV_LOG_FATAL);
    const bool opened = TestRecordings::open(file, false, &error) != nullptr;
    av_log_set_level(level);
    QVERIFY(!opened);
    QCOMPARE(error, AVERROR_INVALIDDATA);
}

void TestMakeRecording::damage_hiddenFragments_openWithoutPackets()
{
    const QString file = TestRecordings::make(
            "fragments.mp4",
            videos(2, "320x180")
                    + QStringList {
                            "--audio", "--duration", "2", "--damage", "mp4-hidden-fragments"});
    QVERIFY(!file.isEmpty());
    QVERIFY(!fileBytes(file).contains("moof"));
    QVERIFY(!fileBytes(file).contains("mfra"));

    av::FormatContextPtr input = TestRecordings::open(file, false);
    QVERIFY(input);
    QCOMPARE(int(input->nb_streams), 3);
    QCOMPARE(input->streams[0]->codecpar->width, 320);
    for (unsigned i = 0; i < input->nb_streams; ++i)
        QCOMPARE(avformat_index_get_entries_count(input->streams[i]), 0);
    av::PacketPtr packet = av::makePacket();
    int packets = 0;
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        ++packets;
        av_packet_unref(packet.get());
    }
    QCOMPARE(packets, 0);
}

void TestMakeRecording::damage_truncate_cutsAtFraction_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<double>("fraction");
    QTest::newRow("avi half") << "cut.avi" << 0.5;
    QTest::newRow("mp4 quarter") << "cut.mp4" << 0.25;
}

void TestMakeRecording::damage_truncate_cutsAtFraction()
{
    QFETCH(QString, fileName);
    QFETCH(double, fraction);
    const QStringList options {"--duration", "2", "--audio"};
    const QString intact = TestRecordings::make(fileName, options);
    const QString cut = TestRecordings::make(
            fileName, options + QStringList {"--damage", "truncate=" + QString::number(fraction)});
    QVERIFY(!intact.isEmpty() && !cut.isEmpty());
    const QByteArray whole = fileBytes(intact);
    const QByteArray part = fileBytes(cut);
    QCOMPARE(qint64(part.size()), qint64(std::floor(whole.size() * fraction)));
    QVERIFY(whole.startsWith(part));
}

void TestMakeRecording::output_isDeterministicAndSeedVariesIt()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QStringList options = videos(2, "320x180")
            + QStringList {
                    "--duration", "1", "--audio", "--telemetry", "subtitle", "--telemetry", "tlmd"};
    QByteArray first;
    for (int run = 0; run < 2; ++run) {
        const QString path = dir.filePath(QStringLiteral("run%1.mp4").arg(run));
        const ProcessResult result
                = runProcess(TestPaths::makeRecording(), options + QStringList {path});
        QVERIFY2(result.exitCode == 0, result.err.constData());
        if (run == 0)
            first = fileBytes(path);
        else
            QCOMPARE(fileBytes(path), first);
    }
    const QString seeded = dir.filePath("seeded.mp4");
    const ProcessResult result
            = runProcess(TestPaths::makeRecording(), options + QStringList {"--seed", "3", seeded});
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QVERIFY(fileBytes(seeded) != first);
    QCOMPARE(TestRecordings::readBack(seeded, 1), expectedFrames(30, 2));
}

void TestMakeRecording::printJson_summarisesWhatWasWritten()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("summary.mp4");
    const ProcessResult result = runProcess(TestPaths::makeRecording(),
                                            {"--video",
                                             "320x180",
                                             "--video",
                                             "160x90,fps=15",
                                             "--duration",
                                             "2",
                                             "--telemetry",
                                             "subtitle",
                                             "--gps-rate",
                                             "2",
                                             "--gsensor-rate",
                                             "5",
                                             "--print-json",
                                             path});
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QJsonParseError error;
    const QJsonObject summary = QJsonDocument::fromJson(result.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(summary.value("files").toArray(), QJsonArray {QFileInfo(path).absoluteFilePath()});
    QCOMPARE(summary.value("frames").toArray(), (QJsonArray {60, 30}));
    QCOMPARE(summary.value("gps").toInt(), 4);
    QCOMPARE(summary.value("gsensor").toInt(), 10);
}

void TestMakeRecording::badArguments_failWithMessageAndNoFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("message"); // part of the stderr text

    QTest::newRow("no output") << QStringList() << QString() << "OUTPUT";
    QTest::newRow("unknown suffix") << QStringList() << "x.mkv"
                                    << ".mp4 or .avi";
    QTest::newRow("unknown option") << QStringList {"--colour"} << "x.mp4"
                                    << "colour";
    QTest::newRow("video size not WxH") << QStringList {"--video", "320"} << "x.mp4"
                                        << "WxH";
    QTest::newRow("odd width") << QStringList {"--video", "321x180"} << "x.mp4"
                               << "even";
    QTest::newRow("too small") << QStringList {"--video", "32x32"} << "x.mp4"
                               << "WxH";
    QTest::newRow("unknown video key") << QStringList {"--video", "320x180,speed=2"} << "x.mp4"
                                       << "speed";
    QTest::newRow("bad fps") << QStringList {"--video", "320x180,fps=0"} << "x.mp4"
                             << "fps=0";
    QTest::newRow("five channels") << videos(5, "160x90") << "x.mp4"
                                   << "at most 4";
    QTest::newRow("negative duration") << QStringList {"--duration", "-1"} << "x.mp4"
                                       << "duration";
    QTest::newRow("duration not a number") << QStringList {"--duration", "abc"} << "x.mp4"
                                           << "duration";
    QTest::newRow("numbers past the frame code's range")
            << QStringList {"--first-frame", "1048570", "--duration", "1"} << "x.mp4"
            << "cannot be numbered";
    QTest::newRow("click after the end")
            << QStringList {"--audio", "--clicks", "5", "--duration", "3"} << "x.mp4"
            << "clicks";
    QTest::newRow("clicks without audio") << QStringList {"--clicks", "1"} << "x.mp4"
                                          << "--audio";
    QTest::newRow("unknown telemetry") << QStringList {"--telemetry", "gpx"} << "x.mp4"
                                       << "nmea-box or freegps";
    QTest::newRow("unknown sidecar") << QStringList {"--sidecar", "kml"} << "x.mp4"
                                     << "nmea or gpx";
    QTest::newRow("freegps blocks after a moov in front")
            << QStringList {"--telemetry", "freegps", "--faststart"} << "x.mp4"
            << "faststart";
    QTest::newRow("start time without zone")
            << QStringList {"--sidecar", "nmea", "--start-time", "2024-03-14T15:30:12"} << "x.mp4"
            << "yyyy-MM-ddTHH:mm:ssZ";
    QTest::newRow("telemetry in avi") << QStringList {"--telemetry", "tlmd"} << "x.avi"
                                      << ".mp4";
    QTest::newRow("missing nmea log")
            << QStringList {"--telemetry", "subtitle", "--nmea", "/nonexistent/log.nmea"} << "x.mp4"
            << "/nonexistent/log.nmea";
    QTest::newRow("log without rmc")
            << QStringList {"--telemetry", "subtitle", "--nmea", TestPaths::nmeaLog("SOURCES.md")}
            << "x.mp4"
            << "no RMC";
    QTest::newRow("avi damage on mp4") << QStringList {"--damage", "avi-no-index"} << "x.mp4"
                                       << ".avi";
    QTest::newRow("torn avi chunk on mp4") << QStringList {"--damage", "avi-torn-chunk"} << "x.mp4"
                                           << ".avi";
    QTest::newRow("truncate beyond the end") << QStringList {"--damage", "truncate=1.5"} << "x.mp4"
                                             << "between 0 and 1";
    QTest::newRow("unknown damage") << QStringList {"--damage", "scratch"} << "x.mp4"
                                    << "scratch";
    QTest::newRow("gps rate zero") << QStringList {"--gps-rate", "0"} << "x.mp4"
                                   << "gps-rate";
    QTest::newRow("dense telemetry without a place") << QStringList {"--dense-telemetry"} << "x.mp4"
                                                     << "needs --telemetry";
    QTest::newRow("dense telemetry at another gps rate")
            << QStringList {"--telemetry", "tlmd", "--dense-telemetry", "--gps-rate", "2"}
            << "x.mp4"
            << "1 Hz";
    QTest::newRow("dense telemetry without g-sensor")
            << QStringList {"--telemetry", "tlmd", "--dense-telemetry", "--gsensor-rate", "0"}
            << "x.mp4"
            << "G-sensor rate";
    QTest::newRow("card with output") << QStringList {"--card", "somewhere"} << "x.mp4"
                                      << "no OUTPUT";
    QTest::newRow("unknown layout")
            << QStringList {"--card", "@DIR@", "--layout", "big"} << QString() << "demo or test";
}

void TestMakeRecording::badArguments_failWithMessageAndNoFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    arguments.replaceInStrings("@DIR@", dir.filePath("card"));
    if (!output.isEmpty())
        arguments << dir.filePath(output);
    const ProcessResult result = runProcess(TestPaths::makeRecording(), arguments);
    QVERIFY(result.finished && !result.crashed);
    QVERIFY(result.exitCode != 0);
    const QString err = QString::fromLocal8Bit(result.err);
    QVERIFY2(err.startsWith("make-recording: ") && err.contains(message), qPrintable(err));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestMakeRecording::card_testLayout()
{
    const QString card = TestRecordings::makeCard("test");
    QVERIFY(!card.isEmpty());
    const QDir root(card);
    for (const char *folder : {"DRIVING", "EVENT", "PARKING", "DUAL", "DRIVING/old"})
        QVERIFY2(root.exists(folder), folder);

    const QRegularExpression recordingName(
            "^[0-9]{8}_[0-9]{6}([DEPM]|[0-9A-Za-z][DEPM])(_[A-Z]+)?\\.(mp4|avi)$");
    auto files = [&](const QString &folder) {
        return QDir(root.filePath(folder)).entryList(QDir::Files, QDir::Name);
    };
    auto kindOf = [](const QString &name) {
        return name.at(15);
    };

    // Recordings in each folder, among them the misfiled ones the viewer has to cope with.
    const QStringList driving = files("DRIVING");
    QVERIFY(std::any_of(driving.begin(), driving.end(), [&](const QString &n) {
        return recordingName.match(n).hasMatch() && kindOf(n) == 'E';
    }));
    QVERIFY(std::any_of(driving.begin(), driving.end(), [&](const QString &n) {
        return !recordingName.match(n).hasMatch();
    }));
    QVERIFY(std::any_of(
            driving.begin(), driving.end(), [](const QString &n) { return n.endsWith(".avi"); }));
    const QStringList event = files("EVENT");
    QVERIFY(std::any_of(event.begin(), event.end(), [&](const QString &n) {
        return recordingName.match(n).hasMatch() && kindOf(n) == 'D';
    }));
    const QStringList parking = files("PARKING");
    QVERIFY(!parking.isEmpty());
    for (const QString &name : parking)
        QVERIFY(kindOf(name) == 'P' || kindOf(name) == 'M');
    QCOMPARE(files("DUAL").size(), 1);
    QCOMPARE(files("DRIVING/old").size(), 1);

    // Every file is a small playable recording with one to three channels.
    int withAudio = 0;
    int withTelemetry = 0;
    QSet<int> channelCounts;
    for (const QString &folder :
         QStringList {"DRIVING", "EVENT", "PARKING", "DUAL", "DRIVING/old"}) {
        for (const QString &name : files(folder)) {
            const QString path = root.filePath(folder + "/" + name);
            av::FormatContextPtr input = TestRecordings::open(path);
            QVERIFY2(input, qPrintable(path));
            int video = 0;
            for (unsigned i = 0; i < input->nb_streams; ++i) {
                const AVCodecParameters *par = input->streams[i]->codecpar;
                if (par->codec_type == AVMEDIA_TYPE_VIDEO) {
                    ++video;
                    QVERIFY(par->width <= 320 && par->height <= 180);
                }
                withAudio += par->codec_type == AVMEDIA_TYPE_AUDIO;
            }
            QByteArray tlmd;
            if (input->nb_streams > unsigned(video) + 1
                || atomPayload(fileBytes(path), {"moov", "udta", "tlmd"}, &tlmd))
                ++withTelemetry;
            channelCounts.insert(video);
            QVERIFY(input->duration <= 2 * AV_TIME_BASE + AV_TIME_BASE / 10);
            QCOMPARE(TestRecordings::readBack(path, video - 1, 1),
                     (QVector<QPair<int, int>> {{0, video}}));
        }
    }
    QCOMPARE(channelCounts, (QSet<int> {1, 2, 3}));
    QVERIFY(withAudio >= 2);
    QVERIFY(withTelemetry >= 2);
}

void TestMakeRecording::card_demoLayout()
{
    const QString card = TestRecordings::makeCard("demo", {"--nmea-dir", TestPaths::nmeaDir()});
    QVERIFY(!card.isEmpty());
    QStringList names;
    for (const char *folder : {"DRIVING", "EVENT", "PARKING"}) {
        const QStringList files = QDir(card + "/" + folder).entryList(QDir::Files);
        QVERIFY2(!files.isEmpty(), folder);
        for (const QString &name : files) {
            const QChar kind = name.at(15);
            QCOMPARE(kind, QChar(folder[0] == 'D' ? 'D' : folder[0] == 'E' ? 'E' : 'P'));
            names << name;
        }
    }
    QVERIFY(names.size() >= 10 && names.size() <= 14);
    names.sort();
    // Consecutive minutes.
    for (int i = 0; i < names.size(); ++i) {
        const QDateTime start = QDateTime::fromString(names[i].left(15), "yyyyMMdd_HHmmss");
        QVERIFY(start.isValid());
        if (i > 0)
            QCOMPARE(QDateTime::fromString(names[i - 1].left(15), "yyyyMMdd_HHmmss").secsTo(start),
                     60);
    }
    // One sample recording in full: 640x360 channels, audio, telemetry from a real log.
    const QString first
            = QDir(card + "/DRIVING")
                      .filePath(QDir(card + "/DRIVING").entryList(QDir::Files, QDir::Name).first());
    av::FormatContextPtr input = TestRecordings::open(first);
    QVERIFY(input);
    QCOMPARE(input->streams[0]->codecpar->width, 640);
    QCOMPARE(input->streams[0]->codecpar->height, 360);
    QVERIFY(av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0) >= 0);
    QVERIFY(input->duration >= 4 * AV_TIME_BASE
            && input->duration <= 8 * AV_TIME_BASE + AV_TIME_BASE / 10);
    QByteArray tlmd;
    QVERIFY(atomPayload(fileBytes(first), {"moov", "udta", "tlmd"}, &tlmd));
    QVERIFY(tlmd.startsWith("$G"));
}

QTEST_APPLESS_MAIN(TestMakeRecording)
#include "tst_makerecording.moc"
