#pragma once

#include "converterrunner.h"
#include "exportplan.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QStringList>

class QTimer;

// Runs an ExportPlan: its steps one after the other, each a byte copy or a run of the
// converter (through ConverterRunner), and after each converter run into an MP4 writes the
// source's telemetry atom into the output (for a clip, the atom cut to the clip's span) and reads
// it back. Progress goes out as a percentage
// of the whole export (a copy by its bytes, a converter run by the converter's "out_time"
// against the recording's duration).
//
// A step fails when the converter cannot start, crashes, exits non-zero, reports a missing
// file ("No such file") or writes no video packet, when a copy cannot be written in full, or
// when the telemetry atom cannot be written and read back. A failed or cancelled export stops
// at that step and removes every file it wrote, so it leaves either all outputs or none; an
// earlier file at an output path is lost only where this export had begun to write it.
//
// Threads: one thread, the one that owns the object (the GUI thread in the viewer); it needs a
// running event loop (run() spins a local one). Signals are emitted on that thread; finished()
// always comes after start() has returned.
class ExportJob : public QObject
{
    Q_OBJECT

public:
    struct Result
    {
        bool ok = false;
        bool cancelled = false;
        QStringList outputs; // the files written: every output on success, none otherwise
        QString failedOutput; // the output whose step failed; empty when none
        QString errorText; // what went wrong, in words (empty on success)
        QString converterOutput; // the converter's last lines of a failed run (no progress lines)
    };

    // A copy moves this many bytes per turn of the event loop.
    static constexpr qint64 CopyChunkSize = 4 * 1024 * 1024;

    explicit ExportJob(QObject *parent = nullptr);
    // A running export is stopped and what it wrote is removed.
    ~ExportJob() override;

    // The converter program ("ffmpeg", found on the search path); tests point it elsewhere.
    void setConverterProgram(const QString &program) { m_runner.setProgram(program); }
    QString converterProgram() const { return m_runner.program(); }

    // Starts the export. False, with nothing started, when one runs or the plan is not valid.
    bool start(const ExportPlan &plan);
    // Stops the export; finished() then reports it cancelled, with its files removed.
    void cancel();
    bool isRunning() const { return m_running; }
    // start() and wait for the end, spinning a local event loop (input events held back).
    Result run(const ExportPlan &plan);

signals:
    // Step `step` (0-based) of `count` begins writing outputPath.
    void stepStarted(int step, int count, const QString &outputPath);
    // The whole export, 0 to 100; emitted when the value changes.
    void progress(int percent);
    // One line of the converter's output.
    void outputLine(const QString &line);
    void finished(const ExportJob::Result &result);

private:
    void nextStep();
    void startCopy(const ExportPlan::Step &step);
    void copyChunk();
    void onConverterLine(const QString &line);
    void onConverterFinished(const ConverterRunner::Result &run);
    bool addTelemetryAtom(const QString &outputPath, QString *error);
    void setStepFraction(double fraction);
    // Ends the export as failed: removes the step's output when removeOutput, and every earlier
    // output.
    void fail(const QString &output, const QString &text, bool removeOutput);
    void finishCancelled();
    void removeWritten();
    void complete(Result result);

    ConverterRunner m_runner;
    ExportPlan m_plan;
    bool m_running = false;
    bool m_cancelling = false;
    int m_step = -1;
    QStringList m_written; // outputs completed by this export
    QByteArray m_atom; // the source's telemetry atom; empty when it has none
    int m_percent = -1;
    // The converter run of the current step.
    bool m_missingFile = false;
    QStringList m_converterLines;
    // The byte copy of the current step.
    QFile m_copyIn;
    QFile m_copyOut;
    QTimer *m_copyTimer = nullptr;
};

Q_DECLARE_METATYPE(ExportJob::Result)
