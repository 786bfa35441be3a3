#pragma once

#include "audiooutput.h"
#include "audioringbuffer.h"
#include "mediastate.h"

#include <atomic>
#include <cstdint>
#include <memory>

// The MediaState of an audio stream: decodes (AudioDecoder), converts the samples in a filter
// graph to packed S16 with the device's channel count at the target rate (the codec's, or what
// the device offers), and pushes them into a ring buffer (the runner's displayFrame), from which
// its AudioOutput plays them and keeps this stream's clock: the master clock of a recording
// with audio. Play speed opens the device at the target rate x speed (pitch follows speed).
//
// Threads:
// - the event loop thread: open/configure/close, pause, resume, setVolume, setSpeed; the
//   output commands among them run on the output's renderer thread and return once done (see
//   AudioOutput);
// - the decoder thread: configureFilters (after configure), the filter graph and the source
//   fields (sourceDiffers, adaptSourceTo);
// - the runner thread: displayFrame, the ring's producer;
// - the output's renderer thread: the ring's consumer and the clock.
// The ring has its own small lock (AudioRingBuffer), the output its own mutex (AudioOutput);
// this class never holds one while taking the other. The context calls pause, resume,
// setVolume and setSpeed holding its states mutex, which so comes before the output's. The
// target format fields are written by configure before the decoder and renderer start;
// readers use the atomics.
//
// An output that cannot be opened fails configure: the stream is then not played and every
// video stream is its own master.
class AudioState : public MediaState
{
    Q_OBJECT

public:
    // The audio packet queue is deeper than video's: audio packets are small and many.
    static constexpr int AudioPacketCapacity = 50;

    explicit AudioState(MediaContext *context);
    ~AudioState() override;

    int configure(
            int volume, double speed, int view_width, int view_height, int view_mode) override;
    int releaseOutput() override;
    int createDecoder() override;
    // Runner thread: pushes the frame's samples into the ring (force is not used).
    void displayFrame(std::unique_ptr<MediaFrame> frame, bool force) override;
    int pause() override;
    int resume() override;
    int setVolume(int level) override;
    int setSpeed(double speed) override;
    int configureFilters(AVFrame *frame, bool forceOutput) override;

    // Output volume of a level 0..10: level / 10, clamped to 0.0..1.0.
    static double volumeForLevel(int level);

    // Decoder thread: the graph's source parameters differ from this frame's.
    bool sourceDiffers(const AVFrame *frame) const;
    // Decoder thread: rebuilds the graph for a frame whose parameters changed midstream.
    int adaptSourceTo(const AVFrame *frame);
    AVFilterContext *bufferSource() const { return m_bufferSource; }
    AVFilterContext *bufferSink() const { return m_bufferSink; }

    // Read by anyone (tests, benchmarks); the device figures are the output's (AudioOutput).
    int targetChannels() const { return m_targetChannels.load(); }
    int targetRate() const { return m_targetRate.load(); }
    const AudioRingBuffer &ring() const { return m_ring; }
    int frameSize() const { return m_output->frameSize(); }
    int bytesPerSlot() const { return m_output->bytesPerSlot(); }
    int deviceRate() const { return m_output->deviceRate(); }
    int deviceChannels() const { return m_output->deviceChannels(); }
    double outputVolume() const { return m_output->outputVolume(); }
    // The output's QAudio::State, -1 without an output.
    int outputState() const { return m_output->outputState(); }
    bool hasOutput() const { return m_output->hasOutput(); }

    // Benchmark hook: the audio clock now, the pts that pacing compares video frames against
    // (the position being heard: the end of what the device was given less what it still
    // holds, moved on with the wall clock between hand-offs; 0 before the first one). A
    // benchmark records, in its FrameSink::presentFrame, frame->pts - audioClock() of the
    // context's master state (MediaContext::masterFor) for each presented frame.
    double audioClock() const { return m_clock.playheadAt(MediaClock::nowSeconds()); }

protected:
    bool openCodec(AVStream *stream, const AVCodec **codec, av::DictionaryPtr &options) override;

private:
    // Target (sink) format; written by configure before the threads start.
    std::atomic<int> m_targetChannels {2};
    std::atomic<uint64_t> m_targetLayout {3};
    std::atomic<int> m_targetRate {48000};
    std::atomic<int> m_targetFormat {AV_SAMPLE_FMT_S16};
    AudioRingBuffer m_ring;
    // Source (abuffer) format: configure, then the decoder thread.
    int m_sourceChannels = 2;
    uint64_t m_sourceLayout = 3;
    int m_sourceRate = 48000;
    int m_sourceFormat = AV_SAMPLE_FMT_S16;
    // Declared after the ring, which it reads until it is destroyed.
    const std::unique_ptr<AudioOutput> m_output;
};
