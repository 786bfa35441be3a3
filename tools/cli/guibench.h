#pragma once

#include <QString>

// The GUI-thread figure of the benchmark, run in a child vistrel-tool process
// (`bench --child gui --seconds N FILE`) on the current X display: the real main window plays
// FILE at 1x with all channels, the G-sensor meter and the map panel shown (tiles from a
// LocalTileServer on 127.0.0.1). Over N seconds from the moment every channel has shown a
// picture it measures
//   - the GUI thread's CPU share: utime + stime of the thread (/proc/self/task/TID/stat) over
//     the wall time;
//   - the pictures presented per second per channel: a paint of the video display presents the
//     latest picture of every channel that received one since the paint before (the display
//     repaints only for a new picture), so a channel's count grows by one in each paint that
//     follows a new picture of it; pictures replaced before a paint are not counted.
// and prints one JSON object on stdout.
//
// With `viewer` (`bench --viewer`) the window runs as the viewer runs it, without the counting
// frame sink: the pictures presented are read from the display's own counter
// (VideoDisplayWidget::presentedPictures), and the object adds the process's CPU-s/s over the
// same seconds, its peak RSS and where the display and its tiles lie on the screen (for the
// anchor's windows).
//
// Threads: the GUI thread of the child; the frame counters are written on the runner threads.
class GuiBench
{
public:
    static int runChild(const QString &path, int seconds, bool viewer = false);
};
