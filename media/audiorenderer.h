#pragma once

#include <QThread>

class AudioState;

// The thread that feeds the audio output of one AudioState: it creates and owns the
// QAudioOutput, moves PCM from the ring buffer to the device in slots of 200 ms, executes the
// state's output commands (suspend, resume, volume, reopen) and keeps the stream's clock.
// Started by AudioState::configure at time-critical priority and joined by releaseOutput.
// Everything in run() happens on this thread; see AudioState for the locks.
class AudioRenderer : public QThread
{
    Q_OBJECT

public:
    explicit AudioRenderer(AudioState *state);

protected:
    void run() override;

private:
    AudioState *const m_state;
};
