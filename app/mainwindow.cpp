#include "mainwindow.h"

#include "exportcontroller.h"
#include "map/mapdialog.h"
#include "map/mapdock.h"
#include "map/mapwidget.h"
#include "media/globalsettings.h"
#include "media/userfolders.h"
#include "playlist/playlistwidget.h"
#include "snapshotcontroller.h"
#include "telemetry/gsensoreventdetector.h"
#include "telemetry/gsensormeterwidget.h"
#include "transportcontroller.h"
#include "ui/aboutdialog.h"
#include "ui/exceptiondialog.h"
#include "ui/framelessdialog.h"
#include "ui/loadingdialog.h"
#include "ui/playercontrolwidget.h"
#include "ui/playerwidget.h"
#include "ui/shortcutlistdialog.h"
#include "ui/titlebarwidget.h"
#include "video/videodisplaywidget.h"
#include "windowkeys.h"
#include "windowlog.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMimeData>
#include <QResizeEvent>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

MainWindow::MainWindow(QWidget *parent)
    : FramelessWindow(parent)
    , m_session(&m_mediaInfo, &m_eventLoop)
{
    qRegisterMetaType<int64_t>("int64_t");
    qRegisterMetaType<QList<double>>("QList<double>");

    setAcceptDrops(true);
    setWindowTitle(GlobalSettings::productTitle());
    m_transport = new TransportController(&m_mediaInfo, &m_eventLoop, this);
    buildLayout();
    m_snapshots = new SnapshotController(
            &m_mediaInfo, &m_eventLoop, &m_session, {this, m_display, m_gsensor, m_map}, this);
    m_export = new ExportController(
            this, &m_mediaInfo, m_transport, &m_exportFolder, [this] { return loadingDialog(); });
    // In a trip, export the recording playing now.
    m_export->setSourceResolver([this] {
        return m_session.playingTrip().isEmpty() ? m_mediaInfo.currentPath()
                                                 : m_session.recordingAt(m_session.playingTime());
    });
    // The clip mode offers the marks of what plays: the recording, or the trip's recordings.
    m_export->setClipResolver([this] {
        QStringList inputs;
        const TripTimeline trip = m_session.playingTrip();
        for (const TripTimeline::File &file : trip.files())
            inputs << file.path;
        if (trip.isEmpty() && !m_mediaInfo.currentPath().isEmpty())
            inputs << m_mediaInfo.currentPath();
        QVector<ExportPlan::Channel> channels;
        const int roles[] = {m_mediaInfo.front(), m_mediaInfo.rear(), m_mediaInfo.inner()};
        for (int c = 0; c < 3; ++c) {
            if (roles[c] >= 0)
                channels << ExportPlan::Channel(c);
        }
        return ClipExportChoice(inputs, m_clipMarks.in(), m_clipMarks.out(), channels);
    });
    m_export->setReportWithoutMap(GlobalSettings::mapDisabled());
    setCaptureFolder(UserFolders::captures());
    setExportFolder(UserFolders::savedVideos());
    QDir().mkpath(captureFolder());
    QDir().mkpath(m_exportFolder);
    installKeys();
    connectSession();
    connectPanels();

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
    m_gsensor = new GSensorMeterWidget(&m_session.telemetry(), central);
    m_gsensor->setObjectName(QStringLiteral("gsensor"));
    m_gsensor->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_gsensor->setFixedHeight(GlobalSettings::surroundModel() ? 123 : 151);
    left->addWidget(m_gsensor, 0, Qt::AlignBottom);
    m_control = new PlayerControlWidget(&m_mediaInfo, &m_session.telemetry(), central);
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
        m_map = new MapWidget(&m_mediaInfo, &m_session.telemetry(), m_rightColumn);
        m_mapDock = new MapDock(m_map, m_rightColumn, this);
        right->addSpacing(6);
    }
    m_playList = new PlayListWidget(&m_mediaInfo, m_rightColumn);
    right->addWidget(m_playList);
    body->addWidget(m_rightColumn, 2);

    setCentralWidget(central);
}

void MainWindow::connectSession()
{
    m_session.setMaxVideoStreams(GlobalSettings::surroundModel() ? 3 : 2);
    m_session.setOpenPoster([this](const QString &path) {
        m_eventLoop.postOpen(path,
                             m_frameSink ? m_frameSink : static_cast<FrameSink *>(m_display),
                             m_control->currentPlaySpeed(),
                             m_control->volume(),
                             width(),
                             height(),
                             m_mediaInfo.surround(),
                             m_display->surroundViewMode());
    });
    connect(&m_session, &PlaybackSession::problem, this, &MainWindow::showMessage);
    connect(&m_session, &PlaybackSession::busyChanged, this, [this](bool busy) {
        if (busy) {
            FramelessDialog::showFramelessDialog(loadingDialog());
            m_loadingDialog->setModal(true);
            setEnabled(false);
        } else if (m_loadingDialog) {
            m_loadingDialog->accept();
            setEnabled(true);
        }
    });
    connect(&m_session,
            &PlaybackSession::nextRowRequested,
            m_playList,
            [this](const QString &path) { m_playList->playNextFile(path); });
    connect(&m_session,
            &PlaybackSession::playingContextChanged,
            m_transport,
            &TransportController::setPlayingContext);
    connect(&m_session, &PlaybackSession::positionChanged, this, &MainWindow::showPosition);
    connect(&m_session,
            &PlaybackSession::frameSearchLeaving,
            m_control,
            &PlayerControlWidget::onFrameSearchChanged);
    connect(&m_session, &PlaybackSession::frameSearchEnded, this, [this] {
        m_control->setFrameSearchButton(false);
        if (m_mediaInfo.videoCount() >= 2)
            m_player->allVideoOnoff(true);
    });
    connect(&m_session, &PlaybackSession::closeReady, this, &QWidget::close);

    connect(m_playList, &PlayListWidget::playFileSelected, &m_session, &PlaybackSession::play);
    connect(m_playList, &PlayListWidget::tripSelected, &m_session, &PlaybackSession::playTrip);
    connect(m_playList,
            &PlayListWidget::playlistSelectionChanged,
            this,
            [this](int row, int rowCount) {
                m_control->setPrevEnabled(row > 0);
                m_control->setNextEnabled(row + 1 < rowCount);
            });
    connect(m_playList, &PlayListWidget::endOfPlayingListReached, this, [this] {
        m_display->update();
        m_session.endOfList();
    });
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
            [this](MediaInfo *, MediaContext *, int oldState, int newState) {
                if (newState == MediaInfo::Playing && oldState != MediaInfo::Paused)
                    m_player->setEventMarks(eventMarks());
            });

    // The clip's marks: set by keys and the seek bar's menu, drawn on the bar, cleared when
    // another recording (or trip) opens.
    connect(m_player, &PlayerWidget::markInRequested, this, [this] {
        onSetClipMark(ClipMarks::In);
    });
    connect(m_player, &PlayerWidget::markOutRequested, this, [this] {
        onSetClipMark(ClipMarks::Out);
    });
    connect(m_player, &PlayerWidget::clearMarksRequested, &m_clipMarks, &ClipMarks::clear);
    connect(&m_clipMarks, &ClipMarks::changed, this, [this] {
        m_player->setClipMarks(m_clipMarks.in(), m_clipMarks.out());
    });
    connect(&m_session,
            &PlaybackSession::playingContextChanged,
            this,
            [this](MediaContext *context) {
                if (context)
                    m_clipMarks.setRecording(m_session.playingPath());
            });

    connect(m_titleBar,
            &TitleBarWidget::titleBarMouseDoubleClicked,
            this,
            &MainWindow::onMaximized);
    connect(m_titleBar, &TitleBarWidget::openFileClicked, this, &MainWindow::onOpenFile);
    connect(m_titleBar, &TitleBarWidget::openFolderClicked, this, &MainWindow::onOpenDir);
    connect(m_titleBar, &TitleBarWidget::aboutClicked, this, &MainWindow::onAbout);
    connect(m_titleBar, &TitleBarWidget::minimizeClicked, this, &QWidget::showMinimized);
    connect(m_titleBar, &TitleBarWidget::maximizeClicked, this, &MainWindow::onMaximized);
    connect(m_titleBar, &TitleBarWidget::closeClicked, this, &QWidget::close);
    connect(m_titleBar, &TitleBarWidget::fullSizeClicked, this, &MainWindow::onToggleFullSize);
    connect(m_titleBar,
            &TitleBarWidget::screenShotClicked,
            m_snapshots,
            &SnapshotController::capture);
    connect(m_titleBar,
            &TitleBarWidget::printScreenClicked,
            m_snapshots,
            &SnapshotController::print);
    connect(m_titleBar, &TitleBarWidget::splitClicked, m_export, &ExportController::showDialog);

    // Channel buttons: the stream index of the channel, or all of them.
    const auto channel = [this](int (MediaInfo::*index)() const) {
        return [this, index](bool checked) {
            m_transport->showChannel((m_mediaInfo.*index)(), checked);
        };
    };
    connect(m_player, &PlayerWidget::showFrontVideo, m_transport, channel(&MediaInfo::front));
    connect(m_player, &PlayerWidget::showRearVideo, m_transport, channel(&MediaInfo::rear));
    connect(m_player, &PlayerWidget::showInnerVideo, m_transport, channel(&MediaInfo::inner));
    connect(m_player, &PlayerWidget::showAllVideos, m_transport, [this](bool checked) {
        m_transport->showChannel(MediaInfo::AllChannels, checked);
    });
    connect(m_player, &PlayerWidget::playSeekValueChanged, this, &MainWindow::onSeekBarMoved);
    connect(m_display,
            &VideoDisplayWidget::changeVideoStreamViewMode,
            m_transport,
            &TransportController::changeViewMode);

    connect(m_control, &PlayerControlWidget::prevClicked, m_playList, [this] {
        m_playList->playPrevFile();
    });
    connect(m_control, &PlayerControlWidget::nextClicked, m_playList, [this] {
        m_playList->playNextFile();
    });
    connect(m_control, &PlayerControlWidget::rewClicked, m_transport, [this] {
        m_transport->skip(TransportController::Back);
    });
    connect(m_control, &PlayerControlWidget::fwdClicked, m_transport, [this] {
        m_transport->skip(TransportController::Forward);
    });
    connect(m_control,
            &PlayerControlWidget::playPauseClicked,
            m_transport,
            &TransportController::playOrPause);
    connect(m_control,
            &PlayerControlWidget::frameSearchModeRequested,
            m_transport,
            &TransportController::setFrameSearchMode);
    connect(m_control, &PlayerControlWidget::playSpeedValueChanged, this, [this](int value) {
        const double factor = PlayerControlWidget::playSpeedFactor(value);
        m_player->setPlaySpeed(factor);
        m_transport->setPlaySpeed(factor);
    });
    connect(m_control, &PlayerControlWidget::brightnessValueChanged, m_player, [this](int value) {
        m_player->setBrightness(PlayerControlWidget::brightnessFactor(value));
    });
    connect(m_control,
            &PlayerControlWidget::volumeValueChanged,
            m_transport,
            &TransportController::setVolume);
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
    connect(m_transport,
            &TransportController::frameLabelShown,
            m_player,
            &PlayerWidget::showFrameLabel);
    connect(m_transport,
            &TransportController::frameLabelHidden,
            m_player,
            &PlayerWidget::hideFrameLabel);
    connect(m_transport,
            &TransportController::frameSearchToggleRequested,
            m_control,
            &PlayerControlWidget::onFrameSearchChanged);
}

void MainWindow::installKeys()
{
    m_shortcuts = KeyTable::install(this, WindowKeys::rows(this));
}

LoadingDialog *MainWindow::loadingDialog()
{
    if (!m_loadingDialog)
        m_loadingDialog = new LoadingDialog(this);
    return m_loadingDialog;
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

MapDialog *MainWindow::mapDialog() const
{
    return m_mapDock ? m_mapDock->dialog() : nullptr;
}

ProgressbarDialog *MainWindow::exportDialog() const
{
    return m_export->dialog();
}

void MainWindow::setExportFolder(const QString &folder)
{
    m_exportFolder = folder;
    m_session.setRepairFolder(folder);
}

QString MainWindow::captureFolder() const
{
    return m_snapshots->captureFolder();
}

void MainWindow::setCaptureFolder(const QString &folder)
{
    m_snapshots->setCaptureFolder(folder);
}

void MainWindow::setReportFile(const QString &pdfFile)
{
    m_snapshots->setReportFile(pdfFile);
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

// --- position ---------------------------------------------------------------------------------

void MainWindow::showPosition(double seconds, int64_t frame)
{
    // The panel follows the chosen channel (keeping a surround stream's view mode).
    const int shown = m_mediaInfo.shownStream();
    if (shown != m_player->currentShownStream()) {
        if (shown == MediaInfo::AllChannels)
            m_player->showAllStreams();
        else if (shown >= 0)
            m_player->showSingleStream(shown);
    }
    m_player->setRunningTime(seconds, frame, m_mediaInfo.totalFrames());
    m_gsensor->showPlayingTime(seconds);
    if (m_map)
        m_map->showPlayingTime(seconds);
    m_control->showPlayingTime(seconds);
}

void MainWindow::onSeekFrameAgain()
{
    m_transport->seekFrameAgain();
}

void MainWindow::onSeekBarMoved(int value)
{
    value = TransportController::adjustedSeekValue(value);
    const int64_t position = PlayerWidget::seekPositionOf(value);
    qCDebug(lcWindow).noquote() << "MainWindow::onSeekBarMoved" << value << "seek_pos" << position;
    const auto action = static_cast<SeekBarAction>(m_player->nKeyBoardAction);
    m_player->nKeyBoardAction = SeekBarDragged;
    m_transport->seekBarMoved(position, action);
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

QVector<double> MainWindow::eventMarks() const
{
    // The G-sensor's events, and in a trip the event recordings made during it.
    QVector<double> marks = m_gsensor->eventMarks() + m_session.tripEventMarks();
    std::sort(marks.begin(), marks.end());
    return marks;
}

void MainWindow::onJumpToEventMark(int direction)
{
    const double target
            = GSensorEventDetector::adjacentMark(eventMarks(), m_session.playingTime(), direction);
    if (target >= 0)
        onSeekToSeconds(target);
}

void MainWindow::onSetClipMark(int which)
{
    if (!m_session.playingContext())
        return;
    m_clipMarks.set(which == ClipMarks::Out ? ClipMarks::Out : ClipMarks::In,
                    m_session.playingTime());
}

void MainWindow::onSeekToSeconds(double seconds)
{
    if (!(seconds >= 0) || !m_transport->isActive() || m_mediaInfo.isSeeking())
        return;
    // The next jump counts from here, also while the paused picture has not reported yet.
    m_session.setPlayingTime(seconds);
    m_transport->seekTo(static_cast<int64_t>(seconds * 1000000));
}

// --- window ----------------------------------------------------------------------------------

void MainWindow::onAbout()
{
    AboutDialog dialog(this);
    FramelessDialog::showFramelessDialog(&dialog);
    dialog.exec();
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

void MainWindow::onMaximized()
{
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    qCDebug(lcWindow).noquote() << "close main window";
    // The panel goes back to the column first: deleting the dialog would delete it too.
    if (m_mapDock)
        m_mapDock->restore();
    if (m_session.requestClose())
        event->accept();
    else
        event->ignore();
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
        QTimer::singleShot(500, this, [] { GlobalSettings::setScreenChanging(false); });
}
