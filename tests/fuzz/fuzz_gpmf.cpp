// libFuzzer target: one GPMF payload of a "gpmd" track.
#include "fuzzsupport.h"
#include "media/gpmfparser.h"
#include "media/timedtelemetry.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TimedTelemetry timed;
    GpmfParser::parse(reinterpret_cast<const char *>(data), qsizetype(size), 5.0, 1.0, &timed);
    for (const TimedTelemetry::Fix &fix : timed.fixes()) {
        fuzz::checkGps(fix.sample);
        fuzz::check(fix.time >= 5.0 && fix.time < 6.0);
    }
    for (const TimedTelemetry::Reading &reading : timed.readings()) {
        fuzz::checkGSensor(reading.sample);
        fuzz::check(reading.time >= 5.0 && reading.time < 6.0);
    }
    return 0;
}
