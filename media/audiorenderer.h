#pragma once

#include <QThread>

class AudioOutput;
class MediaState;

// The thread that feeds one AudioOutput: round after round (AudioOutput::runRound) it runs the
// output's commands (open, suspend, resume, volume, reopen) and moves PCM from the stream's
// ring buffer to the device in slots of 200 ms, keeping the stream's clock; between two rounds
// it processes its own events, which drive the QAudioOutput that lives on this thread.
// Started by AudioOutput::start at time-critical priority and joined by AudioOutput::stop.
// Everything in run() happens on this thread; see AudioOutput for the locks.
class AudioRenderer : public QThread
{
    Q_OBJECT

public:
    // stream: the audio stream the output plays, for the log.
    AudioRenderer(AudioOutput *output, const MediaState *stream);

protected:
    void run() override;

private:
    AudioOutput *const m_output;
    const MediaState *const m_stream;
};
