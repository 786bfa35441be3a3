#pragma once

// Shared by the libFuzzer targets: silences the parsers' log lines (they would drown the
// fuzzer's own output and slow it down) and checks the invariants every parsed sample keeps.
// A broken invariant aborts, which libFuzzer reports as a crash with the input that caused it.

#include "media/gpssample.h"
#include "media/gsensorsample.h"

#include <QVector>
#include <QtGlobal>

#include <cmath>
#include <cstdlib>

namespace fuzz {

inline void quietMessages(QtMsgType, const QMessageLogContext &, const QString &) { }

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Each axis is a multiple of 1/32 between 1/32 and 8 in magnitude.
inline void checkGSensor(const GSensorSample &s)
{
    for (double v : {s.x, s.y, s.z}) {
        const double steps = std::fabs(v) * 32.0;
        check(steps >= 1.0 && steps <= 256.0 && steps == std::floor(steps));
    }
}

inline void checkGps(const GpsSample &s)
{
    check(std::isfinite(s.latitude) && std::isfinite(s.longitude) && std::isfinite(s.speed));
    check(s.speed >= 0);
}

inline void checkLists(const QVector<GpsSample> &gps, const QVector<GSensorSample> &gsensor)
{
    for (const GpsSample &s : gps)
        checkGps(s);
    for (const GSensorSample &s : gsensor)
        checkGSensor(s);
}

} // namespace fuzz
