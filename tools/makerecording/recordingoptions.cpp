#include "recordingoptions.h"

#include "tools/framecode/framecode.h"

#include <QFileInfo>

#include <cmath>

namespace {

constexpr int MaxDimension = 4096;
constexpr double MaxFps = 240;
constexpr double MaxDuration = 3600;

// A finite double in [low, high]; false otherwise.
bool toDouble(const QString &text, double low, double high, double *value)
{
    bool ok = false;
    const double parsed = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(parsed) || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

bool toInt(const QString &text, int low, int high, int *value)
{
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok);
    if (!ok || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

int roundedCount(double duration, double rate)
{
    if (duration <= 0 || rate <= 0)
        return 0;
    return static_cast<int>(std::llround(duration * rate));
}

} // namespace

int RecordingOptions::frameCount(int videoIndex) const
{
    if (videoIndex < 0 || videoIndex >= videos.size())
        return 0;
    return roundedCount(duration, videos[videoIndex].fps);
}

int RecordingOptions::gpsCount() const
{
    return roundedCount(duration, gpsRate);
}

int RecordingOptions::gsensorCount() const
{
    return roundedCount(duration, gsensorRate);
}

bool RecordingOptions::parseVideo(const QString &text, Video *video, QString *error)
{
    const QStringList parts = text.split(QLatin1Char(','));
    const QStringList size = parts.value(0).split(QLatin1Char('x'));
    Video result;
    if (size.size() != 2 || !toInt(size[0], 64, MaxDimension, &result.width)
        || !toInt(size[1], 32, MaxDimension, &result.height)) {
        *error = QStringLiteral("--video %1: expected WxH with W in 64..%2 and H in 32..%2")
                         .arg(text)
                         .arg(MaxDimension);
        return false;
    }
    if (result.width % 2 != 0 || result.height % 2 != 0) {
        *error = QStringLiteral("--video %1: width and height must be even (4:2:0 video)")
                         .arg(text);
        return false;
    }
    for (int i = 1; i < parts.size(); ++i) {
        const int equals = parts[i].indexOf(QLatin1Char('='));
        const QString key = parts[i].left(equals).trimmed();
        const QString value = equals >= 0 ? parts[i].mid(equals + 1) : QString();
        bool ok = false;
        if (equals < 0)
            ok = false;
        else if (key == QLatin1String("fps"))
            ok = toDouble(value, 0.1, MaxFps, &result.fps);
        else if (key == QLatin1String("codecfps"))
            ok = toDouble(value, 0.1, MaxFps, &result.codecFps);
        else if (key == QLatin1String("gop"))
            ok = toInt(value, 1, 1000, &result.gop);
        else if (key == QLatin1String("bitrate"))
            ok = toInt(value, 1, 200000, &result.bitrateKbps);
        else if (key == QLatin1String("bframes"))
            ok = toInt(value, 0, 4, &result.bframes);
        else {
            *error = QStringLiteral("--video %1: unknown key '%2' (fps, codecfps, gop, bitrate, "
                                    "bframes)")
                             .arg(text, key);
            return false;
        }
        if (!ok) {
            *error = QStringLiteral("--video %1: bad value in '%2'").arg(text, parts[i]);
            return false;
        }
    }
    *video = result;
    return true;
}

bool RecordingOptions::parseTelemetry(const QString &text, Telemetry *kind, QString *error)
{
    if (text == QLatin1String("subtitle"))
        *kind = Telemetry::Subtitle;
    else if (text == QLatin1String("data"))
        *kind = Telemetry::Data;
    else if (text == QLatin1String("tlmd"))
        *kind = Telemetry::UserData;
    else if (text == QLatin1String("gpmf"))
        *kind = Telemetry::Gpmf;
    else if (text == QLatin1String("text-track"))
        *kind = Telemetry::TextTrack;
    else if (text == QLatin1String("nmea-box"))
        *kind = Telemetry::NmeaBox;
    else if (text == QLatin1String("freegps"))
        *kind = Telemetry::FreeGps;
    else {
        *error = QStringLiteral("--telemetry %1: expected subtitle, data, tlmd, gpmf, text-track, "
                                "nmea-box or freegps")
                         .arg(text);
        return false;
    }
    return true;
}

bool RecordingOptions::parseSidecar(const QString &text, Sidecar *kind, QString *error)
{
    if (text == QLatin1String("nmea"))
        *kind = Sidecar::Nmea;
    else if (text == QLatin1String("gpx"))
        *kind = Sidecar::Gpx;
    else {
        *error = QStringLiteral("--sidecar %1: expected nmea or gpx").arg(text);
        return false;
    }
    return true;
}

QString RecordingOptions::sidecarPath() const
{
    if (sidecar == Sidecar::None)
        return QString();
    const int dot = output.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > output.lastIndexOf(QLatin1Char('/')) ? output.left(dot) : output;
    return base + (sidecar == Sidecar::Nmea ? QStringLiteral(".nmea") : QStringLiteral(".gpx"));
}

bool RecordingOptions::parseDamage(const QString &text,
                                   Damage *kind,
                                   double *fraction,
                                   QString *error)
{
    if (text == QLatin1String("avi-no-index")) {
        *kind = Damage::AviNoIndex;
    } else if (text == QLatin1String("avi-torn-chunk")) {
        *kind = Damage::AviTornChunk;
    } else if (text == QLatin1String("mp4-no-moov")) {
        *kind = Damage::Mp4NoMoov;
    } else if (text == QLatin1String("mp4-hidden-fragments")) {
        *kind = Damage::Mp4HiddenFragments;
    } else if (text.startsWith(QLatin1String("truncate="))) {
        double value = 0;
        if (!toDouble(text.mid(9), 0, 1, &value) || value <= 0 || value >= 1) {
            *error = QStringLiteral("--damage %1: the fraction must lie between 0 and 1").arg(text);
            return false;
        }
        *kind = Damage::Truncate;
        *fraction = value;
    } else {
        *error = QStringLiteral("--damage %1: expected avi-no-index, avi-torn-chunk, "
                                "mp4-no-moov, "
                                "mp4-hidden-fragments or truncate=FRACTION")
                         .arg(text);
        return false;
    }
    return true;
}

bool RecordingOptions::parseClicks(const QString &text, QVector<double> *clicks, QString *error)
{
    QVector<double> result;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        double value = 0;
        if (!toDouble(part, 0, MaxDuration, &value)) {
            *error = QStringLiteral("--clicks %1: '%2' is not a time in seconds").arg(text, part);
            return false;
        }
        result.append(value);
    }
    if (result.isEmpty()) {
        *error = QStringLiteral("--clicks: no times given");
        return false;
    }
    *clicks = result;
    return true;
}

bool RecordingOptions::finalize(QString *error)
{
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix == QLatin1String("mp4")) {
        container = Container::Mp4;
    } else if (suffix == QLatin1String("avi")) {
        container = Container::Avi;
    } else {
        *error = QStringLiteral("%1: the output must end in .mp4 or .avi").arg(output);
        return false;
    }
    if (videos.isEmpty())
        videos.append(Video());
    if (videos.size() > 4) {
        *error = QStringLiteral("at most 4 --video streams");
        return false;
    }
    if (!std::isfinite(duration) || duration <= 0 || duration > MaxDuration) {
        *error = QStringLiteral("--duration must lie in (0, %1] seconds").arg(MaxDuration);
        return false;
    }
    for (int i = 0; i < videos.size(); ++i) {
        if (frameCount(i) < 1 || firstFrame < 0
            || frameCount(i) - 1 > FrameCode::MaxFrameNumber - firstFrame) {
            *error = QStringLiteral("video %1: %2 frames from number %3 cannot be numbered "
                                    "(0..%4)")
                             .arg(i + 1)
                             .arg(frameCount(i))
                             .arg(firstFrame)
                             .arg(FrameCode::MaxFrameNumber);
            return false;
        }
        if (videos[i].bframes > 0 && container != Container::Mp4) {
            *error = QStringLiteral("bframes needs an .mp4 output (AVI keeps no timestamps)");
            return false;
        }
    }
    if (audioRate < 8000 || audioRate > 192000 || audioChannels < 1 || audioChannels > 8) {
        *error = QStringLiteral("--audio-rate must lie in 8000..192000 and --audio-channels in "
                                "1..8");
        return false;
    }
    for (double click : clicks) {
        if (click >= duration) {
            *error = QStringLiteral("--clicks: %1 s lies outside the %2 s recording")
                             .arg(click)
                             .arg(duration);
            return false;
        }
    }
    if (!clicks.isEmpty() && !audio) {
        *error = QStringLiteral("--clicks needs --audio");
        return false;
    }
    if (!std::isfinite(gpsRate) || gpsRate <= 0 || gpsRate > 100) {
        *error = QStringLiteral("--gps-rate must lie in (0, 100]");
        return false;
    }
    if (!std::isfinite(gsensorRate) || gsensorRate < 0 || gsensorRate > 1000) {
        *error = QStringLiteral("--gsensor-rate must lie in [0, 1000]");
        return false;
    }
    if (hasTelemetry() && gpsCount() < 1) {
        *error = QStringLiteral("telemetry needs at least one GPS interval (duration x gps-rate "
                                ">= 0.5)");
        return false;
    }
    if (!telemetry.isEmpty() && container != Container::Mp4) {
        *error = QStringLiteral("--telemetry needs an .mp4 output (AVI has no timed-text or data "
                                "streams)");
        return false;
    }
    if (denseTelemetry && telemetry.isEmpty()) {
        *error = QStringLiteral("--dense-telemetry needs --telemetry");
        return false;
    }
    if (denseTelemetry && (gpsRate != 1 || gsensorRate <= 0)) {
        *error = QStringLiteral("--dense-telemetry writes GPS at 1 Hz and needs a G-sensor rate "
                                "above 0");
        return false;
    }
    if (!nmeaFile.isEmpty() && !hasTelemetry()) {
        *error = QStringLiteral("--nmea needs --telemetry or --sidecar");
        return false;
    }
    if (!std::isfinite(sidecarShift) || std::fabs(sidecarShift) > 86400) {
        *error = QStringLiteral("--sidecar-shift must lie within a day");
        return false;
    }
    if (telemetry.contains(Telemetry::FreeGps) && faststart) {
        *error = QStringLiteral("--telemetry freegps puts its blocks after moov; no --faststart");
        return false;
    }
    if ((telemetry.contains(Telemetry::FreeGps) || telemetry.contains(Telemetry::NmeaBox)
         || telemetry.contains(Telemetry::Gpmf))
        && damage != Damage::None) {
        *error = QStringLiteral("--telemetry gpmf, nmea-box and freegps cannot be combined with "
                                "--damage");
        return false;
    }
    switch (damage) {
    case Damage::AviNoIndex:
    case Damage::AviTornChunk:
        if (container != Container::Avi) {
            *error = QStringLiteral("--damage avi-*: needs an .avi output");
            return false;
        }
        break;
    case Damage::Mp4NoMoov:
    case Damage::Mp4HiddenFragments:
        if (container != Container::Mp4) {
            *error = QStringLiteral("--damage mp4-*: needs an .mp4 output");
            return false;
        }
        break;
    case Damage::None:
    case Damage::Truncate:
        break;
    }
    if (faststart && (container != Container::Mp4 || damage == Damage::Mp4HiddenFragments)) {
        *error = QStringLiteral("--faststart needs an unfragmented .mp4 output");
        return false;
    }
    if (damage == Damage::Mp4HiddenFragments && telemetry.contains(Telemetry::UserData)) {
        // Fragments may address their data by absolute file offsets, which a grown moov would move.
        *error = QStringLiteral("--telemetry tlmd cannot be combined with --damage "
                                "mp4-hidden-fragments");
        return false;
    }
    return true;
}
