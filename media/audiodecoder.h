#pragma once

#include "mediadecoder.h"

class AudioState;

// The decoder thread of an audio stream: packet queue -> codec -> filter graph (packed S16 at
// the target rate and layout) -> frame queue. Runs on its own thread; see MediaDecoder.
class AudioDecoder : public MediaDecoder
{
    Q_OBJECT

public:
    explicit AudioDecoder(AudioState *state);

protected:
    void run() override;

private:
    AudioState *const m_audio;
};
