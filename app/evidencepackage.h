#pragma once

#include "media/exportjob.h"
#include "media/exportplan.h"
#include "media/triptimeline.h"

#include <QObject>
#include <QStringList>

#include <memory>

class QTemporaryDir;

// A clip of a recording, or of a trip's recordings end to end, with what goes beside it: the
// clip (ExportPlan's "Clip", run by ExportJob), its GPX and CSV, and for an evidence package,
// in a folder named after the in mark's moment, the report of the in mark (MomentReport, from
// the recording that holds it), MANIFEST.json (program, version, mode, marks, every source
// with its SHA-256 and recording time, every file written) and SHA256SUMS of every file of the
// folder (EvidenceManifest). The window's save dialog (clip mode) and `vistrel-tool clip` make
// clips and packages through it.
//
// prepare() names every output; the caller asks before replacing existingOutputs(). start()
// writes them; finished() reports all of them written, or none: on any failure or a cancel
// every file written is removed again, and the package folder when this run made it.
//
// Threads: the thread that owns the object (the GUI thread in the viewer, the main thread in
// the command), with a running event loop; the report spins local event loops, and a cancel()
// that arrives during them stops the package before its next file.
class EvidencePackage : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QStringList inputs; // one recording, or a trip's recordings in order
        ExportPlan::Span span; // the marks, seconds on the inputs' one timeline
        QString folder; // where the clip (or the package folder) goes
        bool evidence = false; // a package folder with the report and the checksums
        bool noMap = false; // the report without its map picture
        QString program; // the name written into the manifest
    };

    struct Result
    {
        bool ok = false;
        bool cancelled = false;
        QStringList files; // every file written on success, none otherwise
        QString folder; // the folder that holds them
        QString errorText; // what went wrong (empty on success)
        QString converterOutput; // the converter's last lines of a failed run
    };

    explicit EvidencePackage(QObject *parent = nullptr);
    ~EvidencePackage() override;

    // Reads the inputs and names the outputs. False, with the reason, when the request cannot
    // be made (an input missing or unreadable, the span outside the recording, an output over
    // a source).
    bool prepare(const Request &request, QString *error);
    // Every file start() writes (after prepare()).
    QStringList outputs() const { return m_outputs; }
    // Those of outputs() that exist already.
    QStringList existingOutputs() const;
    QString outputFolder() const { return m_folder; }
    // The converter ("ffmpeg" on the search path by default).
    ExportJob *job() const { return m_job; }

    // Writes the outputs of the prepared request. False, with nothing started, when it is
    // running or not prepared.
    bool start();
    void cancel();
    bool isRunning() const { return m_running; }
    // start() and wait for finished(), spinning a local event loop.
    Result run();

signals:
    // The whole package, 0 to 100.
    void progress(int percent);
    void finished(const EvidencePackage::Result &result);

private:
    void clipFinished(const ExportJob::Result &clip);
    // The GPX, CSV, report, manifest and sums after the clip; false with the reason.
    bool writeRest(QString *error);
    bool writeManifest(QString *error);
    void finish(Result result);
    void removeWritten();

    ExportJob *m_job;
    Request m_request;
    std::unique_ptr<QTemporaryDir> m_listFolder; // the trip's concat list
    TripTimeline m_trip;
    ExportPlan m_plan;
    bool m_prepared = false;
    QString m_folder;
    QString m_clip, m_gpx, m_csv, m_report, m_manifest, m_sums;
    QStringList m_outputs;
    QStringList m_written;
    bool m_madeFolder = false;
    bool m_running = false;
    bool m_cancelled = false;
};

Q_DECLARE_METATYPE(EvidencePackage::Result)
