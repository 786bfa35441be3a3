#include "freegpsblock.h"

#include "telemetryparser.h"

#include <QDate>

#include <cmath>
#include <cstring>

namespace {

quint32 bigEndian32(const char *p)
{
    const auto *u = reinterpret_cast<const uchar *>(p);
    return quint32(u[0]) << 24 | quint32(u[1]) << 16 | quint32(u[2]) << 8 | u[3];
}

quint32 littleEndian32(const char *p)
{
    const auto *u = reinterpret_cast<const uchar *>(p);
    return quint32(u[3]) << 24 | quint32(u[2]) << 16 | quint32(u[1]) << 8 | u[0];
}

float littleEndianFloat(const char *p)
{
    const quint32 bits = littleEndian32(p);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

QVector<FreeGpsBlock::Entry> FreeGpsBlock::parseIndex(const char *payload,
                                                      qsizetype length,
                                                      int maxEntries)
{
    QVector<Entry> entries;
    for (qsizetype at = IndexHeaderSize; at + 8 <= length && entries.size() < maxEntries; at += 8) {
        const Entry entry {bigEndian32(payload + at), bigEndian32(payload + at + 4)};
        if (entry.size > 0 && entry.size <= MaxBlockSize)
            entries.append(entry);
    }
    return entries;
}

double FreeGpsBlock::nmeaDegrees(double value)
{
    const double magnitude = std::fabs(value);
    const double degrees = std::floor(magnitude / 100);
    const double result = degrees + (magnitude - degrees * 100) / 60;
    return value < 0 ? -result : result;
}

bool FreeGpsBlock::parseBlock(const char *block, qsizetype length, Record *record)
{
    if (length < 16 || std::memcmp(block + 4, "free", 4) != 0
        || std::memcmp(block + 8, "GPS ", 4) != 0)
        return false;
    for (const int at : RecordOffsets) {
        if (at + RecordSize > length)
            break;
        const char *p = block + at;
        quint32 field[6];
        for (int i = 0; i < 6; ++i)
            field[i] = littleEndian32(p + 4 * i);
        const char status = p[24];
        const char latRef = p[25];
        const char lonRef = p[26];
        if ((status != 'A' && status != 'V') || (latRef != 'N' && latRef != 'S')
            || (lonRef != 'E' && lonRef != 'W'))
            continue;
        const quint32 hour = field[0], minute = field[1], second = field[2];
        const quint32 year = field[3] < 100 ? field[3] + 2000 : field[3];
        if (hour > 23 || minute > 59 || second > 60 || year > 9999)
            continue;
        const QDate date {int(year), int(field[4]), int(field[5])};
        if (!date.isValid())
            continue;
        const double latitude = nmeaDegrees(littleEndianFloat(p + 28));
        const double longitude = nmeaDegrees(littleEndianFloat(p + 32));
        const double knots = littleEndianFloat(p + 36);
        const double course = littleEndianFloat(p + 40);
        if (!std::isfinite(latitude) || !std::isfinite(longitude) || std::fabs(latitude) > 90
            || std::fabs(longitude) > 180)
            continue;
        record->sample.valid = status == 'A';
        record->sample.latitude = latRef == 'S' ? -latitude : latitude;
        record->sample.longitude = lonRef == 'W' ? -longitude : longitude;
        record->sample.speed
                = std::isfinite(knots) && knots >= 0 ? knots * TelemetryParser::KnotsToKmh : 0.0;
        record->course = std::isfinite(course) ? course : 0.0;
        record->utcMs = (date.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * 86400000LL
                + (qint64(hour) * 3600 + minute * 60 + second) * 1000;
        return true;
    }
    return false;
}
