#pragma once

#include "media/framesink.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <mutex>

struct AVFrame;
struct MediaFrame;

// vistrel-tool frame FILE [--channel front|rear|inner|INDEX] (--number N | --time SECONDS)
// [--width W] --out PICTURE.png: saves one picture of one channel, made by the playback engine
// itself. --number goes through the engine's frame search and saves exactly frame N; --time
// seeks and saves the first picture of the new seek epoch as the video path scaled it for a
// view W pixels wide.
//
// Threads: run() on the main thread, which also runs the media event loop's queued signals;
// presentFrame runs on the engine's runner thread and presentSearchFrame on its reader thread;
// both copy what they keep under m_mutex.
class FrameCommand : public QObject, public FrameSink
{
    Q_OBJECT

public:
    static int run(const QStringList &arguments);
    // Exactly frame `number` of video stream `stream` of a recording, found by the engine's
    // frame search and converted at its decoded size; null with a reason in *error when it
    // cannot be had. *seconds (when given) receives its presentation time.
    static QImage numberedFrame(const QString &path,
                                int stream,
                                qint64 number,
                                QString *error,
                                double *seconds = nullptr);

    void presentFrame(int streamIndex, std::unique_ptr<MediaFrame> frame) override;
    void presentSearchFrame(int streamIndex, av::FramePtr frame, bool stillSearching) override;

private:
    explicit FrameCommand(int stream);

    struct Picture
    {
        QImage image;
        double pts = 0;
        bool valid = false;
    };

    const int m_stream;
    mutable std::mutex m_mutex;
    std::map<int, Picture> m_bySeq; // guarded by m_mutex: first picture of each seq
    Picture m_search; // guarded by m_mutex
    bool m_searchDone = false; // guarded by m_mutex
};
