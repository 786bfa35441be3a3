#pragma once

#include <QSize>
#include <QString>

// The G-sensor meter's paint figure of the benchmark, run in a child vistrel-tool process
// (`bench --child meter --size WxH --paints N FILE`, offscreen): the telemetry of FILE is read
// by the viewer's reader, handed to a GSensorMeterWidget of the size the main window gives it
// the way the window does (state Playing: reset, then setSamples), and the meter is rendered
// into a QImage: once right after, then N times, each after the playing position moved on.
// Prints {"set_samples_ms", "first_paint_ms", "paint_ms": [N], "samples", "width", "height"}.
//
// Threads: the GUI thread of the child.
class MeterBench
{
public:
    // The meter's size in the main window at its start-up size (1060 x 745), for runs without
    // the GUI figure, which reports the size it finds.
    static QSize defaultSize() { return QSize(DefaultWidth, DefaultHeight); }

    static int runChild(const QString &path, const QSize &size, int paints);

private:
    static constexpr int DefaultWidth = 720;
    static constexpr int DefaultHeight = 123;
};
