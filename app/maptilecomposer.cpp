#include "maptilecomposer.h"

#include "telemetry/maplog.h"

#include <QDebug>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace {

// The marker of the map page, when the program's images are there; else a drawn badge.
void drawMarker(QPainter &painter, const QPoint &centre)
{
    const QImage car(QStringLiteral(":/resource/map/google/car.png"));
    if (!car.isNull()) {
        painter.drawImage(centre - QPoint(car.width() / 2, car.height() / 2), car);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(QColor(0xd0, 0x30, 0x30));
    painter.drawEllipse(centre, 10, 10);
}

} // namespace

QPointF MapTileComposer::worldPixel(double latitude, double longitude, int zoom)
{
    const double n = std::ldexp(1.0, zoom) * TileSize;
    // Web Mercator ends at about 85.0511 degrees.
    const double lat = std::clamp(latitude, -85.05112878, 85.05112878) * M_PI / 180.0;
    const double x = (longitude + 180.0) / 360.0 * n;
    const double y = (1.0 - std::asinh(std::tan(lat)) / M_PI) / 2.0 * n;
    return {x, y};
}

QString MapTileComposer::tileUrl(const QString &tileUrlTemplate, int zoom, int x, int y)
{
    QString url = tileUrlTemplate;
    url.replace(QLatin1String("{z}"), QString::number(zoom));
    url.replace(QLatin1String("{x}"), QString::number(x));
    url.replace(QLatin1String("{y}"), QString::number(y));
    return url;
}

QImage MapTileComposer::compose(const QString &tileUrlTemplate,
                                const QString &attribution,
                                double latitude,
                                double longitude,
                                int zoom,
                                const QSize &size,
                                int timeoutMs)
{
    if (size.isEmpty() || zoom < 0 || zoom > 22 || !std::isfinite(latitude)
        || !std::isfinite(longitude)) {
        return QImage();
    }
    const QPointF centre = worldPixel(latitude, longitude, zoom);
    const QPoint origin(int(std::floor(centre.x())) - size.width() / 2,
                        int(std::floor(centre.y())) - size.height() / 2);
    const int tiles = 1 << zoom;
    const int firstX = int(std::floor(double(origin.x()) / TileSize));
    const int lastX = int(std::floor(double(origin.x() + size.width() - 1) / TileSize));
    const int firstY = std::max(0, int(std::floor(double(origin.y()) / TileSize)));
    const int lastY = std::min(tiles - 1,
                               int(std::floor(double(origin.y() + size.height() - 1) / TileSize)));

    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(0xdd, 0xdd, 0xdd));
    QPainter painter(&picture);

    QNetworkAccessManager network;
    struct Pending
    {
        QNetworkReply *reply;
        QPoint at; // where the tile goes in the picture
    };
    QVector<Pending> pending;
    for (int ty = firstY; ty <= lastY; ++ty) {
        for (int tx = firstX; tx <= lastX; ++tx) {
            const int wrapped = ((tx % tiles) + tiles) % tiles; // the world repeats east-west
            QNetworkRequest request(QUrl(tileUrl(tileUrlTemplate, zoom, wrapped, ty)));
            request.setHeader(QNetworkRequest::UserAgentHeader,
                              QStringLiteral("vistrel-tool report (dash-camera recording viewer)"));
            request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                                 QNetworkRequest::NoLessSafeRedirectPolicy);
            pending.append({network.get(request),
                            QPoint(tx * TileSize - origin.x(), ty * TileSize - origin.y())});
        }
    }
    int open = pending.size();
    QEventLoop loop;
    for (const Pending &p : pending) {
        QObject::connect(p.reply, &QNetworkReply::finished, &loop, [&] {
            if (--open == 0)
                loop.quit();
        });
    }
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (open > 0)
        loop.exec();

    int drawn = 0;
    for (const Pending &p : pending) {
        QImage tile;
        if (p.reply->isFinished() && p.reply->error() == QNetworkReply::NoError)
            tile.loadFromData(p.reply->readAll());
        else
            qCDebug(lcMap).noquote() << "map tile" << p.reply->url().toString()
                                     << "not fetched:" << p.reply->errorString();
        p.reply->abort();
        p.reply->deleteLater();
        if (tile.isNull())
            continue;
        painter.drawImage(QRect(p.at, QSize(TileSize, TileSize)), tile);
        ++drawn;
    }
    if (drawn == 0)
        return QImage();

    drawMarker(painter, QPoint(size.width() / 2, size.height() / 2));
    QTextDocument html;
    html.setHtml(attribution);
    const QString credit = html.toPlainText().trimmed();
    if (!credit.isEmpty()) {
        QFont font = painter.font();
        font.setPixelSize(10);
        painter.setFont(font);
        const QRect text = painter.fontMetrics().boundingRect(credit).adjusted(-3, -1, 3, 1);
        const QRect box(size.width() - text.width(),
                        size.height() - text.height(),
                        text.width(),
                        text.height());
        painter.fillRect(box, QColor(255, 255, 255, 200));
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, credit);
    }
    return picture;
}
