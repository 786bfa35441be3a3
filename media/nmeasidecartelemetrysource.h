#pragma once

#include "telemetrysource.h"

// An NMEA log beside the recording: the same base name with .nmea, .gps, .log or .txt (lower
// case or capitals). Fixes are timed by their UTC against the recording's start (RecordingStart:
// the name's local time, else the container's creation time), so a log that starts before the
// recording is cut to it and one that starts later leaves the first seconds without a fix.
class NmeaSidecarTelemetrySource : public TelemetrySource
{
public:
    Kind kind() const override { return Kind::NmeaSidecar; }
    bool recognises(const Input &input) const override;
    bool read(const Input &input, TelemetryTrack *track) const override;
};
