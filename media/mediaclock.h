#pragma once

#include <cstdint>
#include <mutex>

class MediaState;
struct MediaFrame;

// The presentation clock of one stream: maps frame timestamps to wall time within an epoch.
//
// An epoch starts when the seq of the presented data changes (a seek), when the play speed
// changes, or after reset() (frame_count 0); inside an epoch a frame with pts p is due at
// base_time + (p - first_pts) / speed. masterPts(seq) gives other streams the time of this
// one, but only for the same seq: a clock of an older epoch has no time for the new one.
//
// Threads: the stream's runner (update, pacing), the decoder (reset on a flush), the event
// loop thread (reset on stream enable), the audio renderer of an audio stream, and the runners
// of other streams reading masterPts. `m_mutex` guards every field.
//
// A video stream paced against another stream's clock (the audio of the recording) follows it
// gradually: at every frame its base time moves by a tenth of the distance between where its
// own mapping says the play is and where the master is (a jump of more than 200 ms is taken at
// once), so one late hand-off or a coarse device report does not shake the pictures.
class MediaClock
{
public:
    // owner gives the stream index for log lines and the end-of-stream flag; may be null.
    explicit MediaClock(MediaState *owner = nullptr);

    // Returns true when a new epoch began. now is seconds of the monotonic clock; a negative
    // value means "read the clock".
    bool update(double pts, int seq, double speed, int count, double now = -1);
    void reset();
    // The last presented pts for this seq, or false when this clock has no time for it yet.
    // A recording's first audio sits at pts 0, so 0 is a time like any other.
    bool masterPts(int seq, double *pts) const;
    // Where this clock stands at `now` for this seq, as a master for other streams: the
    // playhead when one is set in this epoch, else the epoch's mapping of wall time to pts
    // (no further than the last presented pts plus one second). False as for masterPts.
    bool masterPosition(int seq, double now, double *pts) const;

    // The playhead of an audio clock: at wall time `now` the device plays `pts`, and it moves
    // on at `rate` pts-seconds per second, never beyond `limit` (the end of what the device
    // was given). Set after each hand-off to the device; a new epoch forgets it.
    void setPlayhead(double pts, double now, double rate, double limit);
    // Stops the playhead where it is (the device was suspended), or lets it move on at rate.
    void holdPlayhead(double now);
    void releasePlayhead(double now, double rate);
    // The playhead at `now` when one is set, else the last presented pts.
    double playheadAt(double now) const;

    // Pacing of one video frame of this clock's stream against master (this clock itself when
    // the stream is its own master). Returns 0 to present (after sleeping *sleepUs
    // microseconds) or -1 to drop. now < 0 reads the monotonic clock.
    int pace(const MediaFrame &frame,
             const MediaClock *master,
             bool aborting,
             int64_t *sleepUs,
             double now = -1);

    static double nowSeconds();

    int seq() const;
    int frameCount() const;
    double baseTime() const;
    double firstPts() const;
    double lastPts() const;
    double speed() const;
    double lag() const;
    void setSpeedFields(double speed); // speed and prev_speed (MediaState::configure)

private:
    mutable std::mutex m_mutex;
    MediaState *m_owner; // constant after construction
    int32_t m_seq = -1;
    int32_t m_frameCount = 0;
    double m_baseTime = 0;
    double m_speed = 1.0;
    int32_t m_prevSeq = -1;
    double m_prevFirstPts = 0;
    double m_prevBaseTime = 0;
    double m_prevSpeed = 1.0;
    double m_firstPts = 0;
    double m_lastPts = 0;
    double m_prevPts = 0;
    double m_lag = 0;
    bool m_playheadSet = false;
    double m_playheadPts = 0;
    double m_playheadTime = 0;
    double m_playheadRate = 0;
    double m_playheadLimit = 0;

    double playheadAtLocked(double now) const;
};
