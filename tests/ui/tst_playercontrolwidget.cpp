// ctest-labels: gui
// The control panel and its volume control as real widgets: the speed and brightness curves,
// the buttons that move the sliders, the volume rules, the transport buttons' state and
// pictures as a real media info changes state, and the GPS speed readout fed from a real
// recording's telemetry.
#include "media/avptr.h"
#include "media/mediainfo.h"
#include "media/telemetrytrack.h"
#include "resource/vistrelresource.h"
#include "telemetry/speeddisplaywidget.h"
#include "testrecordings.h"
#include "ui/playercontrolwidget.h"
#include "ui/volumesliderwidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

extern "C" {
#include <libavformat/avformat.h>
}

#include <cmath>

Q_DECLARE_METATYPE(MediaInfo::MediaInfoState)

namespace {

const QColor PanelBackground(0x1e, 0x1e, 0x1e);

// Sum of channel differences between two images of the same size.
qint64 difference(const QImage &a, const QImage &b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q))
                    + qAbs(qBlue(p) - qBlue(q));
        }
    }
    return sum;
}

// Which of the candidate images (paths under ":/resource/img/") the button shows on screen:
// the panel is grabbed, the button's area cut out and compared with each candidate drawn over
// the panel background at the button's size.
QString shownImage(QWidget *panel, const QString &buttonName, const QStringList &candidates)
{
    auto *button = panel->findChild<QPushButton *>(buttonName);
    if (!button)
        return QStringLiteral("<no button>");
    const QImage shot
            = panel->grab(button->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    QString best;
    qint64 bestDifference = -1;
    for (const QString &name : candidates) {
        QImage expected(shot.size(), QImage::Format_RGB32);
        expected.fill(PanelBackground);
        QPainter painter(&expected);
        painter.drawImage(expected.rect(), QImage(QStringLiteral(":/resource/img/") + name));
        painter.end();
        const qint64 d = difference(shot, expected);
        if (bestDifference < 0 || d < bestDifference) {
            bestDifference = d;
            best = name;
        }
    }
    return best;
}

// The images a transport button can show: normal and disabled of each base.
QStringList transportImages()
{
    QStringList names;
    for (const char *base : {"play", "pause", "rew", "rew_frame", "fwd", "fwd_frame"}) {
        names << QStringLiteral("player2/%1.png").arg(QLatin1String(base))
              << QStringLiteral("player2/%1_disabled.png").arg(QLatin1String(base));
    }
    return names;
}

const QStringList MuteImages = {QStringLiteral("menu_bottom/volume_skin.BMP"),
                                QStringLiteral("menu_bottom/mute_skin.BMP")};
const QStringList FrameSearchImages = {QStringLiteral("menu_bottom/framesearch_skin.BMP"),
                                       QStringLiteral("menu_bottom/framesearch_skin_disabled.bmp")};

// Loads the telemetry of a recording the way the engine does when it opens one.
bool loadTrack(const QString &path, TelemetryTrack &track)
{
    const av::FormatContextPtr ctx = TestRecordings::open(path);
    if (!ctx)
        return false;
    track.load(ctx.get(), path);
    return true;
}

void pressAt(QWidget *widget, int x)
{
    QMouseEvent press(QEvent::MouseButtonPress,
                      QPointF(x, widget->height() / 2),
                      Qt::LeftButton,
                      Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

QList<int> emitted(const QSignalSpy &spy)
{
    QList<int> values;
    for (const QList<QVariant> &args : spy)
        values << args.at(0).toInt();
    return values;
}

} // namespace

class TestPlayerControlWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void playSpeedFactor_data();
    void playSpeedFactor();
    void brightnessFactor_data();
    void brightnessFactor();
    void sliderButtons_data();
    void sliderButtons();
    void volumeRules_data();
    void volumeRules();
    void volumeSliderClick_data();
    void volumeSliderClick();
    void stateChanges_data();
    void stateChanges();
    void frameSearchToggle_data();
    void frameSearchToggle();
    void gpsSpeed_followsPlayingTimeAndSurvivesPause();

private:
    QString m_recording; // one video, GPS track of four samples
};

void TestPlayerControlWidget::initTestCase()
{
    initVistrelResources();
    qRegisterMetaType<MediaContext *>();
    m_recording = TestRecordings::make(QStringLiteral("panel.mp4"),
                                       {QStringLiteral("--video"),
                                        QStringLiteral("160x90"),
                                        QStringLiteral("--telemetry"),
                                        QStringLiteral("subtitle"),
                                        QStringLiteral("--duration"),
                                        QStringLiteral("4")});
    QVERIFY(!m_recording.isEmpty());
}

void TestPlayerControlWidget::playSpeedFactor_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<double>("factor");
    QTest::newRow("slowest") << 1 << 0.5;
    QTest::newRow("below the middle") << 25 << 0.5 + 0.5 * 24.0 / 49.0;
    QTest::newRow("middle") << 50 << 1.0;
    QTest::newRow("three quarters") << 75 << 1.5;
    QTest::newRow("fastest") << 100 << 2.0;
}

void TestPlayerControlWidget::playSpeedFactor()
{
    QFETCH(int, value);
    QFETCH(double, factor);
    QCOMPARE(PlayerControlWidget::playSpeedFactor(value), factor);

    MediaInfo info;
    PlayerControlWidget panel(&info, nullptr);
    QCOMPARE(panel.currentPlaySpeed(), 1.0);
    panel.findChild<QSlider *>(QStringLiteral("videoSpeedSlider"))->setValue(value);
    QCOMPARE(panel.currentPlaySpeed(), factor);
}

void TestPlayerControlWidget::brightnessFactor_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<double>("factor");
    // The gain changes above 375, 500 and 875.
    QTest::newRow("darkest") << 1 << 0.0735057431089512;
    QTest::newRow("375, gain 2") << 375 << 0.7510436144558326;
    QTest::newRow("376, gain 0.9") << 376 << 0.8888567491708299;
    QTest::newRow("middle") << 500 << 1.0;
    QTest::newRow("501, gain 5.5") << 501 << 1.0055055036666622;
    QTest::newRow("875, gain 5.5") << 875 << 2.9750484922800164;
    QTest::newRow("876, gain 7.5") << 876 << 3.6998260752742187;
    QTest::newRow("brightest") << 1000 << 4.480359469267199;
}

void TestPlayerControlWidget::brightnessFactor()
{
    QFETCH(int, value);
    QFETCH(double, factor);
    QVERIFY2(std::fabs(PlayerControlWidget::brightnessFactor(value) - factor) < 1e-9,
             qPrintable(QString::number(PlayerControlWidget::brightnessFactor(value), 'g', 17)));
}

void TestPlayerControlWidget::sliderButtons_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<int>("start");
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<int>("expected");

    const QString speed = QStringLiteral("videoSpeedSlider");
    const QString brightness = QStringLiteral("videoBrightnessSlider");
    QTest::newRow("fast") << speed << 50 << QByteArray("onPlaySpeedFastClicked") << 60;
    QTest::newRow("fast near the top")
            << speed << 95 << QByteArray("onPlaySpeedFastClicked") << 100;
    QTest::newRow("slow near the bottom")
            << speed << 5 << QByteArray("onPlaySpeedSlowClicked") << 1;
    QTest::newRow("default speed")
            << speed << 87 << QByteArray("onDefaultSpeedButtonClicked") << 50;
    QTest::newRow("brighten") << brightness << 500 << QByteArray("onBrightnessBrightenClicked")
                              << 600;
    QTest::newRow("brighten near the top")
            << brightness << 950 << QByteArray("onBrightnessBrightenClicked") << 1000;
    QTest::newRow("darken near the bottom")
            << brightness << 50 << QByteArray("onBrightnessDarkenClicked") << 1;
    QTest::newRow("default brightness")
            << brightness << 3 << QByteArray("onDefaultBrightnessButtonClicked") << 500;
}

void TestPlayerControlWidget::sliderButtons()
{
    QFETCH(QString, slider);
    QFETCH(int, start);
    QFETCH(QByteArray, slot);
    QFETCH(int, expected);

    MediaInfo info;
    PlayerControlWidget panel(&info, nullptr);
    auto *s = panel.findChild<QSlider *>(slider);
    QVERIFY(s);
    s->setValue(start);
    QSignalSpy speedSpy(&panel, &PlayerControlWidget::playSpeedValueChanged);
    QSignalSpy brightnessSpy(&panel, &PlayerControlWidget::brightnessValueChanged);
    QVERIFY(QMetaObject::invokeMethod(&panel, slot.constData()));
    QCOMPARE(s->value(), expected);
    QSignalSpy &spy = slider.contains(QLatin1String("Speed")) ? speedSpy : brightnessSpy;
    QCOMPARE(emitted(spy), QList<int>() << expected);
    QCOMPARE((slider.contains(QLatin1String("Speed")) ? brightnessSpy : speedSpy).count(), 0);
}

void TestPlayerControlWidget::volumeRules_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QByteArrayList>("actions");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<int>("volume");
    QTest::addColumn<QString>("muteImage");

    const QString vol = MuteImages.at(0);
    const QString mute = MuteImages.at(1);
    QTest::newRow("up at 10 stays 10")
            << 10 << QByteArrayList {"onVolumeUpClicked"} << QList<int> {10} << 10 << vol;
    QTest::newRow("down") << 5 << QByteArrayList {"onVolumeDownClicked"} << QList<int> {4} << 4
                          << vol;
    QTest::newRow("down to 0 shows mute")
            << 1 << QByteArrayList {"onVolumeDownClicked"} << QList<int> {0} << 0 << mute;
    QTest::newRow("mute") << 5 << QByteArrayList {"onMuteButtonClicked"} << QList<int> {0} << 0
                          << mute;
    QTest::newRow("mute and unmute")
            << 7 << QByteArrayList {"onMuteButtonClicked", "onMuteButtonClicked"}
            << QList<int> {0, 7} << 7 << vol;
    QTest::newRow("down from muted gives 0")
            << 5 << QByteArrayList {"onMuteButtonClicked", "onVolumeDownClicked"}
            << QList<int> {0, 0} << 0 << mute;
    QTest::newRow("up from muted starts at 1")
            << 5 << QByteArrayList {"onMuteButtonClicked", "onVolumeUpClicked"} << QList<int> {0, 1}
            << 1 << vol;
}

void TestPlayerControlWidget::volumeRules()
{
    QFETCH(int, start);
    QFETCH(QByteArrayList, actions);
    QFETCH(QList<int>, values);
    QFETCH(int, volume);
    QFETCH(QString, muteImage);

    MediaInfo info;
    PlayerControlWidget panel(&info, nullptr);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCOMPARE(panel.volume(), 5);
    panel.findChild<VolumeSliderWidget *>(QStringLiteral("volumeSlider"))->setValue(start);

    QSignalSpy spy(&panel, &PlayerControlWidget::volumeValueChanged);
    for (const QByteArray &slot : actions)
        QVERIFY(QMetaObject::invokeMethod(&panel, slot.constData()));
    QCOMPARE(emitted(spy), values);
    QCOMPARE(panel.volume(), volume);
    QCOMPARE(shownImage(&panel, QStringLiteral("muteToggleButton"), MuteImages), muteImage);
}

void TestPlayerControlWidget::volumeSliderClick_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("mutedBefore");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("values");

    QTest::newRow("right edge") << 94 << false << 93 << 10 << QList<int> {10};
    QTest::newRow("beyond the right edge") << 94 << false << 120 << 10 << QList<int> {10};
    QTest::newRow("far left, never mutes") << 94 << false << 0 << 1 << QList<int> {1};
    QTest::newRow("middle") << 94 << false << 47 << 6 << QList<int> {6};
    QTest::newRow("same level: no signal") << 94 << false << 40 << 5 << QList<int> {};
    // A click on the level the muted control already had brings the sound back.
    QTest::newRow("same level while muted unmutes") << 94 << true << 40 << 5 << QList<int> {5};
    QTest::newRow("zero width") << 0 << false << 0 << 0 << QList<int> {0};
}

void TestPlayerControlWidget::volumeSliderClick()
{
    QFETCH(int, width);
    QFETCH(bool, mutedBefore);
    QFETCH(int, x);
    QFETCH(int, level);
    QFETCH(QList<int>, values);

    VolumeSliderWidget slider;
    slider.resize(width, 25);
    QCOMPARE(slider.level(), 5);
    slider.setMuted(mutedBefore);
    QSignalSpy spy(&slider, &VolumeSliderWidget::valueChanged);
    pressAt(&slider, x);
    QCOMPARE(slider.level(), level);
    QCOMPARE(slider.isMuted(), level == 0);
    QCOMPARE(emitted(spy), values);
}

void TestPlayerControlWidget::stateChanges_data()
{
    QTest::addColumn<bool>("frameSearch");
    QTest::addColumn<QList<int>>("states"); // after the probe (Idle, then Stopped)
    QTest::addColumn<bool>("stepsEnabled"); // rewind and forward
    QTest::addColumn<bool>("pauseEnabled");
    QTest::addColumn<QString>("pauseImage");
    QTest::addColumn<QString>("rewImage");
    QTest::addColumn<QString>("fwdImage");

    const QString play = QStringLiteral("player2/play.png");
    const QString pause = QStringLiteral("player2/pause.png");
    const QString rewOff = QStringLiteral("player2/rew_disabled.png");
    const QString fwdOff = QStringLiteral("player2/fwd_disabled.png");
    const QString rew = QStringLiteral("player2/rew.png");
    const QString fwd = QStringLiteral("player2/fwd.png");
    const int playing = MediaInfo::Playing;
    const int paused = MediaInfo::Paused;
    const int stopped = MediaInfo::Stopped;
    const int idle = MediaInfo::Idle;

    QTest::newRow("probed") << false << QList<int> {} << false << true << play << rewOff << fwdOff;
    QTest::newRow("playing") << false << QList<int> {playing} << true << true << pause << rew
                             << fwd;
    QTest::newRow("paused") << false << QList<int> {playing, paused} << true << true << play << rew
                            << fwd;
    QTest::newRow("resumed") << false << QList<int> {playing, paused, playing} << true << true
                             << pause << rew << fwd;
    QTest::newRow("stopped after playing")
            << false << QList<int> {playing, stopped} << false << true << play << rewOff << fwdOff;
    QTest::newRow("reset: nothing to play")
            << false << QList<int> {playing, idle} << false << false
            << QStringLiteral("player2/play_disabled.png") << rewOff << fwdOff;
    QTest::newRow("frame search while paused")
            << true << QList<int> {playing, paused} << true << true << play
            << QStringLiteral("player2/rew_frame.png") << QStringLiteral("player2/fwd_frame.png");
    QTest::newRow("frame search, stopped")
            << true << QList<int> {playing, stopped} << false << true << play
            << QStringLiteral("player2/rew_frame_disabled.png")
            << QStringLiteral("player2/fwd_frame_disabled.png");
}

void TestPlayerControlWidget::stateChanges()
{
    QFETCH(bool, frameSearch);
    QFETCH(QList<int>, states);
    QFETCH(bool, stepsEnabled);
    QFETCH(bool, pauseEnabled);
    QFETCH(QString, pauseImage);
    QFETCH(QString, rewImage);
    QFETCH(QString, fwdImage);

    MediaInfo info;
    PlayerControlWidget panel(&info, nullptr);
    connect(&info,
            &MediaInfo::mediaInfoStateChanged,
            &panel,
            &PlayerControlWidget::onMediaInfoStateChanged);
    panel.resize(1000, 55);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    const auto button = [&panel](const char *name) {
        return panel.findChild<QPushButton *>(QLatin1String(name));
    };
    // At start everything that needs a recording is disabled.
    for (const char *name : {"playerPrevButton",
                             "playerRewButton",
                             "playerPauseButton",
                             "playerFwdButton",
                             "playerNextButton",
                             "FrameSearchButton"}) {
        QVERIFY2(button(name) && !button(name)->isEnabled(), name);
    }
    QVERIFY(button("playerFullSizeButton")->isHidden());

    QCOMPARE(info.init(m_recording), 0);
    // As the main window does once a single channel is shown.
    panel.setFrameSearchEnabled(true);
    panel.setFrameSearchButton(frameSearch);
    for (int state : states) {
        // Idle means the recording was dropped: reset announces it.
        if (state == MediaInfo::Idle)
            info.reset();
        else
            info.changeState(state, nullptr, true);
    }

    QCOMPARE(button("playerRewButton")->isEnabled(), stepsEnabled);
    QCOMPARE(button("playerFwdButton")->isEnabled(), stepsEnabled);
    QCOMPARE(button("playerPauseButton")->isEnabled(), pauseEnabled);
    // Previous and next follow the play list alone.
    QVERIFY(!button("playerPrevButton")->isEnabled());
    QVERIFY(!button("playerNextButton")->isEnabled());
    const QStringList images = transportImages();
    QCOMPARE(shownImage(&panel, QStringLiteral("playerPauseButton"), images), pauseImage);
    QCOMPARE(shownImage(&panel, QStringLiteral("playerRewButton"), images), rewImage);
    QCOMPARE(shownImage(&panel, QStringLiteral("playerFwdButton"), images), fwdImage);
    QCOMPARE(shownImage(&panel, QStringLiteral("FrameSearchButton"), FrameSearchImages),
             FrameSearchImages.at(frameSearch ? 0 : 1));
}

void TestPlayerControlWidget::frameSearchToggle_data()
{
    QTest::addColumn<bool>("modeOn");
    QTest::addColumn<bool>("requested");
    QTest::newRow("off: asks to turn it on") << false << true;
    QTest::newRow("on: asks to turn it off") << true << false;
}

void TestPlayerControlWidget::frameSearchToggle()
{
    QFETCH(bool, modeOn);
    QFETCH(bool, requested);

    MediaInfo info;
    QCOMPARE(info.init(m_recording), 0);
    PlayerControlWidget panel(&info, nullptr);
    panel.resize(1000, 55);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    info.setFrameSearchMode(modeOn);
    panel.setFrameSearchButton(modeOn);
    panel.setFrameSearchEnabled(true);
    info.changeState(MediaInfo::Playing, nullptr, true);
    panel.onMediaInfoStateChanged(&info, nullptr, MediaInfo::Stopped, MediaInfo::Playing);

    QSignalSpy spy(&panel, &PlayerControlWidget::frameSearchModeRequested);
    QTest::mouseClick(panel.findChild<QPushButton *>(QStringLiteral("FrameSearchButton")),
                      Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), requested);
    QCOMPARE(panel.isFrameSearchButtonOn(), requested);
    QTest::mouseMove(&panel, QPoint(0, 0));
    const QStringList images = transportImages();
    QCOMPARE(shownImage(&panel, QStringLiteral("playerRewButton"), images),
             requested ? QStringLiteral("player2/rew_frame.png")
                       : QStringLiteral("player2/rew.png"));
    QCOMPARE(shownImage(&panel, QStringLiteral("playerFwdButton"), images),
             requested ? QStringLiteral("player2/fwd_frame.png")
                       : QStringLiteral("player2/fwd.png"));
}

void TestPlayerControlWidget::gpsSpeed_followsPlayingTimeAndSurvivesPause()
{
    TelemetryTrack track;
    QVERIFY(loadTrack(m_recording, track));
    QVector<GpsSample> samples;
    QCOMPARE(track.gpsSamples(samples), 4);
    QVERIFY(track.gpsRate() > 0);
    // The readout must tell the samples apart for this test to mean anything.
    QVERIFY(samples[1].speed != samples[2].speed && samples[2].speed != samples[3].speed);
    const double rate = track.gpsRate();

    MediaInfo info;
    PlayerControlWidget panel(&info, &track);
    connect(&info,
            &MediaInfo::mediaInfoStateChanged,
            &panel,
            &PlayerControlWidget::onMediaInfoStateChanged);
    QCOMPARE(info.init(m_recording), 0);
    SpeedDisplayWidget *readout = panel.speedDisplay();
    QCOMPARE(readout->size(), QSize(124, 38));

    // Nothing before playing: the panel has no samples yet.
    panel.showPlayingTime(2.5 * rate);
    QCOMPARE(readout->value(), 0.0);

    info.changeState(MediaInfo::Playing, nullptr, true);
    panel.showPlayingTime(2.5 * rate);
    QCOMPARE(readout->value(), samples[2].speed);
    panel.showPlayingTime(100 * rate); // past the end: the last sample
    QCOMPARE(readout->value(), samples[3].speed);

    info.changeState(MediaInfo::Paused, nullptr, true);
    panel.showPlayingTime(1.2 * rate);
    QCOMPARE(readout->value(), samples[1].speed);
    info.changeState(MediaInfo::Playing, nullptr, true);
    panel.showPlayingTime(2.0 * rate);
    QCOMPARE(readout->value(), samples[2].speed);

    info.changeState(MediaInfo::Stopped, nullptr, true);
    QCOMPARE(readout->value(), 0.0);
    panel.showPlayingTime(3.0 * rate);
    QCOMPARE(readout->value(), 0.0);
}

QTEST_MAIN(TestPlayerControlWidget)
#include "tst_playercontrolwidget.moc"
