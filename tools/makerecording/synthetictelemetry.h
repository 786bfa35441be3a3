#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QVector>

#include <cstdint>

// The telemetry of one recording: GPS fixes and G-sensor records spread evenly over its
// duration, grouped into one sample per GPS interval.
//
// Text form (timed-text and data streams), per sample: "$" + RMC sentence + CR LF for the
// interval's fix, then for each G-sensor record of the interval "$M" + twelve decimal bytes +
// ",0,0"; a sample that ends with a G-sensor record gets a lone "$" so that every G-sensor
// record is followed by the "$" a reader looks for after ",0,0".
// Binary form (tlmd user-data atom): the same records for the whole recording, the G-sensor
// records as 16 bytes "$", "M", b0..b13.
// G-sensor bytes: b0..b2 magnitudes m of x, y, z (value (m + 1) / 32 g), b3..b5 signs (1:
// negative), b6..b13 zero.
//
// G-sensor motion: Swing is a slow curve (lateral and longitudinal swings, gravity on z);
// Drive is what a camera records on the road: gravity on z with road vibration and pothole
// bumps, braking and accelerating on x, cornering on y, and sensor noise on every axis, all
// deterministic for a seed.
//
// Immutable after construction; main thread only.
class SyntheticTelemetry
{
public:
    enum class Motion { Swing, Drive };

    struct GSensorRecord
    {
        uint8_t magnitude[3] = {0, 0, 0};
        uint8_t negative[3] = {0, 0, 0};
    };

    // sentences: RMC sentences from a log ("$GPRMC,...*CS"), used in order and repeated from the
    // start when the recording needs more fixes than the log has. Empty: a generated route.
    SyntheticTelemetry(int gpsCount,
                       int gsensorCount,
                       double duration,
                       int seed,
                       const QDateTime &start,
                       const QList<QByteArray> &sentences,
                       Motion motion = Motion::Swing);

    int gpsCount() const { return m_sentences.size(); }
    int gsensorCount() const { return m_gsensor.size(); }
    int sampleCount() const { return gpsCount(); }
    // Start of sample i in seconds; sampleTime(sampleCount()) is the duration.
    double sampleTime(int index) const;
    QByteArray sampleText(int index) const;
    QByteArray userDataBlock() const;

    const QList<QByteArray> &sentences() const { return m_sentences; }
    const QVector<GSensorRecord> &gsensor() const { return m_gsensor; }
    // Index of the first G-sensor record of GPS interval i (sampleCount() for the end).
    int firstGsensorOf(int sample) const { return firstGsensor(sample); }

    // "$" + the sentence body + "*" + the two-digit hexadecimal XOR checksum of the body.
    static QByteArray withChecksum(const QByteArray &body);
    // The record for a value in g: magnitude byte clamped to 0..35 (up to 1.125 g) so that no
    // byte of a binary record is "$" (36), which a reader would take for a record start.
    static void quantize(double value, uint8_t *magnitude, uint8_t *negative);

private:
    QByteArray gsensorText(const GSensorRecord &record) const;
    QByteArray gsensorBinary(const GSensorRecord &record) const;
    // Index of the first and one past the last G-sensor record of sample i.
    int firstGsensor(int sample) const;

    // The value in g of each axis (x, y, z) at t seconds.
    static void swingAt(double t, int seed, double values[3]);
    static void driveAt(double t, int64_t index, int seed, double values[3]);

    static QList<QByteArray> generateRoute(int count,
                                           double duration,
                                           int seed,
                                           const QDateTime &start);

    double m_duration;
    QList<QByteArray> m_sentences; // one per sample, from "$" to the checksum
    QVector<GSensorRecord> m_gsensor;
};
