#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

class QProcess;
class QTimer;

// Runs the external converter (the `ffmpeg` program) once per start: the arguments go to the
// program as a list, never through a shell; the run is limited in time and can be cancelled; its
// crash and exit status are checked and its output file is read back before the run counts as a
// success. The converter's merged stdout and stderr are handed out line by line (progress lines
// end in a carriage return and count as lines too) and their tail is kept for the log. A run that
// fails removes the output file it created or rewrote, so nothing half-written is taken for a
// result later.
//
// Threads: one thread only, the one that owns the object (the GUI thread in the viewer); it needs
// an event loop, which run() provides by spinning a local one while it waits. Signals are emitted
// on that thread.
class ConverterRunner : public QObject
{
    Q_OBJECT

public:
    struct Result
    {
        QString outputPath;
        bool started = false; // false: the program could not be started
        bool timedOut = false; // killed after the time limit
        bool cancelled = false; // killed by cancel()
        bool crashed = false; // ended by a signal that neither the limit nor cancel() sent
        int exitCode = -1; // valid after a normal exit
        qint64 videoPackets = 0; // video packets in the output (counted after a clean exit)
        QString errorText; // the last kMaxErrorText bytes the converter wrote

        bool ok() const
        {
            return started && !timedOut && !cancelled && !crashed && exitCode == 0
                    && videoPackets > 0;
        }
        // One line for the log: what went wrong, or the packet count of a good run.
        QString summary() const;
    };

    // Bound of the kept converter output: its complaint is at the end, and a long run writes
    // progress lines without end.
    static constexpr int kMaxErrorText = 64 * 1024;

    explicit ConverterRunner(QObject *parent = nullptr);
    // Kills a converter still running (its output is removed as for a cancelled run).
    ~ConverterRunner() override;

    void setProgram(const QString &program) { m_program = program; }
    QString program() const { return m_program; }
    // Time limit of a run in milliseconds; 0 or less: none.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }

    // Starts the converter with these arguments; outputPath is the file the run is to write.
    // finished() follows exactly once per successful start (possibly before start returns,
    // when the program cannot be started). False, with nothing started, while a run is going on.
    bool start(const QStringList &arguments, const QString &outputPath);
    // Ends a running converter; finished() then reports the run as cancelled.
    void cancel();
    bool isRunning() const { return m_running; }
    // start() and wait for the end while spinning a local event loop, so that the windows of the
    // thread keep repainting. A run already going on gives a result that did not start.
    Result run(const QStringList &arguments, const QString &outputPath);

    // Number of video packets in a file per video stream, in stream order (v:0, v:1, ...);
    // empty when the file cannot be opened.
    static QVector<qint64> videoPacketCounts(const QString &path);

signals:
    // One line of the converter's output, without its line end.
    void outputLine(const QString &line);
    void finished(const ConverterRunner::Result &result);

private:
    void onReadyRead();
    void onProcessFinished(int exitCode, int exitStatus);
    void onProcessError(int error);
    void onTimeout();
    void takeOutput(const QByteArray &bytes);
    void complete();
    bool outputRewritten() const;

    QString m_program = QStringLiteral("ffmpeg");
    int m_timeoutMs = 0;
    bool m_running = false;
    QProcess *m_process = nullptr; // child of this object while a run goes on, else null
    QTimer *m_timer = nullptr;
    Result m_result;
    QByteArray m_pendingLine; // output after the last line end
    // The output file as it was before the run, to tell whether the run wrote it.
    bool m_outputExisted = false;
    qint64 m_outputSize = 0;
    QDateTime m_outputModified;
};

Q_DECLARE_METATYPE(ConverterRunner::Result)
