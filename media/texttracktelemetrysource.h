#pragma once

#include "telemetrysource.h"

// Positions written as text in the cues of a subtitle track (TextTrackCue), each fix timed
// by its cue. Tracks whose cues hold no position are passed over.
class TextTrackTelemetrySource : public TelemetrySource
{
public:
    Kind kind() const override { return Kind::TextTrack; }
    bool recognises(const Input &input) const override;
    bool read(const Input &input, TelemetryTrack *track) const override;
};
