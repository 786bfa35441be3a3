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
// one queue). Besides the sleep lock it keeps only m_landingPending, which this thread alone
// reads and writes.
//
// Seeks keep the channels together: the demuxer puts every stream on a key frame of its own at
// or before the target, and a channel whose key frames fall elsewhere (another encoder, another
// interval, a different reorder delay) lands up to a whole group of pictures earlier than the
// reference stream (the one the demuxer seeks by). The reader therefore takes the time of the
// first reference packet after a seek as the moment the seek landed on and hands it to every
// video state; their decoders decode the frames before that moment without showing them
// (MediaState::alignFrame).
class PacketReader : public QThread
{
    Q_OBJECT

public:
    explicit PacketReader(MediaContext *context);
    ~PacketReader() override;

    void wake();

    // Decodes frame number n (counted from the stream's first frame at its average frame
    // rate) of one stream with a private decoder. image: the frame as RGBA8888; frame: a clone
    // of the decoded frame; exact: its time is within half a frame of n.
    // Reads through format (its read position moves). False when no such frame is found.
    static bool grabExactFrame(AVFormatContext *format,
                               int stream_index,
                               int64_t n,
                               QImage *image,
                               av::FramePtr *frame,
                               bool *exact);

protected:
    void run() override;

private:
    void seek();
    void frameSearch();
    bool waitingForSeekFrame();
    void postNullPackets();
    void sleepFor(int ms);
    // The seek landed at `seconds` (-infinity: no reference packet came, show what comes).
    void publishLanding(double seconds);
    void noteReferencePacket(const AVPacket *packet);

    MediaContext *const m_context;
    std::mutex m_mutex;
    std::condition_variable m_cond;
    // A seek flushed the streams and the reference stream's first packet is still to come.
    bool m_landingPending = false;
};
