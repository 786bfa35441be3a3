// libFuzzer target: one sample of a data or subtitle stream. The first input byte chooses
// whether the sample carries the 16-bit length prefix; the rest is the sample.
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
    if (size < 1)
        return 0;
    const bool lengthPrefix = (data[0] & 1) != 0;
    const char *payload = reinterpret_cast<const char *>(data + 1);
    const qsizetype length = qsizetype(size - 1);

    TelemetryTrack track;
    const bool accepted = TelemetryParser::parseSample(payload, length, lengthPrefix, track);
    QVector<GpsSample> gps;
    QVector<GSensorSample> gsensor;
    const int gpsCount = track.gpsSamples(gps);
    const int gsensorCount = track.gsensorSamples(gsensor);
    // A rejected sample adds nothing; every record needs at least its "$" and one more byte.
    fuzz::check(accepted || (gpsCount == -1 && gsensorCount == -1));
    fuzz::check(qsizetype(gps.size() + gsensor.size()) * 2 <= length);
    fuzz::checkLists(gps, gsensor);
    return 0;
}
