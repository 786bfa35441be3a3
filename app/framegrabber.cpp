#include "framegrabber.h"

#include "media/avptr.h"
#include "media/mediacontext.h"
#include "media/mediaeventloop.h"
#include "media/mediaframe.h"
#include "media/pictureconverter.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cmath>
#include <functional>

namespace {

constexpr int kTimeoutMs = 30000;

// Runs the main thread's events until done() holds or the time is up.
bool waitUntil(const std::function<bool()> &done, int timeoutMs = kTimeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// A media event loop that opens one recording for a command; it is finished and waited for on
// every way out of the scope that holds it.
class EngineSession
{
public:
    EngineSession()
    {
        QObject::connect(&loop,
                         &MediaEventLoop::mediaEventOpened,
                         &guard,
                         [this](MediaContext *c, QString, int result) {
                             context = c;
                             openResult = result;
                         });
        loop.start();
    }
    ~EngineSession()
    {
        loop.postFinish();
        loop.wait();
    }

    // Opens path with sink taking the pictures; empty, or why the engine cannot.
    QString open(const QString &path, FrameSink *sink, int width, int height)
    {
        loop.postOpen(path, sink, 1.0, 0, width, height, -1, 0);
        if (!waitUntil([this] { return openResult != 1; }) || openResult < 0 || !context)
            return QStringLiteral("the engine cannot open %1 (%2)").arg(path).arg(openResult);
        return QString();
    }

    MediaEventLoop loop;
    MediaContext *context = nullptr; // the open recording (the loop's thread owns it)
    int openResult = 1;
    QObject guard; // receives the loop's signals; declared after the loop, so it goes first
};

} // namespace

FrameGrabber::FrameGrabber(int stream)
    : m_stream(stream)
{ }

void FrameGrabber::presentFrame(int stream_index, std::unique_ptr<MediaFrame> owned)
{
    const MediaFrame *vframe = owned.get();
    if (stream_index != m_stream || !vframe || !vframe->frame)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_bySeq.count(vframe->seq))
            return;
    }
    const AVFrame *f = vframe->frame.get();
    Picture picture;
    picture.pts = vframe->pts;
    if (f->width > 0 && f->height > 0) {
        // The colours the display shows, YUV pictures converted as its shader does.
        QImage image(f->width, f->height, QImage::Format_BGR888);
        if (!image.isNull() && PictureConverter::toBgr(f, image.bits(), image.bytesPerLine())) {
            picture.image = image.convertToFormat(QImage::Format_RGB888);
            picture.valid = true;
        }
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bySeq.emplace(vframe->seq, picture);
}

void FrameGrabber::presentSearchFrame(int stream_index, av::FramePtr owned, bool)
{
    const AVFrame *frame = owned.get();
    Picture picture;
    if (frame && stream_index == m_stream) {
        picture.image = PictureConverter::toRgba(frame);
        picture.valid = !picture.image.isNull();
        picture.pts = static_cast<double>(frame->best_effort_timestamp);
    }
    owned.reset();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_search = picture;
    m_searchDone = true;
}

QImage FrameGrabber::numberedFrame(
        const QString &path, int stream, qint64 number, QString *error, double *seconds)
{
    FrameGrabber receiver(stream);
    EngineSession session;
    // The size only shapes the video path; searched frames come at their decoded size.
    *error = session.open(path, &receiver, 1280, 720);
    if (!error->isEmpty())
        return QImage();
    MediaEventLoop &loop = session.loop;
    loop.postPlayControl(PlayCommand::Pause, 0);
    loop.postSelectVideoStream(stream);
    loop.setSeekingFramePos(session.context, number);
    loop.postPlayControl(PlayCommand::SeekByFrame, number > 1 ? number : 0);
    const bool done = waitUntil([&] {
        std::lock_guard<std::mutex> lock(receiver.m_mutex);
        return receiver.m_searchDone;
    });
    Picture picture;
    {
        std::lock_guard<std::mutex> lock(receiver.m_mutex);
        picture = receiver.m_search;
    }
    if (!done || !picture.valid) {
        *error = QStringLiteral("frame %1 of stream %2 not found").arg(number).arg(stream);
        return QImage();
    }
    if (seconds) {
        AVStream *s = session.context->formatContext()->streams[stream];
        *seconds = picture.pts * av_q2d(s->time_base);
    }
    return picture.image;
}

QImage FrameGrabber::timedFrame(const QString &path,
                                int stream,
                                double seconds,
                                int width,
                                QString *error,
                                double *pts,
                                qint64 *frameNumber)
{
    Picture picture;
    FrameGrabber receiver(stream);
    EngineSession session;
    MediaEventLoop &loop = session.loop;
    int seekSeq = -1;
    int seekResult = 0;
    QObject::connect(&loop,
                     &MediaEventLoop::mediaEventSeekingStreamInfo,
                     &session.guard,
                     [&](MediaContext *, int index, int seq) {
                         if (index == stream)
                             seekSeq = seq;
                     });
    QObject::connect(&loop,
                     &MediaEventLoop::mediaEventSeekingCompleted,
                     &session.guard,
                     [&](MediaContext *, int result) { seekResult = result; });
    const QString openError = session.open(path, &receiver, width, width * 9 / 16);
    if (!openError.isEmpty()) {
        *error = openError;
        return QImage();
    }
    loop.postPlayControl(PlayCommand::Pause, 0);
    loop.postSelectVideoStream(stream);
    loop.postPlayControl(PlayCommand::SeekAbsolute, static_cast<int64_t>(seconds * 1000000.0));
    const bool done = waitUntil([&] {
        if (seekResult < 0)
            return true;
        if (seekSeq < 0)
            return false;
        std::lock_guard<std::mutex> lock(receiver.m_mutex);
        return receiver.m_bySeq.count(seekSeq) > 0;
    });
    if (done && seekSeq >= 0) {
        std::lock_guard<std::mutex> lock(receiver.m_mutex);
        picture = receiver.m_bySeq[seekSeq];
    }
    if (!done || !picture.valid) {
        *error = QStringLiteral("no picture at %1 s of stream %2").arg(seconds).arg(stream);
        return QImage();
    }
    const AVRational rate = session.context->formatContext()->streams[stream]->avg_frame_rate;
    *frameNumber = rate.den > 0 && rate.num > 0 ? std::llround(picture.pts * av_q2d(rate)) : 0;
    *pts = picture.pts;
    return picture.image;
}
