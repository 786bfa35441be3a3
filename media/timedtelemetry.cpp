#include "timedtelemetry.h"

#include <cmath>

void TimedTelemetry::addFix(double time, const GpsSample &sample)
{
    if (std::isfinite(time) && m_fixes.size() < MaxSamples)
        m_fixes.append({time, sample});
}

void TimedTelemetry::addReading(double time, const GSensorSample &sample)
{
    if (std::isfinite(time) && m_readings.size() < MaxSamples)
        m_readings.append({time, sample});
}

int TimedTelemetry::validFixCount() const
{
    int count = 0;
    for (const Fix &fix : m_fixes)
        count += fix.sample.valid ? 1 : 0;
    return count;
}

void TimedTelemetry::shift(double seconds)
{
    for (Fix &fix : m_fixes)
        fix.time += seconds;
    for (Reading &reading : m_readings)
        reading.time += seconds;
}

void TimedTelemetry::spreadEvenly(QVector<Fix> &fixes, double duration)
{
    if (fixes.isEmpty())
        return;
    const double step = duration > 0 ? duration / fixes.size() : 1.0;
    for (int i = 0; i < fixes.size(); ++i)
        fixes[i].time = i * step;
}

double TimedTelemetry::quantizeG(double value)
{
    if (!std::isfinite(value))
        return 1.0 / 32;
    const double magnitude = std::fabs(value);
    const double steps = std::min(256.0, std::max(1.0, std::round(magnitude * 32)));
    return (value < 0 ? -steps : steps) / 32;
}
