#pragma once

#include "avptr.h"

#include <cstddef>
#include <cstdint>

// One decoded (and, for video, filtered) frame on its way from a decoder to the runner.
//
// Owned by the FrameQueue that holds it, then by the runner thread that took it, then (video)
// by the FrameSink it is presented to.
struct MediaFrame
{
    av::FramePtr frame;
    int32_t seq = 0; // the decoder's packet seq when the frame was decoded
    double pts = 0; // seconds; NaN when the frame has no timestamp
    double duration = 0; // seconds; 0 when the frame rate is unknown
    double speed = 1.0; // the context's play speed when the frame was queued
    int32_t view_mode = 0; // video: view mode of the filter graph; audio: -1
    uint64_t id = 0; // position in its queue's push order, set by FrameQueue::push
    size_t bytes = 0; // its buffers, counted against the queue's byte budget (FrameQueue::push)
};
