#pragma once

#include <QAudio>
#include <QAudioFormat>
#include <QObject>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

class AudioRenderer;
class AudioRingBuffer;
class MediaState;
class QAudioOutput;
class QIODevice;

// The sound device of one audio stream: a QAudioOutput in push mode, fed from the stream's
// ring buffer in slots of 200 ms by the AudioRenderer thread, which also keeps the stream's
// clock (the master clock of a recording with audio). Play speed opens the device at the
// ring's rate x speed, so pitch follows speed.
//
// Threads:
// - the event loop thread: setFormat, start, stop and the commands suspend, resume, setVolume
//   and setSpeed, through the stream (AudioState);
// - the renderer thread (AudioRenderer, started by start at time-critical priority): runRound
//   and audioOutputStateChanged. It owns the QAudioOutput: it creates, drives and deletes it,
//   and processes that thread's events between two rounds, so the output's timers, queued
//   calls and stateChanged (delivered by direct connection) all run there. The other threads
//   never touch the output: a command is queued under m_mutex, wakes the renderer and waits
//   until the renderer has executed it and posted its result.
// - anyone: the read-only accessors (atomics).
// m_mutex guards the command queue, the results and the renderer's whole round (the output and
// device pointers, the suspended and silent flags). Lock order: m_mutex, then the ring's lock
// or the clock's mutex (both taken inside a round). m_format and m_ringRate are written by
// setFormat before the renderer starts and afterwards only by the renderer.
//
// Losing the device while playing (the sound server went away, a restart after a seek or a
// reopen for a new speed failed) does not stop the clock: the renderer goes on draining the
// ring at the play speed in real time, without sound, so the video paced against this clock
// keeps playing. A device that cannot be opened at all fails start instead.
class AudioOutput : public QObject
{
    Q_OBJECT

public:
    static constexpr int SlotMsec = 200;

    // stream: the audio stream whose clock this output keeps and whose running flag and play
    // speed it follows; ring: that stream's ring buffer, of which the renderer is the consumer.
    // Both outlive this object.
    AudioOutput(MediaState *stream, AudioRingBuffer *ring);
    ~AudioOutput() override;

    // Bytes of one S16 sample frame and of 200 ms at rate; 0 for unusable input.
    static int frameSizeFor(int channels);
    static int bytesPerSlotFor(int rate, int channels);
    // The S16 format of rate and channels when the default device supports it, else the
    // device's nearest format (logged); *supported says which.
    static QAudioFormat deviceFormatFor(int rate, int channels, bool *supported);

    // Event loop thread, before start: the device format and the sample rate of the bytes in
    // the ring; sets the frame size and the bytes per slot of that format.
    void setFormat(const QAudioFormat &format, int ringRate);
    // Event loop thread: starts the renderer, which opens the device with volume (0.0..1.0).
    // 0 once the device plays; -1 when it cannot be opened, the renderer thread cannot be
    // started or one runs already (a failed start leaves no renderer behind).
    int start(double volume);
    bool isStarted() const { return m_renderer != nullptr; } // event loop thread
    // Event loop thread: stops the renderer and waits until it has ended; the renderer deletes
    // the output on its way out.
    void stop();

    // Event loop thread: commands the renderer executes; each returns once it did. Without a
    // renderer they do nothing and return the value given for that case.
    int suspend(); // 0
    int resume(); // 0
    // The output's volume (0.0..1.0); also the volume a later start opens with. 0.
    int setVolume(double volume);
    // Reopens the device at the ring's rate x speed, or at the nearest rate the device offers.
    // 0, or -1 (also without a renderer) when the device is lost (the clock goes on silently).
    int setSpeed(double speed);

    // Renderer thread (AudioRenderer::run): one round. Waits up to 20 ms for a command, runs
    // the queued commands, then moves at most one slot from the ring to the device (or, without
    // a device, drains it silently in real time). false when the renderer is to end: the stream
    // stopped running, stop was called or the device never opened; the output is then already
    // released and pending commands answered.
    bool runRound(int *lastSeq);
    // The stream's runner: the ring got bytes while it was empty, so the renderer's next round
    // starts now instead of at the end of its wait. Notifies without the mutex (a round may hold
    // it for a whole slot); a wake-up that slips in before the renderer waits only costs that
    // wait, as before.
    void wakeRenderer() { m_wake.notify_all(); }

    // Read by anyone (tests, benchmarks).
    int frameSize() const { return m_frameSize.load(); }
    int bytesPerSlot() const { return m_bytesPerSlot.load(); }
    int deviceRate() const { return m_deviceRate.load(); }
    int deviceChannels() const { return m_deviceChannels.load(); }
    double outputVolume() const { return m_outputVolume.load(); }
    // The output's QAudio::State, -1 without an output.
    int outputState() const { return m_outputState.load(); }
    bool hasOutput() const { return m_outputState.load() >= 0; }

public slots:
    // Runs on the renderer thread (direct connection from the output it owns).
    void audioOutputStateChanged(QAudio::State new_state);

private:
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
    // Renderer thread, under m_mutex.
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

    MediaState *const m_stream;
    AudioRingBuffer *const m_ring;

    std::mutex m_mutex;
    std::condition_variable m_wake; // wakes the renderer (20 ms rounds)
    std::condition_variable m_commandDone; // wakes callers of runCommand
    std::deque<PendingCommand> m_commands; // guarded by m_mutex
    std::map<uint64_t, int> m_results; // guarded by m_mutex
    uint64_t m_nextSerial = 0; // guarded by m_mutex
    bool m_rendererActive = false; // guarded by m_mutex: commands are executed
    QIODevice *m_device = nullptr; // renderer thread, under m_mutex
    QAudioOutput *m_output = nullptr; // renderer thread, under m_mutex; owned
    QAudioFormat m_format; // renderer thread; setFormat before the renderer starts
    int m_ringRate = 0; // renderer thread; setFormat before the renderer starts
    bool m_suspended = false; // renderer thread, under m_mutex: paused
    bool m_silent = false; // renderer thread, under m_mutex: the device was lost
    double m_silentDue = 0; // renderer thread: when the next silent chunk is due (seconds)
    std::unique_ptr<AudioRenderer> m_renderer; // event loop thread

    std::atomic<bool> m_stopRenderer {false};
    std::atomic<double> m_volume {1.0}; // the volume the next output starts with
    std::atomic<int> m_frameSize {0}; // setFormat, then the renderer on a reopen
    std::atomic<int> m_bytesPerSlot {0}; // setFormat, then the renderer on a reopen
    std::atomic<double> m_outputVolume {0.0};
    std::atomic<int> m_outputState {-1};
    std::atomic<int> m_deviceRate {0};
    std::atomic<int> m_deviceChannels {0};
};
