#include "freegpstelemetrysource.h"

#include "atomreader.h"
#include "enginelog.h"
#include "freegpsblock.h"
#include "telemetrytrack.h"
#include "timedtelemetry.h"

#include <QDebug>
#include <QFile>

namespace {

// A movie holds one block per second; a day of them is plenty.
constexpr int MaxBlocks = 24 * 3600;

QByteArray indexPayload(QFile &file)
{
    AtomReader::Status status = AtomReader::Status::NotFound;
    QByteArray payload = AtomReader::readPayload(file, {"moov", "gps "}, &status);
    if (status != AtomReader::Status::Found)
        payload = AtomReader::readPayload(file, {"moov", "udta", "gps "}, &status);
    return status == AtomReader::Status::Found ? payload : QByteArray();
}

bool readBlock(QFile &file, const FreeGpsBlock::Entry &entry, QByteArray *bytes)
{
    if (entry.offset < 0 || entry.offset > file.size() || entry.size > file.size() - entry.offset)
        return false;
    if (!file.seek(entry.offset))
        return false;
    *bytes = file.read(entry.size);
    return bytes->size() == entry.size;
}

} // namespace

bool FreeGpsTelemetrySource::recognises(const Input &input) const
{
    QFile file(input.path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray index = indexPayload(file);
    const QVector<FreeGpsBlock::Entry> entries
            = FreeGpsBlock::parseIndex(index.constData(), index.size(), 1);
    QByteArray block;
    return !entries.isEmpty() && readBlock(file, entries.first(), &block) && block.size() >= 12
            && block.mid(4, 8) == "freeGPS ";
}

bool FreeGpsTelemetrySource::read(const Input &input, TelemetryTrack *track) const
{
    *track = TelemetryTrack();
    QFile file(input.path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray index = indexPayload(file);
    const QVector<FreeGpsBlock::Entry> entries
            = FreeGpsBlock::parseIndex(index.constData(), index.size(), MaxBlocks);
    QVector<FreeGpsBlock::Record> records;
    QByteArray block;
    int unreadable = 0;
    for (const FreeGpsBlock::Entry &entry : entries) {
        FreeGpsBlock::Record record;
        if (readBlock(file, entry, &block)
            && FreeGpsBlock::parseBlock(block.constData(), block.size(), &record))
            records.append(record);
        else
            ++unreadable;
    }
    if (unreadable > 0)
        qCDebug(lcEngine).noquote() << "freeGPS:" << unreadable << "of" << entries.size()
                                    << "blocks unreadable in" << input.path;
    if (records.isEmpty())
        return false;
    TimedTelemetry timed;
    const qint64 origin = records.first().utcMs;
    for (const FreeGpsBlock::Record &record : records)
        timed.addFix(double(record.utcMs - origin) / 1000.0, record.sample);
    *track = TelemetryTrack::fromTimed(timed, input.duration);
    track->setSource(name(kind()));
    return true;
}
