#pragma once

#include "mediadecoder.h"

class VideoState;

// The decoder thread of a video stream: packet queue -> codec -> (hardware frames to system
// memory) -> filter graph -> frame queue. Runs on its own thread; see MediaDecoder.
class VideoDecoder : public MediaDecoder
{
    Q_OBJECT

public:
    explicit VideoDecoder(VideoState *state);

protected:
    void run() override;

private:
    // False for a picture before the moment the last seek landed on. Waits (in short steps,
    // staying alive for the watchdog) while that moment is still unknown.
    bool keepAfterSeek(const AVFrame *decoded, double tolerance);

    VideoState *const m_video;
};
