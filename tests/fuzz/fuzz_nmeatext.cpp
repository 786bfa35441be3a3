// libFuzzer target: NMEA text (logs beside a recording, text in a movie box) and its timing.
#include "fuzzsupport.h"
#include "media/nmeatext.h"
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
    const char *text = reinterpret_cast<const char *>(data);
    const QVector<NmeaText::Fix> fixes = NmeaText::parse(text, qsizetype(size), 4096);
    fuzz::check(fixes.size() <= 4096);
    for (const NmeaText::Fix &fix : fixes) {
        fuzz::checkGps(fix.sample);
        fuzz::check(fix.dayMs < 24LL * 3600 * 1000 + 1000);
    }
    for (const qint64 start : {qint64(-1), qint64(1710430212000)}) {
        TimedTelemetry timed;
        NmeaText::toTimed(fixes, NmeaText::timingFor(fixes, start), start, 60, &timed);
        fuzz::check(timed.fixes().size() <= fixes.size());
        for (const TimedTelemetry::Fix &fix : timed.fixes())
            fuzz::check(std::isfinite(fix.time));
    }
    return 0;
}
