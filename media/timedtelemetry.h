#pragma once

#include "gpssample.h"
#include "gsensorsample.h"

#include <QVector>

// GPS fixes and G-sensor readings as a telemetry format delivers them: each with its own time
// in seconds from the start of the recording (negative or beyond the end when the data starts
// before or runs past the pictures). TelemetryTrack::fromTimed puts them on the evenly spaced
// axis the views read.
//
// Threads: a plain value; filled and read by one thread at a time.
class TimedTelemetry
{
public:
    struct Fix
    {
        double time = 0;
        GpsSample sample;
    };
    struct Reading
    {
        double time = 0;
        GSensorSample sample;
    };

    void addFix(double time, const GpsSample &sample);
    void addReading(double time, const GSensorSample &sample);

    const QVector<Fix> &fixes() const { return m_fixes; }
    const QVector<Reading> &readings() const { return m_readings; }
    bool isEmpty() const { return m_fixes.isEmpty() && m_readings.isEmpty(); }
    int validFixCount() const;

    // Every time moved by seconds.
    void shift(double seconds);
    // Gives fixes (readings) without their own times the times 0, d/n, 2d/n, ... over
    // duration d, in the order they were added.
    static void spreadEvenly(QVector<Fix> &fixes, double duration);

    // A value in g rounded to the G-sensor's steps: a multiple of 1/32, at least 1/32 and at
    // most 8 in magnitude (the range of the cameras' own records). Not a number gives 1/32.
    static double quantizeG(double value);

    // Upper bound of fixes or readings one recording may yield (a 200 Hz sensor over ten
    // hours); what lies beyond is dropped.
    static constexpr int MaxSamples = 8 * 1024 * 1024;

private:
    QVector<Fix> m_fixes;
    QVector<Reading> m_readings;
};
Q_DECLARE_TYPEINFO(TimedTelemetry::Fix, Q_MOVABLE_TYPE);
Q_DECLARE_TYPEINFO(TimedTelemetry::Reading, Q_MOVABLE_TYPE);
