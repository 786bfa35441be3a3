#pragma once

#include <QMutex>
#include <QStringList>
#include <QtGlobal>

// Switches the program's debug lines on and collects them while it is alive (forwarding them
// too with VISTREL_TEST_VERBOSE set), so tests can assert on the log lines the code promises.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();

    QStringList lines() const;
    bool contains(const QString &fragment) const;
    int count(const QString &fragment) const;
    void clear();

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QtMessageHandler m_previous = nullptr;
    mutable QMutex m_mutex;
    QStringList m_lines;
};
