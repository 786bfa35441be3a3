#include "nmeatext.h"

#include "telemetryparser.h"
#include "timedtelemetry.h"

#include <QByteArray>
#include <QDate>

#include <cstring>

namespace {

constexpr qint64 DayMs = 24LL * 3600 * 1000;
constexpr int MaxStampDigits = 15;

struct Fields
{
    QList<QByteArray> list;
    const QByteArray &at(int i) const
    {
        static const QByteArray empty;
        return i < list.size() ? list.at(i) : empty;
    }
};

Fields split(const char *text, qsizetype length)
{
    Fields f;
    // The checksum ("*hh") belongs to no field.
    const void *star = std::memchr(text, '*', size_t(length));
    if (star)
        length = static_cast<const char *>(star) - text;
    f.list = QByteArray::fromRawData(text, int(length)).split(',');
    return f;
}

bool isDigits(const QByteArray &text, int from, int count)
{
    if (text.size() < from + count)
        return false;
    for (int i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

// "hhmmss" or "hhmmss.sss" as milliseconds of the day; -1 when it is not a time.
qint64 timeOfDay(const QByteArray &text)
{
    if (!isDigits(text, 0, 6))
        return -1;
    const int h = text.mid(0, 2).toInt();
    const int m = text.mid(2, 2).toInt();
    bool ok = false;
    const double s = text.mid(4).toDouble(&ok);
    if (!ok || h > 23 || m > 59 || !(s >= 0 && s < 61))
        return -1;
    return (h * 3600LL + m * 60LL) * 1000 + qint64(s * 1000 + 0.5);
}

// "ddmmyy" as ms since 1970 at midnight UTC; -1 when it is not a date. Two-digit years below
// 80 are this century's.
qint64 dateMs(const QByteArray &text)
{
    if (text.size() != 6 || !isDigits(text, 0, 6))
        return -1;
    const int d = text.mid(0, 2).toInt();
    const int m = text.mid(2, 2).toInt();
    const int yy = text.mid(4, 2).toInt();
    const QDate date(yy < 80 ? 2000 + yy : 1900 + yy, m, d);
    if (!date.isValid())
        return -1;
    return (date.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * DayMs;
}

// The sentence's address without talker ("RMC", "GGA") when it is a position sentence.
QByteArray sentenceType(const char *text, qsizetype length)
{
    if (length < 6 || text[5] != ',')
        return QByteArray();
    return QByteArray(text + 2, 3);
}

// The line's timestamp before its first "$": digits, optionally in brackets, then blanks,
// "," or ":". -1 when there is none; sets *dollar to the first "$" (or length).
qint64 lineStamp(const char *line, qsizetype length, qsizetype *dollar)
{
    const void *hit = std::memchr(line, '$', size_t(length));
    *dollar = hit ? static_cast<const char *>(hit) - line : length;
    qint64 value = 0;
    int digits = 0;
    for (qsizetype i = 0; i < *dollar; ++i) {
        const char c = line[i];
        if (c >= '0' && c <= '9') {
            if (++digits > MaxStampDigits)
                return -1;
            value = value * 10 + (c - '0');
        } else if (c == '[' || c == ']' || c == ' ' || c == '\t' || c == ',' || c == ':') {
            if (c == '[' && digits > 0)
                return -1;
        } else {
            return -1;
        }
    }
    return digits > 0 ? value : -1;
}

} // namespace

bool NmeaText::looksLikeNmea(const char *text, qsizetype length, qsizetype limit)
{
    const qsizetype end = std::min(length, limit);
    for (qsizetype i = 0; i + 7 <= end; ++i) {
        if (text[i] != '$')
            continue;
        const QByteArray type = sentenceType(text + i + 1, end - i - 1);
        if (type == "RMC" || type == "GGA")
            return true;
    }
    return false;
}

QVector<NmeaText::Fix> NmeaText::parse(const char *text, qsizetype length, int maxFixes)
{
    QVector<Fix> rmc;
    QVector<Fix> gga;
    qsizetype lineBegin = 0;
    while (lineBegin < length && rmc.size() < maxFixes) {
        qsizetype lineEnd = lineBegin;
        while (lineEnd < length && text[lineEnd] != '\n' && text[lineEnd] != '\r')
            ++lineEnd;
        const char *line = text + lineBegin;
        const qsizetype lineLength = lineEnd - lineBegin;
        lineBegin = lineEnd + 1;
        qsizetype at = 0;
        const qint64 stamp = lineStamp(line, lineLength, &at);
        while (at < lineLength) {
            qsizetype end = at + 1;
            while (end < lineLength && line[end] != '$')
                ++end;
            const char *sentence = line + at + 1;
            const qsizetype size = end - at - 1;
            at = end;
            const QByteArray type = sentenceType(sentence, size);
            if (type == "RMC") {
                Fix fix;
                if (!TelemetryParser::parseGpsSentence(sentence, size, &fix.sample))
                    continue;
                const Fields f = split(sentence, size);
                fix.dayMs = timeOfDay(f.at(1));
                const qint64 day = dateMs(f.at(9));
                if (fix.dayMs >= 0 && day >= 0)
                    fix.utcMs = day + fix.dayMs;
                fix.stampMs = stamp;
                rmc.append(fix);
            } else if (type == "GGA" && rmc.isEmpty() && gga.size() < maxFixes) {
                // Position and fix quality in RMC's layout, so that one parser reads both.
                const Fields f = split(sentence, size);
                const QByteArray quality = f.at(6);
                const QByteArray as = "GPRMC," + f.at(1) + ","
                        + (quality.isEmpty() || quality == "0" ? "V" : "A") + "," + f.at(2) + ","
                        + f.at(3) + "," + f.at(4) + "," + f.at(5) + ",0,0,,,,";
                Fix fix;
                if (!TelemetryParser::parseGpsSentence(as, &fix.sample))
                    continue;
                fix.dayMs = timeOfDay(f.at(1));
                fix.stampMs = stamp;
                gga.append(fix);
            }
        }
    }
    return rmc.isEmpty() ? gga : rmc;
}

NmeaText::Timing NmeaText::timingFor(const QVector<Fix> &fixes, qint64 startUtcMs)
{
    bool stamps = !fixes.isEmpty();
    bool dates = false;
    bool times = false;
    for (const Fix &fix : fixes) {
        stamps = stamps && fix.stampMs >= 0;
        dates = dates || fix.utcMs >= 0;
        times = times || fix.dayMs >= 0;
    }
    if (stamps)
        return Timing::Stamps;
    if (startUtcMs >= 0 && (dates || times))
        return Timing::UtcFromStart;
    if (times)
        return Timing::UtcFromFirst;
    return Timing::Even;
}

void NmeaText::toTimed(const QVector<Fix> &fixes,
                       Timing timing,
                       qint64 startUtcMs,
                       double duration,
                       TimedTelemetry *out)
{
    if (fixes.isEmpty())
        return;
    if (timing == Timing::Even) {
        QVector<TimedTelemetry::Fix> even;
        for (const Fix &fix : fixes)
            even.append({0, fix.sample});
        TimedTelemetry::spreadEvenly(even, duration);
        for (const TimedTelemetry::Fix &fix : even)
            out->addFix(fix.time, fix.sample);
        return;
    }
    // The day a fix without a date belongs to: the start's, else the first dated fix's.
    qint64 day = -1;
    if (startUtcMs >= 0)
        day = startUtcMs - startUtcMs % DayMs;
    for (const Fix &fix : fixes) {
        if (day < 0 && fix.utcMs >= 0)
            day = fix.utcMs - fix.dayMs;
    }
    if (day < 0)
        day = 0;
    auto utcOf = [&](const Fix &fix) -> qint64 {
        if (fix.utcMs >= 0)
            return fix.utcMs;
        if (fix.dayMs < 0)
            return -1;
        qint64 utc = day + fix.dayMs;
        // A log that runs over midnight UTC without dates: keep the times going forward.
        if (startUtcMs >= 0 && utc < startUtcMs - DayMs / 2)
            utc += DayMs;
        return utc;
    };
    qint64 origin = -1;
    if (timing == Timing::UtcFromStart) {
        origin = startUtcMs;
    } else {
        for (const Fix &fix : fixes) {
            const qint64 key = timing == Timing::Stamps ? fix.stampMs : utcOf(fix);
            if (key >= 0) {
                origin = key;
                break;
            }
        }
    }
    for (const Fix &fix : fixes) {
        const qint64 key = timing == Timing::Stamps ? fix.stampMs : utcOf(fix);
        if (key < 0 || origin < 0)
            continue;
        out->addFix(double(key - origin) / 1000.0, fix.sample);
    }
}
