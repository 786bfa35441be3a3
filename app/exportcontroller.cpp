#include "exportcontroller.h"

#include "media/mediainfo.h"
#include "transportcontroller.h"
#include "ui/framelessdialog.h"
#include "ui/loadingdialog.h"
#include "ui/progressbardialog.h"
#include "windowlog.h"

#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

ExportController::ExportController(QWidget *window,
                                   MediaInfo *mediaInfo,
                                   TransportController *transport,
                                   QString *folder,
                                   std::function<LoadingDialog *()> waitDialog)
    : QObject(window)
    , m_window(window)
    , m_mediaInfo(mediaInfo)
    , m_transport(transport)
    , m_folder(folder)
    , m_waitDialog(std::move(waitDialog))
    , m_job(new ExportJob(this))
    , m_package(new EvidencePackage(this))
{
    connect(m_job, &ExportJob::finished, this, &ExportController::encodingFinished);
    connect(m_package, &EvidencePackage::finished, this, &ExportController::packageFinished);
    connect(m_job, &ExportJob::stepStarted, this, [](int step, int count, const QString &path) {
        qCDebug(lcWindow).noquote()
                << "ExportController: file" << step + 1 << "of" << count << path;
    });
}

void ExportController::showDialog()
{
    if (!m_ownDialog) {
        m_ownDialog = new ProgressbarDialog(m_window);
        connect(
                m_ownDialog,
                &ProgressbarDialog::spliteFile,
                this,
                [this] { startExport(ExportPlan::Separate); },
                Qt::DirectConnection);
        connect(
                m_ownDialog,
                &ProgressbarDialog::copyFile,
                this,
                [this] { startExport(ExportPlan::Original); },
                Qt::DirectConnection);
        connect(m_ownDialog,
                &ProgressbarDialog::clipFile,
                this,
                &ExportController::startClip,
                Qt::DirectConnection);
        connect(m_ownDialog,
                &ProgressbarDialog::openDirectory,
                this,
                &ExportController::browse,
                Qt::DirectConnection);
        connect(m_ownDialog,
                &ProgressbarDialog::cancel,
                this,
                &ExportController::closeDialog,
                Qt::DirectConnection);
    }
    openDialog(m_ownDialog);
}

void ExportController::openDialog(ProgressbarDialog *dialog)
{
    if (m_mediaInfo->state() == MediaInfo::Playing)
        m_transport->playOrPause();
    m_dialog = dialog;
    FramelessDialog::showFramelessDialog(dialog);
    dialog->setModal(true);
    if (dialog->GetPathText().isEmpty())
        dialog->SetPathText(*m_folder);
    m_window->setEnabled(false);
    m_sourcePath = m_resolveSource ? m_resolveSource() : m_mediaInfo->currentPath();
    dialog->setVideoCount(m_mediaInfo->videoCount());
    dialog->setClipChoice(m_resolveClip ? m_resolveClip() : ClipExportChoice());
    qCDebug(lcWindow).noquote() << m_sourcePath << "channel " << m_mediaInfo->videoCount()
                                << ", audios " << m_mediaInfo->audioCount();
    // A child of the disabled window, and the one thing the user may use now.
    dialog->setEnabled(true);
}

void ExportController::browse()
{
    qCDebug(lcWindow).noquote() << "onOpenDirForSplit";
    LoadingDialog *wait = m_waitDialog();
    if (wait->isVisible()) {
        qCDebug(lcWindow).noquote() << "busy in loading...";
        return;
    }
    qCDebug(lcWindow).noquote() << "onOpenDirForSplit";
    QFileDialog chooser(m_dialog ? static_cast<QWidget *>(m_dialog) : m_window);
    chooser.setObjectName(QStringLiteral("exportFolderDialog"));
    chooser.setFileMode(QFileDialog::Directory);
    chooser.setOption(QFileDialog::ShowDirsOnly, true);
    chooser.setEnabled(true);
    const QString chosen = chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty()
            ? chooser.selectedFiles().first()
            : QString();
    if (!chosen.isEmpty())
        *m_folder = chosen;
    qCDebug(lcWindow).noquote() << chosen;
    if (m_dialog)
        m_dialog->SetPathText(*m_folder);
}

void ExportController::closeDialog()
{
    if (m_dialog)
        m_dialog->accept();
    endExport();
}

void ExportController::startExport(ExportPlan::Mode mode)
{
    qCDebug(lcWindow).noquote() << (mode == ExportPlan::Original ? "MainWindow::onCopyVideo"
                                                                 : "MainWindow::onSplitVideo");
    if (isRunning())
        return;
    if (m_dialog)
        m_dialog->accept();
    if (m_sourcePath.isEmpty()) {
        qCDebug(lcWindow).noquote() << "No input";
        inform(tr("Input file not specified"));
        endExport();
        return;
    }
    const QString folder = m_dialog ? m_dialog->GetPathText() : *m_folder;
    if (folder.isEmpty()) {
        qCDebug(lcWindow).noquote() << "No output";
        inform(tr("Output file not specified"));
        endExport();
        return;
    }
    *m_folder = folder;
    ExportPlan::Source source;
    QString error;
    if (!QDir().mkpath(folder) || !ExportPlan::probe(m_sourcePath, &source, &error)) {
        qCDebug(lcWindow).noquote() << "ExportController:" << folder << error;
        inform(tr("Failed to save the file"));
        endExport();
        return;
    }
    // The repaired copy is the one the media info made for the recording in play.
    const QString copy = m_mediaInfo->tempFilePath();
    source.repairedCopy = !copy.isEmpty() && copy == m_sourcePath;
    if (source.repairedCopy) {
        source.telemetryPath = m_mediaInfo->tempFileSource();
        qCDebug(lcWindow).noquote()
                << "\u26A0 This is a temporary file:" << QFileInfo(m_sourcePath).fileName();
    } else {
        qCDebug(lcWindow).noquote()
                << "\U0001F4C4 This is a normal file:" << QFileInfo(m_sourcePath).fileName();
    }

    const ExportPlan plan(source, mode, folder);
    if (!plan.isValid()) {
        qCDebug(lcWindow).noquote() << "ExportController:" << plan.problemText();
        inform(plan.problem() == ExportPlan::OverSource
                       ? tr("The recording cannot be saved over itself")
                       : tr("Failed to save the file"));
        endExport();
        return;
    }
    const QStringList existing = plan.existingOutputs();
    if (!existing.isEmpty() && !confirmReplace(existing)) {
        qCDebug(lcWindow).noquote() << "ExportController: not replacing" << existing;
        endExport();
        return;
    }
    for (const ExportPlan::Step &step : plan.steps())
        qCDebug(lcWindow).noquote()
                << step.outputPath << (step.byteCopy ? QStringList {"copy"} : step.arguments);

    showWait();
    m_job->start(plan);
}

void ExportController::startClip()
{
    qCDebug(lcWindow).noquote() << "ExportController::startClip";
    if (isRunning() || !m_dialog)
        return;
    const ClipExportChoice choice = m_dialog->clipChoice();
    m_dialog->accept();
    if (!choice.canSave()) {
        qCDebug(lcWindow).noquote() << "No clip";
        inform(tr("Set the in and out marks with I and O first"));
        endExport();
        return;
    }
    const QString folder = outputFolder();
    if (folder.isEmpty())
        return;
    EvidencePackage::Request request;
    request.inputs = choice.inputs();
    request.span = choice.span();
    request.folder = folder;
    request.evidence = choice.isEvidence();
    request.noMap = m_reportWithoutMap;
    request.program = QStringLiteral("vistrel");
    QString error;
    if (!m_package->prepare(request, &error)) {
        qCDebug(lcWindow).noquote() << "ExportController:" << error;
        inform(tr("Failed to save the file") + QStringLiteral("\n\n") + error);
        endExport();
        return;
    }
    const QStringList existing = m_package->existingOutputs();
    if (!existing.isEmpty() && !confirmReplace(existing)) {
        qCDebug(lcWindow).noquote() << "ExportController: not replacing" << existing;
        endExport();
        return;
    }
    qCDebug(lcWindow).noquote() << "ExportController: clip" << request.inputs << request.span.from
                                << request.span.to << (request.span.exact ? "exact" : "lossless")
                                << (request.evidence ? "evidence" : "") << m_package->outputs();
    showWait();
    if (!m_package->start()) {
        // Nothing started: no finished() follows.
        EvidencePackage::Result result;
        result.errorText = QStringLiteral("the clip could not be started");
        packageFinished(result);
    }
}

QString ExportController::outputFolder()
{
    const QString folder = m_dialog ? m_dialog->GetPathText() : *m_folder;
    if (folder.isEmpty()) {
        qCDebug(lcWindow).noquote() << "No output";
        inform(tr("Output file not specified"));
        endExport();
        return QString();
    }
    *m_folder = folder;
    if (!QDir().mkpath(folder)) {
        qCDebug(lcWindow).noquote() << "ExportController: cannot create" << folder;
        inform(tr("Failed to save the file"));
        endExport();
        return QString();
    }
    return folder;
}

void ExportController::showWait()
{
    LoadingDialog *wait = m_waitDialog();
    if (!m_waitConnected) {
        connect(wait, &LoadingDialog::cancelRequested, this, &ExportController::cancelExport);
        connect(m_job, &ExportJob::progress, wait, &LoadingDialog::setProgress);
        connect(m_package, &EvidencePackage::progress, wait, &LoadingDialog::setProgress);
        m_waitConnected = true;
    }
    wait->changeText(true);
    FramelessDialog::showFramelessDialog(wait);
    wait->setModal(true);
    m_window->setEnabled(false);
    wait->setEnabled(true); // its Cancel stays usable
}

void ExportController::cancelExport()
{
    if (m_job->isRunning())
        m_job->cancel();
    if (m_package->isRunning())
        m_package->cancel();
}

void ExportController::packageFinished(const EvidencePackage::Result &result)
{
    qCDebug(lcWindow).noquote() << "ExportController: clip finished"
                                << (result.ok ? QStringLiteral("ok") : result.errorText)
                                << result.files;
    if (!result.converterOutput.isEmpty())
        qCDebug(lcWindow).noquote() << result.converterOutput << "\n==================";
    LoadingDialog *wait = m_waitDialog();
    wait->accept();
    wait->changeText(false);
    m_window->setEnabled(true);
    if (result.ok)
        inform(tr("Saved successfully") + QStringLiteral("\n\n")
               + QDir::toNativeSeparators(result.folder));
    else if (!result.cancelled)
        inform(tr("Failed to save the file") + QStringLiteral("\n\n") + result.errorText);
    endExport();
    emit clipFinished(result);
}

void ExportController::encodingFinished(const ExportJob::Result &result)
{
    qCDebug(lcWindow).noquote() << "encodingFinished" << m_mediaInfo->videoCount()
                                << (result.ok ? QStringLiteral("ok") : result.errorText);
    if (!result.converterOutput.isEmpty())
        qCDebug(lcWindow).noquote() << result.converterOutput << "\n==================";
    LoadingDialog *wait = m_waitDialog();
    wait->accept();
    wait->changeText(false);
    // The window first: a box that is its child would otherwise open disabled.
    m_window->setEnabled(true);
    if (result.ok)
        inform(tr("Saved successfully"));
    else if (!result.cancelled)
        inform(tr("Failed to save the file"));
    endExport();
    emit exportFinished(result);
}

void ExportController::endExport()
{
    m_window->setEnabled(true);
    if (m_mediaInfo->state() == MediaInfo::Paused)
        m_transport->playOrPause();
}

void ExportController::inform(const QString &text)
{
    QMessageBox box(
            QMessageBox::Information, m_window->windowTitle(), text, QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("exportMessageBox"));
    box.setEnabled(true);
    box.exec();
}

bool ExportController::confirmReplace(const QStringList &existing)
{
    QStringList names;
    for (const QString &path : existing)
        names << QFileInfo(path).fileName();
    QMessageBox box(QMessageBox::Question,
                    m_window->windowTitle(),
                    tr("These files exist already. Replace them?") + QStringLiteral("\n\n")
                            + names.join(QLatin1Char('\n')),
                    QMessageBox::NoButton,
                    m_window);
    box.setObjectName(QStringLiteral("exportReplaceBox"));
    QPushButton *replace = box.addButton(tr("Replace"), QMessageBox::AcceptRole);
    replace->setObjectName(QStringLiteral("replaceButton"));
    QPushButton *cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelReplaceButton"));
    box.setDefaultButton(cancel);
    box.setEnabled(true);
    box.exec();
    return box.clickedButton() == replace;
}
