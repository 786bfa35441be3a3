#pragma once

#include "telemetrysource.h"

// A GPX file beside the recording (same base name, .gpx or .GPX): its track points timed
// by their UTC against the recording's start as for NMEA logs.
class GpxSidecarTelemetrySource : public TelemetrySource
{
public:
    Kind kind() const override { return Kind::GpxSidecar; }
    bool recognises(const Input &input) const override;
    bool read(const Input &input, TelemetryTrack *track) const override;
};
