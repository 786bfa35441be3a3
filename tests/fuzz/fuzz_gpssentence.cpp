// libFuzzer target: one GPS sentence and, on the same bytes, one text G-sensor record.
#include "fuzzsupport.h"
#include "media/telemetryparser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *text = reinterpret_cast<const char *>(data);
    GpsSample gps;
    if (TelemetryParser::parseGpsSentence(text, qsizetype(size), &gps))
        fuzz::checkGps(gps);
    GSensorSample gsensor;
    if (TelemetryParser::parseGSensorText(text, qsizetype(size), &gsensor))
        fuzz::checkGSensor(gsensor);
    if (TelemetryParser::decodeGSensorBody(text, qsizetype(size), &gsensor))
        fuzz::checkGSensor(gsensor);
    return 0;
}
