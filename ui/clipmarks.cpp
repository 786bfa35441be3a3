#include "clipmarks.h"

#include <algorithm>
#include <cmath>

ClipMarks::ClipMarks(QObject *parent)
    : QObject(parent)
{ }

void ClipMarks::set(Which which, double seconds)
{
    const double at = std::isfinite(seconds) ? std::max(seconds, 0.0) : 0.0;
    double in = m_in;
    double out = m_out;
    if (which == In) {
        in = at;
        if (out >= 0 && out <= in)
            out = -1;
    } else {
        out = at;
        if (in >= 0 && in >= out)
            in = -1;
    }
    if (in == m_in && out == m_out)
        return;
    m_in = in;
    m_out = out;
    emit changed();
}

void ClipMarks::clear()
{
    if (!hasIn() && !hasOut())
        return;
    m_in = m_out = -1;
    emit changed();
}

void ClipMarks::setRecording(const QString &path)
{
    if (path == m_recording)
        return;
    m_recording = path;
    clear();
}
