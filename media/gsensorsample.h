#pragma once

#include <QtGlobal>

// One accepted G-sensor reading of the telemetry track, in file order. Each axis is in g, a
// multiple of 1/32 between 1/32 and 8 in magnitude, never 0.
struct GSensorSample
{
    double x = 0;
    double y = 0;
    double z = 0;
};
Q_DECLARE_TYPEINFO(GSensorSample, Q_MOVABLE_TYPE);
