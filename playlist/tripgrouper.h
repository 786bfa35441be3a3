#pragma once

#include "trip.h"

#include <QVector>

// Groups the recordings of one play-list table into trips: the camera cuts a drive into
// files of about a minute, and the files that follow each other make one drive again.
//
// A recording joins a trip when it has the trip's kind, the trip's stream layout (so that the
// concat demuxer can play them as one input) and starts later than the trip's last recording
// started but no more than GapToleranceSeconds after that one ends (its start from the name
// plus its length). Names carry whole seconds, so a start a second before the previous end is
// normal; any overlap short of the same start joins. More than one trip can be open at a time: a
// camera that writes one file per channel (..._F.mp4 and ..._R.mp4 of the same minute) makes one
// trip per layout, not a trip per file.
//
// A recording that cannot be opened (TripRecording::playable() false) has no length and no
// layout: it joins whichever open trip of its kind it follows, whatever the layout, and counts
// as long as its nearest playable neighbour of the same kind in the rows (the one before it,
// else the one after it); with none, it has no length and can start no trip. A trip of
// unplayable recordings only is dropped: there is nothing to play.
//
// A recording whose name gives no valid date-time is never grouped with another: when it is
// playable it is a trip of its own, without start, end or event marks, after every dated trip;
// else it is left out.
//
// Event recordings whose start lies within [trip start, trip end] become the trip's event
// marks (one event may mark more than one trip), at the time on the trip's timeline that its
// start falls on; an event inside an unplayable recording is marked where that recording
// would have played (the end of the playable ones before it).
//
// Threads: stateless; any thread.
class TripGrouper
{
public:
    static constexpr int GapToleranceSeconds = 5;

    // rows: the recordings of one table in time order (FolderScanner's order: dated rows by
    // date-time, undated ones last). The trips come dated first, by start.
    static QVector<Trip> group(const QVector<TripRecording> &rows,
                               const QVector<TripRecording> &events);

    // The length grouping gives each row in microseconds: its own when playable, else that of
    // its nearest playable neighbour of the same kind (before it, else after it), else 0.
    static QVector<int64_t> effectiveDurations(const QVector<TripRecording> &rows);
};
