#include "clipexportchoice.h"

#include <algorithm>
#include <cmath>

ClipExportChoice::ClipExportChoice(const QStringList &inputs,
                                   double in,
                                   double out,
                                   const QVector<ExportPlan::Channel> &channels)
    : m_inputs(inputs)
    , m_in(in)
    , m_out(out)
    , m_available(channels)
{
    std::sort(m_available.begin(), m_available.end());
    m_available.erase(std::unique(m_available.begin(), m_available.end()), m_available.end());
    m_available.removeAll(ExportPlan::Whole);
    m_channels = m_available;
}

bool ClipExportChoice::isAvailable() const
{
    return !m_inputs.isEmpty() && !m_available.isEmpty() && m_in >= 0 && m_out > m_in;
}

void ClipExportChoice::setChannels(const QVector<ExportPlan::Channel> &channels)
{
    m_channels.clear();
    for (ExportPlan::Channel channel : m_available) {
        if (channels.contains(channel))
            m_channels << channel;
    }
}

ExportPlan::Span ClipExportChoice::span() const
{
    ExportPlan::Span span;
    span.from = m_in;
    span.to = m_out;
    span.exact = m_exact;
    // Every channel is the plan's default; naming them all keeps the request the same.
    if (m_channels != m_available)
        span.channels = m_channels;
    return span;
}

QString ClipExportChoice::timeText(double seconds)
{
    const long long tenths = std::isfinite(seconds) && seconds > 0 ? std::llround(seconds * 10) : 0;
    const long long minutes = tenths / 600;
    const long long rest = tenths % 600;
    return QStringLiteral("%1:%2.%3")
            .arg(minutes, 2, 10, QLatin1Char('0'))
            .arg(rest / 10, 2, 10, QLatin1Char('0'))
            .arg(rest % 10);
}
