#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class SyntheticTelemetry;

// The telemetry of a synthetic recording in the layouts other camera families write, for
// testing the viewer's readers of them. Every layout carries the same fixes as the RMC
// sentences of the SyntheticTelemetry (one per GPS interval) and, where it has room, the same
// G-sensor readings:
//   gpmf       one GPMF payload per GPS interval for a "gpmd" data track: DEVC > STRM with
//              GPSF, SCAL and GPS5 (lat, lon in 1e-7 degrees, speeds in mm/s), and STRM with
//              SCAL 418 and ACCL (int16 m/s^2) for the interval's G-sensor readings;
//   text cues  "[latitude: D.DDDDDDD] [longitude: D.DDDDDDD] S.S km/h" per interval;
//   NMEA box   the sentences as lines, each after its time in milliseconds;
//   freeGPS    one "free" atom per fix ("GPS " and the 48-byte-offset record) and the
//              "gps " index box for moov;
//   sidecars   an NMEA log (the sentences with their time and date set to the recording's
//              start plus the interval) or a GPX track of the same fixes.
// Main thread only; stateless.
class ForeignTelemetry
{
public:
    struct Fix
    {
        bool valid = false;
        double latitude = 0; // degrees
        double longitude = 0;
        double latitudeNmea = 0; // ddmm.mmmm, unsigned
        double longitudeNmea = 0;
        char latitudeRef = 'N';
        char longitudeRef = 'E';
        double knots = 0;
    };
    // The fix of an RMC sentence ("$GPRMC,...*CS").
    static Fix fixOf(const QByteArray &sentence);

    static QByteArray gpmfSample(const SyntheticTelemetry &telemetry, int index);
    static QByteArray cueText(const SyntheticTelemetry &telemetry, int index);
    static QByteArray nmeaBox(const SyntheticTelemetry &telemetry);
    // The "free" block of fix index recorded at utc.
    static QByteArray freeGpsBlock(const SyntheticTelemetry &telemetry,
                                   int index,
                                   const QDateTime &utc);
    // Adds the blocks after the end of the file and the index box at the end of moov, which
    // must be the file's last atom.
    static bool addFreeGps(const QString &path,
                           const SyntheticTelemetry &telemetry,
                           const QDateTime &start,
                           QString *error);
    // shift: seconds by which the log's times run ahead of the recording (positive: the log
    // starts later than the pictures).
    static QByteArray nmeaSidecar(const SyntheticTelemetry &telemetry,
                                  const QDateTime &start,
                                  double shift);
    static QByteArray gpxSidecar(const SyntheticTelemetry &telemetry,
                                 const QDateTime &start,
                                 double shift);
    // A sentence with its time (field 1) and date (field 9) set to utc and a new checksum.
    static QByteArray retimed(const QByteArray &sentence, const QDateTime &utc);
};
