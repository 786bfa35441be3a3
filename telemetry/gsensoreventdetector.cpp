#include "gsensoreventdetector.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int Axes = 3;

double axisValue(const GSensorSample &sample, int axis)
{
    return axis == 0 ? sample.x : axis == 1 ? sample.y : sample.z;
}

// Number of samples covering the given seconds: at least one, at most count.
int samplesFor(double seconds, double secondsPerSample, int count)
{
    const double width = std::round(seconds / secondsPerSample);
    if (!(width >= 1))
        return 1;
    if (width >= double(count))
        return count;
    return int(width);
}

// The window of width samples around index, moved inside [0, count) at the ends.
struct Span
{
    int begin;
    int end; // exclusive
};

Span spanAround(int index, int width, int count)
{
    int begin = index - width / 2;
    int end = begin + width;
    if (begin < 0) {
        begin = 0;
        end = std::min(count, width);
    }
    if (end > count) {
        end = count;
        begin = std::max(0, count - width);
    }
    return {begin, end};
}

// Running sums per axis, for window means in constant time.
class PrefixSums
{
public:
    explicit PrefixSums(int count)
        : m_sums(size_t(count) + 1, {0, 0, 0})
    { }
    void set(int index, int axis, double value)
    {
        m_sums[size_t(index) + 1][axis] = m_sums[size_t(index)][axis] + value;
    }
    double mean(Span span, int axis) const
    {
        return (m_sums[size_t(span.end)][axis] - m_sums[size_t(span.begin)][axis])
                / (span.end - span.begin);
    }

private:
    std::vector<std::array<double, Axes>> m_sums;
};

struct Candidate
{
    double strength;
    int index;
};

} // namespace

QVector<double> GSensorEventDetector::detect(const QVector<GSensorSample> &samples,
                                             double secondsPerSample)
{
    const int count = samples.size();
    if (count == 0 || !(secondsPerSample > 0) || !std::isfinite(secondsPerSample))
        return {};

    const int baselineWidth = samplesFor(BaselineSeconds, secondsPerSample, count);
    const int windowWidth = samplesFor(WindowSeconds, secondsPerSample, count);

    const double clip = ReadingClip * std::max(1.0, windowWidth / 4.0);

    PrefixSums readings(count);
    for (int i = 0; i < count; ++i) {
        for (int axis = 0; axis < Axes; ++axis)
            readings.set(i, axis, axisValue(samples.at(i), axis));
    }

    // Deviation of every reading from its baseline; the largest axis makes an impact, the
    // clipped deviations feed the sustained measure.
    std::vector<Candidate> candidates;
    PrefixSums clipped(count);
    for (int i = 0; i < count; ++i) {
        const Span baseline = spanAround(i, baselineWidth, count);
        double largest = 0;
        for (int axis = 0; axis < Axes; ++axis) {
            const double deviation = axisValue(samples.at(i), axis) - readings.mean(baseline, axis);
            largest = std::max(largest, std::fabs(deviation));
            clipped.set(i, axis, std::clamp(deviation, -clip, clip));
        }
        if (largest >= ImpactThreshold)
            candidates.push_back({largest, i});
    }

    // Sustained events: each run of windows at or above the threshold gives one candidate, at
    // the centre of its strongest window.
    int runStart = -1;
    Candidate strongest {0, -1};
    for (int i = 0; i <= count; ++i) {
        double measure = 0;
        if (i < count) {
            const Span window = spanAround(i, windowWidth, count);
            for (int axis = 0; axis < Axes; ++axis)
                measure = std::max(measure, std::fabs(clipped.mean(window, axis)));
        }
        if (i < count && measure >= SustainedThreshold) {
            if (runStart < 0) {
                runStart = i;
                strongest = {measure, i};
            } else if (measure > strongest.strength) {
                strongest = {measure, i};
            }
        } else if (runStart >= 0) {
            candidates.push_back(strongest);
            runStart = -1;
        }
    }

    // The strongest candidates win; a weaker one closer than the gap to a kept one goes.
    std::sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        return a.strength != b.strength ? a.strength > b.strength : a.index < b.index;
    });
    std::vector<int> kept;
    for (const Candidate &candidate : candidates) {
        const bool farEnough = std::all_of(kept.begin(), kept.end(), [&](int index) {
            return std::abs(index - candidate.index) * secondsPerSample >= MinimumGapSeconds;
        });
        if (farEnough)
            kept.push_back(candidate.index);
    }
    std::sort(kept.begin(), kept.end());

    QVector<double> times;
    times.reserve(int(kept.size()));
    for (int index : kept)
        times.append(index * secondsPerSample);
    return times;
}

double GSensorEventDetector::adjacentMark(const QVector<double> &marks,
                                          double seconds,
                                          int direction)
{
    if (direction > 0) {
        for (double mark : marks) {
            if (mark > seconds + JumpSlackSeconds)
                return mark;
        }
    } else {
        for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
            if (*it < seconds - JumpSlackSeconds)
                return *it;
        }
    }
    return -1;
}
