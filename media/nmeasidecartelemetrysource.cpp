#include "nmeasidecartelemetrysource.h"

#include "enginelog.h"
#include "nmeatext.h"
#include "recordingstart.h"
#include "telemetrytrack.h"
#include "timedtelemetry.h"

#include <QDebug>
#include <QFile>

namespace {

const QStringList Suffixes = {QStringLiteral("nmea"),
                              QStringLiteral("gps"),
                              QStringLiteral("log"),
                              QStringLiteral("txt")};

// The first sidecar whose beginning reads as NMEA.
QString sidecarOf(const QString &path)
{
    for (const QString &candidate :
         TelemetrySource::sidecars(path, Suffixes, TelemetrySource::MaxSidecarSize)) {
        QFile file(candidate);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray head = file.read(65536);
        if (NmeaText::looksLikeNmea(head.constData(), head.size()))
            return candidate;
    }
    return QString();
}

} // namespace

bool NmeaSidecarTelemetrySource::recognises(const Input &input) const
{
    return !sidecarOf(input.path).isEmpty();
}

bool NmeaSidecarTelemetrySource::read(const Input &input, TelemetryTrack *track) const
{
    *track = TelemetryTrack();
    const QString sidecar = sidecarOf(input.path);
    QFile file(sidecar);
    if (sidecar.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.read(MaxSidecarSize);
    const QVector<NmeaText::Fix> fixes
            = NmeaText::parse(text.constData(), text.size(), TimedTelemetry::MaxSamples);
    if (fixes.isEmpty())
        return false;
    const qint64 start = RecordingStart::utcMs(input.path, input.format);
    const NmeaText::Timing timing = NmeaText::timingFor(fixes, start);
    if (timing != NmeaText::Timing::UtcFromStart)
        qCDebug(lcEngine).noquote() << "NMEA sidecar" << sidecar
                                    << "cannot be lined up by UTC with the recording's start";
    TimedTelemetry timed;
    NmeaText::toTimed(fixes, timing, start, input.duration, &timed);
    *track = TelemetryTrack::fromTimed(timed, input.duration);
    track->setSource(name(kind()));
    qCDebug(lcEngine).noquote() << "NMEA sidecar" << sidecar << ":" << fixes.size() << "fixes,"
                                << track->validGpsCount() << "valid within the recording";
    return true;
}
