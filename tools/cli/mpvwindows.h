#pragma once

#include <QRect>
#include <QString>
#include <QVector>

// The whole-viewer anchor of the benchmark: one `mpv --vo=gpu` window per channel of a
// recording, at the given screen rectangles, side by side on the current display, the first
// with sound, all started together. A small script in each player samples, over the seconds
// after its first picture, its own CPU time (/proc/self/stat), the frame number it shows and
// the pictures its output dropped, and writes them to stderr when it ends.
//
// Threads: the calling thread; the players are child processes.
class MpvWindows
{
public:
    struct Result
    {
        bool ok = false;
        QString error;
        double cpuPerSecond = 0; // the players' CPU-s over the measured seconds, summed
        double rssMb = 0; // the players' peak RSS, summed
        QVector<double> shownPerSecond; // per player: pictures shown per second
    };

    // mpv: the program; scratch: a folder for the script and the players' logs; streams: the
    // video streams (mpv numbers them 1, 2, ... in this order); seconds: the measured window.
    static Result run(const QString &mpv,
                      const QString &scratch,
                      const QString &recording,
                      const QVector<QRect> &windows,
                      int seconds);
};
