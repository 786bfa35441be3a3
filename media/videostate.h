#pragma once

#include "mediastate.h"
#include "surroundviewmode.h"

#include <QSize>

#include <atomic>
#include <mutex>
#include <optional>

// The MediaState of a video stream: decodes (VideoDecoder), scales and reprojects each frame
// in a filter graph at the target size (plain pictures to limited-range YUV 4:2:0, surround
// reprojections to BGR24; PictureConverter gives BGR of either), and presents it by handing it
// to the context's frame sink (MediaContext::presentFrame) on the runner thread.
//
// Threads: the event loop thread calls configure, setTargetSize and setViewMode; the decoder
// thread builds the graph (prepareFilters, which calls configureFilters) and reads the target
// size and view mode; the runner calls displayFrame. m_filterMutex guards the sink format,
// target size, applied view mode and the filter graph; prepareFilters holds it while it
// compares and builds. viewMode is an atomic, read by the decoder under the mutex.
class VideoState : public MediaState
{
    Q_OBJECT

public:
    // The frame queue's byte budget: at most FrameCapacity pictures, and fewer when they are
    // large (see docs/benchmarks.md for how the figure was chosen).
    static constexpr size_t FrameQueueBytes = size_t(24) << 20;

    explicit VideoState(MediaContext *context);

    int configure(
            int volume, double speed, int view_width, int view_height, int view_mode) override;
    int createDecoder() override;
    void displayFrame(std::unique_ptr<MediaFrame> frame, bool force) override;
    int configureFilters(AVFrame *frame, bool flag) override;

    void setTargetSize(int view_width, int view_height);
    // The scaled picture planned for a W x H stream in a view V pixels wide.
    static QSize targetSizeFor(int width, int height, int viewWidth);
    // The size of the pictures the filter graph of a view mode gives for a source of
    // sourceWidth x sourceHeight and this target size.
    static QSize outputSizeFor(
            int viewMode, int targetWidth, int targetHeight, int sourceWidth, int sourceHeight);

    int viewMode() const { return m_viewMode.load(); }
    int setViewMode(int mode); // returns the previous mode
    int appliedViewMode() const;
    QSize targetSize() const;
    int sinkPixelFormat() const;
    int hwPixelFormat() const { return m_hwPixelFormat; }

    // What a filter graph is built for: the picture's size and format, the target size, the
    // sink format, the view mode and the packet seq.
    struct FilterKey
    {
        int width, height, format, targetWidth, targetHeight, sinkFormat, viewMode, seq;
        bool operator==(const FilterKey &o) const
        {
            return width == o.width && height == o.height && format == o.format
                    && targetWidth == o.targetWidth && targetHeight == o.targetHeight
                    && sinkFormat == o.sinkFormat && viewMode == o.viewMode && seq == o.seq;
        }
    };
    // Decoder thread: with the filter mutex held, builds the filter graph anew (configureFilters)
    // unless *built is what picture, the present target size, sink format and view mode and seq
    // ask for. *built then says what the graph is built for (empty after a failed build) and
    // *viewMode the view mode its pictures are in. 0 when the graph was kept, 1 when built,
    // negative when the build failed. quiet: no log line for a build.
    int prepareFilters(
            AVFrame *picture, int seq, std::optional<FilterKey> *built, int *viewMode, bool quiet);
    // Decoder thread, after configureFilters succeeded.
    AVFilterContext *bufferSource() const { return m_bufferSource; }
    AVFilterContext *bufferSink() const { return m_bufferSink; }

private:
    mutable std::mutex m_filterMutex;
    // The format of plain (not reprojected) pictures; reprojections are always BGR24.
    int m_sinkPixelFormat = AV_PIX_FMT_YUV420P; // guarded by m_filterMutex
    int m_targetWidth = 1280; // guarded by m_filterMutex
    int m_targetHeight = 720; // guarded by m_filterMutex
    std::atomic<int> m_viewMode {0};
    int m_appliedViewMode = 0; // guarded by m_filterMutex
};
