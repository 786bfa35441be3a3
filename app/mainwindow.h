#pragma once

#include "keytable.h"
#include "media/mediaeventloop.h"
#include "media/mediainfo.h"
#include "playbacksession.h"
#include "ui/clipmarks.h"
#include "ui/framelesswindow.h"
#include "video/videodisplayhost.h"

#include <QString>
#include <QVector>

class ExportController;
class FrameSink;
class GSensorMeterWidget;
class LoadingDialog;
class MapDialog;
class MapDock;
class MapWidget;
class PlayerControlWidget;
class PlayerWidget;
class PlayListWidget;
class ProgressbarDialog;
class SnapshotController;
class TitleBarWidget;
class TransportController;
class VideoDisplayWidget;
class QDragEnterEvent;
class QDropEvent;

// The viewer's window: builds the panels and the controllers and wires them together. What
// happens lives in the controllers: the recording cycle in PlaybackSession, the transport in
// TransportController, export in ExportController, captures and the report in
// SnapshotController, the map's pop-out in MapDock. GUI thread only; the engine's signals
// arrive queued.
class MainWindow : public FramelessWindow, public VideoDisplayHost
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    MediaInfo &mediaInfo() { return m_mediaInfo; }
    MediaEventLoop &eventLoop() { return m_eventLoop; }
    PlaybackSession *session() { return &m_session; }
    PlayListWidget *playList() const { return m_playList; }
    MapWidget *mapWidget() const { return m_map; }
    MapDock *mapDock() const { return m_mapDock; }
    MapDialog *mapDialog() const;
    VideoDisplayWidget *videoDisplay() const { return m_display; }
    PlayerWidget *playerWidget() const { return m_player; }
    PlayerControlWidget *controlWidget() const { return m_control; }
    GSensorMeterWidget *gsensorMeter() const { return m_gsensor; }
    TransportController *transport() const { return m_transport; }
    ExportController *exportController() const { return m_export; }
    // The clip's in and out marks on the playing timeline.
    ClipMarks *clipMarks() { return &m_clipMarks; }
    ProgressbarDialog *exportDialog() const;
    bool isFullSize() const { return m_fullSize; }
    using ShortcutEntry = KeyTable::Entry;
    const QVector<ShortcutEntry> &shortcutEntries() const { return m_shortcuts; }
    QString exportFolder() const { return m_exportFolder; }
    // Where repaired copies and exports go; the tests point it at a temporary folder.
    void setExportFolder(const QString &folder);
    QString captureFolder() const;
    void setCaptureFolder(const QString &folder);
    // Non-empty: print writes its report into this PDF file (scripts and tests).
    void setReportFile(const QString &pdfFile);
    double playingTime() const { return m_session.playingTime(); }
    bool isClosingRequested() const { return m_session.isClosing(); }
    int exitCode() const { return m_session.exitCode(); }
    const TelemetryTrack &telemetry() const { return m_session.telemetry(); }
    // Where the next opens hand their pictures (the display when null, the default); a sink put
    // in front of the display (the GUI benchmark's counter) passes them on to it. It must
    // outlive the window's recordings.
    void setFrameSink(FrameSink *sink) { m_frameSink = sink; }

    // VideoDisplayHost
    MediaInfo *displayMediaInfo() override { return &m_mediaInfo; }
    bool isClosing() const override { return m_session.isClosing(); }
    QAction *displayAction(const QString &objectName) const override;
    bool isPlayerButtonEnabled(const QString &objectName) const override;
    void onSeekFrameAgain() override;
    void screenChanged(QScreen *screen) override;

public slots:
    void onAbout();
    void onOpenFile();
    void onOpenDir();
    void onMaximized();
    void onToggleFullSize();
    void onShowShortcuts();
    // Keyboard: skip (or step the focused slider), event marks.
    void onSkipKey(int direction);
    void onJumpToEventMark(int direction);
    // Keys I and O and the seek bar's menu: a clip mark (ClipMarks::Which) at the playing time.
    void onSetClipMark(int which);
    // The seek bar's marks, ascending.
    QVector<double> eventMarks() const;
    // A seek to a moment of the recording (the G-sensor meter's curve, the map, event marks).
    void onSeekToSeconds(double seconds);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildLayout();
    void connectSession();
    void connectPanels();
    void installKeys();
    void showMessage(const QString &text);
    void showPosition(double seconds, int64_t frame);
    void onSeekBarMoved(int value);
    LoadingDialog *loadingDialog();

    MediaEventLoop m_eventLoop;
    MediaInfo m_mediaInfo;
    PlaybackSession m_session;
    ClipMarks m_clipMarks;
    TitleBarWidget *m_titleBar = nullptr;
    PlayerWidget *m_player = nullptr;
    VideoDisplayWidget *m_display = nullptr;
    FrameSink *m_frameSink = nullptr; // null: m_display
    GSensorMeterWidget *m_gsensor = nullptr;
    PlayerControlWidget *m_control = nullptr;
    TransportController *m_transport = nullptr;
    SnapshotController *m_snapshots = nullptr;
    QVector<ShortcutEntry> m_shortcuts;
    QWidget *m_rightColumn = nullptr;
    MapWidget *m_map = nullptr; // null when the model has no map
    MapDock *m_mapDock = nullptr; // null when the model has no map
    PlayListWidget *m_playList = nullptr;
    LoadingDialog *m_loadingDialog = nullptr; // created on first use
    ExportController *m_export = nullptr;
    QString m_exportFolder;
    bool m_fullSize = false;
};
