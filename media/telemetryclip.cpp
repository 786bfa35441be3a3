#include "telemetryclip.h"

#include "avinput.h"
#include "avptr.h"
#include "enginelog.h"
#include "telemetryparser.h"
#include "telemetrytrack.h"
#include "triptimeline.h"

#include <QDebug>

#include <algorithm>
#include <cmath>

namespace {

// The samples [first, last) of a list of count samples spaced rate seconds apart that stand
// for [from, to).
void sampleRange(int count, double rate, double from, double to, int *first, int *last)
{
    *first = *last = 0;
    if (count <= 0 || !(rate > 0) || !(to > from))
        return;
    // A mark on a sample's time belongs to that sample, whatever the rounding of the division.
    const double begin = std::floor(from / rate + 1e-9);
    const double length = std::round((to - from) / rate);
    *first = int(std::clamp(begin, 0.0, double(count)));
    *last = int(std::clamp(begin + std::max(length, 1.0), double(*first), double(count)));
}

// "ddmm.mmmmmm" (latitude, 2 degree digits) or "dddmm.mmmmmm" (longitude, 3 digits).
QByteArray angle(double degrees, int degreeDigits)
{
    constexpr qint64 Millionths = 1000000;
    // Rounded to the printed precision first, so that 59.9999999 minutes cannot print as 60.
    const double value = std::isfinite(degrees) ? std::min(std::fabs(degrees), 180.0) : 0.0;
    const qint64 units = std::llround(value * 60.0 * Millionths);
    const qint64 whole = units / (60 * Millionths);
    const qint64 minutes = units % (60 * Millionths);
    return QByteArray::number(whole).rightJustified(degreeDigits, '0')
            + QByteArray::number(minutes / Millionths).rightJustified(2, '0') + '.'
            + QByteArray::number(minutes % Millionths).rightJustified(6, '0');
}

// Magnitude and sign byte of one axis: value = (m + 1) / 32.
void axis(double value, char *magnitude, char *sign)
{
    const double steps = std::isfinite(value) ? std::round(std::fabs(value) * 32.0) : 1.0;
    *magnitude = char(quint8(std::clamp(steps, 1.0, 256.0) - 1));
    *sign = value < 0 ? 1 : 0;
}

} // namespace

QByteArray TelemetryClip::gpsRecord(const GpsSample &sample)
{
    QByteArray body = "GPRMC,,";
    body += sample.valid ? "A," : "V,";
    body += angle(sample.latitude, 2) + (sample.latitude < 0 ? ",S," : ",N,");
    body += angle(sample.longitude, 3) + (sample.longitude < 0 ? ",W," : ",E,");
    const double knots = std::isfinite(sample.speed) && sample.speed > 0
            ? sample.speed / TelemetryParser::KnotsToKmh
            : 0.0;
    body += QByteArray::number(knots, 'f', 5);
    body += ",,,,,A"; // course, date, magnetic variation and its direction, mode: 13 fields
    quint8 checksum = 0;
    for (char c : qAsConst(body))
        checksum ^= quint8(c);
    return '$' + body + '*' + QByteArray::number(checksum, 16).toUpper().rightJustified(2, '0')
            + "\r\n";
}

QByteArray TelemetryClip::gsensorRecord(const GSensorSample &sample)
{
    QByteArray record(TelemetryParser::BinaryGSensorRecordSize, '\0');
    record[0] = '$';
    record[1] = 'M';
    axis(sample.x, record.data() + 2, record.data() + 5);
    axis(sample.y, record.data() + 3, record.data() + 6);
    axis(sample.z, record.data() + 4, record.data() + 7);
    return record;
}

QByteArray TelemetryClip::cut(const TelemetryTrack &track, double from, double to)
{
    return cut(track, from, to, Gps) + cut(track, from, to, GSensor);
}

QByteArray TelemetryClip::cut(const TelemetryTrack &track, double from, double to, List list)
{
    QVector<GpsSample> gps;
    QVector<GSensorSample> gsensor;
    track.gpsSamples(gps);
    track.gsensorSamples(gsensor);
    int gpsFirst = 0;
    int gpsLast = 0;
    int gFirst = 0;
    int gLast = 0;
    sampleRange(gps.size(), track.gpsRate(), from, to, &gpsFirst, &gpsLast);
    sampleRange(gsensor.size(), track.gsensorRate(), from, to, &gFirst, &gLast);
    QByteArray out;
    if (list == Gps) {
        for (int k = gpsFirst; k < gpsLast; ++k)
            out += gpsRecord(gps.at(k));
    } else {
        for (int k = gFirst; k < gLast; ++k)
            out += gsensorRecord(gsensor.at(k));
    }
    return out;
}

QByteArray TelemetryClip::cutRecording(const QString &path, double from, double to)
{
    if (TripTimeline::isConcatList(path)) {
        // Each recording's own samples over the part of the span it holds (the trip's joined
        // track is resampled on one axis, which may repeat or skip a sample at a boundary).
        TripTimeline trip;
        QString error;
        if (!TripTimeline::readConcatList(path, &trip, &error))
            return QByteArray();
        QByteArray gps;
        QByteArray gsensor;
        for (int k = 0; k < trip.count(); ++k) {
            const double offset = double(trip.offsetUs(k)) / 1e6;
            const double length = double(trip.files().at(k).durationUs) / 1e6;
            const double begin = std::max(from - offset, 0.0);
            const double end = std::min(to - offset, length);
            if (end <= begin)
                continue;
            const TelemetryTrack track = trackOf(trip.files().at(k).path);
            gps += cut(track, begin, end, Gps);
            gsensor += cut(track, begin, end, GSensor);
        }
        return gps + gsensor;
    }
    return cut(trackOf(path), from, to);
}

TelemetryTrack TelemetryClip::trackOf(const QString &path)
{
    av::FormatContextPtr ctx = av::openInput(path);
    if (!ctx) {
        qCDebug(lcEngine).noquote() << "TelemetryClip: cannot open" << path;
        return TelemetryTrack();
    }
    TelemetryTrack track;
    track.load(ctx.get(), path);
    qCDebug(lcEngine).noquote() << "TelemetryClip:" << path << "telemetry from" << track.source()
                                << ": gps#" << track.gpsCount() << ", gsensor#"
                                << track.gsensorCount();
    return track;
}
