#pragma once

#include "avptr.h"
#include "mediaframe.h"

#include <memory>

// Where the playback engine hands the pictures it shows: the viewer's display, the frame
// tool, the benchmarks and the tests implement it. The engine is given one sink (or none) at
// open and calls it until the context is closed; with no sink a picture is simply freed.
//
// Both methods take the picture over: the sink keeps it, copies it or lets it go, and nothing
// of it is touched by the engine afterwards.
//
// Threads: presentFrame is called on a video stream's runner thread, at the moment the picture
// is due (one runner per stream, so several at once); presentSearchFrame on the packet reader
// thread, for the picture a frame search found. Neither is called after the context's close
// returned. A sink returns soon: a runner waiting in presentFrame delays its next picture.
class FrameSink
{
public:
    virtual ~FrameSink() = default;

    // A picture of a video stream, filtered for display (limited-range YUV 4:2:0, or BGR24 for
    // a reprojected surround view), with the seq, time and view mode it was decoded with.
    virtual void presentFrame(int streamIndex, std::unique_ptr<MediaFrame> frame) = 0;
    // The picture a frame search found, as decoded (any pixel format); null with
    // stillSearching true when the search found none.
    virtual void presentSearchFrame(int streamIndex, av::FramePtr frame, bool stillSearching) = 0;
};
