#include "trackexport.h"

#include "media/avinput.h"
#include "media/avptr.h"
#include "media/telemetrytrack.h"
#include "recordingname.h"
#include "trip.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTextStream>

namespace {

QString number(double value, int precision = 7)
{
    return QString::number(value, 'f', precision);
}

QString toJson(const TelemetryTrack &track)
{
    QVector<GpsSample> gps;
    QVector<GSensorSample> gsensor;
    track.gpsSamples(gps);
    track.gsensorSamples(gsensor);
    QJsonArray gpsRows;
    for (int i = 0; i < gps.size(); ++i) {
        QJsonObject o;
        o.insert(QStringLiteral("index"), i);
        o.insert(QStringLiteral("time"), i * track.gpsRate());
        o.insert(QStringLiteral("valid"), gps[i].valid);
        o.insert(QStringLiteral("latitude"), gps[i].latitude);
        o.insert(QStringLiteral("longitude"), gps[i].longitude);
        o.insert(QStringLiteral("speed"), gps[i].speed);
        gpsRows.append(o);
    }
    QJsonArray gRows;
    for (int i = 0; i < gsensor.size(); ++i) {
        QJsonObject o;
        o.insert(QStringLiteral("index"), i);
        o.insert(QStringLiteral("time"), i * track.gsensorRate());
        o.insert(QStringLiteral("x"), gsensor[i].x);
        o.insert(QStringLiteral("y"), gsensor[i].y);
        o.insert(QStringLiteral("z"), gsensor[i].z);
        gRows.append(o);
    }
    QJsonObject result;
    result.insert(QStringLiteral("source"), track.source());
    result.insert(QStringLiteral("gpsRate"), track.gpsRate());
    result.insert(QStringLiteral("gsensorRate"), track.gsensorRate());
    result.insert(QStringLiteral("gps"), gpsRows);
    result.insert(QStringLiteral("gsensor"), gRows);
    return QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Indented));
}

QString toCsv(const TelemetryTrack &track)
{
    QVector<GpsSample> gps;
    QVector<GSensorSample> gsensor;
    track.gpsSamples(gps);
    track.gsensorSamples(gsensor);
    QString text;
    QTextStream out(&text);
    out << "type,index,time,valid,latitude,longitude,speed,x,y,z\n";
    for (int i = 0; i < gps.size(); ++i) {
        out << "gps," << i << ',' << number(i * track.gpsRate(), 3) << ',' << (gps[i].valid ? 1 : 0)
            << ',' << number(gps[i].latitude) << ',' << number(gps[i].longitude) << ','
            << number(gps[i].speed, 3) << ",,,\n";
    }
    for (int i = 0; i < gsensor.size(); ++i) {
        out << "gsensor," << i << ',' << number(i * track.gsensorRate(), 3) << ",,,,,"
            << number(gsensor[i].x, 5) << ',' << number(gsensor[i].y, 5) << ','
            << number(gsensor[i].z, 5) << '\n';
    }
    return text;
}

// The GPS fixes as GPX; start (when valid) times the points, fix i at start + i x rate.
QString toGpx(const TelemetryTrack &track, const QString &trackName, const QDateTime &start)
{
    QVector<GpsSample> gps;
    track.gpsSamples(gps);
    const QString name = trackName.toHtmlEscaped();
    QString text;
    QTextStream out(&text);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<gpx version=\"1.1\" creator=\"vistrel-tool\" "
           "xmlns=\"http://www.topografix.com/GPX/1/1\""
        << " xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\">\n"
        << "  <trk>\n    <name>" << name << "</name>\n    <trkseg>\n";
    for (int i = 0; i < gps.size(); ++i) {
        if (!gps[i].valid)
            continue;
        out << "      <trkpt lat=\"" << number(gps[i].latitude) << "\" lon=\""
            << number(gps[i].longitude) << "\">\n";
        if (start.isValid()) {
            const QDateTime at = start.addMSecs(qRound64(i * track.gpsRate() * 1000.0));
            out << "        <time>" << at.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"))
                << "</time>\n";
        }
        out << "        <extensions><gpxtpx:TrackPointExtension><gpxtpx:speed>"
            << number(gps[i].speed / 3.6, 3)
            << "</gpxtpx:speed></gpxtpx:TrackPointExtension></extensions>\n"
            << "      </trkpt>\n";
    }
    out << "    </trkseg>\n  </trk>\n</gpx>\n";
    return text;
}

// The start a recording's name gives, in the camera's clock. Read as UTC, which has no
// daylight-saving gap to make a camera time invalid nor a change to put a jump into the times.
QDateTime nameStart(const QString &path)
{
    QString date, time, type;
    if (parseRecordingName(QFileInfo(path), &date, &time, &type) < 0)
        return QDateTime();
    const QDate day = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    const QTime clock = QTime::fromString(time, QStringLiteral("HH:mm:ss"));
    return day.isValid() && clock.isValid() ? QDateTime(day, clock, Qt::UTC) : QDateTime();
}

QString formatted(const TelemetryTrack &track,
                  TrackExport::Format format,
                  const QString &name,
                  const QDateTime &start)
{
    switch (format) {
    case TrackExport::Csv:
        return toCsv(track);
    case TrackExport::Gpx:
        return toGpx(track, name, start);
    case TrackExport::Json:
        break;
    }
    return toJson(track);
}

bool save(const QString &outputPath, const QString &text, QString *error)
{
    QSaveFile file(outputPath);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("%1: %2").arg(outputPath, file.errorString());
        return false;
    }
    return true;
}

} // namespace

int TrackExport::load(const QString &recordingPath, TelemetryTrack *track)
{
    av::InputError error;
    av::FormatContextPtr ctx = av::openInput(recordingPath, {}, &error);
    if (!ctx)
        return error.code;
    track->load(ctx.get(), recordingPath);
    return 0;
}

QString TrackExport::text(const TelemetryTrack &track, Format format, const QString &recordingPath)
{
    return formatted(track, format, QFileInfo(recordingPath).fileName(), nameStart(recordingPath));
}

QString TrackExport::tripText(const TelemetryTrack &track, Format format, const Trip &trip)
{
    const QString first
            = trip.recordings.isEmpty() ? QString() : trip.recordings.first().entry.path;
    const QString name = QStringLiteral("%1 (trip of %2 files)")
                                 .arg(QFileInfo(first).fileName())
                                 .arg(trip.recordings.size());
    return formatted(track, format, name, trip.start);
}

bool TrackExport::writeTripFile(const Trip &trip,
                                Format format,
                                const QString &outputPath,
                                QString *error)
{
    const TripTimeline timeline = trip.timeline();
    if (timeline.isEmpty()) {
        *error = QStringLiteral("the trip has no recording that can be opened");
        return false;
    }
    TelemetryTrack track;
    track.loadTrip(timeline);
    return save(outputPath, tripText(track, format, trip), error);
}

bool TrackExport::writeFile(const QString &recordingPath,
                            Format format,
                            const QString &outputPath,
                            QString *error)
{
    TelemetryTrack track;
    const int ret = load(recordingPath, &track);
    if (ret < 0) {
        *error = QStringLiteral("%1: cannot open: %2").arg(recordingPath, av::errorText(ret));
        return false;
    }
    return save(outputPath, text(track, format, recordingPath), error);
}

QString TrackExport::suffix(Format format)
{
    switch (format) {
    case Csv:
        return QStringLiteral("csv");
    case Gpx:
        return QStringLiteral("gpx");
    case Json:
        break;
    }
    return QStringLiteral("json");
}
