#pragma once

#include "avptr.h"
#include "framequeue.h"
#include "mediaclock.h"
#include "packetqueue.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class MediaContext;
class MediaDecoder;
class MediaStateRunner;
struct MediaFrame;

// One opened stream of a MediaContext: its codec, packet and frame queues, clock, decoder
// thread and runner thread. VideoState (and later an audio state) specialise it.
//
// Threads:
// - the event loop thread: create/open, close, configure, pause, resume, setSpeed, setVolume,
//   enable/disable, and the destructor (after close);
// - the packet reader: packet queue put/clear, frame queue clear, seek flags on a seek;
// - the decoder thread: getFrame (codec context), frame queue push, alive time;
// - the runner thread: runner loop, checkAlive, displayFrame, clock.
// Locks: the packet queue's mutex guards the queue, its seq and is taken around the seek flags
// (m_seeking, m_seekingSeq, m_waitingForSeekFrame, m_endOfStream) where a seek sets them
// together (flushForSeek) and where the runner settles them (PacketQueue::guardSeekFlags); the
// frame queue's mutex guards the frame list and is held while the end-of-playing test reads
// m_endOfStream and m_presenting (isDrained). All flags are atomics, so single reads never
// race. The codec context, hardware device and filter graph belong to the decoder thread while
// it runs, and to the event loop thread before it starts and after it ended.
class MediaState : public QObject
{
    Q_OBJECT

public:
    // Media types as FFmpeg numbers them.
    enum Type { Video = 0, Audio = 1, Data = 2, Subtitle = 3 };

    static constexpr int PacketCapacity = 25;
    static constexpr int FrameCapacity = 25;

    // Makes and opens the state of one stream: type 0 video, type 1 audio; other types log and
    // give null. Null also when the open fails.
    static MediaState *create(int type,
                              MediaContext *context,
                              AVStream *stream,
                              int volume,
                              double speed,
                              int view_width,
                              int view_height,
                              int view_mode);

    // Decoder threads for each of videoStreams video decoders that run at once on `cores`
    // cores: together they use every core and no more, since at 1x the decoders idle part of
    // the time and frame threads beyond the cores cost CPU, memory (a picture context per
    // thread) and a picture of delay each (see docs/benchmarks.md).
    static int decoderThreadsFor(int cores, int videoStreams);

    // packetCapacity: the depth of the packet queue (audio keeps more than video's 25);
    // frameByteBudget: the frame queue's byte budget (0: none, FrameCapacity frames decide).
    MediaState(int type,
               MediaContext *context,
               int packetCapacity = PacketCapacity,
               size_t frameByteBudget = 0);
    ~MediaState() override;

    virtual int open(AVStream *stream,
                     int volume,
                     double speed,
                     int view_width,
                     int view_height,
                     int view_mode);
    virtual void close();
    virtual int configure(int volume, double speed, int view_width, int view_height, int view_mode);
    virtual int releaseOutput();
    virtual int createDecoder();
    // Runner thread: the frame is due (paced by the stream unless force); takes it over.
    virtual void displayFrame(std::unique_ptr<MediaFrame> frame, bool force);
    virtual int pause();
    virtual int resume();
    virtual int setVolume(int volume);
    virtual int setSpeed(double speed);
    virtual int configureFilters(AVFrame *frame, bool flag);

    // Decoder thread: one decoded frame into out. 1 with a frame, 0 when none is available now.
    int getFrame(AVFrame *out);
    // Runner thread: declares a decoder dead that has not proved alive for 5 s.
    void checkAlive();
    // Runner thread body (MediaStateRunner::run).
    void runLoop();

    int type() const { return m_type; }
    int streamIndex() const { return m_streamIndex.load(); }
    AVStream *stream() const { return m_stream; }
    MediaContext *context() const { return m_context; }
    MediaDecoder *decoder() const { return m_decoder.get(); }
    AVCodecContext *codecContext() const { return m_codecContext.get(); }

    PacketQueue &packetQueue() { return m_packetQueue; }
    FrameQueue &frameQueue() { return m_frameQueue; }
    MediaClock &clock() { return m_clock; }
    int packetCapacity() const { return m_packetCapacity; }
    int frameCapacity() const { return m_frameCapacity; }

    bool isRunning() const { return m_running.load(); }
    bool isEndOfStream() const { return m_endOfStream.load(); }
    void setEndOfStream(bool on) { m_endOfStream.store(on); }
    bool isFailed() const { return m_failed.load(); }
    void setFailed() { m_failed.store(true); }
    bool isDead() const { return m_dead.load(); }
    bool isEnabled() const { return m_enabled.load(); }
    void setEnabled(bool on) { m_enabled.store(on); }
    bool isAborted() const { return m_aborted.load(); }
    void setAborted() { m_aborted.store(true); }
    bool isHalfRate() const { return m_halfRate.load(); }
    void setHalfRate(bool on) { m_halfRate.store(on); }
    bool isSeeking() const { return m_seeking.load(); }
    // The runner holds a frame it took from the queue and has not finished with.
    bool isPresenting() const { return m_presenting.load(); }
    int seekingSeq() const { return m_seekingSeq.load(); }
    bool isWaitingForSeekFrame() const { return m_waitingForSeekFrame.load() != 0; }
    double speed() const { return m_speed.load(); }

    // Reader thread, at a seek: empties both queues (the packet queue's seq goes up) and sets
    // the seek flags for the new seq with the packet queue's mutex held. Returns the new seq.
    int flushForSeek();
    // Any engine thread: the end of stream was reached and the runner has nothing left to show
    // (frame queue empty, no frame in hand), read under the frame queue's mutex.
    bool isDrained() const;

    // Seek alignment (video). After a seek every channel starts at the moment the seek
    // landed on, which the reader learns from the reference stream's first packet; the frames
    // of that seq before it are decoded but not shown.
    enum class Align { Keep, Drop, Pending };
    // Reader thread: a seek made newSeq; its landing time is not known yet.
    void startAlign(int newSeq);
    // Reader thread: the seek landed at seconds (-infinity: keep every frame).
    void setAlignTime(double seconds);
    // Decoder thread: what to do with a decoded frame of seq at pts seconds (NaN: unknown).
    // tolerance: how far before the landing moment a frame still counts as that moment.
    Align alignFrame(int seq, double pts, double tolerance) const;

protected:
    void freeCodec();
    // createDecoder's common part: takes a new decoder thread object (null when its
    // allocation failed) unless there is no codec or already a decoder, and resets it.
    int installDecoder(MediaDecoder *decoder);
    virtual bool openCodec(AVStream *stream, const AVCodec **codec, av::DictionaryPtr &options);
    void setCodecPacketTimeBase();
    // With the packet queue's mutex held (flushForSeek): a seek flushed this stream.
    void markSeekingLocked(int newSeq);

    const int m_type;
    MediaContext *const m_context;
    std::atomic<int> m_streamIndex {-1};
    AVStream *m_stream = nullptr;
    std::unique_ptr<MediaDecoder> m_decoder;
    av::CodecContextPtr m_codecContext;
    int m_hwPixelFormat = -1;
    av::BufferRefPtr m_hwDevice;
    int m_filterThreadCount = 0;
    AVFilterContext *m_bufferSource = nullptr;
    AVFilterContext *m_bufferSink = nullptr;
    av::FilterGraphPtr m_filterGraph;
    PacketQueue m_packetQueue;
    FrameQueue m_frameQueue;
    const int m_packetCapacity;
    const int m_frameCapacity;
    std::atomic<bool> m_running {false};
    std::atomic<bool> m_endOfStream {false};
    std::atomic<bool> m_failed {false};
    std::atomic<bool> m_endReached {false};
    MediaClock m_clock;
    std::unique_ptr<MediaStateRunner> m_runner;
    std::atomic<bool> m_halfRate {false};
    std::atomic<int> m_waitingForSeekFrame {0};
    std::atomic<bool> m_seeking {false};
    std::atomic<int> m_seekingSeq {-1};
    std::atomic<double> m_speed {1.0};
    std::atomic<bool> m_dead {false};
    std::atomic<bool> m_enabled {false};
    std::atomic<bool> m_aborted {false};
    std::atomic<bool> m_presenting {false};
    // Written by the reader only: m_alignTime before m_alignSeq at a seek, so a decoder that
    // sees the new seq never reads the previous seek's time. NaN while the time is pending.
    std::atomic<int> m_alignSeq {-1};
    std::atomic<double> m_alignTime {0};

    friend class MediaContext;
    friend class PacketReader;
};
