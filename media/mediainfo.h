#pragma once

#include "streaminfo.h"

#include <QMap>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class ConverterRunner;
class MediaContext;

// The one description of the recording the viewer works on and its play state.
//
// Threads: the GUI thread runs every operation (the main window owns the one instance; the two
// SetFrameSearchMode slots run from single-shot timers on the same thread), with two
// exceptions that take the mutex: the video display calls setDisplayedSeq on a stream's runner
// thread for every frame it receives, and its layout code (GUI thread) reads and edits records
// while it holds the display's own mutex. Lock order: the display's mutex -> m_mutex; m_mutex
// is innermost and never held while calling out (an editStreamInfo function must not call back
// into this object).
// Locking: `m_mutex` guards m_state, m_streams (the records' fields included),
// m_streamPosition, m_seeking and m_frameSearchMode. Records leave only as copies
// (streamInfo, streamInfos) and are changed under the mutex (editStreamInfo and the setters).
// The remaining fields are plain GUI-thread fields. The state signal is emitted with the mutex
// released, so slots may call back in. A `MediaContext *` in the signal is an identity token
// for the GUI: it is never dereferenced there (the context lives on the engine's threads and
// may already be deleted when a queued signal arrives).
class MediaInfo : public QObject
{
    Q_OBJECT

public:
    enum MediaInfoState {
        Idle = 0, // no recording
        Stopped = 1, // probed, closed, or its open failed after the probe
        Playing = 2,
        Paused = 3,
    };

    // Stream selection meaning "all channels side by side".
    static constexpr int AllChannels = 0x10000;

    explicit MediaInfo(QObject *parent = nullptr);
    ~MediaInfo() override;

    // Probes a recording on a short-lived format context of its own. 0 on success, else the
    // FFmpeg error of the failed open or stream-info step (the object is then left reset).
    int init(const QString &path);
    void reset();
    void changeState(int newState, MediaContext *playingContext, bool notify);
    int state() const;
    bool isOpened() const;

    // A copy of the record of a stream (a default record when there is none).
    StreamInfo streamInfo(int streamIndex) const;
    bool hasStreamInfo(int streamIndex) const;
    // Runs edit on the record under the lock; false when the stream has no record.
    bool editStreamInfo(int streamIndex, const std::function<void(StreamInfo &)> &edit);
    // Copies of the records in stream order (for reports and the command line).
    std::vector<StreamInfo> streamInfos() const;
    bool hasSurroundStream() const;

    void setFrameSearchMode(bool on);
    bool isFrameSearchMode() const;
    void startFrameSearch() { m_frameSearching = true; }
    void finishFrameSearch() { m_frameSearching = false; }
    bool isFrameSearching() const { return m_frameSearching; }

    void startSeeking();
    void finishSeeking();
    bool isSeeking();
    void setSeekingStreamInfo(int streamIndex, int seq);
    // Any thread (the display calls it on runner threads).
    void setDisplayedSeq(int streamIndex, int seq);
    void setSeekingAbsolute(bool absolute);
    bool isSeekingAbsolute() const { return m_seekingAbsolute; }

    void setShownStream(int streamIndex) { m_shownStream = streamIndex; }
    int shownStream() const { return m_shownStream; }
    void setCurrentFrame(int64_t frame) { m_currentFrame = frame; }
    int64_t currentFrame() const { return m_currentFrame; }

    // Deletes a temporary file (a repaired copy) and clears the path, also when the file
    // was already gone. A file that cannot be deleted stays; that is only logged.
    void clearTempFile(QString &path);

    // Starts rebuilding a playable copy of a damaged recording with the external converter,
    // keeping every video packet the file still holds. repairFinished() follows exactly once,
    // with the copy's path or "" when no usable copy could be made (the damaged file then
    // plays); a copy from an earlier open is reused at once. False, with nothing started, while
    // another repair runs.
    bool startRepair(const QString &inputPath, const QString &outputFolder);
    bool isRepairing() const;
    // startRepair() and wait for its end while spinning a local event loop (input events held
    // back), so the calling thread's windows keep repainting (command line and tests).
    QString repairRecording(const QString &inputPath, const QString &outputFolder);
    // The converter's arguments for a repair (exposed for the command line and the tests).
    static QStringList repairArguments(const QString &inputPath, const QString &outputPath);
    // Path the repaired copy of inputPath gets in outputFolder.
    static QString repairOutputPath(const QString &inputPath, const QString &outputFolder);
    // Converter program and time limit; tests point them at stand-ins.
    void setConverterProgram(const QString &program) { m_converterProgram = program; }
    void setConverterTimeoutMs(int ms) { m_converterTimeoutMs = ms; }

    // --- probe results (GUI thread) ---
    QString currentPath() const { return m_currentPath; }
    void setCurrentPath(const QString &path) { m_currentPath = path; }
    int videoCount() const { return m_videoCount; }
    int audioCount() const { return m_audioCount; }
    int otherCount() const { return m_otherCount; }
    int front() const { return m_front; }
    int rear() const { return m_rear; }
    int inner() const { return m_inner; }
    int surround() const { return m_surround; }
    double duration() const { return m_duration; }
    // Where the input's timeline starts, in seconds: the earliest stream's first timestamp (a
    // trip's concat list starts below 0 at its audio's priming samples).
    double startTime() const { return m_startTime; }
    int64_t totalFrames() const { return m_totalFrames; }
    bool isDamaged() const { return m_damaged; }
    // Average frame rate of the container's first stream (0/1 when unknown), for frame numbers.
    int firstStreamRateNum() const { return m_firstRateNum; }
    int firstStreamRateDen() const { return m_firstRateDen; }

    // The repaired copy in play and the recording it was made from ("" when none).
    QString tempFilePath() const { return m_tempFilePath; }
    QString tempFileSource() const { return m_tempFileSource; }
    void setTempFile(const QString &copyPath, const QString &sourcePath);
    void clearTempFile() { clearTempFile(m_tempFilePath); }

    bool endOfPlaying = false; // the playing context reported its end
    bool playError = false; // the playing context reported an error

signals:
    // The end of a startRepair(): the source and its copy ("" when none could be made).
    void repairFinished(const QString &inputPath, const QString &copyPath);
    void mediaInfoStateChanged(MediaInfo *media_info,
                               MediaContext *playing_context,
                               int old_state,
                               int new_state);

public slots:
    void SetFrameSearchModeOn();
    void SetFrameSearchModeOff();

private:
    void clearSeekLocked();
    void assignRoles();
    StreamInfo *recordLocked(int streamIndex) const;

    mutable std::mutex m_mutex;
    QString m_currentPath;
    std::vector<std::unique_ptr<StreamInfo>> m_streams; // guarded by m_mutex
    QMap<int, int> m_streamPosition; // guarded by m_mutex; stream index -> position in m_streams
    int m_videoCount = 0;
    int m_audioCount = 0;
    int m_otherCount = 0;
    int m_front = -1;
    int m_rear = -1;
    int m_inner = -1;
    double m_duration = 0;
    double m_startTime = 0;
    int64_t m_totalFrames = 0;
    int m_firstRateNum = 0;
    int m_firstRateDen = 1;
    int m_surround = -1;
    int m_state = Idle; // guarded by m_mutex
    bool m_seeking = false; // guarded by m_mutex
    bool m_frameSearchMode = false; // guarded by m_mutex
    bool m_frameSearching = false;
    int m_shownStream = -1;
    QString m_tempFilePath;
    QString m_tempFileSource;
    bool m_damaged = false;
    int64_t m_currentFrame = 0;
    bool m_seekingAbsolute = false;

    QString m_converterProgram = QStringLiteral("ffmpeg");
    int m_converterTimeoutMs = 60000;
    // The repair's converter while one runs (created on the first repair), and its source.
    ConverterRunner *m_repairRunner = nullptr;
    QString m_repairSource;
};

Q_DECLARE_METATYPE(MediaInfo *)
// Signals carry the playing context as an opaque pointer; the info never looks inside it.
Q_DECLARE_OPAQUE_POINTER(MediaContext *)
Q_DECLARE_METATYPE(MediaContext *)
