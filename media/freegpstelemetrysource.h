#pragma once

#include "telemetrysource.h"

// GPS blocks in "free" atoms listed by a "gps " box in the movie (FreeGpsBlock), each fix
// timed by its own UTC time, the first at 0.
class FreeGpsTelemetrySource : public TelemetrySource
{
public:
    Kind kind() const override { return Kind::FreeGps; }
    bool recognises(const Input &input) const override;
    bool read(const Input &input, TelemetryTrack *track) const override;
};
