#include "texttrackcue.h"

#include <QRegularExpression>

#include <cmath>

namespace {

const QString Number = QStringLiteral("([-+]?\\d{1,3}(?:\\.\\d+)?)");

bool toDegrees(const QString &text, double *value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && std::isfinite(*value);
}

bool findKeywords(const QString &text, double *lat, double *lon)
{
    static const QRegularExpression latitude(QStringLiteral("\\b(?:latitude|lat)\\s*[:=]?\\s*")
                                                     + Number,
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression longitude(
            QStringLiteral("\\b(?:longitude|long|lon|lng)\\s*[:=]?\\s*") + Number,
            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch a = latitude.match(text);
    const QRegularExpressionMatch b = longitude.match(text);
    return a.hasMatch() && b.hasMatch() && toDegrees(a.captured(1), lat)
            && toDegrees(b.captured(1), lon);
}

bool findHemispheres(const QString &text, double *lat, double *lon)
{
    static const QRegularExpression before(
            QStringLiteral("(?<![A-Za-z])([NS])\\s*(\\d{1,2}(?:\\.\\d+)?)\\s*°?[\\s,;/]*"
                           "([EW])\\s*(\\d{1,3}(?:\\.\\d+)?)"),
            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression after(
            QStringLiteral("(\\d{1,2}(?:\\.\\d+)?)\\s*°?\\s*([NS])(?![A-Za-z])[\\s,;/]*"
                           "(\\d{1,3}(?:\\.\\d+)?)\\s*°?\\s*([EW])(?![A-Za-z])"),
            QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch m = before.match(text);
    QString ns, latText, ew, lonText;
    if (m.hasMatch()) {
        ns = m.captured(1), latText = m.captured(2), ew = m.captured(3), lonText = m.captured(4);
    } else {
        m = after.match(text);
        if (!m.hasMatch())
            return false;
        latText = m.captured(1), ns = m.captured(2), lonText = m.captured(3), ew = m.captured(4);
    }
    if (!toDegrees(latText, lat) || !toDegrees(lonText, lon))
        return false;
    if (ns.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0)
        *lat = -*lat;
    if (ew.compare(QLatin1String("W"), Qt::CaseInsensitive) == 0)
        *lon = -*lon;
    return true;
}

bool findGpsTuple(const QString &text, double *lat, double *lon)
{
    static const QRegularExpression tuple(QStringLiteral("\\bGPS\\s*\\(\\s*") + Number
                                                  + QStringLiteral("\\s*,\\s*") + Number,
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = tuple.match(text);
    return m.hasMatch() && toDegrees(m.captured(1), lon) && toDegrees(m.captured(2), lat);
}

double findSpeed(const QString &text)
{
    static const QRegularExpression unit(
            QStringLiteral("(\\d+(?:\\.\\d+)?)\\s*(km/h|kmh|kph|mph|m/s)"),
            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression keyword(
            QStringLiteral("\\bspeed\\s*[:=]?\\s*(\\d+(?:\\.\\d+)?)"),
            QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch m = unit.match(text);
    if (m.hasMatch()) {
        const double value = m.captured(1).toDouble();
        const QString u = m.captured(2).toLower();
        if (u == QLatin1String("mph"))
            return value * 1.609344;
        if (u == QLatin1String("m/s"))
            return value * 3.6;
        return value;
    }
    m = keyword.match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
}

} // namespace

bool TextTrackCue::parse(const QString &cue, GpsSample *sample)
{
    const QString text = cue.left(MaxCueLength);
    double lat = 0;
    double lon = 0;
    if (!findKeywords(text, &lat, &lon) && !findHemispheres(text, &lat, &lon)
        && !findGpsTuple(text, &lat, &lon))
        return false;
    const bool inRange = std::fabs(lat) <= 90 && std::fabs(lon) <= 180;
    sample->valid = inRange && !(lat == 0 && lon == 0);
    sample->latitude = inRange ? lat : 0;
    sample->longitude = inRange ? lon : 0;
    const double speed = findSpeed(text);
    sample->speed = std::isfinite(speed) && speed >= 0 && speed < 2000 ? speed : 0;
    return true;
}

QString TextTrackCue::sampleText(const char *payload, qsizetype length)
{
    if (length < 2)
        return QString();
    const qsizetype size = qsizetype(quint8(payload[0])) << 8 | quint8(payload[1]);
    if (size > length - 2)
        return QString();
    return QString::fromUtf8(payload + 2, int(std::min<qsizetype>(size, MaxCueLength)));
}
