#include "meterbench.h"

#include "media/mediainfo.h"
#include "media/telemetrytrack.h"
#include "playlist/trackexport.h"
#include "telemetry/gsensormeterwidget.h"
#include "tooloutput.h"

#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

int MeterBench::runChild(const QString &path, const QSize &size, int paints)
{
    TelemetryTrack track;
    if (TrackExport::load(path, &track) < 0 || track.gsensorCount() <= 0)
        return ToolOutput::fail(QStringLiteral("%1: no G-sensor readings").arg(path));
    const double duration = track.gsensorCount() * track.gsensorRate();

    GSensorMeterWidget meter(&track);
    meter.resize(size);
    meter.ensurePolished();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);

    QElapsedTimer timer;
    timer.start();
    meter.onMediaInfoStateChanged(nullptr, nullptr, MediaInfo::Stopped, MediaInfo::Playing);
    const double setMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    meter.render(&image);
    const double firstMs = timer.nsecsElapsed() / 1e6;

    QJsonArray paintMs;
    for (int i = 0; i < paints; ++i) {
        // The position moves on as during play; the record stays the same.
        meter.showPlayingTime(duration * (i + 1) / (paints + 1));
        timer.restart();
        meter.render(&image);
        paintMs.append(timer.nsecsElapsed() / 1e6);
    }

    QJsonObject o;
    o.insert(QStringLiteral("set_samples_ms"), setMs);
    o.insert(QStringLiteral("first_paint_ms"), firstMs);
    o.insert(QStringLiteral("paint_ms"), paintMs);
    o.insert(QStringLiteral("samples"), track.gsensorCount());
    o.insert(QStringLiteral("seconds_per_sample"), track.gsensorRate());
    o.insert(QStringLiteral("width"), size.width());
    o.insert(QStringLiteral("height"), size.height());
    ToolOutput::printJson(QJsonDocument(o));
    return 0;
}
