#pragma once

#include "telemetrysource.h"

// The cameras' own layout: telemetry records ("$G..." GPS sentences and "$M" G-sensor records,
// TelemetryParser) in the samples of every data and subtitle stream, replaced by the "tlmd"
// user-data atom when that holds records. Samples are spread evenly over the recording.
class UserDataTelemetrySource : public TelemetrySource
{
public:
    Kind kind() const override { return Kind::UserData; }
    bool recognises(const Input &input) const override;
    bool read(const Input &input, TelemetryTrack *track) const override;
};
