#pragma once

#include "media/framesink.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <map>
#include <mutex>

struct MediaFrame;

// One picture of one channel of a recording, made by the playback engine itself (its own media
// event loop, opened for the one request): by frame number through the engine's frame search,
// or the first picture after a seek to a time as the video path scales it for a view W pixels
// wide. `vistrel-tool frame` and the report of a moment (MomentReport) use it.
//
// Threads: the static calls on the thread that owns the application object, which also runs
// the media event loop's queued signals (they spin local event loops); presentFrame runs on the
// engine's runner thread and presentSearchFrame on its reader thread; both copy what they keep
// under m_mutex.
class FrameGrabber : public QObject, public FrameSink
{
    Q_OBJECT

public:
    struct Picture
    {
        QImage image;
        double pts = 0;
        bool valid = false;
    };

    // Exactly frame `number` of video stream `stream` of a recording, found by the engine's
    // frame search and converted at its decoded size; null with a reason in *error when it
    // cannot be had. *seconds (when given) receives its presentation time.
    static QImage numberedFrame(const QString &path,
                                int stream,
                                qint64 number,
                                QString *error,
                                double *seconds = nullptr);
    // The first picture of stream `stream` after a seek to `seconds`, scaled for a view `width`
    // pixels wide; *pts and *frameNumber receive its time stamp and number. Null with a reason
    // in *error when it cannot be had.
    static QImage timedFrame(const QString &path,
                             int stream,
                             double seconds,
                             int width,
                             QString *error,
                             double *pts,
                             qint64 *frameNumber);

    void presentFrame(int streamIndex, std::unique_ptr<MediaFrame> frame) override;
    void presentSearchFrame(int streamIndex, av::FramePtr frame, bool stillSearching) override;

private:
    explicit FrameGrabber(int stream);

    const int m_stream;
    mutable std::mutex m_mutex;
    std::map<int, Picture> m_bySeq; // guarded by m_mutex: first picture of each seq
    Picture m_search; // guarded by m_mutex
    bool m_searchDone = false; // guarded by m_mutex
};
