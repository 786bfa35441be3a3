#include "mp4nmeatelemetrysource.h"

#include "atomreader.h"
#include "nmeatext.h"
#include "telemetrytrack.h"
#include "timedtelemetry.h"

#include <QFile>

namespace {

// The first of the boxes that may hold NMEA text whose payload does.
QByteArray nmeaPayload(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QList<QList<QByteArray>> places
            = {{"moov", "gps "}, {"moov", "udta", "gps "}, {"moov", "udta", "free"}};
    for (const QList<QByteArray> &place : places) {
        AtomReader::Status status = AtomReader::Status::NotFound;
        const QByteArray payload = AtomReader::readPayload(file, place, &status);
        if (status == AtomReader::Status::NotMp4)
            return QByteArray();
        if (status == AtomReader::Status::Found
            && NmeaText::looksLikeNmea(payload.constData(), payload.size()))
            return payload;
    }
    return QByteArray();
}

} // namespace

bool Mp4NmeaTelemetrySource::recognises(const Input &input) const
{
    return !nmeaPayload(input.path).isEmpty();
}

bool Mp4NmeaTelemetrySource::read(const Input &input, TelemetryTrack *track) const
{
    *track = TelemetryTrack();
    const QByteArray payload = nmeaPayload(input.path);
    const QVector<NmeaText::Fix> fixes
            = NmeaText::parse(payload.constData(), payload.size(), TimedTelemetry::MaxSamples);
    if (fixes.isEmpty())
        return false;
    // The text belongs to this file: its first line is the recording's start.
    NmeaText::Timing timing = NmeaText::timingFor(fixes, -1);
    TimedTelemetry timed;
    NmeaText::toTimed(fixes, timing, -1, input.duration, &timed);
    *track = TelemetryTrack::fromTimed(timed, input.duration);
    track->setSource(name(kind()));
    return true;
}
