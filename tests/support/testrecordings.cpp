#include "testrecordings.h"

#include "media/avptr.h"
#include "testpaths.h"
#include "tools/framecode/framecode.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

extern "C" {
#include <libavutil/imgutils.h>
}

#include <atomic>

namespace {

// Fingerprint of the generator binary, so that a rebuilt tool does not reuse old files.
QByteArray toolFingerprint()
{
    const QFileInfo tool(TestPaths::makeRecording());
    return QByteArray::number(tool.size()) + '/'
            + QByteArray::number(tool.lastModified().toMSecsSinceEpoch());
}

QString hashOf(const QByteArray &text)
{
    return QString::fromLatin1(
            QCryptographicHash::hash(text, QCryptographicHash::Sha1).toHex().left(20));
}

QString keyOf(const QStringList &parts)
{
    return hashOf(parts.join(QChar(0x1f)).toUtf8());
}

// The cache folder of the current generator binary. Folders of earlier builds are removed the
// first time a process asks, so the cache does not grow with every rebuild.
QString generationDir()
{
    static const QString dir = [] {
        const QString current = hashOf(toolFingerprint());
        QDir cache(TestRecordings::cacheDir());
        for (const QString &entry : cache.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (entry != current)
                QDir(cache.filePath(entry)).removeRecursively();
        }
        return cache.filePath(current);
    }();
    return dir;
}

// Reads the pattern of one decoded picture, optionally scaled to scaleWidth and converted.
QPair<int, int> readPicture(const AVFrame *frame, int scaleWidth, av::SwsContextPtr *scaler)
{
    int number = -1;
    int channel = -1;
    const bool planarYuv
            = frame->format == AV_PIX_FMT_YUV420P || frame->format == AV_PIX_FMT_YUVJ420P;
    if (scaleWidth <= 0 && planarYuv) {
        if (!FrameCode::read(frame->data[0],
                             frame->width,
                             frame->height,
                             frame->linesize[0],
                             FrameCode::Layout::Gray8,
                             &number,
                             &channel))
            return {-1, -1};
        return {number, channel};
    }
    const int width = scaleWidth > 0 ? scaleWidth : frame->width;
    int height = frame->height;
    if (scaleWidth > 0 && frame->width > 0)
        height = std::max(2, int(int64_t(frame->height) * scaleWidth / frame->width) & ~1);
    scaler->reset(sws_getCachedContext(scaler->release(),
                                       frame->width,
                                       frame->height,
                                       static_cast<AVPixelFormat>(frame->format),
                                       width,
                                       height,
                                       AV_PIX_FMT_BGR24,
                                       SWS_BILINEAR,
                                       nullptr,
                                       nullptr,
                                       nullptr));
    if (!*scaler)
        return {-1, -1};
    // An odd line size on purpose: the reader must follow lineSize, not width * 3.
    const int lineSize = width * 3 + 5;
    QByteArray buffer(lineSize * height, '\0');
    uint8_t *planes[4] = {reinterpret_cast<uint8_t *>(buffer.data()), nullptr, nullptr, nullptr};
    int lineSizes[4] = {lineSize, 0, 0, 0};
    sws_scale(scaler->get(), frame->data, frame->linesize, 0, frame->height, planes, lineSizes);
    if (!FrameCode::read(
                planes[0], width, height, lineSize, FrameCode::Layout::Bgr24, &number, &channel))
        return {-1, -1};
    return {number, channel};
}

} // namespace

QString TestRecordings::cacheDir()
{
    return TestPaths::buildDir() + QStringLiteral("/test-recordings");
}

QString TestRecordings::cached(const QString &key,
                               const QString &entryName,
                               const QStringList &arguments,
                               const QString &outputName)
{
    const QDir cache(generationDir());
    const QString finalDir = cache.filePath(key);
    const QString finalPath = finalDir + QLatin1Char('/') + entryName;
    if (QFileInfo::exists(finalPath))
        return finalPath;

    static std::atomic<int> counter {0};
    const QString workDir = cache.filePath(QStringLiteral("%1.tmp-%2-%3")
                                                   .arg(key)
                                                   .arg(QCoreApplication::applicationPid())
                                                   .arg(counter++));
    QDir(workDir).removeRecursively();
    if (!QDir().mkpath(workDir)) {
        qWarning().noquote() << "TestRecordings: cannot create" << workDir;
        return QString();
    }
    QStringList fullArguments = arguments;
    fullArguments.replaceInStrings(QStringLiteral("@OUT@"),
                                   workDir + QLatin1Char('/') + outputName);
    const ProcessResult run = runProcess(TestPaths::makeRecording(), fullArguments);
    if (!run.finished || run.crashed || run.exitCode != 0) {
        qWarning().noquote() << "make-recording" << fullArguments.join(QLatin1Char(' '))
                             << "failed (exit" << run.exitCode << "):\n"
                             << QString::fromLocal8Bit(run.err);
        QDir(workDir).removeRecursively();
        return QString();
    }
    // Publish atomically; a parallel test that got there first wins and ours is dropped.
    if (!QDir().rename(workDir, finalDir))
        QDir(workDir).removeRecursively();
    if (!QFileInfo::exists(finalPath)) {
        qWarning().noquote() << "TestRecordings: make-recording wrote no" << finalPath;
        return QString();
    }
    return finalPath;
}

QString TestRecordings::make(const QString &fileName, const QStringList &options)
{
    const QString key = keyOf(QStringList {QStringLiteral("file"), fileName} + options);
    return cached(key, fileName, options + QStringList {QStringLiteral("@OUT@")}, fileName);
}

QString TestRecordings::makeCard(const QString &layout, const QStringList &options)
{
    const QString key = keyOf(QStringList {QStringLiteral("card"), layout} + options);
    const QStringList arguments = QStringList {QStringLiteral("--card"),
                                               QStringLiteral("@OUT@"),
                                               QStringLiteral("--layout"),
                                               layout}
            + options;
    return cached(key, QStringLiteral("card"), arguments, QStringLiteral("card"));
}

av::FormatContextPtr TestRecordings::open(const QString &file,
                                          bool streamInfo,
                                          int *error,
                                          bool ignoreEditList)
{
    AVFormatContext *raw = nullptr;
    AVDictionary *options = nullptr;
    if (ignoreEditList)
        av_dict_set(&options, "ignore_editlist", "1", 0);
    const int ret
            = avformat_open_input(&raw, QFile::encodeName(file).constData(), nullptr, &options);
    av_dict_free(&options);
    if (error)
        *error = ret;
    if (ret < 0)
        return nullptr;
    av::FormatContextPtr input(raw);
    if (streamInfo && avformat_find_stream_info(input.get(), nullptr) < 0)
        return nullptr;
    return input;
}

QVector<QPair<int, int>> TestRecordings::readBack(
        const QString &file, int streamIndex, int maxFrames, int scaleWidth, bool ignoreEditList)
{
    QVector<QPair<int, int>> result;
    const av::FormatContextPtr input = open(file, true, nullptr, ignoreEditList);
    if (!input)
        return result;
    if (streamIndex < 0 || streamIndex >= int(input->nb_streams))
        return result;
    const AVStream *stream = input->streams[streamIndex];
    if (stream->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
        return result;
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return result;
    av::CodecContextPtr decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0
        || avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return result;

    av::PacketPtr packet = av::makePacket();
    av::FramePtr frame = av::makeFrame();
    av::SwsContextPtr scaler;
    auto full = [&] {
        return maxFrames > 0 && result.size() >= maxFrames;
    };
    auto drain = [&] {
        while (!full() && avcodec_receive_frame(decoder.get(), frame.get()) >= 0) {
            result.append(readPicture(frame.get(), scaleWidth, &scaler));
            av_frame_unref(frame.get());
        }
    };
    while (!full() && av_read_frame(input.get(), packet.get()) >= 0) {
        if (packet->stream_index == streamIndex
            && avcodec_send_packet(decoder.get(), packet.get()) >= 0)
            drain();
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(decoder.get(), nullptr);
    drain();
    return result;
}

int TestRecordings::probedVideoPackets(const QString &file, int videoStream)
{
    const ProcessResult r = runProcess(QStringLiteral("ffprobe"),
                                       {QStringLiteral("-v"),
                                        QStringLiteral("error"),
                                        QStringLiteral("-count_packets"),
                                        QStringLiteral("-select_streams"),
                                        QStringLiteral("v:%1").arg(videoStream),
                                        QStringLiteral("-show_entries"),
                                        QStringLiteral("stream=nb_read_packets"),
                                        QStringLiteral("-of"),
                                        QStringLiteral("csv=p=0"),
                                        file});
    bool ok = false;
    const int count = QString::fromLatin1(r.out).trimmed().toInt(&ok);
    if (!r.finished || r.crashed || r.exitCode != 0 || !ok) {
        qWarning().noquote() << "ffprobe" << file << "v:" << videoStream << "failed:" << r.err;
        return -1;
    }
    return count;
}
