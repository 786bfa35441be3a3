#pragma once

#include "gpssample.h"

#include <QVector>

class TimedTelemetry;

// NMEA 0183 text as GPS receivers and cameras write it to a log file or into a movie box:
// lines of sentences ("$GPRMC,...*hh"), each line optionally preceded by a timestamp in
// milliseconds ("123456 $GPRMC...", "[123456]$GPRMC...", "123456,$GPRMC..."). Fixes come from
// the RMC sentences of any talker (GP, GN, GL, GA, GB, BD) as TelemetryParser reads them,
// with their UTC time and date; a text without any RMC gives its GGA sentences instead
// (position and fix quality, no speed). Lines are split at LF (CR LF and CR too), sentences
// glued on one line at "$". Every read stays within the given length.
//
// Threads: stateless; callable from any thread.
class NmeaText
{
public:
    struct Fix
    {
        GpsSample sample;
        qint64 utcMs = -1; // UTC time and date in ms since 1970; -1 without a date
        qint64 dayMs = -1; // UTC time of day in ms; -1 without a time
        qint64 stampMs = -1; // the line's own timestamp; -1 without one
    };

    // Fixes of the text in text order; at most maxFixes.
    static QVector<Fix> parse(const char *text, qsizetype length, int maxFixes);
    // Whether the text holds an RMC or GGA sentence within its first limit bytes.
    static bool looksLikeNmea(const char *text, qsizetype length, qsizetype limit = 65536);

    // How fixes are put on the recording's time axis.
    enum class Timing {
        Stamps, // the line timestamps, the first at 0
        UtcFromStart, // UTC minus startUtcMs (the recording's start)
        UtcFromFirst, // UTC minus the first fix's UTC
        Even, // spread evenly over the duration
    };
    // The timing these fixes allow: Stamps when every fix has one; else UtcFromStart when a
    // start is known (startUtcMs >= 0) and the fixes have dates, else UtcFromFirst when they
    // have times; else Even.
    static Timing timingFor(const QVector<Fix> &fixes, qint64 startUtcMs);
    // The fixes on the recording's axis. A fix without a date takes the start's date (or the
    // first dated fix's), so a log of GGA sentences still lines up.
    static void toTimed(const QVector<Fix> &fixes,
                        Timing timing,
                        qint64 startUtcMs,
                        double duration,
                        TimedTelemetry *out);
};
