#pragma once

#include "gpssample.h"

#include <QString>

// Positions written as text in the cues of a subtitle track, as some dash cameras and drones
// do. A cue is read in one of three forms (letters in any case):
//   keywords     "latitude: 22.543100 ... longitude: 113.951200" (also "lat", "lon", "lng",
//                "long"; ":" or "=" optional; signed decimal degrees);
//   hemispheres  "N22.5431 E113.9512" or "22.5431N 113.9512E" (also with a degree sign);
//   GPS(...)     "GPS(113.9512,22.5431,17)": longitude first, then latitude.
// A speed is a number followed by "km/h", "kmh", "kph", "mph" or "m/s", or after "speed"
// (km/h). A cue whose position lies outside the earth's ranges or is 0, 0 gives an invalid
// fix; a cue without a position gives none.
//
// Threads: stateless; callable from any thread.
class TextTrackCue
{
public:
    static bool parse(const QString &text, GpsSample *sample);
    // The text of a timed-text sample: a 16-bit big-endian length and UTF-8 text (the style
    // boxes after it are ignored). Empty when the length does not fit.
    static QString sampleText(const char *payload, qsizetype length);
    static constexpr int MaxCueLength = 4096;
};
