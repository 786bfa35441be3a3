#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

class TimedTelemetry;

// Track points of a GPX 1.0 or 1.1 file: every <trkpt> (and <rtept>) with its lat and lon
// attributes, <time> (ISO 8601; a time without zone is taken as UTC), the speed in m/s of a
// <speed> element anywhere inside the point (GPX 1.0, or an extension such as Garmin's
// TrackPointExtension), and <fix> ("none" marks the point invalid). Points whose coordinates
// are missing or out of range are dropped. Where the file gives no speeds, each point's speed
// is the distance from the one before over the time between them.
//
// Threads: stateless; callable from any thread.
class GpxTrack
{
public:
    struct Point
    {
        double latitude = 0;
        double longitude = 0;
        qint64 utcMs = -1; // -1 without a time
        double speedKmh = -1; // -1 when the file gives none
        bool valid = true;
    };

    // False with a message when the text is not well-formed XML or holds no gpx element.
    // At most maxPoints points are read.
    static bool parse(const QByteArray &text,
                      QVector<Point> *points,
                      QString *error,
                      int maxPoints);
    // Fills in missing speeds from distance over time (0 where that cannot be known).
    static void deriveSpeeds(QVector<Point> &points);
    // The points on the recording's axis: UTC minus startUtcMs, or minus the first point's
    // time when the start is unknown (startUtcMs < 0); spread evenly over duration when the
    // points have no times.
    static void toTimed(const QVector<Point> &points,
                        qint64 startUtcMs,
                        double duration,
                        TimedTelemetry *out);
    // Great-circle distance in metres.
    static double distanceMetres(double lat1, double lon1, double lat2, double lon2);
};
