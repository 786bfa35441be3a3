#include "gpxtrack.h"

#include "timedtelemetry.h"

#include <QDateTime>
#include <QXmlStreamReader>

#include <cmath>

namespace {

constexpr double EarthRadiusMetres = 6371008.8;
constexpr double MsToKmh = 3.6;

qint64 isoTimeMs(const QString &text)
{
    QDateTime time = QDateTime::fromString(text.trimmed(), Qt::ISODateWithMs);
    if (!time.isValid())
        return -1;
    if (time.timeSpec() == Qt::LocalTime)
        time.setTimeSpec(Qt::UTC); // GPX times are UTC; a zone-less one is read as such
    return time.toMSecsSinceEpoch();
}

} // namespace

bool GpxTrack::parse(const QByteArray &text, QVector<Point> *points, QString *error, int maxPoints)
{
    points->clear();
    QXmlStreamReader xml(text);
    bool sawGpx = false;
    bool inPoint = false;
    Point point;
    bool pointOk = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringRef name = xml.name();
            if (name == QLatin1String("gpx")) {
                sawGpx = true;
            } else if (name == QLatin1String("trkpt") || name == QLatin1String("rtept")) {
                inPoint = true;
                point = Point();
                bool latOk = false;
                bool lonOk = false;
                point.latitude = xml.attributes().value(QLatin1String("lat")).toDouble(&latOk);
                point.longitude = xml.attributes().value(QLatin1String("lon")).toDouble(&lonOk);
                pointOk = latOk && lonOk && std::fabs(point.latitude) <= 90
                        && std::fabs(point.longitude) <= 180;
            } else if (inPoint && name == QLatin1String("time")) {
                point.utcMs = isoTimeMs(xml.readElementText());
            } else if (inPoint && name == QLatin1String("speed")) {
                bool ok = false;
                const double speed = xml.readElementText().trimmed().toDouble(&ok);
                if (ok && std::isfinite(speed) && speed >= 0)
                    point.speedKmh = speed * MsToKmh;
            } else if (inPoint && name == QLatin1String("fix")) {
                point.valid = xml.readElementText().trimmed() != QLatin1String("none");
            }
        } else if (token == QXmlStreamReader::EndElement && inPoint
                   && (xml.name() == QLatin1String("trkpt")
                       || xml.name() == QLatin1String("rtept"))) {
            inPoint = false;
            if (pointOk) {
                points->append(point);
                if (points->size() >= maxPoints)
                    break;
            }
        }
    }
    if (xml.hasError() && points->size() < maxPoints) {
        if (error) {
            *error = QStringLiteral("not a GPX file: %1 (line %2)")
                             .arg(xml.errorString())
                             .arg(xml.lineNumber());
        }
        points->clear();
        return false;
    }
    if (!sawGpx) {
        if (error)
            *error = QStringLiteral("not a GPX file: no gpx element");
        points->clear();
        return false;
    }
    return true;
}

double GpxTrack::distanceMetres(double lat1, double lon1, double lat2, double lon2)
{
    const double rad = M_PI / 180;
    const double dLat = (lat2 - lat1) * rad;
    const double dLon = (lon2 - lon1) * rad;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2)
            + std::cos(lat1 * rad) * std::cos(lat2 * rad) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * EarthRadiusMetres * std::asin(std::min(1.0, std::sqrt(a)));
}

void GpxTrack::deriveSpeeds(QVector<Point> &points)
{
    for (int i = 0; i < points.size(); ++i) {
        Point &p = points[i];
        if (p.speedKmh >= 0)
            continue;
        p.speedKmh = 0;
        if (i == 0)
            continue;
        const Point &q = points[i - 1];
        const qint64 ms = p.utcMs - q.utcMs;
        if (p.utcMs < 0 || q.utcMs < 0 || ms <= 0)
            continue;
        const double metres = distanceMetres(q.latitude, q.longitude, p.latitude, p.longitude);
        p.speedKmh = metres / (double(ms) / 1000.0) * MsToKmh;
    }
    // The first point moves as the second does.
    if (points.size() > 1 && points[0].speedKmh == 0 && points[1].speedKmh > 0)
        points[0].speedKmh = points[1].speedKmh;
}

void GpxTrack::toTimed(const QVector<Point> &points,
                       qint64 startUtcMs,
                       double duration,
                       TimedTelemetry *out)
{
    bool timed = !points.isEmpty();
    for (const Point &p : points)
        timed = timed && p.utcMs >= 0;
    QVector<TimedTelemetry::Fix> fixes;
    for (const Point &p : points) {
        GpsSample sample;
        sample.valid = p.valid;
        sample.latitude = p.latitude;
        sample.longitude = p.longitude;
        sample.speed = std::max(0.0, p.speedKmh);
        double t = 0;
        if (timed)
            t = double(p.utcMs - (startUtcMs >= 0 ? startUtcMs : points.first().utcMs)) / 1000.0;
        fixes.append({t, sample});
    }
    if (!timed)
        TimedTelemetry::spreadEvenly(fixes, duration);
    for (const TimedTelemetry::Fix &fix : fixes)
        out->addFix(fix.time, fix.sample);
}
