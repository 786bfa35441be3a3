#pragma once

#include "gpssample.h"

#include <QVector>

// The GPS blocks that dash cameras on Novatek chipsets write into their MP4 files: a "gps "
// box in the movie lists where the blocks lie, and each block is a "free" atom whose payload
// starts with "GPS " and holds one fix in little-endian fields:
//   hour, minute, second, year, month, day   six uint32 (UTC; a two-digit year is 20yy)
//   status, latitude ref, longitude ref, -   four characters ("A"/"V", "N"/"S", "E"/"W")
//   latitude, longitude, speed, course       four float32 (ddmm.mmmm, dddmm.mmmm, knots, deg)
// The record starts 16 bytes into the atom, or 48 in the later layout with a 32-byte header
// of its own; each place is taken only when its characters, time and date are plausible.
// "gps " box payload: 8 bytes of version and flags, then (offset, size) pairs as big-endian
// uint32, each the file position and size of one block. Every read stays within the given
// length.
//
// Threads: stateless; callable from any thread.
class FreeGpsBlock
{
public:
    struct Entry
    {
        qint64 offset = 0;
        qint64 size = 0;
    };
    struct Record
    {
        GpsSample sample;
        qint64 utcMs = -1;
        double course = 0; // degrees
    };

    static constexpr qsizetype IndexHeaderSize = 8;
    static constexpr qsizetype MaxBlockSize = 1024 * 1024;
    static constexpr int RecordOffsets[] = {16, 48};
    static constexpr qsizetype RecordSize = 44;

    // The entries of a "gps " box payload, at most maxEntries; entries of size 0 or above
    // MaxBlockSize are dropped.
    static QVector<Entry> parseIndex(const char *payload, qsizetype length, int maxEntries);
    // One block from its atom header on. False when it is not a "free"/"GPS " atom or no
    // plausible record is found.
    static bool parseBlock(const char *block, qsizetype length, Record *record);
    // Degrees from an NMEA-style ddmm.mmmm value.
    static double nmeaDegrees(double value);
};
