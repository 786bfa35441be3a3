#include "gpxsidecartelemetrysource.h"

#include "enginelog.h"
#include "gpxtrack.h"
#include "recordingstart.h"
#include "telemetrytrack.h"
#include "timedtelemetry.h"

#include <QDebug>
#include <QFile>

namespace {

QString sidecarOf(const QString &path)
{
    const QStringList found = TelemetrySource::sidecars(
            path, {QStringLiteral("gpx")}, TelemetrySource::MaxSidecarSize);
    return found.isEmpty() ? QString() : found.first();
}

} // namespace

bool GpxSidecarTelemetrySource::recognises(const Input &input) const
{
    return !sidecarOf(input.path).isEmpty();
}

bool GpxSidecarTelemetrySource::read(const Input &input, TelemetryTrack *track) const
{
    *track = TelemetryTrack();
    const QString sidecar = sidecarOf(input.path);
    QFile file(sidecar);
    if (sidecar.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    QVector<GpxTrack::Point> points;
    QString error;
    if (!GpxTrack::parse(file.read(MaxSidecarSize), &points, &error, TimedTelemetry::MaxSamples)) {
        qCDebug(lcEngine).noquote() << "GPX sidecar" << sidecar << ":" << error;
        return false;
    }
    if (points.isEmpty())
        return false;
    GpxTrack::deriveSpeeds(points);
    TimedTelemetry timed;
    GpxTrack::toTimed(
            points, RecordingStart::utcMs(input.path, input.format), input.duration, &timed);
    *track = TelemetryTrack::fromTimed(timed, input.duration);
    track->setSource(name(kind()));
    return true;
}
