#include "tripgrouper.h"

#include <algorithm>

namespace {

constexpr qint64 ToleranceMs = qint64(TripGrouper::GapToleranceSeconds) * 1000;

// A trip while rows may still join it.
struct OpenTrip
{
    Trip trip;
    QVector<int64_t> lengthsUs; // the effective length of each recording
    QString layout; // of its playable recordings; empty while it has none
    qint64 lastStartMs = 0;
    qint64 lastEndMs = 0;
    bool playable = false; // has a playable recording
};

bool follows(const OpenTrip &open, const TripRecording &row, qint64 startMs)
{
    if (open.trip.kind != row.entry.kind)
        return false;
    if (startMs <= open.lastStartMs || startMs > open.lastEndMs + ToleranceMs)
        return false;
    return !row.playable() || open.layout.isEmpty() || open.layout == row.layout;
}

void append(OpenTrip &open, const TripRecording &row, qint64 startMs, int64_t lengthUs)
{
    open.trip.recordings.append(row);
    open.lengthsUs.append(lengthUs);
    open.lastStartMs = startMs;
    open.lastEndMs = startMs + lengthUs / 1000;
    if (row.playable()) {
        open.playable = true;
        if (open.layout.isEmpty())
            open.layout = row.layout;
    }
}

// The event marks of a finished trip, from events in time order.
void markEvents(const OpenTrip &open, Trip &trip, const QVector<TripRecording> &events)
{
    const QVector<TripRecording> &recordings = open.trip.recordings;
    for (const TripRecording &event : events) {
        if (!event.start.isValid() || event.start < trip.start || event.start > trip.end)
            continue;
        const qint64 at = event.start.toMSecsSinceEpoch();
        int64_t offsetUs = 0; // of the recording the event falls in on the trip's timeline
        int64_t intoUs = 0;
        for (int k = 0; k < recordings.size(); ++k) {
            const qint64 startMs = recordings[k].start.toMSecsSinceEpoch();
            if (startMs > at)
                break;
            if (k > 0 && recordings[k - 1].playable())
                offsetUs += recordings[k - 1].durationUs;
            intoUs = recordings[k].playable()
                    ? std::min<int64_t>((at - startMs) * 1000, recordings[k].durationUs)
                    : 0;
        }
        trip.events.append({event.entry.path, event.start, double(offsetUs + intoUs) / 1e6});
    }
}

} // namespace

QVector<int64_t> TripGrouper::effectiveDurations(const QVector<TripRecording> &rows)
{
    QVector<int64_t> lengths(rows.size(), 0);
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].playable()) {
            lengths[i] = rows[i].durationUs;
            continue;
        }
        const int kind = rows[i].entry.kind;
        for (int j = i - 1; j >= 0 && lengths[i] == 0; --j) {
            if (rows[j].entry.kind == kind && rows[j].playable())
                lengths[i] = rows[j].durationUs;
        }
        for (int j = i + 1; j < rows.size() && lengths[i] == 0; ++j) {
            if (rows[j].entry.kind == kind && rows[j].playable())
                lengths[i] = rows[j].durationUs;
        }
    }
    return lengths;
}

QVector<Trip> TripGrouper::group(const QVector<TripRecording> &rows,
                                 const QVector<TripRecording> &events)
{
    const QVector<int64_t> lengths = effectiveDurations(rows);
    QVector<OpenTrip> open;
    QVector<OpenTrip> finished;
    QVector<Trip> undated;
    for (int i = 0; i < rows.size(); ++i) {
        const TripRecording &row = rows[i];
        if (!row.start.isValid()) {
            if (row.playable()) {
                Trip trip;
                trip.kind = row.entry.kind;
                trip.recordings.append(row);
                undated.append(trip);
            }
            continue;
        }
        const qint64 startMs = row.start.toMSecsSinceEpoch();
        // Trips this row is too late for are done: every later row starts later still.
        for (int k = open.size() - 1; k >= 0; --k) {
            if (startMs > open[k].lastEndMs + ToleranceMs)
                finished.append(open.takeAt(k));
        }
        auto joined = std::find_if(open.begin(), open.end(), [&](const OpenTrip &trip) {
            return follows(trip, row, startMs);
        });
        if (joined == open.end()) {
            if (!row.playable() && lengths[i] == 0)
                continue; // no length to place it by and nothing to join
            OpenTrip trip;
            trip.trip.kind = row.entry.kind;
            open.append(trip);
            joined = open.end() - 1;
        }
        append(*joined, row, startMs, lengths[i]);
    }
    finished += open;

    // Events by their start, undated ones (never marked) last.
    QVector<TripRecording> byTime = events;
    std::stable_sort(
            byTime.begin(), byTime.end(), [](const TripRecording &a, const TripRecording &b) {
                return a.start.isValid() && (!b.start.isValid() || a.start < b.start);
            });

    QVector<Trip> trips;
    for (const OpenTrip &candidate : finished) {
        if (!candidate.playable)
            continue;
        Trip trip = candidate.trip;
        trip.start = trip.recordings.first().start;
        trip.end = QDateTime::fromMSecsSinceEpoch(candidate.lastEndMs, Qt::UTC);
        markEvents(candidate, trip, byTime);
        trips.append(trip);
    }
    std::stable_sort(trips.begin(), trips.end(), [](const Trip &a, const Trip &b) {
        return a.start < b.start;
    });
    return trips + undated;
}
