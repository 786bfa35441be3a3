#include "telemetrysource.h"

#include "freegpstelemetrysource.h"
#include "gpmftelemetrysource.h"
#include "gpxsidecartelemetrysource.h"
#include "mp4nmeatelemetrysource.h"
#include "nmeasidecartelemetrysource.h"
#include "texttracktelemetrysource.h"
#include "userdatatelemetrysource.h"

#include <QDir>
#include <QFileInfo>

QString TelemetrySource::name(Kind kind)
{
    switch (kind) {
    case Kind::UserData:
        return QStringLiteral("tlmd");
    case Kind::Gpmf:
        return QStringLiteral("gpmf");
    case Kind::FreeGps:
        return QStringLiteral("freegps");
    case Kind::Mp4Nmea:
        return QStringLiteral("mp4-nmea");
    case Kind::TextTrack:
        return QStringLiteral("text-track");
    case Kind::NmeaSidecar:
        return QStringLiteral("nmea-sidecar");
    case Kind::GpxSidecar:
        return QStringLiteral("gpx-sidecar");
    }
    return QString();
}

const QVector<const TelemetrySource *> &TelemetrySource::all()
{
    // In the file before beside it; the cameras' own layout first.
    static const UserDataTelemetrySource userData;
    static const GpmfTelemetrySource gpmf;
    static const FreeGpsTelemetrySource freeGps;
    static const Mp4NmeaTelemetrySource mp4Nmea;
    static const TextTrackTelemetrySource textTrack;
    static const NmeaSidecarTelemetrySource nmeaSidecar;
    static const GpxSidecarTelemetrySource gpxSidecar;
    static const QVector<const TelemetrySource *> sources
            = {&userData, &gpmf, &freeGps, &mp4Nmea, &textTrack, &nmeaSidecar, &gpxSidecar};
    return sources;
}

QStringList TelemetrySource::sidecars(const QString &path,
                                      const QStringList &suffixes,
                                      qint64 maxSize)
{
    const QFileInfo info(path);
    const QString base = info.completeBaseName();
    if (base.isEmpty())
        return {};
    // A few look-ups by name rather than a listing of the folder, which on a card holds
    // thousands of recordings: the suffix as given and in capitals (cameras write either).
    QStringList found;
    for (const QString &suffix : suffixes) {
        for (const QString &variant : {suffix.toLower(), suffix.toUpper()}) {
            const QFileInfo candidate(info.dir(), base + QLatin1Char('.') + variant);
            if (candidate.isFile() && candidate.size() <= maxSize
                && candidate.absoluteFilePath() != info.absoluteFilePath()
                && !found.contains(candidate.absoluteFilePath()))
                found.append(candidate.absoluteFilePath());
        }
    }
    return found;
}
