#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

// A map picture around a position, composed from the tiles of a slippy-map tile server (a URL
// template with {z}, {x} and {y}, as the map panel uses), with the car marker at the centre and
// the tiles' attribution in the lower right corner. The tiles are fetched with
// QNetworkAccessManager, all at once, within a time limit.
//
// Threads: the thread that owns the application object (it runs a local event loop).
class MapTileComposer
{
public:
    static constexpr int TileSize = 256;

    // The picture of size `size` centred on the position at zoom level `zoom`. Null when no
    // tile could be fetched; tiles that fail stay light gray.
    static QImage compose(const QString &tileUrlTemplate,
                          const QString &attribution,
                          double latitude,
                          double longitude,
                          int zoom,
                          const QSize &size,
                          int timeoutMs = 10000);

    // The position in pixels of the whole world map at this zoom level (Web Mercator).
    static QPointF worldPixel(double latitude, double longitude, int zoom);
    // The URL of one tile.
    static QString tileUrl(const QString &tileUrlTemplate, int zoom, int x, int y);
};
