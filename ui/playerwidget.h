#pragma once

#include "seekbaraction.h"

#include <QVector>
#include <QWidget>

#include <cstdint>

class ElasticLabel;
class MediaContext;
class MediaInfo;
class QButtonGroup;
class QRadioButton;
class QSlider;
class QTimer;
class SmoothSlider;
class VideoDisplayHost;
class VideoDisplayWidget;

// The player panel: the video display, an information bar (recording time, play speed, frame
// counter and the channel buttons), the surround view-mode buttons (surround models only) and
// the seek bar. It only emits: the channel buttons' toggles become showFrontVideo ...
// showAllVideos and the seek bar's moves playSeekValueChanged, which the main window connects
// to its slots, and its context menu's clip-mark entries markInRequested ... clearMarksRequested;
// the surround-mode buttons drive the video display directly. It follows the
// media info's state and the main window's calls (setRunningTime and the other setters).
//
// Threads: GUI thread only.
class PlayerWidget : public QWidget
{
    Q_OBJECT

public:
    PlayerWidget(VideoDisplayHost *host, MediaInfo *info, QWidget *parent = nullptr);

    VideoDisplayWidget *videoDisplay() const { return m_display; }

    // The playing time moved: time label, seek bar, and in frame-search mode the frame label.
    void setRunningTime(double seconds, int64_t currentFrame, int64_t totalFrames);
    // Speed label "%.2f x".
    void setPlaySpeed(double factor);
    double playSpeed() const { return m_playSpeed; }
    void setBrightness(double factor);
    int currentShownStream() const;
    // Enables and shows, or disables and hides, the All channel button.
    void allVideoOnoff(bool on);
    // Shows or hides the surround view-mode buttons (model "ZRA" only; others keep them).
    void showSurroundModeButtons(bool show);
    void showSingleStream(int streamIndex);
    void showAllStreams();

    // Microseconds of a seek bar value (one step is 100 microseconds).
    static int64_t seekPositionOf(int value);
    QString frameWord() const { return m_frameWord; }
    void setFrameText(const QString &text);
    // The frame label of frame search: "<Frame> 07 / 61".
    void showFrameLabel(int64_t frame, int64_t totalFrames);
    void hideFrameLabel() { setFrameText(QString()); }
    // Playing times (seconds) drawn as ticks on the seek bar; cleared on Idle and Stopped.
    void setEventMarks(const QVector<double> &seconds);
    // A clip's in and out marks (seconds; negative: not set), drawn on the seek bar as
    // brackets with a band between them; they stay through every state until set again.
    void setClipMarks(double in, double out);
    QSlider *seekSlider() const;

    // A SeekBarAction: whether the seek bar's last move was a keyboard step; read and cleared
    // by the main window's seek handler.
    int nKeyBoardAction = SeekBarDragged;

signals:
    void showFrontVideo(bool checked);
    void showRearVideo(bool checked);
    void showInnerVideo(bool checked);
    void showAllVideos(bool checked);
    void playSeekValueChanged(int value);
    // The seek bar's context menu: set a clip mark at the playing position, or clear both.
    void markInRequested();
    void markOutRequested();
    void clearMarksRequested();

public slots:
    void onMediaInfoStateChanged(MediaInfo *media_info,
                                 MediaContext *playing_context,
                                 int old_state,
                                 int new_state);

private slots:
    void onTimeout();

private:
    QWidget *createInfoBar();
    QWidget *createSurroundBar();
    QRadioButton *addImageButton(QButtonGroup *group,
                                 const char *objectName,
                                 const char *tooltip,
                                 int width,
                                 const QSize &indicator,
                                 const QString &unchecked,
                                 const QString &checked);
    void startPlaying(MediaInfo *info);
    // Checks a button, or emits its toggled(true) again when it is checked already.
    static void checkOrReemit(QRadioButton *button);
    static QString timeText(int positionSeconds, int durationSeconds);
    int surroundModeOfCheckedButton() const;

    MediaInfo *m_info;
    VideoDisplayWidget *m_display;
    ElasticLabel *m_timeLabel = nullptr;
    ElasticLabel *m_speedLabel = nullptr;
    ElasticLabel *m_frameLabel = nullptr;

    QButtonGroup *m_channelGroup = nullptr;
    QRadioButton *m_frontButton = nullptr;
    QRadioButton *m_innerButton = nullptr;
    QRadioButton *m_rearButton = nullptr;
    QRadioButton *m_allButton = nullptr;

    // Only with surround models.
    QButtonGroup *m_surroundGroup = nullptr;
    QRadioButton *m_surroundOrgButton = nullptr;
    QRadioButton *m_surroundVRButton = nullptr;
    QRadioButton *m_surroundPanoramaButton = nullptr;
    QRadioButton *m_surroundStereoButton = nullptr;

    SmoothSlider *m_seekSlider = nullptr;
    QTimer *m_timer = nullptr;

    double m_duration = 0;
    double m_position = 0;
    double m_playSpeed = 1.0;
    QString m_frameWord;
};
