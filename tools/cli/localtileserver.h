#pragma once

#include <QByteArray>
#include <QString>
#include <QThread>

class QTcpServer;

// A map tile server on 127.0.0.1 for the benchmark's window, so that the map panel loads real
// tile pictures and nothing leaves the machine: every "GET /{z}/{x}/{y}.png" gets one 256 x 256
// PNG (a plain colour with a grid), anything else 404.
//
// Threads: runs on a thread of its own (start() and the destructor on the creating thread), so
// that serving tiles costs the measured GUI thread nothing.
class LocalTileServer : public QThread
{
public:
    LocalTileServer();
    ~LocalTileServer() override;
    LocalTileServer(const LocalTileServer &) = delete;
    LocalTileServer &operator=(const LocalTileServer &) = delete;

    // Starts the thread and waits until it listens. False when no port could be opened.
    bool startServing();
    // "http://127.0.0.1:PORT/{z}/{x}/{y}.png"; valid after startServing.
    QString urlTemplate() const;
    int tilesServed() const { return m_served.loadAcquire(); }

protected:
    void run() override;

private:
    QByteArray m_tile; // written before the thread starts, read-only afterwards
    QAtomicInt m_port = 0; // 0 until listening, -1 when listening failed
    QAtomicInt m_served = 0;
};
