#pragma once

#include "evidencepackage.h"
#include "media/clipexportchoice.h"
#include "media/exportjob.h"
#include "media/exportplan.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class LoadingDialog;
class MediaInfo;
class ProgressbarDialog;
class TransportController;
class QWidget;

// The window's side of an export: the export dialog's choices (folder, "Original",
// "Separate", "Clip" with its "Save clip", "Cancel"), the question before a file is replaced, the
// wait dialog with the progress and its Cancel, the final message, and the play state around it all
// (paused while the dialog is open, resumed afterwards, the window disabled meanwhile and always
// enabled again). What is written and how is ExportPlan's and ExportJob's, and for a clip
// EvidencePackage's.
//
// Threads: GUI thread only.
class ExportController : public QObject
{
    Q_OBJECT

public:
    // window: the main window (parent of the boxes, disabled while the export runs);
    // folder: the window's export folder, read and changed here (it outlives this object);
    // waitDialog: the window's wait dialog, created on first use.
    ExportController(QWidget *window,
                     MediaInfo *mediaInfo,
                     TransportController *transport,
                     QString *folder,
                     std::function<LoadingDialog *()> waitDialog);

    // Which recording "the one playing" is when a dialog opens (by default the media info's
    // current path; a trip names the recording playing at the moment).
    void setSourceResolver(std::function<QString()> resolver)
    {
        m_resolveSource = std::move(resolver);
    }

    // What the clip mode offers when a dialog opens: the marks and the recording (or the trip's
    // recordings) they lie on, with its channels. Without one the clip mode is not offered.
    void setClipResolver(std::function<ClipExportChoice()> resolver)
    {
        m_resolveClip = std::move(resolver);
    }
    // The report of an evidence package is drawn without its map picture.
    void setReportWithoutMap(bool noMap) { m_reportWithoutMap = noMap; }

    ExportJob *job() const { return m_job; }
    EvidencePackage *package() const { return m_package; }
    bool isRunning() const { return m_job->isRunning() || m_package->isRunning(); }
    // The recording the open dialog exports ("" when none).
    QString sourcePath() const { return m_sourcePath; }

    // The title bar's save button: openDialog() with the window's export dialog, created on
    // first use with its buttons wired here.
    void showDialog();
    // The export dialog; null before the first showDialog().
    ProgressbarDialog *dialog() const { return m_ownDialog; }
    // Pauses playback, shows the dialog (modal) with the folder and the recording's channel
    // count, and disables the window.
    void openDialog(ProgressbarDialog *dialog);
    // Asks for another folder; a cancelled choice keeps the folder.
    void browse();
    // Closes the dialog; the window comes back and playback resumes.
    void closeDialog();
    // Closes the dialog and exports the recording: checks, asks before replacing files, runs.
    void startExport(ExportPlan::Mode mode);
    // Closes the dialog and writes the clip (or evidence package) the dialog's clip mode
    // chose: checks, asks before replacing files, runs.
    void startClip();
    // Stops a running export (the wait dialog's Cancel).
    void cancelExport();

signals:
    // The export has ended and its message has been shown.
    void exportFinished(const ExportJob::Result &result);
    // A clip or package has ended and its message has been shown.
    void clipFinished(const EvidencePackage::Result &result);

private:
    void encodingFinished(const ExportJob::Result &result);
    void packageFinished(const EvidencePackage::Result &result);
    // The folder of the dialog (or the window's), created; empty after saying why not.
    QString outputFolder();
    // Shows the wait dialog over the disabled window, its Cancel and progress wired.
    void showWait();
    // The window is enabled again and a paused recording plays on.
    void endExport();
    void inform(const QString &text);
    bool confirmReplace(const QStringList &existing);

    QWidget *m_window;
    MediaInfo *m_mediaInfo;
    TransportController *m_transport;
    QString *m_folder;
    std::function<LoadingDialog *()> m_waitDialog;
    QPointer<ProgressbarDialog> m_dialog;
    ProgressbarDialog *m_ownDialog = nullptr; // the window's, child of m_window
    ExportJob *m_job;
    EvidencePackage *m_package;
    QString m_sourcePath;
    bool m_waitConnected = false;
    std::function<QString()> m_resolveSource;
    std::function<ClipExportChoice()> m_resolveClip;
    bool m_reportWithoutMap = false;
};
