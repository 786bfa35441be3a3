#include "localtileserver.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

constexpr int TileSize = 256;
constexpr int GridStep = 32;
constexpr int ListenWaitMs = 5000;

} // namespace

LocalTileServer::LocalTileServer()
{
    QImage tile(TileSize, TileSize, QImage::Format_RGB32);
    const QColor colour(0xc8, 0xb4, 0x96);
    tile.fill(colour);
    {
        QPainter painter(&tile);
        painter.setPen(colour.darker(125));
        for (int i = 0; i < TileSize; i += GridStep) {
            painter.drawLine(i, 0, i, TileSize - 1);
            painter.drawLine(0, i, TileSize - 1, i);
        }
    }
    QBuffer buffer(&m_tile);
    buffer.open(QIODevice::WriteOnly);
    tile.save(&buffer, "PNG");
}

LocalTileServer::~LocalTileServer()
{
    quit();
    wait();
}

bool LocalTileServer::startServing()
{
    start();
    QElapsedTimer timer;
    timer.start();
    while (m_port.loadAcquire() == 0 && timer.elapsed() < ListenWaitMs)
        QThread::msleep(5);
    return m_port.loadAcquire() > 0;
}

QString LocalTileServer::urlTemplate() const
{
    return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(m_port.loadAcquire());
}

void LocalTileServer::run()
{
    QTcpServer server;
    QHash<QTcpSocket *, QByteArray> pending;
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
                QByteArray &request = pending[socket];
                request += socket->readAll();
                const int end = request.indexOf("\r\n\r\n");
                if (end < 0)
                    return;
                const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
                pending.remove(socket);
                const QList<QByteArray> parts = line.value(1).split('/');
                const bool tile = line.value(0) == "GET" && parts.size() == 4
                        && parts.at(3).endsWith(".png");
                const QByteArray body = tile ? m_tile : QByteArray();
                socket->write("HTTP/1.1 " + QByteArray(tile ? "200 OK" : "404 Not Found")
                              + "\r\nContent-Type: image/png\r\nContent-Length: "
                              + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n"
                              + body);
                socket->disconnectFromHost();
                if (tile)
                    m_served.fetchAndAddRelaxed(1);
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [&, socket] {
                pending.remove(socket);
                socket->deleteLater();
            });
        }
    });
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        m_port.storeRelease(-1);
        return;
    }
    m_port.storeRelease(server.serverPort());
    exec();
}
