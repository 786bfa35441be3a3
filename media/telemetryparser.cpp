#include "telemetryparser.h"

#include "enginelog.h"
#include "telemetrytrack.h"

#include <QDebug>

#include <cmath>
#include <cstring>

namespace {

// A GPS sentence is accepted only with more than this many fields (NMEA 2.3 RMC has 13: the
// address field, eleven data fields and the mode indicator; older 12-field RMC is dropped).
constexpr qsizetype GpsMinimumFields = 13;
// Fields 0 to 7 are the only ones read.
constexpr int GpsFieldsRead = 8;
constexpr int GSensorTextFields = 12;

struct Field
{
    qsizetype begin = 0;
    qsizetype end = 0; // one past the last byte
};

// Splits text[0, length) at ",", records the first maxFields fields and returns how many
// fields there are in all.
qsizetype splitFields(const char *text, qsizetype length, Field *fields, int maxFields)
{
    qsizetype count = 0;
    qsizetype begin = 0;
    for (qsizetype i = 0; i <= length; ++i) {
        if (i < length && text[i] != ',')
            continue;
        if (count < maxFields) {
            fields[count].begin = begin;
            fields[count].end = i;
        }
        ++count;
        begin = i + 1;
    }
    return count;
}

bool fieldIs(const char *text, const Field &field, char c)
{
    return field.end - field.begin == 1 && text[field.begin] == c;
}

// A number as the sentence writes it; a conversion that fails (or gives no finite value)
// counts as 0.
double toNumber(const QByteArray &digits)
{
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

// The text of [begin, end) with every character other than a digit or "." removed (what the
// regular expression "[^0-9.]" leaves), converted.
double cleanedNumber(const char *text, qsizetype begin, qsizetype end)
{
    QByteArray kept;
    if (end > begin)
        kept.reserve(end - begin);
    for (qsizetype i = begin; i < end; ++i) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || c == '.')
            kept.append(c);
    }
    return toNumber(kept);
}

// Degrees and decimal minutes: the first degreeDigits characters are the degrees, the rest
// (cleaned) the minutes.
double degreesAndMinutes(const char *text, const Field &field, qsizetype degreeDigits)
{
    const qsizetype split = qMin(field.begin + degreeDigits, field.end);
    const double degrees = toNumber(QByteArray(text + field.begin, split - field.begin));
    const double minutes = cleanedNumber(text, split, field.end);
    return degrees + minutes / 60.0;
}

// Finds the first CR at or after a position. The answer of the last search is reused while it
// still holds, so a run of "$G" markers without any CR costs one pass over the data, not one
// pass per marker.
class CrFinder
{
public:
    CrFinder(const char *data, qsizetype size)
        : m_data(data)
        , m_size(size)
    { }

    // Position of the first CR in [from, size), or size when there is none.
    qsizetype find(qsizetype from)
    {
        if (from >= m_searchedFrom && from <= m_found)
            return m_found;
        m_searchedFrom = from;
        const void *hit = nullptr;
        if (from >= 0 && from < m_size)
            hit = std::memchr(m_data + from, '\r', size_t(m_size - from));
        m_found = hit ? static_cast<const char *>(hit) - m_data : m_size;
        return m_found;
    }

private:
    const char *m_data;
    qsizetype m_size;
    qsizetype m_searchedFrom = -1;
    qsizetype m_found = -2; // first CR at or after m_searchedFrom; nothing searched yet
};

// The GPS record whose "$" is at data[at] (data[at + 1] is "G"). Appends the sentence when it
// is accepted and returns where the scan goes on.
qsizetype readGpsRecord(const char *data,
                        qsizetype size,
                        qsizetype at,
                        CrFinder &crFinder,
                        QVector<GpsSample> &gps,
                        int *validCount)
{
    const qsizetype next = at + 2;
    const qsizetype cr = crFinder.find(at + 2);
    if (cr >= size || cr + 1 >= size || data[cr + 1] != '\n')
        return next;
    GpsSample sample;
    const qsizetype textBegin = at + 1; // the sentence starts at the "G"
    if (TelemetryParser::parseGpsSentence(data + textBegin, cr - textBegin, &sample)) {
        gps.append(sample);
        if (sample.valid && validCount)
            ++*validCount;
    }
    return cr + 2;
}

// The text G-sensor record whose "$" is at data[at] (data[at + 1] is "M"): twelve integers
// after "M", then ",0,0" and the "$" of the next record. A record that ends exactly at textEnd
// or at the end of the data needs no following "$", so the last record of a sample is kept.
qsizetype readTextGSensorRecord(const char *data,
                                qsizetype size,
                                qsizetype textEnd,
                                qsizetype at,
                                QVector<GSensorSample> &gsensor)
{
    const qsizetype next = at + 2;
    if (at + 3 >= size)
        return next;
    int commas = 0;
    for (qsizetype i = at + 2; i < size; ++i) {
        if (data[i] == '$')
            return next;
        if (data[i] != ',')
            continue;
        if (++commas < GSensorTextFields)
            continue;
        // i is the twelfth comma.
        qsizetype resume = -1;
        if (i + 4 < size && std::memcmp(data + i, ",0,0$", 5) == 0)
            resume = i + 4;
        else if ((i + 4 == size || i + 4 == textEnd) && i + 4 <= size
                 && std::memcmp(data + i, ",0,0", 4) == 0)
            resume = i + 4;
        if (resume < 0)
            return next;
        GSensorSample sample;
        if (TelemetryParser::parseGSensorText(data + at + 2, i - (at + 2), &sample))
            gsensor.append(sample);
        return resume;
    }
    return next;
}

// The binary G-sensor record whose "$" is at data[at] (data[at + 1] is "M").
qsizetype readBinaryGSensorRecord(const char *data,
                                  qsizetype size,
                                  qsizetype at,
                                  QVector<GSensorSample> &gsensor)
{
    const qsizetype next = at + 2;
    if (at > size - TelemetryParser::BinaryGSensorRecordSize)
        return next;
    GSensorSample sample;
    if (!TelemetryParser::decodeGSensorBody(
                data + at + 2, TelemetryParser::GSensorBodySize, &sample))
        return next;
    gsensor.append(sample);
    return at + TelemetryParser::BinaryGSensorRecordSize;
}

bool isMarker(const char *data, qsizetype size, qsizetype at, char kind)
{
    return at >= 0 && at + 1 < size && data[at] == '$' && data[at + 1] == kind;
}

} // namespace

bool TelemetryParser::parseGpsSentence(const char *text, qsizetype length, GpsSample *sample)
{
    if (!text || length <= 0 || !sample)
        return false;
    Field fields[GpsFieldsRead];
    if (splitFields(text, length, fields, GpsFieldsRead) < GpsMinimumFields)
        return false;

    GpsSample parsed;
    if (fieldIs(text, fields[2], 'A'))
        parsed.valid = true;
    else if (fieldIs(text, fields[2], 'V'))
        parsed.valid = false;
    else
        return false;

    const bool south = fieldIs(text, fields[4], 'S');
    if (!south && !fieldIs(text, fields[4], 'N'))
        return false;
    const bool west = fieldIs(text, fields[6], 'W');
    if (!west && !fieldIs(text, fields[6], 'E'))
        return false;

    parsed.latitude = degreesAndMinutes(text, fields[3], 2);
    if (south)
        parsed.latitude = -parsed.latitude;
    parsed.longitude = degreesAndMinutes(text, fields[5], 3);
    if (west)
        parsed.longitude = -parsed.longitude;
    // Knots near the top of the double range overflow in the conversion; such a speed counts
    // as 0 like any other that does not convert.
    parsed.speed = cleanedNumber(text, fields[7].begin, fields[7].end) * KnotsToKmh;
    if (!std::isfinite(parsed.speed))
        parsed.speed = 0.0;
    *sample = parsed;
    return true;
}

bool TelemetryParser::parseGpsSentence(const QByteArray &text, GpsSample *sample)
{
    return parseGpsSentence(text.constData(), text.size(), sample);
}

double TelemetryParser::gsensorValue(quint8 magnitude, quint8 sign)
{
    const double value = (double(magnitude) + 1.0) / 32.0;
    return static_cast<qint8>(sign) > 0 ? -value : value;
}

bool TelemetryParser::decodeGSensorBody(const char *body, qsizetype length, GSensorSample *sample)
{
    if (!body || length < GSensorBodySize || !sample)
        return false;
    const auto byte = [body](int i) {
        return static_cast<quint8>(body[i]);
    };
    if (byte(12) != 0 && byte(13) != 0)
        return false;
    sample->x = gsensorValue(byte(0), byte(3));
    sample->y = gsensorValue(byte(1), byte(4));
    sample->z = gsensorValue(byte(2), byte(5));
    return true;
}

bool TelemetryParser::parseGSensorText(const char *text, qsizetype length, GSensorSample *sample)
{
    if (!text || length <= 0 || !sample)
        return false;
    Field fields[GSensorTextFields];
    if (splitFields(text, length, fields, GSensorTextFields) != GSensorTextFields)
        return false;
    quint8 bytes[GSensorTextFields];
    for (int i = 0; i < GSensorTextFields; ++i) {
        bool ok = false;
        const qlonglong value = QByteArray(text + fields[i].begin, fields[i].end - fields[i].begin)
                                        .toLongLong(&ok, 10);
        // Modulo 256 as a byte; two's complement makes -1 the byte 255.
        bytes[i] = ok ? static_cast<quint8>(static_cast<qulonglong>(value) & 0xFF) : 0;
    }
    sample->x = gsensorValue(bytes[0], bytes[3]);
    sample->y = gsensorValue(bytes[1], bytes[4]);
    sample->z = gsensorValue(bytes[2], bytes[5]);
    return true;
}

bool TelemetryParser::parseSample(const char *payload,
                                  qsizetype length,
                                  bool lengthPrefix,
                                  TelemetryTrack &track)
{
    if (!payload || length <= 0)
        return false;
    qsizetype textLength = length;
    qsizetype start = 0;
    if (lengthPrefix) {
        if (length < 2)
            return false;
        textLength = qsizetype(quint8(payload[0])) * 256 + quint8(payload[1]);
        if (textLength > length - 2) {
            qCDebug(lcEngine).noquote() << "invalid user data";
            return false;
        }
        start = 2;
    }
    if (textLength == 0 || textLength == 1)
        return false;
    const qsizetype textEnd = start + textLength; // <= length

    bool found = false;
    for (qsizetype i = start; i + 1 < textEnd && !found; ++i)
        found = isMarker(payload, length, i, 'G') || isMarker(payload, length, i, 'M');
    if (!found)
        return false;

    // The scan runs to the end of the payload, not only of the text.
    CrFinder crFinder(payload, length);
    qsizetype i = start;
    while (i < length) {
        if (isMarker(payload, length, i, 'G'))
            i = readGpsRecord(payload, length, i, crFinder, track.m_gps, nullptr);
        else if (isMarker(payload, length, i, 'M'))
            i = readTextGSensorRecord(payload, length, textEnd, i, track.m_gsensor);
        else
            ++i;
    }
    return true;
}

void TelemetryParser::parseBlock(const char *block,
                                 qsizetype length,
                                 double durationSeconds,
                                 TelemetryTrack &track)
{
    if (!block || length <= 0)
        return;
    int gpsMarkers = 0;
    int gsensorMarkers = 0;
    for (qsizetype i = 0; i + 1 < length; ++i) {
        if (isMarker(block, length, i, 'G'))
            ++gpsMarkers;
        else if (isMarker(block, length, i, 'M'))
            ++gsensorMarkers;
    }
    qCDebug(lcEngine).noquote() << "gps#" << gpsMarkers << " rate "
                                << rateFor(durationSeconds, gpsMarkers) << ", gsensor#"
                                << gsensorMarkers << " rate "
                                << rateFor(durationSeconds, gsensorMarkers);
    // A block without any record is no telemetry: what the streams gave stays.
    if (gpsMarkers == 0 && gsensorMarkers == 0)
        return;

    track.m_gps.clear();
    track.m_gsensor.clear();
    int validCount = 0;
    CrFinder crFinder(block, length);
    qsizetype i = 0;
    while (i < length) {
        if (isMarker(block, length, i, 'G'))
            i = readGpsRecord(block, length, i, crFinder, track.m_gps, &validCount);
        else if (isMarker(block, length, i, 'M'))
            i = readBinaryGSensorRecord(block, length, i, track.m_gsensor);
        else
            ++i;
    }
    qCDebug(lcEngine).noquote() << "==> parsed gps#" << track.m_gps.size() << ", valid gps#"
                                << validCount << ", gsensor#" << track.m_gsensor.size();

    // Rates follow the samples actually parsed: a marker that gave no sample (another NMEA
    // sentence, a rejected one, "$G"/"$M" bytes inside a binary record) must not shift the
    // time-to-sample mapping.
    updateCounts(track, durationSeconds);
    if (track.m_gpsCount != gpsMarkers || track.m_gsensorCount != gsensorMarkers)
        qCDebug(lcEngine).noquote() << "TelemetryParser::parseBlock rates from parsed samples: gps"
                                    << track.m_gpsRate << ", gsensor" << track.m_gsensorRate;
}

void TelemetryParser::updateCounts(TelemetryTrack &track, double durationSeconds)
{
    track.m_gpsCount = track.m_gps.size();
    track.m_gsensorCount = track.m_gsensor.size();
    track.m_gpsRate = rateFor(durationSeconds, track.m_gpsCount);
    track.m_gsensorRate = rateFor(durationSeconds, track.m_gsensorCount);
}

double TelemetryParser::rateFor(double durationSeconds, int count)
{
    if (count <= 0 || !std::isfinite(durationSeconds) || durationSeconds <= 0)
        return 0.0;
    return durationSeconds / count;
}
