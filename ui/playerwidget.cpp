#include "playerwidget.h"

#include "elasticlabel.h"
#include "media/globalsettings.h"
#include "media/mediainfo.h"
#include "media/surroundviewmode.h"
#include "smoothslider.h"
#include "uilog.h"
#include "video/videodisplaywidget.h"

#include <QAction>
#include <QButtonGroup>
#include <QDebug>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {

// One seek bar step is 100 microseconds: 10000 steps per second.
constexpr double StepsPerSecond = 10000;
constexpr int BarHeight = 24;
constexpr int SeekBarHeight = 30;

const QSize ChannelIndicator(45, 20);
const QSize InnerIndicator(102, 20);
const QSize SurroundIndicator(100, 20);

const QString LabelStyle = QStringLiteral("color: white;");

QString seekBarStyle()
{
    return QStringLiteral("QSlider::groove:horizontal { border-image: "
                          "url(:/resource/img/player/seekbar_bg.BMP); height: 6px; }\n"
                          "QSlider::sub-page:horizontal { border-image: "
                          "url(:/resource/img/player/playbar_center.bmp); height: 6px; }\n"
                          "QSlider::handle:horizontal { image: "
                          "url(:/resource/img/player/seekbar_sel_F.BMP); width: 10px; "
                          "margin: -6px 0; }\n");
}

// An image of the language folder chosen at start-up.
QString playerImage(const QString &name)
{
    return QStringLiteral(":/resource/img/lang_dependent/") + GlobalSettings::resourceLanguage()
            + QStringLiteral("/player/") + name;
}

int toSteps(double seconds)
{
    return int(std::lround(seconds * StepsPerSecond));
}

ElasticLabel *whiteLabel(const QString &text, Qt::Alignment alignment, QWidget *parent)
{
    auto *label = new ElasticLabel(text, parent);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setStyleSheet(LabelStyle);
    return label;
}

} // namespace

PlayerWidget::PlayerWidget(VideoDisplayHost *host, MediaInfo *info, QWidget *parent)
    : QWidget(parent)
    , m_info(info)
    , m_frameWord(tr("Frame"))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 5, 0);
    layout->setSpacing(0);

    m_display = new VideoDisplayWidget(host, this);
    layout->addWidget(m_display, 1);
    layout->addSpacing(3);
    layout->addWidget(createInfoBar());
    if (GlobalSettings::surroundModel())
        layout->addWidget(createSurroundBar());

    m_seekSlider = new SmoothSlider(this);
    m_seekSlider->setObjectName(QStringLiteral("seekSlider"));
    // Focus only from a click: a window that has just opened keeps Left and Right for the
    // five-second skips instead of handing them to the bar.
    m_seekSlider->setFocusPolicy(Qt::ClickFocus);
    m_seekSlider->setFixedHeight(SeekBarHeight);
    m_seekSlider->setStyleSheet(seekBarStyle());
    m_seekSlider->setRange(0, 60);
    m_seekSlider->setEnabled(false);
    connect(m_seekSlider, &QSlider::valueChanged, this, &PlayerWidget::playSeekValueChanged);
    connect(m_seekSlider, &QSlider::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderSingleStepAdd)
            nKeyBoardAction = SeekBarStepForward;
        else if (action == QAbstractSlider::SliderSingleStepSub)
            nKeyBoardAction = SeekBarStepBack;
    });
    // The clip's marks by mouse: the bar's context menu (a right click also moves the playing
    // position there first, as every click on the bar does).
    m_seekSlider->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto addMarkAction
            = [this](const char *name, const QString &text, void (PlayerWidget::*signal)()) {
                  auto *action = new QAction(text, m_seekSlider);
                  action->setObjectName(QLatin1String(name));
                  connect(action, &QAction::triggered, this, signal);
                  m_seekSlider->addAction(action);
              };
    addMarkAction("markInAction", tr("Set in mark"), &PlayerWidget::markInRequested);
    addMarkAction("markOutAction", tr("Set out mark"), &PlayerWidget::markOutRequested);
    addMarkAction("clearMarksAction", tr("Clear marks"), &PlayerWidget::clearMarksRequested);
    layout->addWidget(m_seekSlider);

    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &PlayerWidget::onTimeout);
}

QWidget *PlayerWidget::createInfoBar()
{
    auto *bar = new QWidget(this);
    bar->setFixedHeight(BarHeight);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    row->addSpacing(20);
    row->addWidget(whiteLabel(tr("Recording Time"), Qt::AlignRight, bar));
    row->addSpacing(10);
    m_timeLabel = whiteLabel(QStringLiteral("00:00 / 00:00"), Qt::AlignHCenter, bar);
    m_timeLabel->setObjectName(QStringLiteral("timeLabel"));
    // Room for three-digit minutes, so that the bar does not shift while the time runs.
    m_timeLabel->setMinimumWidth(
            m_timeLabel->fontMetrics().horizontalAdvance(QStringLiteral("000:00 / 000:00")));
    row->addWidget(m_timeLabel);
    row->addSpacing(30);
    row->addWidget(whiteLabel(tr("Play Speed"), Qt::AlignRight, bar));
    row->addSpacing(10);
    m_speedLabel = whiteLabel(QStringLiteral("1.00 x"), Qt::AlignHCenter, bar);
    m_speedLabel->setObjectName(QStringLiteral("speedLabel"));
    row->addWidget(m_speedLabel);
    row->addSpacing(20);
    m_frameLabel = whiteLabel(QString(), Qt::AlignHCenter, bar);
    m_frameLabel->setObjectName(QStringLiteral("frameLabel"));
    row->addWidget(m_frameLabel);
    row->addStretch();

    m_channelGroup = new QButtonGroup(this);
    m_channelGroup->setExclusive(true);
    m_frontButton = addImageButton(m_channelGroup,
                                   "frontViewButton",
                                   QT_TR_NOOP("Front"),
                                   50,
                                   ChannelIndicator,
                                   playerImage(QStringLiteral("ch1_zelk.bmp")),
                                   playerImage(QStringLiteral("ch1_clicked_zelk.bmp")));
    m_innerButton = addImageButton(m_channelGroup,
                                   "innerViewButton",
                                   QT_TR_NOOP("Surround"),
                                   110,
                                   InnerIndicator,
                                   playerImage(QStringLiteral("inner_zelk.bmp")),
                                   playerImage(QStringLiteral("inner_clicked_zelk.bmp")));
    m_rearButton = addImageButton(m_channelGroup,
                                  "rearViewButton",
                                  QT_TR_NOOP("Rear"),
                                  50,
                                  ChannelIndicator,
                                  playerImage(QStringLiteral("ch2_zelk.bmp")),
                                  playerImage(QStringLiteral("ch2_clicked_zelk.bmp")));
    m_allButton = addImageButton(m_channelGroup,
                                 "allViewButton",
                                 QT_TR_NOOP("All"),
                                 50,
                                 ChannelIndicator,
                                 playerImage(QStringLiteral("all_zelk.bmp")),
                                 playerImage(QStringLiteral("all_clicked_zelk.bmp")));
    m_allButton->hide();
    for (QAbstractButton *button : m_channelGroup->buttons())
        row->addWidget(button);

    connect(m_frontButton, &QRadioButton::toggled, this, &PlayerWidget::showFrontVideo);
    connect(m_innerButton, &QRadioButton::toggled, this, &PlayerWidget::showInnerVideo);
    connect(m_rearButton, &QRadioButton::toggled, this, &PlayerWidget::showRearVideo);
    connect(m_allButton, &QRadioButton::toggled, this, &PlayerWidget::showAllVideos);
    return bar;
}

QWidget *PlayerWidget::createSurroundBar()
{
    auto *bar = new QWidget(this);
    bar->setFixedHeight(BarHeight);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 8, 0);
    row->setSpacing(0);
    row->addStretch();

    // The unchecked look of these buttons is the *_clicked_zel picture.
    m_surroundGroup = new QButtonGroup(this);
    m_surroundGroup->setExclusive(true);
    m_surroundOrgButton = addImageButton(m_surroundGroup,
                                         "surroundOrgButton",
                                         QT_TR_NOOP("Original"),
                                         100,
                                         SurroundIndicator,
                                         playerImage(QStringLiteral("original_clicked_zel.bmp")),
                                         playerImage(QStringLiteral("original_zelk.bmp")));
    m_surroundVRButton = addImageButton(m_surroundGroup,
                                        "surroundVRButton",
                                        QT_TR_NOOP("VR"),
                                        100,
                                        SurroundIndicator,
                                        playerImage(QStringLiteral("vr_clicked_zel.bmp")),
                                        playerImage(QStringLiteral("vr_zelk.bmp")));
    m_surroundPanoramaButton
            = addImageButton(m_surroundGroup,
                             "surroundPanoramaButton",
                             QT_TR_NOOP("Panorama"),
                             100,
                             SurroundIndicator,
                             playerImage(QStringLiteral("panorama_clicked_zel.bmp")),
                             playerImage(QStringLiteral("panorama_zel.bmp")));
    m_surroundStereoButton = addImageButton(m_surroundGroup,
                                            "surroundStereoButton",
                                            QT_TR_NOOP("Stereo"),
                                            100,
                                            SurroundIndicator,
                                            playerImage(QStringLiteral("stereo_clicked_zel.bmp")),
                                            playerImage(QStringLiteral("stereo_zelk.bmp")));
    m_surroundOrgButton->setChecked(true);
    // Hidden until a surround stream is shown alone, and for models other than "ZRA" always
    // (showSurroundModeButtons).
    for (QAbstractButton *button : m_surroundGroup->buttons()) {
        button->hide();
        row->addWidget(button);
    }

    connect(m_surroundOrgButton,
            &QRadioButton::toggled,
            m_display,
            &VideoDisplayWidget::onSurroundOriginalViewModeClicked);
    connect(m_surroundVRButton,
            &QRadioButton::toggled,
            m_display,
            &VideoDisplayWidget::onSurroundVRViewModeClicked);
    connect(m_surroundPanoramaButton,
            &QRadioButton::toggled,
            m_display,
            &VideoDisplayWidget::onSurroundPanoramaViewModeClicked);
    connect(m_surroundStereoButton,
            &QRadioButton::toggled,
            m_display,
            &VideoDisplayWidget::onSurroundStereoViewModeClicked);
    return bar;
}

QRadioButton *PlayerWidget::addImageButton(QButtonGroup *group,
                                           const char *objectName,
                                           const char *tooltip,
                                           int width,
                                           const QSize &indicator,
                                           const QString &unchecked,
                                           const QString &checked)
{
    auto *button = new QRadioButton(this);
    button->setObjectName(QLatin1String(objectName));
    button->setToolTip(tr(tooltip));
    button->setFixedWidth(width);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(QStringLiteral("QRadioButton { spacing: 0px; }\n"
                                         "QRadioButton::indicator { width: %1px; height: %2px; }\n"
                                         "QRadioButton::indicator:unchecked { image: url(%3); }\n"
                                         "QRadioButton::indicator:checked { image: url(%4); }\n")
                                  .arg(indicator.width())
                                  .arg(indicator.height())
                                  .arg(unchecked, checked));
    group->addButton(button);
    return button;
}

void PlayerWidget::setRunningTime(double seconds, int64_t currentFrame, int64_t totalFrames)
{
    m_position = seconds;
    // Frames per second of the recording, whole frames.
    const int64_t fps = m_duration > 0 ? int64_t(double(totalFrames) / m_duration) : 0;
    qCDebug(lcUi) << "PlayerWidget::setRunningTime"
                  << ": " << seconds << "fr" << fps;

    const int position = int(std::lround(seconds));
    const int duration = int(std::lround(m_duration));

    if (!m_info || !m_info->isFrameSearchMode()) {
        qCDebug(lcUi) << "normal ====================== pos " << seconds * StepsPerSecond;
        m_timeLabel->setText(timeText(position, duration));
        m_frameLabel->setText(QString());
        const QSignalBlocker blocker(m_seekSlider);
        m_seekSlider->setValue(toSteps(seconds));
        return;
    }

    // Frame search: the playing time may still be that of the last decoded frame, so the
    // position shown follows the searched frame's number when the two disagree. Both are
    // seconds since the start of the recording, which the label splits into minutes and
    // seconds. Without a frame rate there is nothing to compare with.
    const double framePosition = fps > 0 ? double(currentFrame) / double(fps) : position;
    const double difference = std::fabs(framePosition - position);
    int shown = position;
    if (difference > 0.5)
        shown = int(std::lround(framePosition));
    if (position == 0 && currentFrame > fps)
        qCDebug(lcUi) << "PlayerWidget::setRunningTime"
                      << "Fail to search the frame";
    else
        m_timeLabel->setText(timeText(shown, duration));
    showFrameLabel(currentFrame, totalFrames);
    m_timer->start(difference >= 1 ? 1000 : 200);
}

QString PlayerWidget::timeText(int positionSeconds, int durationSeconds)
{
    // Minutes are not wrapped into hours: 65 minutes show as 65.
    return QString::asprintf("%02d:%02d / %02d:%02d",
                             positionSeconds / 60,
                             positionSeconds % 60,
                             durationSeconds / 60,
                             durationSeconds % 60);
}

void PlayerWidget::onTimeout()
{
    qCDebug(lcUi) << "PlayerWidget::onTimeout";
    // The step has been shown, also the one onto the first frame (time 0): the next step may
    // go. The seek bar keeps its place for time 0 (it stands there already).
    if (m_info)
        m_info->finishFrameSearch();
    if (m_position != 0) {
        const QSignalBlocker blocker(m_seekSlider);
        m_seekSlider->setValue(toSteps(m_position));
    }
}

void PlayerWidget::setPlaySpeed(double factor)
{
    m_playSpeed = factor;
    m_speedLabel->setText(QString::asprintf("%.2f x", factor));
}

void PlayerWidget::setBrightness(double factor)
{
    m_display->setBrightness(factor);
}

int PlayerWidget::currentShownStream() const
{
    return m_display->currentShownStream();
}

void PlayerWidget::allVideoOnoff(bool on)
{
    m_allButton->setEnabled(on);
    m_allButton->setVisible(on);
}

void PlayerWidget::showSurroundModeButtons(bool show)
{
    const QString model = GlobalSettings::productModelName();
    qCDebug(lcUi) << "PlayerWidget::showSurroundModeButtons"
                  << "product_model_name " << model;
    if (model != QLatin1String("ZRA") || !m_surroundGroup)
        return;
    for (QAbstractButton *button : m_surroundGroup->buttons())
        button->setVisible(show);
}

int PlayerWidget::surroundModeOfCheckedButton() const
{
    if (m_surroundVRButton && m_surroundVRButton->isChecked())
        return SurroundViewMode::VR;
    if (m_surroundPanoramaButton && m_surroundPanoramaButton->isChecked())
        return SurroundViewMode::Panorama;
    if (m_surroundStereoButton && m_surroundStereoButton->isChecked())
        return SurroundViewMode::Stereo;
    return SurroundViewMode::Original;
}

void PlayerWidget::showSingleStream(int streamIndex)
{
    int mode = SurroundViewMode::Original;
    if (GlobalSettings::surroundModel()) {
        if (m_info && streamIndex == m_info->surround()) {
            showSurroundModeButtons(true);
            mode = surroundModeOfCheckedButton();
        } else {
            showSurroundModeButtons(false);
        }
    }
    m_display->showVideoStream(streamIndex, mode);
}

void PlayerWidget::showAllStreams()
{
    if (GlobalSettings::surroundModel())
        showSurroundModeButtons(false);
    m_display->showAllVideoStreams();
}

int64_t PlayerWidget::seekPositionOf(int value)
{
    // value / 10000 seconds in microseconds
    return int64_t(value) * 100;
}

void PlayerWidget::setFrameText(const QString &text)
{
    m_frameLabel->setText(text);
}

void PlayerWidget::showFrameLabel(int64_t frame, int64_t totalFrames)
{
    setFrameText(m_frameWord
                 + QString::asprintf(" %02lld / %02lld",
                                     static_cast<long long>(frame),
                                     static_cast<long long>(totalFrames)));
}

void PlayerWidget::setEventMarks(const QVector<double> &seconds)
{
    QVector<int> values;
    values.reserve(seconds.size());
    for (double s : seconds) {
        if (s >= 0)
            values << toSteps(s);
    }
    m_seekSlider->setMarks(values);
}

void PlayerWidget::setClipMarks(double in, double out)
{
    m_seekSlider->setSpan(in >= 0 ? toSteps(in) : -1, out >= 0 ? toSteps(out) : -1);
}

QSlider *PlayerWidget::seekSlider() const
{
    return m_seekSlider;
}

void PlayerWidget::checkOrReemit(QRadioButton *button)
{
    if (button->isChecked())
        emit button->toggled(true);
    else
        button->setChecked(true);
}

void PlayerWidget::onMediaInfoStateChanged(MediaInfo *media_info,
                                           MediaContext *playing_context,
                                           int old_state,
                                           int new_state)
{
    Q_UNUSED(playing_context)
    qCDebug(lcUi) << "PlayerWidget::onMediaInfoStateChanged"
                  << "new_state " << new_state;
    MediaInfo *info = media_info ? media_info : m_info;

    switch (new_state) {
    case MediaInfo::Idle:
    case MediaInfo::Stopped: {
        m_duration = 0;
        m_position = 0;
        m_timeLabel->setText(timeText(0, 0));
        {
            const QSignalBlocker blocker(m_seekSlider);
            m_seekSlider->setValue(0);
        }
        m_seekSlider->setEnabled(false);
        m_seekSlider->clearMarks();
        for (QAbstractButton *button : m_channelGroup->buttons())
            button->hide();
        m_display->setPlaying(nullptr);
        if (GlobalSettings::surroundModel())
            showSurroundModeButtons(false);
        break;
    }
    case MediaInfo::Playing:
        if (old_state != MediaInfo::Paused && info)
            startPlaying(info);
        break;
    default: // Paused: the picture, the time and the channel stay as they are
        break;
    }
}

void PlayerWidget::startPlaying(MediaInfo *info)
{
    QRadioButton *wanted = m_frontButton;
    for (QRadioButton *button : {m_frontButton, m_rearButton, m_innerButton, m_allButton}) {
        if (button->isChecked()) {
            wanted = button;
            break;
        }
    }

    m_display->setPlaying(info);
    m_duration = info->duration();
    m_position = 0;
    m_timeLabel->setText(timeText(0, int(std::lround(m_duration))));
    qCDebug(lcUi) << "PlayerWidget::setDuration" << m_duration;
    {
        // A new range must not seek the recording that is just starting.
        const QSignalBlocker blocker(m_seekSlider);
        m_seekSlider->setRange(0, int(m_duration * StepsPerSecond));
        m_seekSlider->setValue(0);
    }
    m_seekSlider->setEnabled(true);

    const int videos = info->videoCount();
    if (videos == 2) {
        const bool surround = info->hasSurroundStream();
        m_frontButton->show();
        m_innerButton->setVisible(surround);
        m_rearButton->setVisible(!surround);
        m_allButton->show();
        if (wanted->isHidden())
            wanted = m_frontButton;
    } else if (videos == 3) {
        for (QAbstractButton *button : m_channelGroup->buttons())
            button->show();
    } else {
        for (QAbstractButton *button : m_channelGroup->buttons())
            button->hide();
        wanted = m_frontButton;
    }

    qCDebug(lcUi) << ">>>>> open " << wanted->objectName();
    checkOrReemit(wanted);

    if (wanted != m_innerButton) {
        showSurroundModeButtons(false);
    } else {
        showSurroundModeButtons(true);
        if (m_surroundGroup) {
            auto *mode = qobject_cast<QRadioButton *>(m_surroundGroup->checkedButton());
            checkOrReemit(mode ? mode : m_surroundOrgButton);
        }
    }
}
