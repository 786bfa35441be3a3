#pragma once

#include "media/gsensorsample.h"

#include <QVector>

// Finds the moments of a G-sensor record where the reading changes sharply: a hard braking or
// a sharp swerve (a few seconds of sustained acceleration away from the resting reading) and
// an impact (one reading far from it). The player marks them on its seek bar and jumps
// between them. The measure and the reasons for its thresholds are in docs/telemetry-events.md.
//
// The mounting of the camera is unknown, so no axis is assumed to point anywhere: each axis
// is compared with its own slowly moving mean, which holds gravity and the mounting offset.
//
// Threads: stateless; callable from any thread.
class GSensorEventDetector
{
public:
    // Length of the moving mean that stands for gravity and the mounting offset: long against
    // any manoeuvre, short enough to follow a change of slope. A shorter record is taken whole.
    static constexpr double BaselineSeconds = 120.0;
    // Length of the window over which a sustained deviation is averaged: about the length of a
    // braking to a stop, and enough readings to average road vibration down.
    static constexpr double WindowSeconds = 4.0;
    // Each reading's deviation is limited before averaging, so that isolated bumps (single
    // readings up to about 0.5 g on rough road) cannot add up to a sustained event: to this
    // value in windows of up to four readings, and in longer windows to ReadingClip x readings
    // / 4, so that one reading never moves the window mean by more than ReadingClip / 4.
    static constexpr double ReadingClip = 0.25;
    // Average deviation on one axis over the window that makes a sustained event (g).
    static constexpr double SustainedThreshold = 0.15;
    // Deviation of a single reading on one axis that makes an impact (g).
    static constexpr double ImpactThreshold = 0.8;
    // Two marks are at least this far apart; the stronger event of a closer pair wins.
    static constexpr double MinimumGapSeconds = 5.0;

    // Event times in seconds (sample index x secondsPerSample), ascending. Empty when there
    // are no samples or secondsPerSample is not a positive number.
    static QVector<double> detect(const QVector<GSensorSample> &samples, double secondsPerSample);

    // A mark within this distance of the playing time counts as the one just jumped to, so a
    // jump is not caught by the mark it landed on (the picture lands up to a frame off).
    static constexpr double JumpSlackSeconds = 1.0;
    // The mark to jump to from `seconds`: the first later one (direction > 0) or the last
    // earlier one (direction < 0) of the ascending marks, leaving out those within
    // JumpSlackSeconds; -1 when there is none.
    static double adjacentMark(const QVector<double> &marks, double seconds, int direction);
};
