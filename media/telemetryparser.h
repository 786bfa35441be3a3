#pragma once

#include "gpssample.h"
#include "gsensorsample.h"

#include <QByteArray>

class TelemetryTrack;

// Parsers for the telemetry records of a recording. Records are introduced by "$":
//   "$G..." a GPS sentence (NMEA RMC) ending in CR LF;
//   "$M" + twelve comma-separated integers + ",0,0" a G-sensor reading in text form (streams);
//   "$M" + 14 bytes b0..b13 a G-sensor reading in binary form (the "tlmd" user-data block).
// Every read of the input is bounds-checked against the length passed in; nothing is read
// past it, whatever the content.
//
// Threads: stateless; callable from any thread. The functions that fill a TelemetryTrack run
// on the thread that loads it (TelemetryTrack::load).
class TelemetryParser
{
public:
    // Knots to km/h.
    static constexpr double KnotsToKmh = 1.852;
    // Size of a binary G-sensor record: "$", "M" and the 14-byte body.
    static constexpr int BinaryGSensorRecordSize = 16;
    static constexpr int GSensorBodySize = 14;

    // One GPS sentence: the text from the address field on ("GPRMC,123519,A,..."), without
    // the "$" and without CR LF. Accepted only with more than 12 fields, status A/V, N/S and
    // E/W; numbers that do not convert count as 0. Returns false when not accepted.
    static bool parseGpsSentence(const char *text, qsizetype length, GpsSample *sample);
    static bool parseGpsSentence(const QByteArray &text, GpsSample *sample);

    // One axis from its magnitude byte and sign byte: (m + 1) / 32, negative when the sign
    // byte read as a signed char is above 0.
    static double gsensorValue(quint8 magnitude, quint8 sign);

    // The 14-byte body b0..b13 of a binary G-sensor record. False when fewer than 14 bytes are
    // given or the trailer b12, b13 is non-zero in both bytes.
    static bool decodeGSensorBody(const char *body, qsizetype length, GSensorSample *sample);

    // The text form without "$M" and without the ",0,0" trailer: exactly twelve
    // comma-separated integers, each taken modulo 256 as a byte. False otherwise.
    static bool parseGSensorText(const char *text, qsizetype length, GSensorSample *sample);

    // One sample of a data or subtitle stream, appended to the track's lists. With lengthPrefix
    // the sample starts with the 16-bit big-endian length of the text that follows. Returns
    // false when the sample is rejected as a whole (too short, bad length, no record marker).
    static bool parseSample(const char *payload,
                            qsizetype length,
                            bool lengthPrefix,
                            TelemetryTrack &track);

    // The payload of the "tlmd" user-data atom. When it holds at least one record marker it
    // replaces the track's lists, counts and rates (rates from durationSeconds); a block
    // without any marker leaves the track as it was.
    static void parseBlock(const char *block,
                           qsizetype length,
                           double durationSeconds,
                           TelemetryTrack &track);

    // Sets the track's counts to the sizes of its lists and the rates to durationSeconds per
    // sample (0 without samples or without a known duration).
    static void updateCounts(TelemetryTrack &track, double durationSeconds);

    // Seconds per sample; 0 when count is 0 or the duration is not positive.
    static double rateFor(double durationSeconds, int count);
};
