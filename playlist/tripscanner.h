#pragma once

#include "trip.h"

#include <QVector>

#include <atomic>

class FolderScanner;
struct AVFormatContext;

// Finds the trips of a folder scan: opens the header of every recording to learn its length
// and stream layout (inspect), groups the recordings with TripGrouper and reads the GPS
// track of every trip for its distance and top speed (measure).
//
// The distance is the sum of the great-circle (haversine) distances between consecutive valid
// fixes. A step that would need more than MaxSpeedKmh is a fault of the receiver, not a
// drive: it is not counted, the fix before it stays the reference, and after
// RejectedFixesToMove such steps in a row the receiver is taken to have really moved and the
// latest fix becomes the reference (again without counting the jump). Fixes that report more
// than MaxSpeedKmh do not count for the top speed either. Across a file boundary the time
// between two fixes comes from the names, which carry whole seconds, so a second more is
// allowed there.
//
// Threads: stateless; any thread. scan reads the scanner's tables only, so a worker thread
// may run it while the scanner is not being changed (FolderScanner itself is single-thread:
// hand the worker a copy or keep the GUI thread off it until the scan ends).
class TripScanner
{
public:
    static constexpr double MaxSpeedKmh = 300;
    static constexpr int RejectedFixesToMove = 3;

    // Opens the recording's header only (no packet is read) and fills start, durationUs and
    // layout. When the header leaves the duration or a stream's parameters unknown, the file
    // is opened again with the stream-info probe. durationUs 0 and an empty layout when the
    // file cannot be opened or has no length.
    static TripRecording inspect(const PlayListEntry &entry);
    // Sets distanceMetres and maxSpeedKmh from the telemetry of the trip's playable
    // recordings (each opened header only).
    static void measure(Trip &trip);
    // The trips of the Driving table, of the Parking table and of the unknown-kind rows of the
    // All table that lie in no other table, each grouped on its own, with the recordings of the
    // Event table marked on the trips they fall in; measured, by start (undated ones last).
    // Every recording is opened once, the files shared out among up to 8 threads of its own.
    // Empty when *cancel turns true before the end.
    static QVector<Trip> scan(const FolderScanner &scanner,
                              const std::atomic<bool> *cancel = nullptr);

    // The stream layout of an open recording ("h264 1920x1080|aac 2ch 48000Hz|mov_text").
    // Empty when a stream's parameters are not known.
    static QString layoutOf(const AVFormatContext *ctx);
    // Great-circle distance in metres between two points given in degrees.
    static double haversineMetres(double lat1, double lon1, double lat2, double lon2);
};
