#pragma once

#include <QtGlobal>

// One accepted GPS fix of the telemetry track, in file order. The fixes are spread evenly over
// the recording; their own times are not stored (see TelemetryTrack::gpsIndexAt).
struct GpsSample
{
    bool valid = false; // status "A"; "V" (no fix) is stored with valid false
    double latitude = 0; // degrees, positive north, negative south
    double longitude = 0; // degrees, positive east, negative west
    double speed = 0; // km/h
};
Q_DECLARE_TYPEINFO(GpsSample, Q_MOVABLE_TYPE);
