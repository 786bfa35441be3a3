#include "probecommand.h"

#include "media/avptr.h"
#include "media/configfile.h"
#include "media/globalsettings.h"
#include "media/mediainfo.h"
#include "media/telemetrytrack.h"
#include "playlist/trackexport.h"
#include "toolargs.h"
#include "tooloutput.h"
#include "toolusage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>

namespace {

QJsonObject streamJson(const StreamInfo &s)
{
    QJsonObject o;
    o.insert(QStringLiteral("index"), s.index);
    o.insert(QStringLiteral("mediaType"), s.mediaType);
    o.insert(QStringLiteral("pixelFormat"), s.pixelFormat);
    o.insert(QStringLiteral("width"), s.width);
    o.insert(QStringLiteral("height"), s.height);
    o.insert(QStringLiteral("aspect"), s.aspect);
    o.insert(QStringLiteral("isSurround"), s.isSurround);
    o.insert(QStringLiteral("viewMode"), s.viewMode);
    o.insert(QStringLiteral("previousViewMode"), s.previousViewMode);
    o.insert(QStringLiteral("singleWidth"), s.singleWidth);
    o.insert(QStringLiteral("singleHeight"), s.singleHeight);
    o.insert(QStringLiteral("tileWidth"), s.tileWidth);
    o.insert(QStringLiteral("tileHeight"), s.tileHeight);
    o.insert(QStringLiteral("sampleFormat"), s.sampleFormat);
    // JSON numbers are doubles: a 64-bit mask travels as a decimal string.
    o.insert(QStringLiteral("channelLayout"), QString::number(s.channelLayout));
    o.insert(QStringLiteral("channels"), s.channels);
    o.insert(QStringLiteral("sampleRate"), s.sampleRate);
    o.insert(QStringLiteral("displayedSeq"), s.displayedSeq);
    o.insert(QStringLiteral("seekingSeq"), s.seekingSeq);
    return o;
}

QJsonObject gpsJson(const GpsSample &g)
{
    QJsonObject o;
    o.insert(QStringLiteral("valid"), g.valid);
    o.insert(QStringLiteral("latitude"), g.latitude);
    o.insert(QStringLiteral("longitude"), g.longitude);
    o.insert(QStringLiteral("speed"), g.speed);
    return o;
}

QJsonObject gsensorJson(const GSensorSample &g)
{
    QJsonObject o;
    o.insert(QStringLiteral("x"), g.x);
    o.insert(QStringLiteral("y"), g.y);
    o.insert(QStringLiteral("z"), g.z);
    return o;
}

} // namespace

void ProbeCommand::applyModel(const QString &overrideCode)
{
    QString code = overrideCode;
    if (code.isEmpty()
        && !ConfigFile::readLastLine(
                QCoreApplication::applicationDirPath() + QStringLiteral("/model"), &code)) {
        return; // no model file: the defaults stay
    }
    GlobalSettings::applyProductModel(code);
}

QJsonObject ProbeCommand::telemetrySummary(const TelemetryTrack &track)
{
    QJsonObject o;
    o.insert(QStringLiteral("source"), track.source());
    QVector<GpsSample> gps;
    QVector<GSensorSample> gsensor;
    track.gpsSamples(gps);
    track.gsensorSamples(gsensor);
    o.insert(QStringLiteral("gpsCount"), gps.size());
    o.insert(QStringLiteral("validGpsCount"), track.validGpsCount());
    o.insert(QStringLiteral("gsensorCount"), gsensor.size());
    o.insert(QStringLiteral("gpsRate"), track.gpsRate());
    o.insert(QStringLiteral("gsensorRate"), track.gsensorRate());
    if (!gps.isEmpty()) {
        o.insert(QStringLiteral("firstGps"), gpsJson(gps.first()));
        o.insert(QStringLiteral("lastGps"), gpsJson(gps.last()));
    }
    if (!gsensor.isEmpty()) {
        o.insert(QStringLiteral("firstGsensor"), gsensorJson(gsensor.first()));
        o.insert(QStringLiteral("lastGsensor"), gsensorJson(gsensor.last()));
    }
    return o;
}

int ProbeCommand::run(const QStringList &arguments)
{
    const ToolArgs args(arguments, {QStringLiteral("model")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    if (args.positionals().size() != 1)
        return ToolOutput::fail(ToolUsage::usage(QStringLiteral("probe")), 2);
    const QString path = QFileInfo(args.positionals().first()).absoluteFilePath();
    applyModel(args.value(QStringLiteral("model")));

    MediaInfo info;
    const int ret = info.init(path);
    if (ret < 0) {
        return ToolOutput::fail(
                QStringLiteral("%1: cannot probe: %2 (%3)").arg(path, av::errorText(ret)).arg(ret));
    }

    QJsonObject result;
    result.insert(QStringLiteral("path"), path);
    result.insert(QStringLiteral("model"), GlobalSettings::productModelName());
    QJsonArray streams;
    for (const StreamInfo &s : info.streamInfos())
        streams.append(streamJson(s));
    result.insert(QStringLiteral("streams"), streams);
    result.insert(QStringLiteral("videoCount"), info.videoCount());
    result.insert(QStringLiteral("audioCount"), info.audioCount());
    result.insert(QStringLiteral("otherCount"), info.otherCount());
    result.insert(QStringLiteral("front"), info.front());
    result.insert(QStringLiteral("rear"), info.rear());
    result.insert(QStringLiteral("inner"), info.inner());
    result.insert(QStringLiteral("surround"), info.surround());
    result.insert(QStringLiteral("duration"), info.duration());
    result.insert(QStringLiteral("totalFrames"), static_cast<double>(info.totalFrames()));
    result.insert(QStringLiteral("damaged"), info.isDamaged());
    result.insert(QStringLiteral("state"), info.state());

    TelemetryTrack track;
    if (TrackExport::load(path, &track) == 0)
        result.insert(QStringLiteral("telemetry"), telemetrySummary(track));
    ToolOutput::printJson(QJsonDocument(result));
    return 0;
}
