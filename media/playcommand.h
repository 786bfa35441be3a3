#pragma once

#include <cstdint>

// The play-control commands of the media event loop (MediaEventLoop::postPlayControl). The
// numbers travel in the loop's completion signal, so they are fixed.
namespace PlayCommand {
enum Code : int32_t {
    SeekRelative = 1, // arg: delta in microseconds
    SeekAbsolute = 2, // arg: target in microseconds
    SetVolume = 3, // arg: volume
    Pause = 4, // arg ignored
    Resume = 5, // arg ignored
    SetSpeed = 6, // arg: speed x 100 (100 is normal speed)
    AbortStream = 7, // arg: stream index
    SeekByFrame = 8, // arg: 1 next frame, -1 previous frame, above 1 a frame number
};
} // namespace PlayCommand
