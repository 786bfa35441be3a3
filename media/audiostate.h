#pragma once

#include "audioringbuffer.h"
#include "mediastate.h"

#include <QAudio>
#include <QAudioFormat>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

class AudioRenderer;
class QAudioOutput;
class QIODevice;

// The MediaState of an audio stream: decodes (AudioDecoder) and converts the samples to packed
// S16 at the codec's rate and layout in a filter graph, pushes them into a ring buffer (the
// runner's displayFrame) and plays them through a QAudioOutput in push mode, fed in slots of
// 200 ms by the AudioRenderer thread, which also keeps this stream's clock: the master clock of
// a recording with audio. Play speed opens the device at rate x speed (pitch follows speed).
//
// Threads:
// - the event loop thread: open/configure/close, pause, resume, setVolume, setSpeed;
// - the decoder thread: configureFilters (after configure), the filter graph, source fields;
// - the runner thread: displayFrame (the ring's producer);
// - the renderer thread: the ring's consumer and the clock. It owns the QAudioOutput: it
//   creates, drives and deletes it, and its rounds process that thread's events, so the
//   output's timers, queued calls and stateChanged (delivered by direct connection to
//   audioOutputStateChanged) all run there. The other threads never touch the output: pause,
//   resume, setVolume and setSpeed queue a command under m_audioMutex, wake m_audioCond and
//   wait until the renderer has executed it and posted its result.
// m_audioMutex guards the command queue, the results and the renderer's whole round (the
// output and device pointers); the ring has its own small lock (AudioRingBuffer). Lock order:
// m_audioMutex, then the ring's lock or the clock's mutex; the ring's lock is never held while
// taking another. The target format fields are written by configure before the decoder and
// renderer start and by the renderer on a reopen; readers use the atomics.
//
// Losing the device while playing (the sound server went away, a restart after a seek or a
// reopen for a new speed failed) does not stop the clock: the renderer goes on draining the
// ring at the play speed in real time, without sound, so the video paced against this clock
// keeps playing. An output that cannot be opened at all fails configure instead: the stream is
// then not played and every video stream is its own master.
class AudioState : public MediaState
{
    Q_OBJECT

public:
    // The audio packet queue is deeper than video's: audio packets are small and many.
    static constexpr int AudioPacketCapacity = 50;
    static constexpr int SlotMsec = 200;

    explicit AudioState(MediaContext *context);
    ~AudioState() override;

    int configure(
            int volume, double speed, int view_width, int view_height, int view_mode) override;
    int releaseOutput() override;
    int createDecoder() override;
    // Runner thread: pushes the frame's samples into the ring (force is not used).
    void displayFrame(MediaFrame *frame, bool force) override;
    int pause() override;
    int resume() override;
    int setVolume(int level) override;
    int setSpeed(double speed) override;
    int configureFilters(AVFrame *frame, bool forceOutput) override;

    // Output volume of a level 0..10: level / 10, clamped to 0.0..1.0.
    static double volumeForLevel(int level);
    // Bytes of one S16 sample frame and of 200 ms at rate; 0 for unusable input.
    static int frameSizeFor(int channels);
    static int bytesPerSlotFor(int rate, int channels);

    // Decoder thread: the graph's source parameters differ from this frame's.
    bool sourceDiffers(const AVFrame *frame) const;
    // Decoder thread: rebuilds the graph for a frame whose parameters changed midstream.
    int adaptSourceTo(const AVFrame *frame);
    AVFilterContext *bufferSource() const { return m_bufferSource; }
    AVFilterContext *bufferSink() const { return m_bufferSink; }

    // Read by anyone (tests, benchmarks).
    int targetChannels() const { return m_targetChannels.load(); }
    int targetRate() const { return m_targetRate.load(); }
    int frameSize() const { return m_frameSize.load(); }
    int bytesPerSlot() const { return m_bytesPerSlot.load(); }
    int deviceRate() const { return m_deviceRate.load(); }
    int deviceChannels() const { return m_deviceChannels.load(); }
    double outputVolume() const { return m_outputVolume.load(); }
    // The output's QAudio::State, -1 without an output.
    int outputState() const { return m_outputState.load(); }
    bool hasOutput() const { return m_outputState.load() >= 0; }
    const AudioRingBuffer &ring() const { return m_ring; }

    // Benchmark hook: the audio clock now, the pts that pacing compares video frames against
    // (the position of the last chunk handed to the device; 0 before the first one). A
    // benchmark records, in its onVideoFrameReceived slot, frame->pts - audioClock() of the
    // context's master state (MediaContext::masterFor) for each presented frame.
    double audioClock() const { return m_clock.lastPts(); }

public slots:
    // Runs on the renderer thread (direct connection from the output it owns).
    void audioOutputStateChanged(QAudio::State new_state);

protected:
    bool openCodec(AVStream *stream, const AVCodec **codec, av::DictionaryPtr &options) override;

private:
    friend class AudioRenderer;

    enum class Command { Open, Suspend, Resume, Volume, Reopen };
    struct PendingCommand
    {
        Command command;
        double value;
        uint64_t serial;
    };

    // Event loop thread: queues a command for the renderer and waits for its result; fallback
    // when no renderer runs.
    int runCommand(Command command, double value, int fallback);
    // Renderer thread, under m_audioMutex.
    void executeCommandsLocked();
    int executeLocked(Command command, double value);
    int openOutputLocked();
    int reopenOutputLocked(double speed);
    QAudioOutput *createOutputLocked(const QAudioFormat &format);
    void deleteOutputLocked();
    bool startDeviceLocked();
    void setOutputVolumeLocked(double volume);
    void renderRoundLocked(int *lastSeq);
    // Without a device (lost while playing) the ring is drained at the play speed in real
    // time, so the clock, and the video paced against it, go on.
    void silentRoundLocked(int *lastSeq);
    void loseDeviceLocked();
    void rendererFinishedLocked();
    // Event loop thread: stops the renderer and waits until it has ended.
    void joinRenderer();

    // The device format for targetRate x speed, or the default device's nearest one.
    QAudioFormat deviceFormatFor(double speed, bool *supported) const;

    std::mutex m_audioMutex;
    std::condition_variable m_audioCond; // wakes the renderer (20 ms rounds)
    std::condition_variable m_commandDone; // wakes callers of runCommand
    std::deque<PendingCommand> m_commands; // guarded by m_audioMutex
    std::map<uint64_t, int> m_results; // guarded by m_audioMutex
    uint64_t m_nextSerial = 0; // guarded by m_audioMutex
    bool m_rendererActive = false; // guarded by m_audioMutex: commands are executed
    QIODevice *m_device = nullptr; // renderer thread, under m_audioMutex
    QAudioOutput *m_output = nullptr; // renderer thread, under m_audioMutex; owned
    QAudioFormat m_format; // renderer thread; configure before the renderer starts
    bool m_suspended = false; // renderer thread, under m_audioMutex: paused
    bool m_silent = false; // renderer thread, under m_audioMutex: the device was lost
    double m_silentDue = 0; // renderer thread: when the next silent chunk is due (seconds)

    // Target (sink) format; written by configure before the threads start, by the renderer
    // on a reopen (frame size and slot).
    std::atomic<int> m_targetChannels {2};
    std::atomic<uint64_t> m_targetLayout {3};
    std::atomic<int> m_targetRate {48000};
    std::atomic<int> m_targetFormat {AV_SAMPLE_FMT_S16};
    std::atomic<int> m_frameSize {0};
    std::atomic<int> m_bytesPerSlot {0};
    AudioRingBuffer m_ring;
    // Source (abuffer) format: configure, then the decoder thread.
    int m_sourceChannels = 2;
    uint64_t m_sourceLayout = 3;
    int m_sourceRate = 48000;
    int m_sourceFormat = AV_SAMPLE_FMT_S16;
    std::unique_ptr<AudioRenderer> m_renderer;

    std::atomic<bool> m_stopRenderer {false};
    std::atomic<double> m_volume {1.0}; // the volume the next output starts with
    std::atomic<double> m_outputVolume {0.0};
    std::atomic<int> m_outputState {-1};
    std::atomic<int> m_deviceRate {0};
    std::atomic<int> m_deviceChannels {0};
};
