// libFuzzer target: GPX files beside a recording.
#include "fuzzsupport.h"
#include "media/gpxtrack.h"
#include "media/timedtelemetry.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(fuzz::quietMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    QVector<GpxTrack::Point> points;
    QString error;
    const bool ok = GpxTrack::parse(text, &points, &error, 4096);
    fuzz::check(ok == error.isEmpty() && (ok || points.isEmpty()) && points.size() <= 4096);
    GpxTrack::deriveSpeeds(points);
    for (const GpxTrack::Point &p : points) {
        fuzz::check(std::fabs(p.latitude) <= 90 && std::fabs(p.longitude) <= 180);
        fuzz::check(p.speedKmh >= 0);
    }
    TimedTelemetry timed;
    GpxTrack::toTimed(points, -1, 60, &timed);
    for (const TimedTelemetry::Fix &fix : timed.fixes())
        fuzz::checkGps(fix.sample);
    return 0;
}
