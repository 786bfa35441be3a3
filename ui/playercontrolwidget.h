#pragma once

#include "media/gpssample.h"

#include <QVector>
#include <QWidget>

class MediaContext;
class MediaInfo;
class QPushButton;
class SmoothSlider;
class SpeedDisplayWidget;
class TelemetryTrack;
class VolumeSliderWidget;

// The control panel under the player: transport buttons (previous, rewind, play/pause, forward,
// next), the frame-search toggle, play speed, brightness and volume controls, the GPS speed
// readout and the button that leaves full-size mode. It only emits: the main window connects
// the signals to its own slots and calls the setters. Its look follows the media info's state.
//
// The GPS samples come from the main window's copy of the playing recording's telemetry
// (track, which the window keeps current before it changes the media info to Playing); the
// panel copies them on the change to Playing and drops them on Idle and Stopped.
//
// Threads: GUI thread only.
class PlayerControlWidget : public QWidget
{
    Q_OBJECT

public:
    PlayerControlWidget(MediaInfo *info, const TelemetryTrack *track, QWidget *parent = nullptr);

    void setNextEnabled(bool enabled);
    void setPrevEnabled(bool enabled);
    void setFrameSearchEnabled(bool enabled);
    // Frame-search look: the toggle's active or inactive images, and frame-step or normal
    // images on rewind and forward.
    void setFrameSearchButton(bool on);
    bool isFrameSearchButtonOn() const { return m_frameSearchOn; }
    void showFullSizeButton(bool show);

    // Slider value 1..100 to a factor 0.5..2.0 (1.0 at 50).
    static double playSpeedFactor(int value);
    double currentPlaySpeed() const;
    // Slider value 1..1000 to a brightness factor (1.0 at 500), kept in 0.01..5.
    static double brightnessFactor(int value);
    // What the audio plays at: 0 while muted, else the level 0..10.
    int volume() const;

    // Shows the speed of the GPS sample of playing time `seconds` (nothing without samples).
    void showPlayingTime(double seconds);

    SpeedDisplayWidget *speedDisplay() const { return m_speedDisplay; }

signals:
    void prevClicked();
    void rewClicked();
    void playPauseClicked();
    void fwdClicked();
    void nextClicked();
    void frameSearchModeRequested(bool on);
    void playSpeedValueChanged(int value);
    void brightnessValueChanged(int value);
    void volumeValueChanged(int value);
    void fullSizeClicked();

public slots:
    void onDefaultSpeedButtonClicked();
    void onPlaySpeedFastClicked();
    void onPlaySpeedSlowClicked();
    void onDefaultBrightnessButtonClicked();
    void onBrightnessDarkenClicked();
    void onBrightnessBrightenClicked();
    void onMuteButtonClicked();
    void onVolumeUpClicked();
    void onVolumeDownClicked();
    void onMediaInfoStateChanged(MediaInfo *media_info,
                                 MediaContext *playing_context,
                                 int old_state,
                                 int new_state);
    void onVolumeValueChanged(int value);
    void onFrameSearchChanged();

private:
    QPushButton *addButton(const char *objectName, const QSize &size, const char *tooltip);
    void showPlayImages(bool play);
    void clearGps();

    MediaInfo *m_info;
    const TelemetryTrack *m_track;

    QPushButton *m_prevButton;
    QPushButton *m_rewButton;
    QPushButton *m_pauseButton;
    QPushButton *m_fwdButton;
    QPushButton *m_nextButton;
    QPushButton *m_frameSearchButton;
    QPushButton *m_defaultSpeedButton;
    SmoothSlider *m_speedSlider;
    QPushButton *m_defaultBrightnessButton;
    SmoothSlider *m_brightnessSlider;
    QPushButton *m_muteButton;
    VolumeSliderWidget *m_volumeSlider;
    SpeedDisplayWidget *m_speedDisplay;
    QPushButton *m_fullSizeButton;

    bool m_frameSearchOn = false;
    double m_gpsInterval = 0; // seconds per GPS sample; 0 when there are none
    QVector<GpsSample> m_gpsSamples;
};
