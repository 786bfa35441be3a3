#pragma once

// Opening a file for demultiplexing: the open, the optional settings that must precede it, and
// the stream-info probe, with FFmpeg's error text when a step fails. Callable on any thread;
// the returned context belongs to the caller.

#include "avptr.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace av {

struct InputOptions
{
    int flags = 0; // AVFMT_FLAG_* added to the context's flags before the open
    int64_t probeSize = 0; // bytes the open may read to find the format; 0: the library's
    int64_t maxAnalyzeDuration = 0; // microseconds the stream-info probe reads; 0: the library's
    // Whether to read packets for the stream info; without, only what the header says is known
    // (enough for the index and the user data of an MP4, and much cheaper).
    bool streamInfo = true;
    // Runs between the open and the stream-info probe, on what the open alone found.
    std::function<void(AVFormatContext *)> afterOpen;
};

struct InputError
{
    enum class Step { Open, StreamInfo };
    Step step = Step::Open; // the step that failed (an allocation failure counts as the open)
    int code = 0; // FFmpeg error code
    QString text; // FFmpeg's text for code
};

// Opens path (passed to FFmpeg as UTF-8) with options and reads its stream info. Null when a
// step fails; *error (when given) then says which, with the code and its text.
FormatContextPtr openInput(const QString &path,
                           const InputOptions &options = {},
                           InputError *error = nullptr);

// The video streams of an opened input.
int videoStreamCount(const AVFormatContext *format);

} // namespace av
