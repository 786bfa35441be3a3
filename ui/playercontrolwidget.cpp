#include "playercontrolwidget.h"

#include "media/mediainfo.h"
#include "media/telemetrytrack.h"
#include "smoothslider.h"
#include "telemetry/speeddisplaywidget.h"
#include "uilog.h"
#include "volumesliderwidget.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QPushButton>

#include <cmath>

namespace {

constexpr int SpeedMin = 1;
constexpr int SpeedMax = 100;
constexpr int SpeedStep = 10;
constexpr int BrightnessMin = 1;
constexpr int BrightnessMax = 1000;
constexpr int BrightnessStep = 100;

constexpr int SpacingAfterControl = 9;
constexpr int SpacingAfterVolume = 5;

const QSize TransportSize(34, 34);
const QSize SmallSize(22, 22);
constexpr int SliderWidth = 60;
constexpr int SliderHeight = 20;

const QString ImageRoot = QStringLiteral(":/resource/img/");

// Style of a push button drawn entirely by images: normal, hover, pressed and disabled.
QString imageStyle(const QString &normal,
                   const QString &over,
                   const QString &pressed,
                   const QString &disabled)
{
    const QString rule = QStringLiteral("QPushButton%1 { border: none; border-image: url(%2); }\n");
    return rule.arg(QString(), ImageRoot + normal)
            + rule.arg(QStringLiteral(":hover"), ImageRoot + over)
            + rule.arg(QStringLiteral(":pressed"), ImageRoot + pressed)
            + rule.arg(QStringLiteral(":disabled"), ImageRoot + disabled);
}

// A full set: base + ext, base_over + ext, base_clicked + ext, base_disabled + ext.
QString imageSetStyle(const QString &base, const char *suffix)
{
    const QLatin1String ext(suffix);
    return imageStyle(base + ext,
                      base + QLatin1String("_over") + ext,
                      base + QLatin1String("_clicked") + ext,
                      base + QLatin1String("_disabled") + ext);
}

QString sliderStyle()
{
    return QStringLiteral("QSlider::groove:horizontal { border-image: url(%1player/slider_bg.bmp); "
                          "height: 6px; }\n"
                          "QSlider::handle:horizontal { image: url(%1player/speedbar_sel_F.BMP); "
                          "width: 8px; margin: -5px 0; }\n")
            .arg(ImageRoot);
}

// The frame-search toggle: active (frame search on) with its hover and pressed images, or
// inactive with one image; disabled it shows the inactive image.
QString frameSearchStyle(bool on)
{
    const QString off = QStringLiteral("menu_bottom/framesearch_skin_disabled.bmp");
    if (!on)
        return imageStyle(off, off, off, off);
    return imageStyle(QStringLiteral("menu_bottom/framesearch_skin.BMP"),
                      QStringLiteral("menu_bottom/framesearch_skin_over.BMP"),
                      QStringLiteral("menu_bottom/framesearch_skin_clicked.BMP"),
                      off);
}

bool isPlayable(const MediaInfo *info)
{
    return info && !info->streamInfos().empty() && info->duration() > 0;
}

} // namespace

PlayerControlWidget::PlayerControlWidget(MediaInfo *info,
                                         const TelemetryTrack *track,
                                         QWidget *parent)
    : QWidget(parent)
    , m_info(info)
    , m_track(track)
{
    setObjectName(QStringLiteral("playerControlWidget"));
    setStyleSheet(QStringLiteral("#playerControlWidget { border: 1px solid gray; background: "
                                 "#1E1E1E; }"));
    setAttribute(Qt::WA_StyledBackground);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 5, 0);
    layout->setSpacing(0);
    layout->addStretch(14);

    const auto add = [layout](QWidget *control, int spacing) {
        layout->addWidget(control);
        layout->addSpacing(spacing);
    };

    m_prevButton = addButton("playerPrevButton", TransportSize, QT_TR_NOOP("Prev."));
    m_prevButton->setStyleSheet(imageSetStyle(QStringLiteral("player2/prev"), ".png"));
    m_prevButton->setEnabled(false);
    connect(m_prevButton, &QPushButton::clicked, this, &PlayerControlWidget::prevClicked);
    add(m_prevButton, SpacingAfterControl);

    m_rewButton = addButton("playerRewButton", TransportSize, QT_TR_NOOP("Backward(Rewind)"));
    m_rewButton->setEnabled(false);
    connect(m_rewButton, &QPushButton::clicked, this, &PlayerControlWidget::rewClicked);
    add(m_rewButton, SpacingAfterControl);

    m_pauseButton = addButton("playerPauseButton", TransportSize, QT_TR_NOOP("Play/Pause"));
    m_pauseButton->setEnabled(false);
    connect(m_pauseButton, &QPushButton::clicked, this, &PlayerControlWidget::playPauseClicked);
    add(m_pauseButton, SpacingAfterControl);

    m_fwdButton = addButton("playerFwdButton", TransportSize, QT_TR_NOOP("Forward"));
    m_fwdButton->setEnabled(false);
    connect(m_fwdButton, &QPushButton::clicked, this, &PlayerControlWidget::fwdClicked);
    add(m_fwdButton, SpacingAfterControl);

    m_nextButton = addButton("playerNextButton", TransportSize, QT_TR_NOOP("Next"));
    m_nextButton->setStyleSheet(imageSetStyle(QStringLiteral("player2/next"), ".png"));
    m_nextButton->setEnabled(false);
    connect(m_nextButton, &QPushButton::clicked, this, &PlayerControlWidget::nextClicked);
    add(m_nextButton, SpacingAfterControl);

    m_frameSearchButton = addButton("FrameSearchButton", SmallSize, QT_TR_NOOP("Frame"));
    m_frameSearchButton->setEnabled(false);
    connect(m_frameSearchButton,
            &QPushButton::clicked,
            this,
            &PlayerControlWidget::onFrameSearchChanged);
    add(m_frameSearchButton, SpacingAfterControl);

    m_defaultSpeedButton = addButton("defaultSpeedButton", SmallSize, QT_TR_NOOP("Default Speed"));
    m_defaultSpeedButton->setStyleSheet(
            imageSetStyle(QStringLiteral("menu_bottom/videospeed_skin"), ".BMP"));
    connect(m_defaultSpeedButton,
            &QPushButton::clicked,
            this,
            &PlayerControlWidget::onDefaultSpeedButtonClicked);
    add(m_defaultSpeedButton, SpacingAfterControl);

    m_speedSlider = new SmoothSlider(this);
    m_speedSlider->setObjectName(QStringLiteral("videoSpeedSlider"));
    m_speedSlider->setToolTip(tr("Play Speed"));
    m_speedSlider->setFixedSize(SliderWidth, SliderHeight);
    m_speedSlider->setStyleSheet(sliderStyle());
    m_speedSlider->setRange(SpeedMin, SpeedMax);
    m_speedSlider->setValue((SpeedMin + SpeedMax) / 2);
    m_speedSlider->setFocusPolicy(Qt::NoFocus);
    connect(m_speedSlider,
            &QSlider::valueChanged,
            this,
            &PlayerControlWidget::playSpeedValueChanged);
    add(m_speedSlider, SpacingAfterControl);

    m_defaultBrightnessButton
            = addButton("defaultBrightnessButton", SmallSize, QT_TR_NOOP("Default Brightness"));
    m_defaultBrightnessButton->setStyleSheet(
            imageSetStyle(QStringLiteral("menu_bottom/brightness_skin"), ".BMP"));
    connect(m_defaultBrightnessButton,
            &QPushButton::clicked,
            this,
            &PlayerControlWidget::onDefaultBrightnessButtonClicked);
    add(m_defaultBrightnessButton, SpacingAfterControl);

    m_brightnessSlider = new SmoothSlider(this);
    m_brightnessSlider->setObjectName(QStringLiteral("videoBrightnessSlider"));
    m_brightnessSlider->setToolTip(tr("Brightness"));
    m_brightnessSlider->setFixedSize(SliderWidth, SliderHeight);
    m_brightnessSlider->setStyleSheet(sliderStyle());
    m_brightnessSlider->setRange(BrightnessMin, BrightnessMax);
    m_brightnessSlider->setValue((BrightnessMin + BrightnessMax) / 2);
    m_brightnessSlider->setFocusPolicy(Qt::NoFocus);
    connect(m_brightnessSlider,
            &QSlider::valueChanged,
            this,
            &PlayerControlWidget::brightnessValueChanged);
    add(m_brightnessSlider, SpacingAfterControl);

    m_muteButton = addButton("muteToggleButton", SmallSize, QT_TR_NOOP("Mute ON/OFF"));
    m_muteButton->setStyleSheet(imageSetStyle(QStringLiteral("menu_bottom/volume_skin"), ".BMP"));
    connect(m_muteButton, &QPushButton::clicked, this, &PlayerControlWidget::onMuteButtonClicked);
    add(m_muteButton, SpacingAfterControl);

    m_volumeSlider = new VolumeSliderWidget(this);
    m_volumeSlider->setObjectName(QStringLiteral("volumeSlider"));
    m_volumeSlider->setToolTip(tr("Volume"));
    m_volumeSlider->setFixedSize(94, 25);
    connect(m_volumeSlider,
            &VolumeSliderWidget::valueChanged,
            this,
            &PlayerControlWidget::volumeValueChanged);
    connect(m_volumeSlider,
            &VolumeSliderWidget::valueChanged,
            this,
            &PlayerControlWidget::onVolumeValueChanged);
    add(m_volumeSlider, SpacingAfterVolume);

    m_speedDisplay = new SpeedDisplayWidget(this);
    m_speedDisplay->setFixedSize(124, 38);
    m_speedDisplay->setToolTip(tr("GPS Speed (may different from the actual speed)"));
    add(m_speedDisplay, SpacingAfterControl);

    layout->addStretch(14);
    m_fullSizeButton = addButton("playerFullSizeButton", QSize(32, 32), QT_TR_NOOP("Full/Normal"));
    m_fullSizeButton->setStyleSheet(imageSetStyle(QStringLiteral("menu_top/fullsize_ret"), ".png"));
    m_fullSizeButton->hide();
    connect(m_fullSizeButton, &QPushButton::clicked, this, &PlayerControlWidget::fullSizeClicked);
    layout->addWidget(m_fullSizeButton);
    layout->addStretch(1);

    showPlayImages(true);
    setFrameSearchButton(false);
}

QPushButton *PlayerControlWidget::addButton(const char *objectName,
                                            const QSize &size,
                                            const char *tooltip)
{
    auto *button = new QPushButton(this);
    button->setObjectName(QLatin1String(objectName));
    button->setFixedSize(size);
    button->setToolTip(tr(tooltip));
    // Clicks must not take the keyboard focus from the seek bar and the window's shortcuts.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void PlayerControlWidget::showPlayImages(bool play)
{
    m_pauseButton->setStyleSheet(imageSetStyle(
            play ? QStringLiteral("player2/play") : QStringLiteral("player2/pause"), ".png"));
}

void PlayerControlWidget::setNextEnabled(bool enabled)
{
    m_nextButton->setEnabled(enabled);
}

void PlayerControlWidget::setPrevEnabled(bool enabled)
{
    m_prevButton->setEnabled(enabled);
}

void PlayerControlWidget::setFrameSearchEnabled(bool enabled)
{
    m_frameSearchButton->setEnabled(enabled);
}

void PlayerControlWidget::setFrameSearchButton(bool on)
{
    qCDebug(lcUi) << "PlayerControlWidget::setFrameSearchButton";
    m_frameSearchOn = on;
    m_frameSearchButton->setStyleSheet(frameSearchStyle(on));
    m_rewButton->setStyleSheet(imageSetStyle(
            on ? QStringLiteral("player2/rew_frame") : QStringLiteral("player2/rew"), ".png"));
    m_fwdButton->setStyleSheet(imageSetStyle(
            on ? QStringLiteral("player2/fwd_frame") : QStringLiteral("player2/fwd"), ".png"));
}

void PlayerControlWidget::showFullSizeButton(bool show)
{
    m_fullSizeButton->setVisible(show);
}

double PlayerControlWidget::playSpeedFactor(int value)
{
    constexpr int mid = (SpeedMin + SpeedMax) / 2;
    if (value > mid)
        return qMin(2.0, 1.0 + double(value - mid) / (SpeedMax - mid));
    if (value < mid)
        return qMax(0.5, 0.5 + 0.5 * double(value - SpeedMin) / (mid - SpeedMin));
    return 1.0;
}

double PlayerControlWidget::currentPlaySpeed() const
{
    return playSpeedFactor(m_speedSlider->value());
}

double PlayerControlWidget::brightnessFactor(int value)
{
    constexpr int mid = (BrightnessMin + BrightnessMax) / 2;
    double gain = 2;
    if (value > (mid + 3 * BrightnessMax) / 4)
        gain = 7.5;
    else if (value > mid)
        gain = 5.5;
    else if (value > (BrightnessMin + 3 * mid) / 4)
        gain = 0.9;
    const double factor
            = 1 + gain * std::atan(double(value - mid) / (BrightnessMax - BrightnessMin));
    return qBound(0.01, factor, 5.0);
}

int PlayerControlWidget::volume() const
{
    return m_volumeSlider->isMuted() ? 0 : m_volumeSlider->level();
}

void PlayerControlWidget::showPlayingTime(double seconds)
{
    if (m_gpsInterval == 0 || m_gpsSamples.isEmpty())
        return;
    const int index = TelemetryTrack::indexAt(seconds, m_gpsInterval, m_gpsSamples.size());
    if (index >= 0)
        m_speedDisplay->setGpsSpeed(m_gpsSamples.at(index).speed);
}

void PlayerControlWidget::onDefaultSpeedButtonClicked()
{
    m_speedSlider->setValue((m_speedSlider->minimum() + m_speedSlider->maximum()) / 2);
}

void PlayerControlWidget::onPlaySpeedFastClicked()
{
    m_speedSlider->setValue(qMin(m_speedSlider->maximum(), m_speedSlider->value() + SpeedStep));
}

void PlayerControlWidget::onPlaySpeedSlowClicked()
{
    m_speedSlider->setValue(qMax(m_speedSlider->minimum(), m_speedSlider->value() - SpeedStep));
}

void PlayerControlWidget::onDefaultBrightnessButtonClicked()
{
    m_brightnessSlider->setValue((m_brightnessSlider->minimum() + m_brightnessSlider->maximum())
                                 / 2);
}

void PlayerControlWidget::onBrightnessDarkenClicked()
{
    m_brightnessSlider->setValue(
            qMax(m_brightnessSlider->minimum(), m_brightnessSlider->value() - BrightnessStep));
}

void PlayerControlWidget::onBrightnessBrightenClicked()
{
    m_brightnessSlider->setValue(
            qMin(m_brightnessSlider->maximum(), m_brightnessSlider->value() + BrightnessStep));
}

void PlayerControlWidget::onMuteButtonClicked()
{
    if (m_volumeSlider->isMuted()) {
        m_muteButton->setStyleSheet(
                imageSetStyle(QStringLiteral("menu_bottom/volume_skin"), ".BMP"));
        m_volumeSlider->setMuted(false);
    } else {
        m_muteButton->setStyleSheet(imageSetStyle(QStringLiteral("menu_bottom/mute_skin"), ".BMP"));
        m_volumeSlider->setMuted(true);
    }
}

void PlayerControlWidget::onVolumeUpClicked()
{
    m_volumeSlider->setValue(qBound(0, volume() + 1, VolumeSliderWidget::MaximumLevel));
}

void PlayerControlWidget::onVolumeDownClicked()
{
    m_volumeSlider->setValue(qBound(0, volume() - 1, VolumeSliderWidget::MaximumLevel));
}

void PlayerControlWidget::onMediaInfoStateChanged(MediaInfo *media_info,
                                                  MediaContext *playing_context,
                                                  int old_state,
                                                  int new_state)
{
    Q_UNUSED(playing_context)
    qCDebug(lcUi) << "PlayerControlWidget::onMediaInfoStateChanged" << old_state << "->"
                  << new_state;
    MediaInfo *info = media_info ? media_info : m_info;
    const bool playable = isPlayable(info);

    switch (new_state) {
    case MediaInfo::Playing:
        m_rewButton->setEnabled(true);
        m_fwdButton->setEnabled(true);
        showPlayImages(false);
        m_pauseButton->setEnabled(playable);
        if (m_track && m_track->gpsSamples(m_gpsSamples) > 0)
            m_gpsInterval = m_track->gpsRate();
        else
            clearGps();
        break;
    case MediaInfo::Paused:
        showPlayImages(true);
        m_pauseButton->setEnabled(playable);
        break;
    case MediaInfo::Idle:
    case MediaInfo::Stopped:
        m_rewButton->setEnabled(false);
        m_fwdButton->setEnabled(false);
        showPlayImages(true);
        m_pauseButton->setEnabled(playable);
        m_speedDisplay->setGpsSpeed(0);
        clearGps();
        break;
    default:
        break;
    }
}

void PlayerControlWidget::clearGps()
{
    m_gpsInterval = 0;
    m_gpsSamples.clear();
}

void PlayerControlWidget::onVolumeValueChanged(int value)
{
    m_muteButton->setStyleSheet(imageSetStyle(value <= 0
                                                      ? QStringLiteral("menu_bottom/mute_skin")
                                                      : QStringLiteral("menu_bottom/volume_skin"),
                                              ".BMP"));
}

void PlayerControlWidget::onFrameSearchChanged()
{
    const bool on = !(m_info && m_info->isFrameSearchMode());
    qCDebug(lcUi) << "PlayerControlWidget::onFrameSearchChanged";
    setFrameSearchButton(on);
    emit frameSearchModeRequested(on);
}
