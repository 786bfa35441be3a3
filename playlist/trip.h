#pragma once

#include "media/triptimeline.h"
#include "playlistentry.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QVector>

#include <cstdint>

// What the trip scan learns of one listed recording by opening its header.
struct TripRecording
{
    PlayListEntry entry;
    QDateTime start; // from the name (FolderScanner::rowDateTime), UTC as the camera wrote it
    int64_t durationUs = 0; // from the container; 0 when the file cannot be opened
    QString layout; // the streams in order ("h264 1920x1080|h264 1280x720|aac 2ch 48000Hz|
                    // subtitle mov_text", TripScanner::layoutOf); empty when the file cannot
                    // be opened
    bool playable() const { return durationUs > 0 && !layout.isEmpty(); }
};

// An event recording that falls inside a trip, at its time on the trip's timeline (the
// playable recordings end to end, as played): the offset of the recording its start falls in
// plus the time into it.
struct TripEvent
{
    QString path;
    QDateTime start; // from its name
    double seconds = 0;
};

// Consecutive recordings of one kind played as one drive (see TripGrouper for the rule).
struct Trip
{
    int kind = 0; // RecordingKind of its recordings
    QVector<TripRecording> recordings; // in time order, the unplayable ones included
    QDateTime start; // of the first recording
    QDateTime end; // start of the last one plus its duration
    double distanceMetres = 0; // along the valid GPS fixes of every recording
    double maxSpeedKmh = 0; // the fastest valid fix
    QVector<TripEvent> events; // event recordings inside [start, end], in time order

    // The playable recordings end to end: what the engine plays.
    TripTimeline timeline() const
    {
        QVector<TripTimeline::File> files;
        for (const TripRecording &r : recordings) {
            if (r.playable())
                files.append({r.entry.path, r.durationUs});
        }
        return TripTimeline(files);
    }
    double durationSeconds() const { return double(timeline().durationUs()) / 1e6; }
};
Q_DECLARE_METATYPE(Trip)
