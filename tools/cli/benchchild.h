#pragma once

#include <QStringList>

// The engine side of `vistrel-tool bench`, run in a child vistrel-tool process
// (`bench --child MODE FILE ...`) so that its CPU time and peak memory are its own, measured
// like those of the anchor programs. Each mode drives a real MediaEventLoop with a
// BenchReceiver and prints one JSON object on stdout:
//   throughput  plays as fast as decoding allows (speed 100: pacing never waits), all
//               channels or --mode-stream S with --view-mode M, and counts the pictures;
//   play        plays at 1x for --seconds N: CPU per second, presentation error, dropped
//               frames, audio/video offset;
//   latency     --opens K opens, --seeks K absolute seeks, --steps K frame steps, each with
//               its floor from DecodeFloor;
//   trip        plays the trip of a concat list at 1x as one input (or, with --sequential,
//               file after file with a close and an open between) and reports, per
//               channel, the interval between the last picture of each file and the first
//               of the next in frame intervals, and the longest silence of the sound device
//               around each boundary;
//   gui         the main window playing at 1x (GuiBench), --seconds N;
//   meter       paints of the G-sensor meter (MeterBench), --size WxH --paints N.
// Main thread only; the engine's signals reach it by direct connection.
class BenchChild
{
public:
    static int run(const QStringList &arguments);
};
