#include "mainwindow.h"

#include "aboutdialog.h"
#include "avptr.h"
#include "exceptiondialog.h"
#include "framelessdialog.h"
#include "globalsettings.h"
#include "loadingdialog.h"
#include "mapdialog.h"
#include "mapwidget.h"
#include "mediacontext.h"
#include "playlistwidget.h"
#include "titlebarwidget.h"
#include "userfolders.h"
#include "videodisplaywidget.h"

#include <QAction>
#include <QCloseEvent>
#include <QDebug>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMimeData>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent)
    : FramelessWindow(parent)
{
    qRegisterMetaType<int64_t>("int64_t");
    qRegisterMetaType<QList<double>>("QList<double>");

    setAcceptDrops(true);
    m_captureFolder = UserFolders::captures();
    m_exportFolder = UserFolders::savedVideos();
    QDir().mkpath(m_captureFolder);
    QDir().mkpath(m_exportFolder);

    setWindowTitle(GlobalSettings::productTitle());
    buildLayout();
    connectEngine();

    m_eventLoop.start();

    const QString startup = GlobalSettings::startupFilePath();
    if (!startup.isEmpty()) {
        qDebug().noquote() << "mainwindow: path" << startup;
        m_playList->loadPlayList(QStringList {startup}, true);
    }
}

MainWindow::~MainWindow()
{
    delete m_loadingDialog;
    m_loadingDialog = nullptr;
    m_eventLoop.postFinish();
    m_eventLoop.wait();
}

void MainWindow::buildLayout()
{
    setObjectName(QStringLiteral("MainWindow"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralwidget"));
    central->setStyleSheet(QStringLiteral("#centralwidget { background: #070707; }"));
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_titleBar = new TitleBarWidget(central);
    m_titleBar->setObjectName(QStringLiteral("titleBarWidget"));
    m_titleBar->setFixedHeight(40);
    outer->addWidget(m_titleBar, 0, Qt::AlignTop);
    outer->addSpacing(3);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(10, 10, 10, 10);
    body->setSpacing(0);
    outer->addLayout(body);

    auto *left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(3);
    m_playerPanel = new QWidget(central);
    m_playerPanel->setObjectName(QStringLiteral("playerWidget"));
    auto *playerLayout = new QVBoxLayout(m_playerPanel);
    playerLayout->setContentsMargins(0, 0, 0, 0);
    m_display = new VideoDisplayWidget(this, m_playerPanel);
    m_display->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    playerLayout->addWidget(m_display);
    m_playerPanel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    left->addWidget(m_playerPanel, 1);
    // The G-sensor meter and the control panel keep their places until they arrive.
    m_gsensorPlace = new QWidget(central);
    m_gsensorPlace->setObjectName(QStringLiteral("gsensor"));
    m_gsensorPlace->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_gsensorPlace->setFixedHeight(GlobalSettings::surroundModel() ? 123 : 151);
    left->addWidget(m_gsensorPlace, 0, Qt::AlignBottom);
    m_controlPlace = new QWidget(central);
    m_controlPlace->setObjectName(QStringLiteral("playerControlWidget"));
    m_controlPlace->setFixedHeight(55);
    left->addWidget(m_controlPlace, 0, Qt::AlignBottom);
    body->addLayout(left, 1);

    m_rightColumn = new QWidget(central);
    m_rightColumn->setFixedWidth(320);
    m_rightColumn->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    auto *right = new QVBoxLayout(m_rightColumn);
    right->setContentsMargins(7, 1, 1, 1);
    right->setSpacing(0);
    if (!GlobalSettings::mapDisabled()) {
        m_map = new MapWidget(&m_mediaInfo, &m_telemetry, m_rightColumn);
        m_map->setFixedHeight(280);
        right->addWidget(m_map);
        connect(m_map, &MapWidget::popupRequested, this, &MainWindow::onOpenMapDialog);
        connect(m_map, &MapWidget::restoreRequested, this, &MainWindow::onRestoreMapPanel);
        // Stands in the column while the panel is in the map dialog.
        m_mapPlace = new QWidget(m_rightColumn);
        m_mapPlace->setObjectName(QStringLiteral("mapPlaceholder"));
        m_mapPlace->setAttribute(Qt::WA_StyledBackground);
        m_mapPlace->setStyleSheet(
                QStringLiteral("#mapPlaceholder { border: 1px solid gray; background: #141414; }"));
        m_mapPlace->setFixedHeight(280);
        m_mapPlace->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_mapPlace->hide();
        right->addWidget(m_mapPlace);
        right->addSpacing(6);
    }
    m_playList = new PlayListWidget(&m_mediaInfo, m_rightColumn);
    right->addWidget(m_playList);
    body->addWidget(m_rightColumn, 2);

    setCentralWidget(central);
}

void MainWindow::connectEngine()
{
    connect(m_titleBar,
            &TitleBarWidget::titleBarMouseDoubleClicked,
            this,
            &MainWindow::onMaximized);
    connect(m_titleBar, &TitleBarWidget::openFileClicked, this, &MainWindow::onOpenFile);
    connect(m_titleBar, &TitleBarWidget::openFolderClicked, this, &MainWindow::onOpenDir);
    connect(m_titleBar, &TitleBarWidget::aboutClicked, this, &MainWindow::onAbout);
    connect(m_titleBar, &TitleBarWidget::minimizeClicked, this, &MainWindow::onMinimized);
    connect(m_titleBar, &TitleBarWidget::maximizeClicked, this, &MainWindow::onMaximized);
    connect(m_titleBar, &TitleBarWidget::closeClicked, this, &MainWindow::onExit);

    connect(&m_eventLoop,
            &MediaEventLoop::mediaEventOpened,
            this,
            &MainWindow::onMediaEventOpended);
    connect(&m_eventLoop,
            &MediaEventLoop::mediaEventFinished,
            this,
            &MainWindow::onMediaEventFinihsed);
    connect(&m_eventLoop, &MediaEventLoop::mediaEventClosed, this, &MainWindow::onMediaEventClosed);
    connect(&m_eventLoop,
            &MediaEventLoop::mediaEventVideoViewModeChanged,
            this,
            &MainWindow::onMediaEventVideoViewModeChanged);
    connect(&m_eventLoop,
            &MediaEventLoop::mediaEventPlayControlCommandCompleted,
            this,
            &MainWindow::onMediaEventPlayControlCommandCompleted);
    connect(&m_eventLoop,
            &MediaEventLoop::mediaEventEndOfPlaying,
            this,
            &MainWindow::onMediaEventEndOfPlaying);
    connect(&m_eventLoop,
            &MediaEventLoop::mediaEventUpdatePlayingTime,
            this,
            &MainWindow::onMediaEventUpdatePlayingTime);
    connect(&m_eventLoop,
            &MediaEventLoop::mediaEventSeekingStreamInfo,
            this,
            &MainWindow::onMediaEventSeekingStreamInfo);
    connect(&m_eventLoop,
            &MediaEventLoop::mediaEventSeekingCompleted,
            this,
            &MainWindow::onMediaEventSeekingCompleted);
    connect(&m_eventLoop,
            &MediaEventLoop::mediaEventErrorOccurredWhilePlaying,
            this,
            &MainWindow::onMediaEventErrorOccurredWhilePlaying);

    connect(m_playList, &PlayListWidget::playFileSelected, this, &MainWindow::onPlayFileSelected);
    connect(m_playList,
            &PlayListWidget::playlistSelectionChanged,
            this,
            &MainWindow::onPlayListSelectionChanged);
    connect(m_playList,
            &PlayListWidget::endOfPlayingListReached,
            this,
            &MainWindow::onEndOfPlayingListReached);

    connect(&m_mediaInfo,
            &MediaInfo::mediaInfoStateChanged,
            this,
            &MainWindow::onMediaInfoStateChanged);
    connect(&m_mediaInfo,
            &MediaInfo::mediaInfoStateChanged,
            m_titleBar,
            &TitleBarWidget::onMediaInfoStateChanged);
    connect(m_display,
            &VideoDisplayWidget::changeVideoStreamViewMode,
            this,
            &MainWindow::onChangeVideoStreamViewMode);
}

int MainWindow::maxVideoStreams() const
{
    return GlobalSettings::surroundModel() ? 3 : 2;
}

void MainWindow::showMessage(const QString &text)
{
    ExceptionDialog dialog(text, this);
    FramelessDialog::showFramelessDialog(&dialog);
    dialog.exec();
}

QAction *MainWindow::displayAction(const QString &text) const
{
    for (QAction *action : actions()) {
        if (action->objectName() == text || action->text() == text)
            return action;
    }
    return nullptr;
}

bool MainWindow::isPlayerButtonEnabled(const QString &objectName) const
{
    const QWidget *button = findChild<QWidget *>(objectName);
    return button && button->isEnabled();
}

// --- opening ---------------------------------------------------------------------------------

void MainWindow::onOpenFile()
{
    if (m_loadingDialog && m_loadingDialog->isVisible()) {
        qDebug().noquote() << "busy in loading...";
        return;
    }
    const QStringList files = QFileDialog::getOpenFileNames(
            this,
            tr("Open"),
            QString(),
            tr("Video files(*.avi, *.mp4)") + QStringLiteral(" (*.avi *.mp4)"));
    if (files.isEmpty())
        return;
    qDebug().noquote() << "MainWindow::onOpenFile" << files;
    m_playList->loadPlayList(files, true);
}

void MainWindow::onOpenDir()
{
    if (m_loadingDialog && m_loadingDialog->isVisible()) {
        qDebug().noquote() << "busy in loading...";
        return;
    }
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Open Folder"));
    if (folder.isEmpty())
        return;
    qDebug().noquote() << "MainWindow::onOpenDir" << folder;
    m_playList->loadPlayList(QStringList {folder}, true);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!event->mimeData()->hasUrls())
        return;
    for (const QUrl &url : event->mimeData()->urls())
        qDebug().noquote() << "drag:" << url.toLocalFile();
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        paths << url.toLocalFile();
    m_playList->loadPlayList(paths, true);
}

void MainWindow::onPlayListSelectionChanged(int row, int row_count)
{
    // The control panel's previous and next buttons follow the selection once it exists.
    Q_UNUSED(row)
    Q_UNUSED(row_count)
}

void MainWindow::onPlayFileSelected(QString file_path)
{
    if (file_path.isEmpty())
        return;
    if (!QFileInfo::exists(file_path)) {
        showMessage(tr("No file for play back available"));
        return;
    }
    if (m_mediaInfo.isOpened()) {
        qDebug().noquote() << m_mediaInfo.currentPath() << " still playing...close now...";
        m_nextFilePath = file_path;
        m_mediaInfo.finishSeeking();
        m_eventLoop.postClose();
        return;
    }
    m_nextFilePath.clear();
    doOpenMediaFile(file_path);
}

void MainWindow::doOpenMediaFile(const QString &path)
{
    if (m_mediaInfo.init(path) < 0) {
        m_mediaInfo.changeState(MediaInfo::Stopped, nullptr, true);
        showMessage(tr("Invalid File"));
        return;
    }
    if (m_mediaInfo.videoCount() == 0 || m_mediaInfo.videoCount() > maxVideoStreams()) {
        m_mediaInfo.reset();
        showMessage(tr("Invalid File"));
        return;
    }
    if (!m_loadingDialog)
        m_loadingDialog = new LoadingDialog(this);
    FramelessDialog::showFramelessDialog(m_loadingDialog);
    m_loadingDialog->setModal(true);
    setEnabled(false);

    if (m_mediaInfo.isDamaged()) {
        QDir().mkpath(m_exportFolder);
        m_repairing = true;
        const QString copy = m_mediaInfo.repairRecording(path, m_exportFolder);
        m_repairing = false;
        m_mediaInfo.setTempFile(copy, path);
        if (!copy.isEmpty())
            m_mediaInfo.setCurrentPath(copy);
        qDebug().noquote() << "MainWindow::doOpenMediaFile"
                           << "repaired_File_path " << copy << "output_file_path "
                           << m_exportFolder;
    }
    m_eventLoop.postOpen(m_mediaInfo.currentPath(),
                         m_display,
                         m_playSpeed,
                         m_volume,
                         width(),
                         height(),
                         m_mediaInfo.surround(),
                         m_display->surroundViewMode());
}

// --- engine results --------------------------------------------------------------------------

void MainWindow::onMediaEventOpended(MediaContext *context, QString path, int result)
{
    qDebug().noquote() << path << " open result: " << result;
    if (m_loadingDialog) {
        m_loadingDialog->accept();
        setEnabled(true);
    }
    if (!context || result != 0) {
        m_playList->playNextFile(path);
        return;
    }
    // The context itself stays on the engine's side: keep what the views need.
    m_playingContext = context;
    m_playingPath = path;
    if (!m_eventLoop.copyTelemetry(context, &m_telemetry))
        m_telemetry.clear(); // closed again before this report arrived
    m_mediaInfo.changeState(MediaInfo::Playing, context, true);
}

void MainWindow::onMediaInfoStateChanged(MediaInfo *media_info,
                                         MediaContext *playing_context,
                                         int old_state,
                                         int new_state)
{
    Q_UNUSED(playing_context)
    Q_UNUSED(old_state)
    m_display->setPlaying(media_info);
    if (new_state == MediaInfo::Playing && old_state != MediaInfo::Paused) {
        // Every channel side by side until the player panel offers the channel buttons.
        m_mediaInfo.setShownStream(MediaInfo::AllChannels);
        m_display->showAllVideoStreams();
        m_eventLoop.postSelectVideoStream(MediaInfo::AllChannels);
    }
}

void MainWindow::onMediaEventClosed(QString path, int result)
{
    qDebug().noquote() << "MainWindow::onMediaEventClosed" << path
                       << " media closed result: " << result
                       << ", media info path: " << m_mediaInfo.currentPath()
                       << ", closed file path " << path;
    qDebug().noquote() << "next_file_path - " << m_nextFilePath;
    if (m_playingContext && path == m_playingPath) {
        m_playingContext = nullptr;
        m_playingPath.clear();
    }
    if (m_closing) {
        m_mediaInfo.clearTempFile();
        return;
    }
    qDebug().noquote() << "next_file_path2 - " << m_nextFilePath;
    if (path != m_mediaInfo.currentPath())
        return;
    m_mediaInfo.changeState(MediaInfo::Stopped, nullptr, true);
    if (!m_nextFilePath.isEmpty()) {
        const QString next = m_nextFilePath;
        m_nextFilePath.clear();
        doOpenMediaFile(next);
    } else if (m_mediaInfo.endOfPlaying || m_mediaInfo.playError) {
        m_playList->playNextFile(path);
    }
}

void MainWindow::onMediaEventEndOfPlaying(MediaContext *context)
{
    const QString contextPath = context && context == m_playingContext ? m_playingPath : QString();
    qDebug().noquote() << "MainWindow::onMediaEventEndOfPlaying"
                       << ": " << contextPath << ", media: " << m_mediaInfo.currentPath();
    if (contextPath == m_mediaInfo.currentPath()) {
        m_mediaInfo.endOfPlaying = true;
        m_mediaInfo.finishSeeking();
        m_eventLoop.postClose();
    }
    if (m_mediaInfo.isFrameSearchMode())
        m_mediaInfo.setFrameSearchMode(false);
}

void MainWindow::onMediaEventErrorOccurredWhilePlaying(MediaContext *context, int err)
{
    Q_UNUSED(context)
    qDebug().noquote() << "MainWindow::onMediaEventErrorOccurredWhilePlaying"
                       << ": ERROR " << err << ", " << av::errorText(err);
    if (err >= 0)
        return;
    if (err == AVERROR_BUG2) {
        qDebug().noquote() << "USE SW DECODER";
        GlobalSettings::setForceSoftwareDecoding(true);
    }
    if (!m_mediaInfo.endOfPlaying && !m_mediaInfo.playError) {
        m_mediaInfo.playError = true;
        m_mediaInfo.finishSeeking();
        m_eventLoop.postClose();
    }
}

void MainWindow::onMediaEventUpdatePlayingTime(MediaContext *context,
                                               double playing_time,
                                               int playing_seq)
{
    Q_UNUSED(playing_seq)
    // A report of a recording that has been closed since (its context may be gone) is dropped.
    if (m_closing || !context || context != m_playingContext)
        return;
    qDebug().noquote() << "MainWindow::onMediaEventUpdatePlayingTime"
                       << "media_info.isSeeking()" << m_mediaInfo.isSeeking();
    if (m_mediaInfo.isSeeking())
        return;
    const int shown = m_mediaInfo.shownStream();
    if (shown != m_display->currentShownStream()) {
        if (shown == MediaInfo::AllChannels)
            m_display->showAllVideoStreams();
        else if (shown >= 0)
            m_display->showVideoStream(shown, SurroundViewMode::Original);
    }
    // Frame number from the first stream's average frame rate, truncated toward zero.
    // The time the engine reported is the context's current time when it reported it.
    const double currentTime = playing_time;
    const int64_t frame = static_cast<int64_t>(double(m_mediaInfo.firstStreamRateNum())
                                               * currentTime / m_mediaInfo.firstStreamRateDen());
    m_eventLoop.setCurrentFrame(context, frame);
    m_mediaInfo.setCurrentFrame(frame);
    int64_t seekingFramePos = frame;
    if (!m_eventLoop.seekingFramePos(context, &seekingFramePos))
        return; // closed meanwhile
    qDebug().noquote() << "222 context->current_time " << currentTime << "current_frame " << frame
                       << "playing_time " << playing_time;
    qDebug().noquote() << "context->seeking_frame_pos " << seekingFramePos
                       << "media_info.isSeekingAbsolute() " << m_mediaInfo.isSeekingAbsolute()
                       << "media_info.isFrameSearching() " << m_mediaInfo.isFrameSearching();
    int64_t shownFrame = frame;
    if (m_mediaInfo.isFrameSearchMode() && frame != seekingFramePos
        && !m_mediaInfo.isSeekingAbsolute() && m_mediaInfo.isFrameSearching()) {
        shownFrame = seekingFramePos;
    } else {
        m_eventLoop.setSeekingFramePos(context, frame);
    }
    qDebug().noquote() << "context->current_time " << currentTime << "current_frame " << shownFrame;
    if (m_mediaInfo.isSeeking() || !m_mediaInfo.isOpened())
        return;
    // The time display, G-sensor meter, map and speed display follow here once they exist.
    if (m_map)
        m_map->showPlayingTime(playing_time);
}

void MainWindow::onMediaEventSeekingStreamInfo(MediaContext *context,
                                               int stream_index,
                                               int seeking_seq)
{
    Q_UNUSED(context)
    m_mediaInfo.setSeekingStreamInfo(stream_index, seeking_seq);
}

void MainWindow::onMediaEventSeekingCompleted(MediaContext *context, int result)
{
    Q_UNUSED(context)
    if (result != 0)
        m_mediaInfo.finishSeeking();
}

void MainWindow::onMediaEventPlayControlCommandCompleted(int cmd, int64_t arg, int result)
{
    qDebug().noquote() << "MainWindow::onMediaEventPlayControlCommandCompleted"
                       << ": " << cmd << ", " << arg << ", result " << result;
}

void MainWindow::onMediaEventVideoViewModeChanged(int stream_index, int view_mode, int result)
{
    if (result != 0) {
        m_mediaInfo.editStreamInfo(stream_index,
                                   [](StreamInfo &info) { info.viewMode = info.previousViewMode; });
    }
    Q_UNUSED(view_mode)
}

void MainWindow::onChangeVideoStreamViewMode(int stream_index, int view_mode)
{
    qDebug().noquote() << "MainWindow::onChangeVideoStreamViewMode"
                       << ": stream " << stream_index << ", view mode " << view_mode;
    if (m_mediaInfo.duration() <= 0 || !m_mediaInfo.hasStreamInfo(stream_index))
        return;
    if (view_mode != SurroundViewMode::Original && stream_index != m_mediaInfo.surround()) {
        qDebug().noquote() << "can't change view mode: not surround view stream " << stream_index;
        return;
    }
    m_mediaInfo.editStreamInfo(stream_index, [view_mode](StreamInfo &info) {
        info.previousViewMode = info.viewMode;
        info.viewMode = view_mode;
    });
    m_eventLoop.postChangeViewMode(stream_index, view_mode);
    if (m_mediaInfo.state() == MediaInfo::Paused)
        m_eventLoop.postPlayControl(PlayCommand::SeekRelative, 0);
}

void MainWindow::onSeekFrameAgain()
{
    qDebug().noquote() << "MainWindow::onSeekFrameAgain";
}

void MainWindow::onMediaEventFinihsed(int result)
{
    if (!m_closing)
        return;
    // The loop has ended either way. A Finish that found no recording open (its open failed
    // or a close got there first) still closes the window in order, so the repaired copy is
    // removed and every destructor runs; the process then reports the error in its exit code.
    if (result != 0) {
        qDebug().noquote() << "MainWindow::onMediaEventFinihsed: result" << result
                           << ", exit code 1";
        m_exitCode = 1;
        m_mediaInfo.clearTempFile();
    }
    close();
}

void MainWindow::onEndOfPlayingListReached()
{
    qDebug().noquote() << "MainWindow::onEndOfPlayingListReached"
                       << " is playing? " << m_display->isPlaying();
    m_display->update();
    m_mediaInfo.clearTempFile();
}

// --- window ----------------------------------------------------------------------------------

void MainWindow::onAbout()
{
    AboutDialog dialog(this);
    FramelessDialog::showFramelessDialog(&dialog);
    dialog.exec();
}

void MainWindow::onMinimized()
{
    showMinimized();
}

void MainWindow::onMaximized()
{
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void MainWindow::onExit()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    qDebug().noquote() << "close main window";
    // The panel goes back to the column first: deleting the dialog would delete it too.
    if (m_mapDialog)
        onRestoreMapPanel();
    if (m_repairing) {
        // The repair's wait keeps the events flowing; the window stays until the open it
        // belongs to has been posted.
        qDebug().noquote() << "close main window: ignored while a recording is repaired";
        event->ignore();
        return;
    }
    if (!m_eventLoop.hasNoContext()) {
        m_closing = true;
        m_eventLoop.postFinish();
        event->ignore();
        return;
    }
    // Nothing is open in the engine, yet a repaired copy may be left over (its recording
    // failed to open, or the next row of the list was missing): it goes with the window.
    m_mediaInfo.clearTempFile();
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    if (m_mediaInfo.isOpened())
        m_eventLoop.postChangeDisplaySize(event->size().width(), event->size().height());
    FramelessWindow::resizeEvent(event);
}

void MainWindow::screenChanged(QScreen *screen)
{
    const bool playing = m_mediaInfo.state() == MediaInfo::Playing;
    if (!playing)
        GlobalSettings::setScreenChanging(true);
    FramelessWindow::screenChanged(screen);
    if (!playing)
        QTimer::singleShot(500, this, &MainWindow::onScreenChangedTimer);
}

void MainWindow::onScreenChangedTimer()
{
    GlobalSettings::setScreenChanging(false);
}

// --- map panel in and out of its dialog -------------------------------------------------------

void MainWindow::onOpenMapDialog()
{
    if (!m_map || !m_rightColumn->findChild<MapWidget *>(QStringLiteral("mapWidget")))
        return; // no map, or already in the dialog
    m_rightColumn->layout()->removeWidget(m_map);
    m_mapPlace->show();
    m_map->setPopupMode(true);
    if (!m_mapDialog)
        m_mapDialog = new MapDialog(m_map, this);
    m_mapDialog->setModal(false);
    FramelessDialog::showFramelessDialog(m_mapDialog);
}

void MainWindow::onRestoreMapPanel()
{
    if (!m_map || m_rightColumn->findChild<MapWidget *>(QStringLiteral("mapWidget")))
        return; // no map, or already in the column
    if (m_mapDialog)
        m_mapDialog->restoreFixedHeight();
    auto *column = static_cast<QVBoxLayout *>(m_rightColumn->layout());
    column->insertWidget(column->indexOf(m_mapPlace), m_map);
    m_mapPlace->hide();
    m_map->setPopupMode(false);
    m_map->show();
    if (m_mapDialog) {
        m_mapDialog->hide();
        // Later: the request may come from inside the dialog's own key handling.
        m_mapDialog->deleteLater();
        m_mapDialog = nullptr;
    }
}
