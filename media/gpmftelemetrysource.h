#pragma once

#include "telemetrysource.h"

// The GPMF metadata track ("gpmd") of action cameras, read with GpmfParser packet by packet
// through the stream's index; each packet's samples spread over its duration.
class GpmfTelemetrySource : public TelemetrySource
{
public:
    Kind kind() const override { return Kind::Gpmf; }
    bool recognises(const Input &input) const override;
    bool read(const Input &input, TelemetryTrack *track) const override;
};
