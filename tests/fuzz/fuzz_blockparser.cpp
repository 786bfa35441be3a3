// libFuzzer target: the payload of the "tlmd" user-data atom (GPS sentences and binary
// G-sensor records), parsed for a recording of 60 seconds.
#include "fuzzsupport.h"
#include "media/telemetryparser.h"
#include "media/telemetrytrack.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(fuzz::quietMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    constexpr double Duration = 60.0;
    TelemetryTrack track;
    TelemetryParser::parseBlock(
            reinterpret_cast<const char *>(data), qsizetype(size), Duration, track);
    QVector<GpsSample> gps;
    QVector<GSensorSample> gsensor;
    track.gpsSamples(gps);
    track.gsensorSamples(gsensor);
    fuzz::check(track.gpsCount() == gps.size() && track.gsensorCount() == gsensor.size());
    fuzz::check(gps.isEmpty() ? track.gpsRate() == 0 : track.gpsRate() == Duration / gps.size());
    fuzz::check(gsensor.isEmpty() ? track.gsensorRate() == 0
                                  : track.gsensorRate() == Duration / gsensor.size());
    fuzz::check(qsizetype(gps.size()) * 2 + qsizetype(gsensor.size()) * 16 <= qsizetype(size));
    fuzz::checkLists(gps, gsensor);
    return 0;
}
