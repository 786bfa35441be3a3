#pragma once

#include "media/telemetrytrack.h"
#include "media/triptimeline.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>
#include <memory>

class MediaContext;
class MediaEventLoop;
class MediaInfo;
class QTemporaryDir;
struct Trip;

// One recording at a time through the engine: probe -> repair (when damaged) -> open ->
// end of playing or error -> close -> the next row, and the window's close at the end. It keeps
// what the GUI knows of the engine (the recording reported open, the GUI's copy of its
// telemetry, the recordings still in the engine) and turns the engine's reports into state
// changes of the media info and into requests the window wires to its panels. It never touches
// a widget.
//
// Threads: GUI thread only; the engine's reports arrive queued. The playing context is only an
// identity token to match later reports against: it is never dereferenced, since a queued
// report can outlive it.
class PlaybackSession : public QObject
{
    Q_OBJECT

public:
    // Posts the engine's open of a probed (or repaired) recording with the window's display,
    // speed, volume and size.
    using OpenPoster = std::function<void(const QString &path)>;

    PlaybackSession(MediaInfo *info, MediaEventLoop *loop, QObject *parent = nullptr);
    ~PlaybackSession() override;

    // Without a poster the open goes out with no display, at normal speed and full volume.
    void setOpenPoster(OpenPoster poster) { m_postOpen = std::move(poster); }
    // Where repaired copies go.
    void setRepairFolder(const QString &folder) { m_repairFolder = folder; }
    // Recordings with more video streams than this are refused as invalid.
    void setMaxVideoStreams(int count) { m_maxVideoStreams = count; }

    // A row was chosen: plays it, after closing the recording that plays now.
    void play(const QString &path);
    // A trip was chosen: its playable recordings play as one recording (the engine opens the
    // concat list written here), after closing what plays now. Recordings that cannot be
    // opened are left out with the usual message naming them.
    void playTrip(const Trip &trip);
    // Probes a recording, repairs it when damaged, and posts its open.
    void open(const QString &path);
    // The play list has ended: the last repaired copy goes.
    void endOfList();
    // The window wants to close. True: nothing is left in the engine and it may go now. False:
    // it waits, for the repair under way or for the loop's end (finished() follows).
    bool requestClose();

    bool isClosing() const { return m_closing; }
    bool isRepairing() const;
    // 1 when the event loop ended with an error while the window was closing, otherwise 0.
    int exitCode() const { return m_exitCode; }
    MediaContext *playingContext() const { return m_playingContext; }
    QString playingPath() const { return m_playingPath; }
    // The GUI's copy of the playing recording's telemetry (empty when none plays).
    const TelemetryTrack &telemetry() const { return m_telemetry; }
    // The recording that plays at a playing time: for a trip the file of its timeline, with the
    // time into that file in *fileSeconds; otherwise the playing path and the time itself.
    QString recordingAt(double seconds, double *fileSeconds = nullptr) const;
    // The trip in play (empty when a single recording plays).
    TripTimeline playingTrip() const;
    // The times of the event recordings inside the trip in play (empty for a recording).
    QVector<double> tripEventMarks() const;
    // The playing time last reported (seconds); a seek sets it ahead of the report.
    double playingTime() const { return m_playingTime; }
    void setPlayingTime(double seconds) { m_playingTime = seconds; }

signals:
    // A message for the user ("Invalid File", ...).
    void problem(const QString &text);
    // An open (with its repair) is under way, or over.
    void busyChanged(bool busy);
    // The play list should go on after this recording (its end, its error, its failed open).
    void nextRowRequested(const QString &afterPath);
    // The recording reported open, or its close reported (null).
    void playingContextChanged(MediaContext *context);
    // A new position to show: the playing time and the frame number to display with it.
    void positionChanged(double seconds, int64_t frame);
    // Frame search must end before the recording closes (another row was chosen).
    void frameSearchLeaving();
    // The recording ended in frame search, which is now off.
    void frameSearchEnded();
    // The window asked to close and the loop has ended: it may close now.
    void closeReady();

private:
    void postOpen(const QString &path);
    void onRepairFinished(const QString &source, const QString &copy);
    void onOpened(MediaContext *context, const QString &path, int result);
    void onClosed(const QString &path, int result);
    void onFinished(int result);
    void onEndOfPlaying(MediaContext *context);
    void onError(MediaContext *context, int err);
    void onPlayingTime(MediaContext *context, double seconds);
    void onStateChanged(int oldState, int newState);

    struct TripInPlay
    {
        TripTimeline timeline;
        QVector<double> events;
    };

    MediaInfo *m_info;
    MediaEventLoop *m_loop;
    // The concat lists of the trips played, by path; removed with the session.
    std::unique_ptr<QTemporaryDir> m_tripFolder;
    QHash<QString, TripInPlay> m_trips;
    int m_tripCount = 0;
    OpenPoster m_postOpen;
    QString m_repairFolder;
    int m_maxVideoStreams = 2;
    QString m_nextFilePath; // the row to open once the playing recording's close is reported
    // Opens posted whose failure or close has not been reported yet: while above 0 the engine
    // may hold a recording, whatever its own flag says at this moment.
    int m_inEngine = 0;
    MediaContext *m_playingContext = nullptr;
    QString m_playingPath;
    TelemetryTrack m_telemetry;
    double m_playingTime = 0;
    bool m_closing = false;
    bool m_loopEnded = false;
    int m_exitCode = 0;
};
