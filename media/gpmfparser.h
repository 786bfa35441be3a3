#pragma once

#include <QByteArray>

class TimedTelemetry;

// GPMF, the metadata format of action cameras' "gpmd" tracks, as GoPro publishes it
// (github.com/gopro/gpmf-parser, Apache 2.0): key-length-value items, each a four-character
// key, a type character, the size of one sample in bytes and a big-endian 16-bit repeat
// count, then size x repeat bytes of big-endian data padded to a multiple of four. Type 0
// nests items (DEVC device, STRM stream). Inside a stream, SCAL gives the divisor of every
// field (one for all, or one per field) and TYPE the field types of a "?" structure.
// Read: GPS5 (latitude, longitude in degrees, altitude, 2D and 3D speed in m/s: int32 each),
// GPS9 (the same five, then days and seconds since 2000, precision, fix), GPSF (fix: 0 none,
// 2 2D, 3 3D; fixes below 2 are stored invalid) and ACCL (three int16 in m/s^2, in the order
// stored, taken as x, y, z and converted to g). One payload covers one packet of the track:
// its samples are spread evenly over [start, start + duration). Every read stays within the
// given length; nesting deeper than MaxDepth is not followed.
//
// Threads: stateless; callable from any thread.
class GpmfParser
{
public:
    static constexpr int MaxDepth = 8;
    static constexpr double StandardGravity = 9.80665;

    // Appends the payload's fixes and readings to out. Returns false when the payload is not
    // GPMF (its first item's header does not fit or is not a key).
    static bool parse(
            const char *data, qsizetype length, double start, double duration, TimedTelemetry *out);
};
