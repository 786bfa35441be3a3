#pragma once

#include "recordingkind.h"

#include <QString>

// One listed recording: what the folder scan found and what a row of the play list shows.
struct PlayListEntry
{
    QString path; // absolute file path
    QString date; // "yyyy-MM-dd" as taken from the name (not checked to be a calendar date)
    QString time; // "HH:mm:ss" as taken from the name (not checked to be a clock time)
    QString type; // translated type text: "Driving", "Event", "Parking" or "Unknown-" + letter
    int kind = RecordingKind::NotRecording; // RecordingKind parsed from the name

    bool operator==(const PlayListEntry &other) const
    {
        return path == other.path && date == other.date && time == other.time && type == other.type
                && kind == other.kind;
    }
    bool operator!=(const PlayListEntry &other) const { return !(*this == other); }
};
