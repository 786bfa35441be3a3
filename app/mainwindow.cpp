#include "mainwindow.h"

#include "aboutdialog.h"
#include "avptr.h"
#include "exceptiondialog.h"
#include "exportcontroller.h"
#include "framelessdialog.h"
#include "globalsettings.h"
#include "gsensormeterwidget.h"
#include "loadingdialog.h"
#include "mapdialog.h"
#include "mapwidget.h"
#include "mediacontext.h"
#include "playercontrolwidget.h"
#include "playerwidget.h"
#include "playlistwidget.h"
#include "progressbardialog.h"
#include "recordingname.h"
#include "reportprinter.h"
#include "shortcutlistdialog.h"
#include "titlebarwidget.h"
#include "transportcontroller.h"
#include "userfolders.h"
#include "videodisplaywidget.h"
#include "windowlog.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QMimeData>
#include <QResizeEvent>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
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
    m_transport = new TransportController(&m_mediaInfo, &m_eventLoop, this);
    buildLayout();
    installKeys();
    connectEngine();
    connectPanels();
    m_export = new ExportController(this, &m_mediaInfo, m_transport, &m_exportFolder, [this] {
        if (!m_loadingDialog)
            m_loadingDialog = new LoadingDialog(this);
        return m_loadingDialog;
    });
    connect(m_titleBar, &TitleBarWidget::splitClicked, this, &MainWindow::onSplit);

    m_eventLoop.start();

    const QString startup = GlobalSettings::startupFilePath();
    if (!startup.isEmpty()) {
        qCDebug(lcWindow).noquote() << "mainwindow: path" << startup;
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
    m_player = new PlayerWidget(this, &m_mediaInfo, central);
    m_player->setObjectName(QStringLiteral("playerWidget"));
    m_player->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_display = m_player->videoDisplay();
    left->addWidget(m_player, 1);
    m_gsensor = new GSensorMeterWidget(&m_telemetry, central);
    m_gsensor->setObjectName(QStringLiteral("gsensor"));
    m_gsensor->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_gsensor->setFixedHeight(GlobalSettings::surroundModel() ? 123 : 151);
    left->addWidget(m_gsensor, 0, Qt::AlignBottom);
    m_control = new PlayerControlWidget(&m_mediaInfo, &m_telemetry, central);
    m_control->setFixedHeight(55);
    left->addWidget(m_control, 0, Qt::AlignBottom);
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

    connect(m_display,
            &VideoDisplayWidget::changeVideoStreamViewMode,
            this,
            &MainWindow::onChangeVideoStreamViewMode);
}

void MainWindow::connectPanels()
{
    // The panels follow the state first; the window's own handler reads what they set up.
    connect(&m_mediaInfo,
            &MediaInfo::mediaInfoStateChanged,
            m_titleBar,
            &TitleBarWidget::onMediaInfoStateChanged);
    connect(&m_mediaInfo,
            &MediaInfo::mediaInfoStateChanged,
            m_gsensor,
            &GSensorMeterWidget::onMediaInfoStateChanged);
    connect(&m_mediaInfo,
            &MediaInfo::mediaInfoStateChanged,
            m_control,
            &PlayerControlWidget::onMediaInfoStateChanged);
    connect(&m_mediaInfo,
            &MediaInfo::mediaInfoStateChanged,
            m_player,
            &PlayerWidget::onMediaInfoStateChanged);
    connect(&m_mediaInfo,
            &MediaInfo::mediaInfoStateChanged,
            this,
            &MainWindow::onMediaInfoStateChanged);

    connect(m_titleBar, &TitleBarWidget::fullSizeClicked, this, &MainWindow::onToggleFullSize);
    connect(m_titleBar, &TitleBarWidget::screenShotClicked, this, &MainWindow::onScreenShot);
    connect(m_titleBar, &TitleBarWidget::printScreenClicked, this, &MainWindow::onPrintScreen);

    connect(m_player, &PlayerWidget::showFrontVideo, this, &MainWindow::onShowFrontVideo);
    connect(m_player, &PlayerWidget::showRearVideo, this, &MainWindow::onShowRearVideo);
    connect(m_player, &PlayerWidget::showInnerVideo, this, &MainWindow::onShowInnerVideo);
    connect(m_player, &PlayerWidget::showAllVideos, this, &MainWindow::onShowAllVideos);
    connect(m_player,
            &PlayerWidget::playSeekValueChanged,
            this,
            &MainWindow::onPlaySeekValueChanged);

    connect(m_control, &PlayerControlWidget::prevClicked, this, &MainWindow::onPlayPrevMedia);
    connect(m_control, &PlayerControlWidget::rewClicked, this, &MainWindow::onPlayRewMedia);
    connect(m_control,
            &PlayerControlWidget::playPauseClicked,
            this,
            &MainWindow::onPlayOrPauseMedia);
    connect(m_control, &PlayerControlWidget::fwdClicked, this, &MainWindow::onPlayFwdMedia);
    connect(m_control, &PlayerControlWidget::nextClicked, this, &MainWindow::onPlayNextMedia);
    connect(m_control,
            &PlayerControlWidget::frameSearchModeRequested,
            this,
            &MainWindow::onFrameSearchMode);
    connect(m_control,
            &PlayerControlWidget::playSpeedValueChanged,
            this,
            &MainWindow::onPlaySpeedValueChanged);
    connect(m_control,
            &PlayerControlWidget::brightnessValueChanged,
            this,
            &MainWindow::onBrightnessValueChanged);
    connect(m_control,
            &PlayerControlWidget::volumeValueChanged,
            this,
            &MainWindow::onVolumeValueChanged);
    connect(m_control, &PlayerControlWidget::fullSizeClicked, this, &MainWindow::onToggleFullSize);

    connect(m_gsensor, &GSensorMeterWidget::seekRequested, this, &MainWindow::onSeekToSeconds);
    if (m_map)
        connect(m_map, &MapWidget::seekRequested, this, &MainWindow::onSeekToSeconds);

    connect(m_transport,
            &TransportController::replaySelectedRequested,
            m_playList,
            &PlayListWidget::playSelectedFile);
    connect(m_transport,
            &TransportController::frameSearchButtonChanged,
            m_control,
            &PlayerControlWidget::setFrameSearchButton);
    connect(m_transport,
            &TransportController::frameSearchEnabledChanged,
            m_control,
            &PlayerControlWidget::setFrameSearchEnabled);
    connect(m_transport,
            &TransportController::allButtonEnabledChanged,
            m_player,
            &PlayerWidget::allVideoOnoff);
    connect(m_transport, &TransportController::frameLabelShown, this, &MainWindow::showFrame);
    connect(m_transport, &TransportController::frameLabelHidden, this, &MainWindow::hideFrame);
    connect(m_transport,
            &TransportController::frameSearchToggleRequested,
            m_control,
            &PlayerControlWidget::onFrameSearchChanged);
}

void MainWindow::installKeys()
{
    // One row per command: its key, which is a window shortcut listed by F1 when the row
    // describes it, and the display context menu's action for it (found there by object name),
    // with the menu's text. The actions are not added to the window, so the keys they show in
    // the menu do not compete with the window shortcuts. F1 lists the shortcuts in this order.
    struct KeyRow
    {
        QKeySequence key;
        QString description; // in the F1 list; empty: no window shortcut
        const char *action; // the menu action's object name; null: none
        QString menuText;
        std::function<void()> trigger;
    };
    const KeyRow rows[] = {
            {QKeySequence(tr("Ctrl+O")),
             tr("Open files"),
             "openFileAction",
             tr("Open File"),
             [this] {
                 onOpenFile();
             }},
            {QKeySequence(tr("Ctrl+F")),
             tr("Open folders"),
             "openFolderAction",
             tr("Open Folder"),
             [this] {
                 onOpenDir();
             }},
            {QKeySequence(Qt::Key_Space),
             tr("Play or pause"),
             "playPauseAction",
             tr("Play/Pause"),
             [this] {
                 onPlayOrPauseMedia();
             }},
            {QKeySequence(QKeySequence::MoveToPreviousPage),
             tr("Previous recording"),
             "previousAction",
             tr("Previous"),
             [this] {
                 onPlayPrevMedia();
             }},
            {QKeySequence(QKeySequence::MoveToNextPage),
             tr("Next recording"),
             "nextAction",
             tr("Next"),
             [this] {
                 onPlayNextMedia();
             }},
            {QKeySequence(Qt::Key_S),
             tr("Normal play speed"),
             "defaultSpeedAction",
             tr("Default"),
             [this] {
                 m_control->onDefaultSpeedButtonClicked();
             }},
            {QKeySequence(Qt::Key_B),
             tr("Normal brightness"),
             "defaultBrightnessAction",
             tr("Default"),
             [this] {
                 m_control->onDefaultBrightnessButtonClicked();
             }},
            {QKeySequence(Qt::Key_M),
             tr("Sound off or on"),
             "muteAction",
             tr("Mute ON/OFF"),
             [this] {
                 m_control->onMuteButtonClicked();
             }},
            {QKeySequence(Qt::Key_Up),
             tr("Louder"),
             "volumeUpAction",
             tr("Up"),
             [this] {
                 m_control->onVolumeUpClicked();
             }},
            {QKeySequence(Qt::Key_Down),
             tr("Quieter"),
             "volumeDownAction",
             tr("Down"),
             [this] {
                 m_control->onVolumeDownClicked();
             }},
            {QKeySequence(Qt::Key_Left),
             tr("5 seconds back (one frame back in frame search)"),
             nullptr,
             QString(),
             [this] {
                 onSkipKey(TransportController::Back);
             }},
            {QKeySequence(Qt::Key_Right),
             tr("5 seconds forward (one frame forward in frame search)"),
             nullptr,
             QString(),
             [this] {
                 onSkipKey(TransportController::Forward);
             }},
            {QKeySequence(Qt::Key_Comma),
             tr("One frame back"),
             nullptr,
             QString(),
             [this] {
                 onStepFrame(TransportController::Back);
             }},
            {QKeySequence(Qt::Key_Period),
             tr("One frame forward"),
             nullptr,
             QString(),
             [this] {
                 onStepFrame(TransportController::Forward);
             }},
            {QKeySequence(Qt::CTRL | Qt::Key_Left),
             tr("Previous event mark"),
             nullptr,
             QString(),
             [this] {
                 onJumpToEventMark(TransportController::Back);
             }},
            {QKeySequence(Qt::CTRL | Qt::Key_Right),
             tr("Next event mark"),
             nullptr,
             QString(),
             [this] {
                 onJumpToEventMark(TransportController::Forward);
             }},
            {QKeySequence(Qt::Key_F1),
             tr("This list of shortcuts"),
             nullptr,
             QString(),
             [this] {
                 onShowShortcuts();
             }},
            // Menu commands without a key.
            {QKeySequence(),
             QString(),
             "darkenAction",
             tr("Darken"),
             [this] {
                 m_control->onBrightnessDarkenClicked();
             }},
            {QKeySequence(),
             QString(),
             "brightenAction",
             tr("Brighten"),
             [this] {
                 m_control->onBrightnessBrightenClicked();
             }},
            {QKeySequence(),
             QString(),
             "fastAction",
             tr("Fast"),
             [this] {
                 m_control->onPlaySpeedFastClicked();
             }},
            {QKeySequence(),
             QString(),
             "slowAction",
             tr("Slow"),
             [this] {
                 m_control->onPlaySpeedSlowClicked();
             }},
    };
    for (const KeyRow &row : rows) {
        if (row.action) {
            auto *action = new QAction(row.menuText, this);
            action->setObjectName(QString::fromLatin1(row.action));
            action->setShortcut(row.key);
            action->setShortcutContext(Qt::WidgetShortcut);
            connect(action, &QAction::triggered, this, row.trigger);
        }
        if (!row.description.isEmpty()) {
            m_shortcuts.append({row.key, row.description, row.trigger});
            auto *shortcut = new QShortcut(row.key, this);
            shortcut->setContext(Qt::WindowShortcut);
            connect(shortcut, &QShortcut::activated, this, row.trigger);
        }
    }
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

QAction *MainWindow::displayAction(const QString &objectName) const
{
    return findChild<QAction *>(objectName, Qt::FindDirectChildrenOnly);
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
        qCDebug(lcWindow).noquote() << "busy in loading...";
        return;
    }
    const QStringList files = QFileDialog::getOpenFileNames(
            this,
            tr("Open"),
            QString(),
            tr("Video files(*.avi, *.mp4)") + QStringLiteral(" (*.avi *.mp4)"));
    if (files.isEmpty())
        return;
    qCDebug(lcWindow).noquote() << "MainWindow::onOpenFile" << files;
    m_playList->loadPlayList(files, true);
}

void MainWindow::onOpenDir()
{
    if (m_loadingDialog && m_loadingDialog->isVisible()) {
        qCDebug(lcWindow).noquote() << "busy in loading...";
        return;
    }
    // The desktop's own folder pickers choose one folder only; the framework's dialog lets
    // several be chosen (Ctrl or Shift with the mouse).
    QFileDialog dialog(this, tr("Open Folder"));
    dialog.setObjectName(QStringLiteral("openFolderDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    for (QAbstractItemView *view : dialog.findChildren<QAbstractItemView *>())
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList folders = dialog.selectedFiles();
    if (folders.isEmpty())
        return;
    qCDebug(lcWindow).noquote() << "MainWindow::onOpenDir" << folders;
    m_playList->loadPlayList(folders, true);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!event->mimeData()->hasUrls())
        return;
    for (const QUrl &url : event->mimeData()->urls())
        qCDebug(lcWindow).noquote() << "drag:" << url.toLocalFile();
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
    m_control->setPrevEnabled(row > 0);
    m_control->setNextEnabled(row + 1 < row_count);
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
        if (m_mediaInfo.isFrameSearchMode())
            m_control->onFrameSearchChanged();
        qCDebug(lcWindow).noquote() << m_mediaInfo.currentPath() << " still playing...close now...";
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
        qCDebug(lcWindow).noquote()
                << "MainWindow::doOpenMediaFile"
                << "repaired_File_path " << copy << "output_file_path " << m_exportFolder;
    }
    m_eventLoop.postOpen(m_mediaInfo.currentPath(),
                         m_frameSink ? m_frameSink : static_cast<FrameSink *>(m_display),
                         m_control->currentPlaySpeed(),
                         m_control->volume(),
                         width(),
                         height(),
                         m_mediaInfo.surround(),
                         m_display->surroundViewMode());
}

// --- engine results --------------------------------------------------------------------------

void MainWindow::onMediaEventOpended(MediaContext *context, QString path, int result)
{
    qCDebug(lcWindow).noquote() << path << " open result: " << result;
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
    m_transport->setPlayingContext(context);
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
    Q_UNUSED(media_info)
    Q_UNUSED(playing_context)
    if (new_state == MediaInfo::Playing && old_state != MediaInfo::Paused) {
        m_playingTime = 0;
        m_player->setEventMarks(m_gsensor->eventMarks());
    }
}

void MainWindow::onMediaEventClosed(QString path, int result)
{
    qCDebug(lcWindow).noquote() << "MainWindow::onMediaEventClosed" << path
                                << " media closed result: " << result
                                << ", media info path: " << m_mediaInfo.currentPath()
                                << ", closed file path " << path;
    qCDebug(lcWindow).noquote() << "next_file_path - " << m_nextFilePath;
    if (m_playingContext && path == m_playingPath) {
        m_playingContext = nullptr;
        m_transport->setPlayingContext(nullptr);
        m_playingPath.clear();
    }
    if (m_closing) {
        m_mediaInfo.clearTempFile();
        return;
    }
    qCDebug(lcWindow).noquote() << "next_file_path2 - " << m_nextFilePath;
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
    qCDebug(lcWindow).noquote() << "MainWindow::onMediaEventEndOfPlaying"
                                << ": " << contextPath << ", media: " << m_mediaInfo.currentPath();
    if (contextPath == m_mediaInfo.currentPath()) {
        m_mediaInfo.endOfPlaying = true;
        m_mediaInfo.finishSeeking();
        m_eventLoop.postClose();
    }
    if (m_mediaInfo.isFrameSearchMode()) {
        m_mediaInfo.setFrameSearchMode(false);
        m_control->setFrameSearchButton(false);
        if (m_mediaInfo.videoCount() >= 2)
            m_player->allVideoOnoff(true);
    }
}

void MainWindow::onMediaEventErrorOccurredWhilePlaying(MediaContext *context, int err)
{
    qCDebug(lcWindow).noquote() << "MainWindow::onMediaEventErrorOccurredWhilePlaying"
                                << ": ERROR " << err << ", " << av::errorText(err);
    if (err >= 0)
        return;
    if (err == AVERROR_BUG2) {
        qCDebug(lcWindow).noquote() << "USE SW DECODER";
        GlobalSettings::setForceSoftwareDecoding(true);
    }
    // Only the open recording is closed for its error: a report naming another context (one
    // closed since) must not close the recording that plays now.
    if (!context || context != m_playingContext)
        return;
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
    qCDebug(lcWindow).noquote() << "MainWindow::onMediaEventUpdatePlayingTime"
                                << "media_info.isSeeking()" << m_mediaInfo.isSeeking();
    if (m_mediaInfo.isSeeking())
        return;
    // The panel follows the chosen channel (keeping a surround stream's view mode).
    const int shown = m_mediaInfo.shownStream();
    if (shown != m_player->currentShownStream()) {
        if (shown == MediaInfo::AllChannels)
            m_player->showAllStreams();
        else if (shown >= 0)
            m_player->showSingleStream(shown);
    }
    // Frame number from the first stream's average frame rate, truncated toward zero; the
    // nudge keeps a frame's exact time (0.3 s at 10 fps) from truncating to the frame before.
    // The time the engine reported is the context's current time when it reported it.
    const double currentTime = playing_time;
    const int64_t frame
            = static_cast<int64_t>(double(m_mediaInfo.firstStreamRateNum()) * currentTime
                                           / m_mediaInfo.firstStreamRateDen()
                                   + 1e-6);
    m_eventLoop.setCurrentFrame(context, frame);
    m_mediaInfo.setCurrentFrame(frame);
    int64_t seekingFramePos = frame;
    if (!m_eventLoop.seekingFramePos(context, &seekingFramePos))
        return; // closed meanwhile
    qCDebug(lcWindow).noquote() << "222 context->current_time " << currentTime << "current_frame "
                                << frame << "playing_time " << playing_time;
    qCDebug(lcWindow).noquote() << "context->seeking_frame_pos " << seekingFramePos
                                << "media_info.isSeekingAbsolute() "
                                << m_mediaInfo.isSeekingAbsolute()
                                << "media_info.isFrameSearching() "
                                << m_mediaInfo.isFrameSearching();
    int64_t shownFrame = frame;
    if (m_mediaInfo.isFrameSearchMode() && frame != seekingFramePos
        && !m_mediaInfo.isSeekingAbsolute() && m_mediaInfo.isFrameSearching()) {
        shownFrame = seekingFramePos;
    } else {
        m_eventLoop.setSeekingFramePos(context, frame);
    }
    qCDebug(lcWindow).noquote() << "context->current_time " << currentTime << "current_frame "
                                << shownFrame;
    if (m_mediaInfo.isSeeking() || !m_mediaInfo.isOpened())
        return;
    m_playingTime = playing_time;
    m_player->setRunningTime(playing_time, shownFrame, m_mediaInfo.totalFrames());
    m_gsensor->showPlayingTime(playing_time);
    if (m_map)
        m_map->showPlayingTime(playing_time);
    m_control->showPlayingTime(playing_time);
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
    qCDebug(lcWindow).noquote() << "MainWindow::onMediaEventPlayControlCommandCompleted"
                                << ": " << cmd << ", " << arg << ", result " << result;
}

void MainWindow::onMediaEventVideoViewModeChanged(int stream_index, int view_mode, int result)
{
    Q_UNUSED(view_mode)
    qCDebug(lcWindow).noquote() << "MainWindow::onMediaEventVideoViewModeChanged"
                                << " result " << result;
    if (result != 0) {
        m_mediaInfo.editStreamInfo(stream_index,
                                   [](StreamInfo &info) { info.viewMode = info.previousViewMode; });
    }
}

void MainWindow::onChangeVideoStreamViewMode(int stream_index, int view_mode)
{
    qCDebug(lcWindow).noquote() << "MainWindow::onChangeVideoStreamViewMode"
                                << ": stream " << stream_index << ", view mode " << view_mode;
    if (m_mediaInfo.duration() <= 0 || !m_mediaInfo.hasStreamInfo(stream_index))
        return;
    if (view_mode != SurroundViewMode::Original && stream_index != m_mediaInfo.surround()) {
        qCDebug(lcWindow).noquote()
                << "can't change view mode: not surround view stream " << stream_index;
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

void MainWindow::onScreenShot()
{
    const int state = m_mediaInfo.state();
    if (state != MediaInfo::Playing && state != MediaInfo::Paused)
        return;
    QString date;
    QString time;
    RecordingName::parse(QFileInfo(m_playingPath), &date, &time, nullptr);
    const QDateTime start = QDateTime::fromString(date + QLatin1Char(' ') + time,
                                                  QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QStringList files;
    if (m_display->captureFrames(
                m_captureFolder, files, CaptureWriter::momentOf(m_telemetry, m_playingTime, start))
        != 0) {
        return;
    }
    QMessageBox box(QMessageBox::Question,
                    windowTitle(),
                    files.join(QLatin1Char('\n')) + QStringLiteral("\n\n")
                            + tr("Captured! Do you want to open the folder?"),
                    QMessageBox::Yes | QMessageBox::No,
                    this);
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() == QMessageBox::Yes)
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_captureFolder));
}

void MainWindow::onPrintScreen()
{
    if (m_mediaInfo.state() == MediaInfo::Playing) {
        m_eventLoop.postPlayControl(PlayCommand::Pause, 0);
        m_mediaInfo.changeState(MediaInfo::Paused, m_playingContext, true);
    } else if (m_mediaInfo.state() != MediaInfo::Paused) {
        return;
    }
    // Lets the pause settle and the screen be drawn.
    QEventLoop settle;
    QTimer::singleShot(200, &settle, &QEventLoop::quit);
    settle.exec();

    QMap<int, QImage> frames;
    if (m_closing || m_display->grabFrames(frames) != 0)
        return;
    ReportLayout::Content content;
    content.windowTitle = windowTitle();
    content.pictures = frames.values().toVector(); // ascending stream index
    content.positionSection = !GlobalSettings::mapDisabled();
    if (content.positionSection && m_map) {
        content.positionKnown
                = m_map->grabMapImage(&content.latitude, &content.longitude, &content.map) == 0;
    }
    content.gsensorKnown = m_gsensor->getCurrentValues(content.x, content.y, content.z) == 0;
    content.printedAt = QDateTime::currentDateTime();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ReportPrinter::print(this, content, m_reportFile);
    QApplication::restoreOverrideCursor();
}

void MainWindow::onSeekFrameAgain()
{
    m_transport->seekFrameAgain();
}

void MainWindow::onMediaEventFinihsed(int result)
{
    if (!m_closing)
        return;
    // The loop has ended either way. A Finish that found no recording open (its open failed
    // or a close got there first) still closes the window in order, so the repaired copy is
    // removed and every destructor runs; the process then reports the error in its exit code.
    if (result != 0) {
        qCDebug(lcWindow).noquote()
                << "MainWindow::onMediaEventFinihsed: result" << result << ", exit code 1";
        m_exitCode = 1;
        m_mediaInfo.clearTempFile();
    }
    close();
}

void MainWindow::onEndOfPlayingListReached()
{
    qCDebug(lcWindow).noquote() << "MainWindow::onEndOfPlayingListReached"
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

void MainWindow::onToggleFullSize()
{
    QLayout *layout = centralWidget()->layout();
    layout->setEnabled(false);
    m_fullSize = !m_fullSize;
    m_control->showFullSizeButton(m_fullSize);
    m_titleBar->setFullSizeMode(m_fullSize ? 8 : 40, m_fullSize);
    m_rightColumn->setVisible(!m_fullSize);
    m_gsensor->setVisible(!m_fullSize);
    layout->setEnabled(true);
    layout->update();
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
    qCDebug(lcWindow).noquote() << "close main window";
    // The panel goes back to the column first: deleting the dialog would delete it too.
    if (m_mapDialog)
        onRestoreMapPanel();
    if (m_repairing) {
        // The repair's wait keeps the events flowing; the window stays until the open it
        // belongs to has been posted.
        qCDebug(lcWindow).noquote() << "close main window: ignored while a recording is repaired";
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

// --- transport, channels and picture -----------------------------------------------------------

void MainWindow::onPlayOrPauseMedia()
{
    m_transport->playOrPause();
}

void MainWindow::onPlayPrevMedia()
{
    m_playList->playPrevFile();
}

void MainWindow::onPlayNextMedia()
{
    m_playList->playNextFile();
}

void MainWindow::onPlayRewMedia()
{
    m_transport->skip(TransportController::Back);
}

void MainWindow::onPlayFwdMedia()
{
    m_transport->skip(TransportController::Forward);
}

void MainWindow::onPlaySeekValueChanged(int value)
{
    value = TransportController::adjustedSeekValue(value);
    const int64_t position = PlayerWidget::seekPositionOf(value);
    qCDebug(lcWindow).noquote() << "MainWindow::onPlaySeekValueChanged"
                                << ": " << value << "seek_pos " << position;
    const auto action = static_cast<SeekBarAction>(m_player->nKeyBoardAction);
    m_player->nKeyBoardAction = SeekBarDragged;
    m_transport->seekBarMoved(position, action);
}

void MainWindow::onFrameSearchMode(bool bOnOff)
{
    m_transport->setFrameSearchMode(bOnOff);
}

void MainWindow::seekRelativeFrame()
{
    m_transport->seekRelativeFrame();
}

void MainWindow::showFrame()
{
    m_player->setFrameText(
            m_player->frameWord()
            + QString::asprintf(" %02lld / %02lld",
                                static_cast<long long>(m_transport->seekingFramePos()),
                                static_cast<long long>(m_mediaInfo.totalFrames())));
}

void MainWindow::hideFrame()
{
    m_player->setFrameText(QString());
}

void MainWindow::onPlaySpeedValueChanged(int value)
{
    const double factor = PlayerControlWidget::playSpeedFactor(value);
    m_player->setPlaySpeed(factor);
    m_transport->setPlaySpeed(factor);
}

void MainWindow::onBrightnessValueChanged(int value)
{
    m_player->setBrightness(PlayerControlWidget::brightnessFactor(value));
}

void MainWindow::onVolumeValueChanged(int value)
{
    m_transport->setVolume(value);
}

void MainWindow::onShowFrontVideo(bool checked)
{
    qCDebug(lcWindow).noquote() << "MainWindow::onShowFrontVideo"
                                << "################### checked " << checked << ", media valid "
                                << m_transport->isLoaded() << ", front stream index "
                                << m_mediaInfo.front();
    m_transport->showChannel(m_mediaInfo.front(), checked);
}

void MainWindow::onShowRearVideo(bool checked)
{
    qCDebug(lcWindow).noquote() << "MainWindow::onShowRearVideo"
                                << "################### checked " << checked << ", media valid "
                                << m_transport->isLoaded() << ", rear stream index "
                                << m_mediaInfo.rear();
    m_transport->showChannel(m_mediaInfo.rear(), checked);
}

void MainWindow::onShowInnerVideo(bool checked)
{
    qCDebug(lcWindow).noquote() << "MainWindow::onShowInnerVideo"
                                << "################### checked " << checked << ", media valid "
                                << m_transport->isLoaded() << ", inner stream index "
                                << m_mediaInfo.inner();
    m_transport->showChannel(m_mediaInfo.inner(), checked);
}

void MainWindow::onShowAllVideos(bool checked)
{
    qCDebug(lcWindow).noquote() << "MainWindow::onShowAllVideos"
                                << "################### checked " << checked << ", media valid "
                                << m_transport->isLoaded() << ", all";
    m_transport->showChannel(MediaInfo::AllChannels, checked);
}

void MainWindow::onSkipKey(int direction)
{
    // A focused slider keeps its arrow keys (the seek bar steps half a second).
    if (auto *slider = qobject_cast<QAbstractSlider *>(QApplication::focusWidget())) {
        slider->triggerAction(direction > 0 ? QAbstractSlider::SliderSingleStepAdd
                                            : QAbstractSlider::SliderSingleStepSub);
        return;
    }
    m_transport->skip(direction > 0 ? TransportController::Forward : TransportController::Back);
}

void MainWindow::onStepFrame(int direction)
{
    m_transport->stepFrame(direction > 0 ? TransportController::Forward
                                         : TransportController::Back);
}

void MainWindow::onJumpToEventMark(int direction)
{
    // Marks within a second of the playing time count as the one just jumped to.
    constexpr double Slack = 1.0;
    const QVector<double> marks = m_gsensor->eventMarks();
    double target = -1;
    if (direction > 0) {
        for (double mark : marks) {
            if (mark > m_playingTime + Slack) {
                target = mark;
                break;
            }
        }
    } else {
        for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
            if (*it < m_playingTime - Slack) {
                target = *it;
                break;
            }
        }
    }
    if (target >= 0)
        onSeekToSeconds(target);
}

void MainWindow::onSeekToSeconds(double seconds)
{
    if (!(seconds >= 0) || !m_transport->isActive() || m_mediaInfo.isSeeking())
        return;
    // The next jump counts from here, also while the paused picture has not reported yet.
    m_playingTime = seconds;
    m_transport->seekTo(static_cast<int64_t>(seconds * 1000000));
}

void MainWindow::onShowShortcuts()
{
    QVector<QPair<QString, QString>> rows;
    for (const ShortcutEntry &entry : m_shortcuts)
        rows.append({entry.key.toString(QKeySequence::NativeText), entry.description});
    ShortcutListDialog dialog(rows, this);
    FramelessDialog::showFramelessDialog(&dialog);
    dialog.exec();
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

// --- export -----------------------------------------------------------------------------------

void MainWindow::onSplit()
{
    if (!m_exportDialog) {
        m_exportDialog = new ProgressbarDialog(this);
        connect(m_exportDialog,
                &ProgressbarDialog::spliteFile,
                this,
                &MainWindow::onSplitVideo,
                Qt::DirectConnection);
        connect(m_exportDialog,
                &ProgressbarDialog::copyFile,
                this,
                &MainWindow::onCopyVideo,
                Qt::DirectConnection);
        connect(m_exportDialog,
                &ProgressbarDialog::openDirectory,
                this,
                &MainWindow::onOpenDirForSplit,
                Qt::DirectConnection);
        connect(m_exportDialog,
                &ProgressbarDialog::cancel,
                this,
                &MainWindow::onCancel,
                Qt::DirectConnection);
    }
    m_export->openDialog(m_exportDialog);
}

void MainWindow::onCopyVideo()
{
    m_export->startExport(ExportPlan::Original);
}

void MainWindow::onSplitVideo()
{
    m_export->startExport(ExportPlan::Separate);
}

void MainWindow::onOpenDirForSplit()
{
    m_export->browse();
}

void MainWindow::onCancel()
{
    m_export->closeDialog();
}
