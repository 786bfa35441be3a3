#pragma once

#include <QObject>
#include <QString>

// The in and out marks of a clip on the playing timeline (seconds; for a trip, on the trip's
// axis, so the marks may lie in different files of it). Setting one mark on the wrong side of
// the other drops the other: the marks always give a span from in to out when both are set.
// The marks belong to one recording: setRecording with another one clears them (a trip plays
// as one recording, its concat list, so its marks stay while its files play).
//
// Threads: GUI thread only.
class ClipMarks : public QObject
{
    Q_OBJECT

public:
    enum Which { In = 0, Out = 1 };

    explicit ClipMarks(QObject *parent = nullptr);

    // Sets a mark at a playing time (negative times count as 0).
    void set(Which which, double seconds);
    void clear();
    // The recording now playing; marks of another one are cleared.
    void setRecording(const QString &path);
    QString recording() const { return m_recording; }

    bool hasIn() const { return m_in >= 0; }
    bool hasOut() const { return m_out >= 0; }
    // Both marks set: the span [in, out) can be cut.
    bool isComplete() const { return hasIn() && hasOut(); }
    // Seconds; -1 when the mark is not set.
    double in() const { return m_in; }
    double out() const { return m_out; }

signals:
    void changed();

private:
    QString m_recording;
    double m_in = -1;
    double m_out = -1;
};
