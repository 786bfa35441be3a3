#pragma once

#include <cstdint>

// What the probe learned about one stream of a supported type (video, audio, data, subtitle),
// plus the per-stream display and seek bookkeeping the viewer keeps while it plays.
// Records are owned by MediaInfo, which guards them with its mutex.
struct StreamInfo
{
    int32_t index = -1; // stream index in the container
    int32_t mediaType = -1; // AVMediaType: 0 video, 1 audio, 2 data, 3 subtitle
    int32_t pixelFormat = -1; // video only
    int32_t width = 0; // video: coded width
    int32_t height = 0; // video: coded height
    double aspect = 0; // video: height / width (0.5625 for an unknown width)
    bool isSurround = false; // the square 360-degree stream
    int32_t viewMode = 0; // SurroundViewMode::Mode last asked for
    int32_t previousViewMode = 0; // put back when the engine refuses a view-mode change
    double singleWidth = 0; // layout alone, as fractions of the view
    double singleHeight = 0;
    double tileWidth = 0; // layout in the all-channels view
    double tileHeight = 0;
    int32_t sampleFormat = -1; // audio only
    uint64_t channelLayout = 0;
    int32_t channels = 0;
    int32_t sampleRate = 0;
    int32_t displayedSeq = -1; // seq of the last frame drawn after a seek
    int32_t seekingSeq = -1; // seq announced for the pending seek, -1 when none
};
