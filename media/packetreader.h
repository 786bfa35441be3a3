#pragma once

#include "avptr.h"

#include <QImage>
#include <QThread>

#include <condition_variable>
#include <mutex>

class MediaContext;

// The demultiplexing thread of a MediaContext: reads packets into the per-stream packet
// queues, throttles itself while they are full, performs the seeks and frame searches the
// context requests and posts null packets at end of file.
//
// Threads: run() on its own thread; wake() from any thread (the context's wakeReader and
// close, the decoders). The event loop thread creates, joins and deletes it. m_mutex is only
// the sleep lock; it is the first lock of the engine's order (reader -> context states ->
// one queue). The reader keeps no other state.
class PacketReader : public QThread
{
    Q_OBJECT

public:
    explicit PacketReader(MediaContext *context);
    ~PacketReader() override;

    void wake();

    // Decodes frame number n (counted from the stream's first frame at its average frame
    // rate) of one stream with a private decoder. image: the frame as RGBA8888; frame: a clone
    // of the decoded frame, owned by the caller; exact: its time is within half a frame of n.
    // Reads through format (its read position moves). False when no such frame is found.
    static bool grabExactFrame(AVFormatContext *format,
                               int stream_index,
                               int64_t n,
                               QImage *image,
                               AVFrame **frame,
                               bool *exact);
    // Frees the scaler that grabExactFrame caches on the calling thread.
    static void resetGrabCache();

protected:
    void run() override;

private:
    void seek();
    void frameSearch();
    bool waitingForSeekFrame();
    void postNullPackets();
    void sleepFor(int ms);

    MediaContext *const m_context;
    std::mutex m_mutex;
    std::condition_variable m_cond;
};
