#pragma once

#include "framelesswindow.h"
#include "mediaeventloop.h"
#include "mediainfo.h"
#include "telemetrytrack.h"
#include "videodisplayhost.h"

#include <QKeySequence>
#include <QPointer>
#include <QString>
#include <QVector>

#include <functional>

class ExportController;
class FrameSink;
class GSensorMeterWidget;
class LoadingDialog;
class MapDialog;
class MapWidget;
class MediaContext;
class PlayerControlWidget;
class PlayerWidget;
class PlayListWidget;
class ProgressbarDialog;
class TitleBarWidget;
class TransportController;
class VideoDisplayWidget;
class QDragEnterEvent;
class QDropEvent;
class QVBoxLayout;

// The coordinator of the viewer: owns the media event loop, the one MediaInfo and every
// panel; turns user requests into probes, repairs and engine commands and reacts to every
// result the engine reports. GUI thread only; the engine's signals arrive queued.
class MainWindow : public FramelessWindow, public VideoDisplayHost
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Probes a recording, repairs it when damaged, and posts its open.
    void doOpenMediaFile(const QString &path);

    MediaInfo &mediaInfo() { return m_mediaInfo; }
    MediaEventLoop &eventLoop() { return m_eventLoop; }
    PlayListWidget *playList() const { return m_playList; }
    MapWidget *mapWidget() const { return m_map; }
    MapDialog *mapDialog() const { return m_mapDialog; }
    VideoDisplayWidget *videoDisplay() const { return m_display; }
    PlayerWidget *playerWidget() const { return m_player; }
    PlayerControlWidget *controlWidget() const { return m_control; }
    GSensorMeterWidget *gsensorMeter() const { return m_gsensor; }
    TransportController *transport() const { return m_transport; }
    ExportController *exportController() const { return m_export; }
    ProgressbarDialog *exportDialog() const { return m_exportDialog; }
    bool isFullSize() const { return m_fullSize; }
    // One keyboard shortcut of the window: its key, what it does (translated), and its target.
    struct ShortcutEntry
    {
        QKeySequence key;
        QString description;
        std::function<void()> trigger;
    };
    const QVector<ShortcutEntry> &shortcutEntries() const { return m_shortcuts; }
    QString exportFolder() const { return m_exportFolder; }
    QString captureFolder() const { return m_captureFolder; }
    // Where repaired copies and exports go; the tests point it at a temporary folder.
    void setExportFolder(const QString &folder) { m_exportFolder = folder; }
    void setCaptureFolder(const QString &folder) { m_captureFolder = folder; }
    // Non-empty: the print command writes its report into this PDF file instead of asking the
    // user for a printer (scripts and tests).
    void setReportFile(const QString &pdfFile) { m_reportFile = pdfFile; }
    // Where the next opens hand their pictures (the display when null, the default); a sink put
    // in front of the display (the GUI benchmark's counter) passes them on to it. It must
    // outlive the window's recordings.
    void setFrameSink(FrameSink *sink) { m_frameSink = sink; }
    // The playing time the panels last showed (seconds).
    double playingTime() const { return m_playingTime; }
    bool isClosingRequested() const { return m_closing; }
    // 1 when the event loop ended with an error while the window was closing, otherwise 0.
    int exitCode() const { return m_exitCode; }
    // The GUI's own copy of the playing recording's telemetry (empty when none plays), for the
    // telemetry views; it stays valid whatever the engine does with its context.
    const TelemetryTrack &telemetry() const { return m_telemetry; }

    // VideoDisplayHost
    MediaInfo *displayMediaInfo() override { return &m_mediaInfo; }
    bool isClosing() const override { return m_closing; }
    QAction *displayAction(const QString &objectName) const override;
    bool isPlayerButtonEnabled(const QString &objectName) const override;

public slots:
    void onAbout();
    void onOpenFile();
    void onOpenDir();
    void onMinimized();
    void onMaximized();
    void onExit();
    void onToggleFullSize();
    void onShowFrontVideo(bool checked);
    void onShowRearVideo(bool checked);
    void onShowInnerVideo(bool checked);
    void onShowAllVideos(bool checked);
    void onPlayNextMedia();
    void onPlayPrevMedia();
    void onPlayOrPauseMedia();
    void onPlayRewMedia();
    void onPlayFwdMedia();
    void onPlaySeekValueChanged(int value);
    void onPlaySpeedValueChanged(int value);
    void onBrightnessValueChanged(int value);
    void onVolumeValueChanged(int value);
    void onFrameSearchMode(bool bOnOff);
    void seekRelativeFrame();
    void showFrame();
    void hideFrame();
    // Keyboard: skip (or step the focused slider), frame steps, event marks, the shortcut list.
    void onSkipKey(int direction);
    void onStepFrame(int direction);
    void onJumpToEventMark(int direction);
    void onShowShortcuts();
    // A seek to a moment of the recording (the G-sensor meter's curve, the event marks).
    void onSeekToSeconds(double seconds);
    void onPlayFileSelected(QString file_path);
    void onPlayListSelectionChanged(int row, int row_count);
    void onEndOfPlayingListReached();
    void onScreenChangedTimer();
    void onOpenMapDialog();
    void onRestoreMapPanel();
    void onChangeVideoStreamViewMode(int stream_index, int view_mode);
    void onScreenShot();
    void onPrintScreen();
    // Export: the title bar's save button opens the dialog, whose buttons come back here.
    void onSplit();
    void onCopyVideo();
    void onSplitVideo();
    void onOpenDirForSplit();
    void onCancel();
    void onSeekFrameAgain() override;
    void screenChanged(QScreen *screen) override;

protected slots:
    void onMediaEventOpended(MediaContext *context, QString path, int result);
    void onMediaEventFinihsed(int result);
    void onMediaEventClosed(QString path, int result);
    void onMediaEventVideoViewModeChanged(int stream_index, int view_mode, int result);
    void onMediaEventPlayControlCommandCompleted(int cmd, int64_t arg, int result);
    void onMediaEventEndOfPlaying(MediaContext *context);
    void onMediaEventUpdatePlayingTime(MediaContext *context, double playing_time, int playing_seq);
    void onMediaEventSeekingStreamInfo(MediaContext *context, int stream_index, int seeking_seq);
    void onMediaEventSeekingCompleted(MediaContext *context, int result);
    void onMediaEventErrorOccurredWhilePlaying(MediaContext *context, int err);
    void onMediaInfoStateChanged(MediaInfo *media_info,
                                 MediaContext *playing_context,
                                 int old_state,
                                 int new_state);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildLayout();
    void connectEngine();
    void connectPanels();
    void installKeys();
    void showMessage(const QString &text);
    int maxVideoStreams() const;

    MediaEventLoop m_eventLoop;
    MediaInfo m_mediaInfo;
    TitleBarWidget *m_titleBar = nullptr;
    PlayerWidget *m_player = nullptr;
    VideoDisplayWidget *m_display = nullptr;
    FrameSink *m_frameSink = nullptr; // null: m_display
    GSensorMeterWidget *m_gsensor = nullptr;
    PlayerControlWidget *m_control = nullptr;
    TransportController *m_transport = nullptr;
    QVector<ShortcutEntry> m_shortcuts;
    QWidget *m_rightColumn = nullptr;
    MapWidget *m_map = nullptr; // null when the model has no map
    QWidget *m_mapPlace = nullptr;
    MapDialog *m_mapDialog = nullptr; // holds m_map while it is popped out
    PlayListWidget *m_playList = nullptr;
    LoadingDialog *m_loadingDialog = nullptr;
    ExportController *m_export = nullptr;
    ProgressbarDialog *m_exportDialog = nullptr; // created on first use
    QString m_exportFolder;
    QString m_captureFolder;
    QString m_reportFile;
    QString m_nextFilePath;
    // The recording the engine reported opened: its context only as an identity token to match
    // later reports against (never dereferenced: queued reports can outlive it), its path and
    // the GUI's copy of its telemetry. Cleared when its close is reported.
    MediaContext *m_playingContext = nullptr;
    QString m_playingPath;
    TelemetryTrack m_telemetry;
    bool m_closing = false;
    bool m_repairing = false; // a repair's converter runs (its wait spins the event loop)
    int m_exitCode = 0;
    bool m_fullSize = false;
    double m_playingTime = 0; // the last playing time shown, for the event-mark jumps
};
