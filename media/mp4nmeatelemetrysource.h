#pragma once

#include "telemetrysource.h"

// NMEA text (NmeaText) in the movie: a "gps " box in moov or moov/udta, or a "free" box in
// moov/udta, whose payload holds RMC or GGA sentences. Timed by the lines' millisecond
// timestamps when every line has one, else by the sentences' UTC times (the first at 0), else
// spread evenly.
class Mp4NmeaTelemetrySource : public TelemetrySource
{
public:
    Kind kind() const override { return Kind::Mp4Nmea; }
    bool recognises(const Input &input) const override;
    bool read(const Input &input, TelemetryTrack *track) const override;
};
