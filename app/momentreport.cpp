#include "momentreport.h"

#include "framegrabber.h"
#include "maptilecomposer.h"
#include "media/avptr.h"
#include "media/globalsettings.h"
#include "media/gpssample.h"
#include "media/gsensorsample.h"
#include "media/mediainfo.h"
#include "media/telemetrytrack.h"
#include "playlist/trackexport.h"
#include "report/reportlayout.h"
#include "telemetry/mapsettings.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

// The map picture: about the size of the window's map view, twice as wide, at street level.
const QSize MapSize(560, 280);
constexpr int MapZoom = 16;

} // namespace

bool MomentReport::write(const QString &path,
                         double seconds,
                         const QString &out,
                         bool noMap,
                         QJsonObject *info,
                         QString *error)
{
    MediaInfo media;
    const int probe = media.init(path);
    if (probe != 0) {
        *error = QStringLiteral("cannot open %1: %2").arg(path, av::errorText(probe));
        return false;
    }
    if (seconds >= media.duration()) {
        *error = QStringLiteral("--time %1 s lies past the end of %2 (%3 s long)")
                         .arg(seconds)
                         .arg(path)
                         .arg(media.duration());
        return false;
    }

    // The frame on screen at that time, as the window numbers it (from the first stream's
    // rate, truncated), for every channel in ascending stream index.
    const qint64 number = media.firstStreamRateDen() > 0
            ? static_cast<qint64>(double(media.firstStreamRateNum()) * seconds
                                          / media.firstStreamRateDen()
                                  + 1e-6)
            : 0;
    QVector<int> streams;
    for (int role : {media.front(), media.inner(), media.rear()}) {
        if (role >= 0 && !streams.contains(role))
            streams << role;
    }
    std::sort(streams.begin(), streams.end());

    ReportLayout::Content content;
    content.windowTitle = GlobalSettings::productTitle();
    content.printedAt = QDateTime::currentDateTime();
    content.positionSection = !GlobalSettings::mapDisabled();
    for (int stream : streams) {
        const QImage picture = FrameGrabber::numberedFrame(path, stream, number, error);
        if (picture.isNull())
            return false;
        content.pictures << picture;
    }

    TelemetryTrack track;
    TrackExport::load(path, &track);
    // As the window's map panel: the last valid fix up to that time (an invalid one would put
    // the car off its route).
    QVector<GpsSample> gps;
    track.gpsSamples(gps);
    for (int i = track.gpsIndexAt(seconds); i >= 0; --i) {
        if (gps.at(i).valid) {
            content.positionKnown = true;
            content.latitude = gps.at(i).latitude;
            content.longitude = gps.at(i).longitude;
            break;
        }
    }
    if (const GSensorSample *g = track.gsensorAt(seconds)) {
        content.gsensorKnown = true;
        content.x = g->x;
        content.y = g->y;
        content.z = g->z;
    }
    if (content.positionSection && content.positionKnown && !noMap) {
        const MapSettings map = MapSettings::load();
        content.map = MapTileComposer::compose(map.tileUrlTemplate,
                                               map.tileAttribution,
                                               content.latitude,
                                               content.longitude,
                                               MapZoom,
                                               MapSize);
    }

    if (!ReportLayout::writePdf(out, content, error))
        return false;
    if (info) {
        info->insert(QStringLiteral("path"), QFileInfo(out).absoluteFilePath());
        info->insert(QStringLiteral("time"), seconds);
        info->insert(QStringLiteral("frame"), static_cast<double>(number));
        info->insert(QStringLiteral("pictures"), content.pictures.size());
        info->insert(QStringLiteral("map"), !content.map.isNull());
    }
    return true;
}
