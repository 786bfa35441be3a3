#include "telemetryclip.h"

#include "atomreader.h"
#include "telemetryparser.h"
#include "triptimeline.h"

#include <algorithm>
#include <cmath>

namespace {

// The samples [first, last) of a list of count samples over durationSeconds that stand for
// [from, to).
void sampleRange(int count, double durationSeconds, double from, double to, int *first, int *last)
{
    *first = *last = 0;
    if (count <= 0 || durationSeconds <= 0 || to <= from)
        return;
    const double rate = durationSeconds / count;
    // A mark on a sample's time belongs to that sample, whatever the rounding of the division.
    const double begin = std::floor(from / rate + 1e-9);
    const double length = std::round((to - from) / rate);
    *first = int(std::clamp(begin, 0.0, double(count)));
    *last = int(std::clamp(begin + std::max(length, 1.0), double(*first), double(count)));
}

} // namespace

QByteArray TelemetryClip::cut(const QByteArray &block,
                              double durationSeconds,
                              double from,
                              double to)
{
    QVector<TelemetryParser::RecordSpan> gps;
    QVector<TelemetryParser::RecordSpan> gsensor;
    TelemetryParser::blockRecords(block.constData(), block.size(), &gps, &gsensor);
    int gpsFirst = 0;
    int gpsLast = 0;
    int gFirst = 0;
    int gLast = 0;
    sampleRange(gps.size(), durationSeconds, from, to, &gpsFirst, &gpsLast);
    sampleRange(gsensor.size(), durationSeconds, from, to, &gFirst, &gLast);
    // Both lists, merged back into block order.
    QByteArray out;
    int g = gpsFirst;
    int m = gFirst;
    while (g < gpsLast || m < gLast) {
        const bool takeGps = m >= gLast || (g < gpsLast && gps.at(g).begin < gsensor.at(m).begin);
        const TelemetryParser::RecordSpan &span = takeGps ? gps.at(g++) : gsensor.at(m++);
        out.append(block.constData() + span.begin, int(span.end - span.begin));
    }
    return out;
}

QByteArray TelemetryClip::cutRecording(const QString &path,
                                       double durationSeconds,
                                       double from,
                                       double to)
{
    if (!TripTimeline::isConcatList(path))
        return cut(AtomReader::readTelemetry(path), durationSeconds, from, to);
    TripTimeline trip;
    QString error;
    if (!TripTimeline::readConcatList(path, &trip, &error))
        return QByteArray();
    QByteArray out;
    for (int k = 0; k < trip.count(); ++k) {
        const double offset = double(trip.offsetUs(k)) / 1e6;
        const double length = double(trip.files().at(k).durationUs) / 1e6;
        const double begin = std::max(from - offset, 0.0);
        const double end = std::min(to - offset, length);
        if (end <= begin)
            continue;
        out += cut(AtomReader::readTelemetry(trip.files().at(k).path), length, begin, end);
    }
    return out;
}
