#pragma once

#include <QStringList>

// vistrel-tool frame FILE [--channel front|rear|inner|INDEX] (--number N | --time SECONDS)
// [--width W] --out PICTURE.png: saves one picture of one channel, made by the playback engine
// itself. --number goes through the engine's frame search and saves exactly frame N; --time
// seeks and saves the first picture of the new seek epoch as the video path scaled it for a
// view W pixels wide.
//
// Threads: the main thread (FrameGrabber).
class FrameCommand
{
public:
    static int run(const QStringList &arguments);
};
