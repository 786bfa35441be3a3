// The viewer driven as a user drives it: keys, buttons, sliders and the context menu of the real
// window, with the real engine playing generated recordings. What happened is read back from the
// picture on screen (the frame number each frame carries) and from the commands the engine
// reports done.
// ctest-labels: gui;engine
#include "app/mainwindow.h"
#include "app/transportcontroller.h"
#include "media/globalsettings.h"
#include "media/mediaeventloop.h"
#include "media/mediainfo.h"
#include "media/playcommand.h"
#include "playlist/playlistwidget.h"
#include "resource/vistrelresource.h"
#include "telemetry/gsensormeterwidget.h"
#include "telemetry/speeddisplaywidget.h"
#include "testpaths.h"
#include "testrecordings.h"
#include "ui/playercontrolwidget.h"
#include "ui/playerwidget.h"
#include "ui/smoothslider.h"
#include "video/videodisplaywidget.h"
#include "windowreadback.h"

#include <QAbstractItemView>
#include <QAction>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMenu>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// 30 frames per second with a key frame every half second: a seek lands at most 15 frames
// before its target.
constexpr int Fps = 30;
constexpr int KeyInterval = 15;

QString recording(const QString &name, int channelCount, int seconds, const QString &video)
{
    QStringList options;
    for (int i = 0; i < channelCount; ++i)
        options << QStringLiteral("--video") << video;
    options << QStringLiteral("--duration") << QString::number(seconds) << QStringLiteral("--audio")
            << QStringLiteral("--telemetry") << QStringLiteral("subtitle");
    return TestRecordings::make(name, options);
}

QString longRecording(int channelCount = 1)
{
    return recording(QStringLiteral("transport%1.mp4").arg(channelCount),
                     channelCount,
                     14,
                     QStringLiteral("320x180,fps=30,gop=15"));
}

// Mean brightness (0..255) of the middle of the display as the screen shows it.
double meanLevel(VideoDisplayWidget *display)
{
    const QImage image = ScreenGrab::of(display).convertToFormat(QImage::Format_RGB888);
    const QRect area(image.width() / 4, image.height() / 4, image.width() / 2, image.height() / 2);
    double sum = 0;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); y += 2) {
        const uchar *row = image.constScanLine(y);
        for (int x = area.left(); x <= area.right(); x += 2) {
            sum += row[3 * x] + row[3 * x + 1] + row[3 * x + 2];
            count += 3;
        }
    }
    return count ? sum / count : 0;
}

} // namespace

class TestTransport : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_exports;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<QSignalSpy> m_commands;

    MainWindow *play(const QString &file)
    {
        m_window = std::make_unique<MainWindow>();
        MainWindow *w = m_window.get();
        w->setExportFolder(m_exports->path());
        w->resize(1100, 760);
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w))
            qWarning("the window did not become active; shortcuts may not reach it");
        m_commands = std::make_unique<QSignalSpy>(
                &w->eventLoop(), &MediaEventLoop::mediaEventPlayControlCommandCompleted);
        // the play list takes files named as a camera names them
        const QString named = m_folder->filePath(QStringLiteral("20240101_100000D.mp4"));
        QFile::remove(named);
        if (!QFile::copy(file, named))
            qWarning("cannot copy %s", qPrintable(file));
        w->playList()->loadPlayList({named}, true);
        return w;
    }

    bool waitPlaying()
    {
        return QTest::qWaitFor(
                [this] {
                    return m_window->mediaInfo().state() == MediaInfo::Playing
                            && onScreen(m_window.get()).frame >= 0;
                },
                20000);
    }

    // Pauses through the window and waits until the picture has settled on one frame.
    int pauseAndRead()
    {
        MainWindow *w = m_window.get();
        w->transport()->playOrPause();
        // A slow machine may show one picture for several polls while still playing.
        (void)QTest::qWaitFor([w] { return w->mediaInfo().state() == MediaInfo::Paused; }, 10000);
        int last = -1;
        int same = 0;
        (void)QTest::qWaitFor(
                [&] {
                    const int now = onScreen(w).frame;
                    same = (now >= 0 && now == last) ? same + 1 : 0;
                    last = now;
                    return same >= 3;
                },
                10000);
        return last;
    }

    // Commands of this code the engine reported done since the window opened, with their
    // arguments.
    QList<qint64> completed(PlayCommand::Code code) const
    {
        QList<qint64> args;
        for (const QList<QVariant> &report : *m_commands) {
            if (report.at(0).toInt() == code && report.at(2).toInt() == 0)
                args << report.at(1).value<int64_t>();
        }
        return args;
    }

    static bool labelEndingWith(QWidget *panel, const QString &text)
    {
        for (QLabel *label : panel->findChildren<QLabel *>()) {
            if (label->text().endsWith(text))
                return true;
        }
        return false;
    }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        // Window shortcuts need the window active; other windows on the display (tests
        // running beside this one) may have taken that away.
        QApplication::setActiveWindow(m_window.get());
        QTest::keyClick(m_window.get(), Qt::Key(key), modifiers);
    }

    // Frame search on, through the control panel's button, settled on a frame.
    int enterFrameSearch()
    {
        MainWindow *w = m_window.get();
        if (!clickButton(w, "FrameSearchButton"))
            return -1;
        if (!QTest::qWaitFor([w] { return w->mediaInfo().isFrameSearchMode(); }, 5000))
            return -1;
        return onScreen(w).frame;
    }

    // The largest difference, in levels of one colour, between the mean colours of cells (8 x 6,
    // below the frame-number band) of the picture on screen and of the same frame of this file
    // converted by the ffmpeg program; -1 when either cannot be read.
    double worstCellDifference(const QString &file)
    {
        MainWindow *w = m_window.get();
        VideoDisplayWidget *display = w->videoDisplay();
        const QVector<int> shown = display->shownStreams();
        if (shown.size() != 1)
            return -1;
        const QImage grab = ScreenGrab::of(display).convertToFormat(QImage::Format_RGB888);
        const bool all = display->currentShownStream() == MediaInfo::AllChannels;
        const int frame = readShown(grab, w->mediaInfo(), shown, shown.first(), all).frame;
        const QRect area
                = shownArea(grab.width(), grab.height(), w->mediaInfo(), shown, shown.first(), all)
                          .toAlignedRect();
        if (frame < 0 || area.width() < 64 || area.height() < 36)
            return -1;
        const ProcessResult made = runProcess(
                QStringLiteral("ffmpeg"),
                {QStringLiteral("-v"),
                 QStringLiteral("error"),
                 QStringLiteral("-i"),
                 file,
                 QStringLiteral("-vf"),
                 QStringLiteral("select=eq(n\\,%1),scale=320:-2:flags=bilinear:in_range=mpeg:"
                                "out_range=full,format=rgb24")
                         .arg(frame),
                 QStringLiteral("-frames:v"),
                 QStringLiteral("1"),
                 QStringLiteral("-f"),
                 QStringLiteral("rawvideo"),
                 QStringLiteral("-")});
        if (made.exitCode != 0 || made.out.size() != 320 * 180 * 3)
            return -1;
        // Both scaled over the whole picture, then the same margin left out (the picture's
        // border pixels blend with the background).
        const QRect inner = QRect(QPoint(0, 0), area.size()).adjusted(2, 2, -2, -2);
        const QImage onScreen = grab.copy(area).copy(inner);
        const QImage reference
                = QImage(reinterpret_cast<const uchar *>(made.out.constData()),
                         320,
                         180,
                         320 * 3,
                         QImage::Format_RGB888)
                          .scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                          .convertToFormat(QImage::Format_RGB888)
                          .copy(inner);
        auto cellMean = [](const QImage &image, int cx, int cy, int channel) {
            const int top = image.height() / 6;
            const int cellW = image.width() / 8;
            const int cellH = (image.height() - top) / 6;
            double sum = 0;
            int n = 0;
            // The middle third of the cell: the two scalers blur edges differently near its
            // border.
            for (int y = top + cy * cellH + cellH / 3; y < top + (cy + 1) * cellH - cellH / 3; ++y)
                for (int x = cx * cellW + cellW / 3; x < (cx + 1) * cellW - cellW / 3; ++x) {
                    sum += image.constScanLine(y)[3 * x + channel];
                    ++n;
                }
            return n ? sum / n : 0.0;
        };
        double worst = 0;
        for (int cy = 0; cy < 6; ++cy)
            for (int cx = 0; cx < 8; ++cx)
                for (int c = 0; c < 3; ++c)
                    worst = std::max(worst,
                                     std::abs(cellMean(onScreen, cx, cy, c)
                                              - cellMean(reference, cx, cy, c)));
        return worst;
    }

private slots:
    void initTestCase() { initVistrelResources(); }

    void init()
    {
        GlobalSettings::resetToDefaults();
        m_exports = std::make_unique<QTemporaryDir>();
        m_folder = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        if (m_window) {
            m_window->close();
            QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 30000);
            m_window.reset();
        }
        m_commands.reset();
    }

    void pauseAndResume_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Space key") << "key";
        QTest::newRow("play/pause button") << "button";
        QTest::newRow("context menu action") << "action";
    }

    // The picture stops on pause and moves on after resume; the channel and the GPS data stay.
    void pauseAndResume()
    {
        QFETCH(QString, how);
        const QString file = recording(
                QStringLiteral("pause.mp4"), 2, 10, QStringLiteral("320x180,fps=30,gop=15"));
        QVERIFY(!file.isEmpty());
        MainWindow *w = play(file);
        QVERIFY(waitPlaying());
        QVERIFY(clickButton(w, "rearViewButton"));
        QTRY_COMPARE_WITH_TIMEOUT(onScreen(w, 1).channel, 2, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(w->controlWidget()->speedDisplay()->value() > 0, 10000);

        auto toggle = [&] {
            if (how == QLatin1String("key"))
                key(Qt::Key_Space);
            else if (how == QLatin1String("button"))
                QVERIFY(clickButton(w, "playerPauseButton"));
            else
                w->displayAction(QStringLiteral("playPauseAction"))->trigger();
        };
        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Paused), 5000);
        // The window says paused at once; the engine has stopped only when the command is done.
        QTRY_COMPARE_WITH_TIMEOUT(completed(PlayCommand::Pause).size(), 1, 5000);
        QTest::qWait(300); // what was on its way to the screen
        const int stopped = onScreen(w, 1).frame;
        QTest::qWait(700);
        QCOMPARE(onScreen(w, 1).frame, stopped);

        toggle();
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(w, 1).frame > stopped, 10000);
        QCOMPARE(onScreen(w, 1).channel, 2);
        QCOMPARE(w->mediaInfo().shownStream(), 1);
        QVERIFY(w->findChild<QAbstractButton *>(QStringLiteral("rearViewButton"))->isChecked());
        QVERIFY(w->controlWidget()->speedDisplay()->value() > 0);
    }

    void skip_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("direction");
        QTest::newRow("Right key") << "key" << 1;
        QTest::newRow("forward button") << "button" << 1;
        QTest::newRow("Left key") << "key" << -1;
        QTest::newRow("rewind button") << "button" << -1;
    }

    // A skip lands five seconds away, on the key frame at or before the target.
    void skip()
    {
        QFETCH(QString, how);
        QFETCH(int, direction);
        const QString file = longRecording();
        QVERIFY(!file.isEmpty());
        MainWindow *w = play(file);
        QVERIFY(waitPlaying());
        int before = pauseAndRead();
        if (direction < 0) {
            // far enough in to go back five seconds
            w->playerWidget()->seekSlider()->setValue(80000);
            QTRY_VERIFY_WITH_TIMEOUT(onScreen(w).frame >= 8 * Fps - KeyInterval, 10000);
            QTRY_VERIFY_WITH_TIMEOUT(!w->mediaInfo().isSeeking(), 10000);
            before = onScreen(w).frame;
        }
        if (how == QLatin1String("key"))
            key(direction > 0 ? Qt::Key_Right : Qt::Key_Left);
        else
            QVERIFY(clickButton(w, direction > 0 ? "playerFwdButton" : "playerRewButton"));
        const int target = before + direction * 5 * Fps;
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(onScreen(w).frame - before) > KeyInterval, 10000);
        const int landed = onScreen(w).frame;
        QVERIFY2(landed <= target + 1 && landed >= target - KeyInterval - 1,
                 qPrintable(QStringLiteral("from %1 to %2").arg(before).arg(landed)));
        QCOMPARE(completed(PlayCommand::SeekRelative).last(),
                 direction * TransportController::SkipUs);
    }

    void seekBarValues_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("adjusted");
        QTest::newRow("ends in 1: half a second on") << 12341 << 17341;
        QTest::newRow("the bar's last step") << 295001 << 300000;
        QTest::newRow("past the last step") << 300001 << 305001;
        QTest::newRow("ends in 0") << 40000 << 40000;
    }

    void seekBarValues()
    {
        QFETCH(int, value);
        QFETCH(int, adjusted);
        QCOMPARE(TransportController::adjustedSeekValue(value), adjusted);
        QCOMPARE(PlayerWidget::seekPositionOf(adjusted), int64_t(adjusted) * 100);
    }

    // Dragging the seek bar seeks there; a keyboard step of the bar moves half a second.
    void seekBar_dragAndStep()
    {
        const QString file = longRecording();
        MainWindow *w = play(file);
        QVERIFY(waitPlaying());
        pauseAndRead();
        QSlider *bar = w->playerWidget()->seekSlider();
        bar->setValue(60000);
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(onScreen(w).frame - 6 * Fps) <= KeyInterval, 10000);
        QCOMPARE(completed(PlayCommand::SeekAbsolute).last(), int64_t(6000000));
        QTRY_VERIFY_WITH_TIMEOUT(!w->mediaInfo().isSeeking(), 10000);

        bar->setFocus();
        const int before = completed(PlayCommand::SeekRelative).size();
        key(Qt::Key_Right); // the focused bar keeps the arrow: a step, not a skip
        QTRY_COMPARE_WITH_TIMEOUT(completed(PlayCommand::SeekRelative).size(), before + 1, 10000);
        QCOMPARE(completed(PlayCommand::SeekRelative).last(), TransportController::SeekBarStepUs);
    }

    void frameSearch_data()
    {
        QTest::addColumn<int>("forwardKey");
        QTest::addColumn<int>("backKey");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QString>("view"); // the channel button clicked while paused, or none
        QTest::newRow("arrows") << int(Qt::Key_Right) << int(Qt::Key_Left) << 1 << "";
        QTest::newRow("period and comma") << int(Qt::Key_Period) << int(Qt::Key_Comma) << 1 << "";
        QTest::newRow("period and comma, rear of three")
                << int(Qt::Key_Period) << int(Qt::Key_Comma) << 3 << "rearViewButton";
        QTest::newRow("period and comma, interior of three")
                << int(Qt::Key_Period) << int(Qt::Key_Comma) << 3 << "innerViewButton";
    }

    // Each step shows exactly the next or previous frame of the channel shown, on screen;
    // nothing is asked of the engine before the first frame or past the last.
    void frameSearch()
    {
        QFETCH(int, forwardKey);
        QFETCH(int, backKey);
        QFETCH(int, channels);
        QFETCH(QString, view);
        const QString file = recording(QStringLiteral("short%1.mp4").arg(channels),
                                       channels,
                                       1,
                                       QStringLiteral("320x180,fps=10,gop=5"));
        QVERIFY(!file.isEmpty());
        MainWindow *w = play(file);
        // pause on the first picture, before the one-second recording ends
        connect(&w->mediaInfo(),
                &MediaInfo::mediaInfoStateChanged,
                this,
                [w](MediaInfo *, MediaContext *, int old_state, int new_state) {
                    if (new_state == MediaInfo::Playing && old_state != MediaInfo::Paused)
                        w->transport()->playOrPause();
                });
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Paused), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(w).frame >= 0, 10000);
        int channel = onScreen(w).channel;
        if (!view.isEmpty()) {
            // A channel chosen while paused reaches the screen without playing on.
            const int front = channel;
            QVERIFY(clickButton(w, view.toLatin1().constData()));
            QTRY_VERIFY_WITH_TIMEOUT((channel = onScreen(w).channel) != front, 10000);
        }
        int frame = enterFrameSearch();
        QVERIFY(frame >= 0);
        const int total = int(w->mediaInfo().totalFrames());
        QVERIFY(total >= 9);

        auto stepTo = [&](int keyCode, int expected) {
            key(keyCode);
            QTRY_COMPARE_WITH_TIMEOUT(onScreen(w).frame, expected, 10000);
            QTRY_VERIFY_WITH_TIMEOUT(!w->mediaInfo().isFrameSearching(), 10000);
            QCOMPARE(onScreen(w).channel, channel);
        };
        while (frame > 0)
            stepTo(backKey, --frame);
        const int posted = completed(PlayCommand::SeekByFrame).size();
        key(backKey);
        while (frame < total - 1)
            stepTo(forwardKey, ++frame);
        key(forwardKey);
        QTest::qWait(300);
        QCOMPARE(completed(PlayCommand::SeekByFrame).size(), posted + total - 1);
        QCOMPARE(onScreen(w).frame, total - 1);
        const QString counter = QString::asprintf(" %02d / %02d", total - 1, total);
        QTRY_VERIFY_WITH_TIMEOUT(labelEndingWith(w->playerWidget(), counter), 5000);
    }

    // A channel change in frame search shows the same frame of the other channel.
    void frameSearch_channelChangeKeepsTheFrame()
    {
        const QString file = longRecording(2);
        MainWindow *w = play(file);
        QVERIFY(waitPlaying());
        const int frame = enterFrameSearch();
        QVERIFY(frame >= 0);
        QCOMPARE(w->mediaInfo().state(), int(MediaInfo::Paused));
        key(Qt::Key_Period);
        QTRY_COMPARE_WITH_TIMEOUT(onScreen(w).frame, frame + 1, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->mediaInfo().isFrameSearching(), 10000);

        QVERIFY(clickButton(w, "rearViewButton"));
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(w, 1).channel == 2, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(onScreen(w, 1).frame, frame + 1, 10000);
        // All is not offered in frame search
        QVERIFY(!w->findChild<QAbstractButton *>(QStringLiteral("allViewButton"))->isEnabled());

        // leaving frame search plays on
        QVERIFY(clickButton(w, "FrameSearchButton"));
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(w, 1).frame > frame + 3, 10000);
    }

    void speed_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<qint64>("posted");
        QTest::addColumn<QString>("label");
        QTest::newRow("slowest") << 1 << qint64(50) << "0.50 x";
        QTest::newRow("middle") << 50 << qint64(100) << "1.00 x";
        QTest::newRow("three quarters") << 75 << qint64(150) << "1.50 x";
        QTest::newRow("fastest") << 100 << qint64(200) << "2.00 x";
        QTest::newRow("one step above the middle") << 60 << qint64(120) << "1.20 x";
    }

    void speed()
    {
        QFETCH(int, value);
        QFETCH(qint64, posted);
        QFETCH(QString, label);
        MainWindow *w = play(longRecording());
        QVERIFY(waitPlaying());
        auto *slider = w->findChild<QSlider *>(QStringLiteral("videoSpeedSlider"));
        QVERIFY(slider);
        slider->setValue(value == 50 ? 60 : 50); // make sure the value changes
        slider->setValue(value);
        QTRY_VERIFY_WITH_TIMEOUT(!completed(PlayCommand::SetSpeed).isEmpty()
                                         && completed(PlayCommand::SetSpeed).last() == posted,
                                 5000);
        QVERIFY(labelEndingWith(w->playerWidget(), label));
        // S restores normal speed
        key(Qt::Key_S);
        QTRY_COMPARE_WITH_TIMEOUT(completed(PlayCommand::SetSpeed).last(), qint64(100), 5000);
    }

    // Volume keys and mute reach the engine: muted is 0, unmuting gives the level back.
    void volumeAndMute()
    {
        MainWindow *w = play(longRecording());
        QVERIFY(waitPlaying());
        key(Qt::Key_Up);
        QTRY_VERIFY_WITH_TIMEOUT(completed(PlayCommand::SetVolume).value(0, -1) == 6, 5000);
        key(Qt::Key_M);
        QTRY_VERIFY_WITH_TIMEOUT(completed(PlayCommand::SetVolume).last() == 0, 5000);
        key(Qt::Key_Down); // from muted: 0
        key(Qt::Key_M);
        QTRY_COMPARE_WITH_TIMEOUT(qint64(w->controlWidget()->volume()),
                                  completed(PlayCommand::SetVolume).last(),
                                  5000);
        w->displayAction(QStringLiteral("volumeUpAction"))->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(completed(PlayCommand::SetVolume).last(),
                                  qint64(w->controlWidget()->volume()),
                                  5000);
        QVERIFY(w->controlWidget()->volume() > 0);
    }

    // The brightness slider brightens and darkens the picture on screen; B goes back to 1.0.
    void brightness()
    {
        MainWindow *w = play(longRecording());
        QVERIFY(waitPlaying());
        pauseAndRead();
        const double normal = meanLevel(w->videoDisplay());
        auto *slider = w->findChild<QSlider *>(QStringLiteral("videoBrightnessSlider"));
        QVERIFY(slider);
        QCOMPARE(slider->value(), 500);
        slider->setValue(1000);
        QTRY_VERIFY_WITH_TIMEOUT(meanLevel(w->videoDisplay()) > normal + 10, 5000);
        slider->setValue(1);
        QTRY_VERIFY_WITH_TIMEOUT(meanLevel(w->videoDisplay()) < normal - 10, 5000);
        key(Qt::Key_B);
        QCOMPARE(w->videoDisplay()->brightness(), 1.0);
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(meanLevel(w->videoDisplay()) - normal) < 2, 5000);
    }

    // The colours on screen are those of the recording: the paused picture, cell by cell,
    // matches the same frame converted by the ffmpeg program the way the engine always
    // converted it (limited-range source, full-range BGR). A shader reading the planes in the
    // wrong order, with the wrong matrix or range, is off by tens of levels in the coloured
    // parts.
    void coloursOnScreen()
    {
        const QString file = longRecording();
        MainWindow *w = play(file);
        QVERIFY(waitPlaying());
        // The paused picture, scaled by the decoder to the display, then the next frame in
        // frame search, decoded at its own size and scaled by the display.
        // Empty when the picture on screen has the colours of its frame.
        auto differs = [&]() -> QString {
            const double worst = worstCellDifference(file);
            if (worst >= 0 && worst <= 8)
                return {};
            return QStringLiteral("frame %1: a cell differs by %2 levels")
                    .arg(onScreen(w).frame)
                    .arg(worst);
        };
        const int paused = pauseAndRead();
        QVERIFY(paused >= 0);
        const QString atPause = differs();
        QVERIFY2(atPause.isEmpty(), qPrintable(atPause));
        QCOMPARE(enterFrameSearch(), paused);
        key(Qt::Key_Right);
        QTRY_COMPARE_WITH_TIMEOUT(onScreen(w).frame, paused + 1, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->mediaInfo().isFrameSearching(), 10000);
        const QString searched = differs();
        QVERIFY2(searched.isEmpty(), qPrintable(searched));
    }

    // The display's context menu offers the window's actions, enabled as the buttons are.
    void contextMenu()
    {
        MainWindow *w = play(longRecording());
        QVERIFY(waitPlaying());
        QStringList names;
        bool playEnabled = false;
        bool nextEnabled = true;
        QTimer::singleShot(300, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction *action : menu->actions()) {
                if (action->menu()) {
                    for (QAction *sub : action->menu()->actions())
                        names << sub->objectName();
                } else if (!action->isSeparator()) {
                    names << action->objectName();
                }
                if (action->objectName() == QLatin1String("playPauseAction"))
                    playEnabled = action->isEnabled();
                if (action->objectName() == QLatin1String("nextAction"))
                    nextEnabled = action->isEnabled();
            }
            menu->close();
        });
        w->videoDisplay()->onCustomContextMenuRequested(QPoint(20, 20));
        QCOMPARE(names,
                 QStringList({"openFileAction",
                              "openFolderAction",
                              "playPauseAction",
                              "previousAction",
                              "nextAction",
                              "darkenAction",
                              "brightenAction",
                              "defaultBrightnessAction",
                              "fastAction",
                              "slowAction",
                              "defaultSpeedAction",
                              "volumeUpAction",
                              "volumeDownAction",
                              "muteAction"}));
        QVERIFY(playEnabled);
        QVERIFY(!nextEnabled); // one recording in the list
        w->displayAction(QStringLiteral("fastAction"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!completed(PlayCommand::SetSpeed).isEmpty()
                                         && completed(PlayCommand::SetSpeed).last() == 120,
                                 5000);
    }

    // Ctrl+O asks for files; Ctrl+F lets several folders be chosen, and lists them all.
    void openShortcuts()
    {
        QTemporaryDir root;
        QDir(root.path()).mkpath(QStringLiteral("one"));
        QDir(root.path()).mkpath(QStringLiteral("two"));
        const QString source = longRecording();
        QVERIFY(QFile::copy(source, root.filePath(QStringLiteral("one/20240101_100000D.mp4"))));
        QVERIFY(QFile::copy(source, root.filePath(QStringLiteral("two/20240101_110000E.mp4"))));
        QDir(root.path()).mkpath(QStringLiteral("three")); // not chosen
        QVERIFY(QFile::copy(source, root.filePath(QStringLiteral("three/20240101_120000D.mp4"))));
        MainWindow *w = play(source);
        QVERIFY(waitPlaying());

        bool fileDialog = false;
        QTimer::singleShot(300, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            fileDialog = dialog && dialog->fileMode() == QFileDialog::ExistingFiles;
            if (dialog)
                dialog->reject();
            else if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        key(Qt::Key_O, Qt::ControlModifier);
        QVERIFY(fileDialog);

        QStringList chosen;
        QTimer::singleShot(300, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->setDirectory(root.path());
            auto *view = dialog->findChild<QAbstractItemView *>(QStringLiteral("listView"));
            auto *model = dialog->findChild<QFileSystemModel *>();
            if (!view || !model)
                return;
            const QModelIndex folder = model->index(root.path());
            (void)QTest::qWaitFor([&] { return model->rowCount(folder) == 3; }, 5000);
            QTest::qWait(100); // the view sorts what has been loaded
            const QModelIndex one = model->index(root.filePath(QStringLiteral("one")));
            const QModelIndex two = model->index(root.filePath(QStringLiteral("two")));
            view->selectionModel()->select(one,
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
            view->selectionModel()->select(two,
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
            chosen = dialog->selectedFiles();
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog's own accept runs
        });
        w->activateWindow(); // back from the dialog
        QVERIFY(QTest::qWaitForWindowActive(w));
        key(Qt::Key_F, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(w->playList()->entries().size(), 2, 10000);
        QCOMPARE(chosen,
                 QStringList({root.filePath(QStringLiteral("one")),
                              root.filePath(QStringLiteral("two"))}));
    }

    // Ctrl+Right and Ctrl+Left jump between the moments the G-sensor marks.
    void eventMarks_jump()
    {
        MainWindow *w = play(longRecording());
        QVERIFY(waitPlaying());
        pauseAndRead();
        // a calm record with two knocks, at 3 s and 9 s
        const double rate = w->telemetry().gsensorRate();
        QVERIFY(rate > 0);
        QVector<GSensorSample> samples;
        for (int i = 0; i * rate < 14; ++i) {
            const double t = i * rate;
            const bool knock = std::abs(t - 3) < rate / 2 || std::abs(t - 9) < rate / 2;
            samples.append({knock ? -1.5 : 0.02, 0.01, 1.0});
        }
        w->gsensorMeter()->reset();
        w->gsensorMeter()->setSamples(samples);
        const QVector<double> marks = w->gsensorMeter()->eventMarks();
        QCOMPARE(marks.size(), 2);
        QVERIFY(std::abs(marks.at(0) - 3) < 0.5 && std::abs(marks.at(1) - 9) < 0.5);

        auto landsAt = [w](double seconds) {
            const int target = int(seconds * Fps);
            return QTest::qWaitFor(
                    [&] {
                        const int f = onScreen(w).frame;
                        return f <= target + 1 && f >= target - KeyInterval - 1
                                && !w->mediaInfo().isSeeking();
                    },
                    10000);
        };
        key(Qt::Key_Right, Qt::ControlModifier);
        QVERIFY(landsAt(marks.at(0)));
        key(Qt::Key_Right, Qt::ControlModifier);
        QVERIFY(landsAt(marks.at(1)));
        key(Qt::Key_Left, Qt::ControlModifier);
        QVERIFY(landsAt(marks.at(0)));
    }

    // I and O set the clip's marks at the playing position; the seek bar shows them on screen
    // through playing, pausing, seeking and a channel change; its menu clears them; another
    // recording starts without them.
    void clipMarks_keysAndSeekBarMenu()
    {
        MainWindow *w = play(longRecording(2));
        QVERIFY(waitPlaying());
        pauseAndRead();
        ClipMarks *marks = w->clipMarks();
        auto *bar = qobject_cast<SmoothSlider *>(w->playerWidget()->seekSlider());
        QVERIFY(bar);
        // The seek is asked for on the event loop: wait until it ran and the playing time has
        // reached the target (and, while playing, not yet run a second past it), not only until
        // no seek is pending (none may have started yet).
        const auto seekTo = [&](double seconds) {
            bar->setValue(int(seconds * 10000));
            return QTest::qWaitFor(
                    [&] {
                        const double t = w->playingTime();
                        return !w->mediaInfo().isSeeking() && t > seconds - 0.2
                                && t < seconds + 1.0;
                    },
                    10000);
        };
        // Columns of the bar on screen with more than a few pixels of the marks' colour.
        const auto brackets = [bar] {
            const QImage image = ScreenGrab::of(bar);
            const QColor span = SmoothSlider::spanColor();
            QList<int> columns;
            for (int x = 0; x < image.width(); ++x) {
                int count = 0;
                for (int y = 0; y < image.height(); ++y) {
                    const QColor c = image.pixelColor(x, y);
                    count += qAbs(c.red() - span.red()) < 8 && qAbs(c.green() - span.green()) < 8
                            && qAbs(c.blue() - span.blue()) < 8;
                }
                if (count > 8)
                    columns << x;
            }
            return columns;
        };
        const auto shownAt = [&](double in, double out) {
            const QList<int> columns = brackets();
            const int inX = bar->markPosition(int(in * 10000));
            const int outX = bar->markPosition(int(out * 10000));
            return !columns.isEmpty() && qAbs(columns.first() - inX) <= 2
                    && qAbs(columns.last() - outX) <= 2;
        };

        QVERIFY(seekTo(2.0));
        key(Qt::Key_I);
        // the playing time: where the seek went, or the picture it landed on
        const double in = marks->in();
        QVERIFY2(std::abs(in - 2.0) < 0.2, qPrintable(QString::number(in)));
        QVERIFY(!marks->isComplete());
        QVERIFY(seekTo(5.0));
        key(Qt::Key_O);
        const double out = marks->out();
        QVERIFY2(std::abs(out - 5.0) < 0.2, qPrintable(QString::number(out)));
        QVERIFY(marks->isComplete());
        QTRY_VERIFY_WITH_TIMEOUT(shownAt(in, out), 5000);

        // Playing on, seeking elsewhere and another channel keep them.
        w->transport()->playOrPause();
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), MediaInfo::Playing, 5000);
        QVERIFY(seekTo(9.0));
        QVERIFY(clickButton(w, "rearViewButton"));
        QTRY_VERIFY_WITH_TIMEOUT(shownAt(in, out), 5000);
        QCOMPARE(marks->in(), in);
        QCOMPARE(marks->out(), out);

        // The bar's menu: "Clear marks".
        QStringList entries;
        QTimer::singleShot(300, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction *action : menu->actions())
                entries << action->objectName();
            for (QAction *action : menu->actions()) {
                if (action->objectName() == QLatin1String("clearMarksAction"))
                    action->trigger();
            }
            menu->close();
        });
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(bar->width() / 2, 5));
        QApplication::sendEvent(bar, &menuEvent);
        QCOMPARE(entries, QStringList({"markInAction", "markOutAction", "clearMarksAction"}));
        QVERIFY(!marks->hasIn() && !marks->hasOut());
        QTRY_VERIFY_WITH_TIMEOUT(brackets().isEmpty(), 5000);

        // Another recording opens without marks.
        key(Qt::Key_I);
        QVERIFY(marks->hasIn());
        const QString other = m_folder->filePath(QStringLiteral("20240101_110000D.mp4"));
        QVERIFY(QFile::copy(longRecording(1), other));
        w->playList()->loadPlayList({other}, true);
        QTRY_VERIFY_WITH_TIMEOUT(w->session()->playingPath() == other, 20000);
        QVERIFY(!marks->hasIn() && !marks->hasOut());
        QTRY_VERIFY_WITH_TIMEOUT(brackets().isEmpty(), 5000);
    }

    // Two consecutive files opened as a trip from the Trips view play on one timeline: the
    // second file's pictures carry the numbers after the first's, so the number on screen is
    // the frame of the whole trip.
    void trip_oneTimelineAcrossTheFileBoundary()
    {
        const int fileFrames = 4 * Fps;
        QStringList names;
        for (int i = 0; i < 2; ++i) {
            const QString made = TestRecordings::make(QStringLiteral("trip-part%1.mp4").arg(i + 1),
                                                      {QStringLiteral("--video"),
                                                       QStringLiteral("320x180,fps=30,gop=15"),
                                                       QStringLiteral("--duration"),
                                                       QStringLiteral("4"),
                                                       QStringLiteral("--audio"),
                                                       QStringLiteral("--telemetry"),
                                                       QStringLiteral("subtitle"),
                                                       QStringLiteral("--seed"),
                                                       QString::number(i),
                                                       QStringLiteral("--first-frame"),
                                                       QString::number(i * fileFrames)});
            QVERIFY(!made.isEmpty());
            names << m_folder->filePath(QStringLiteral("20240101_10000%1D.mp4").arg(4 * i));
            QVERIFY(QFile::copy(made, names.last()));
        }
        m_window = std::make_unique<MainWindow>();
        MainWindow *w = m_window.get();
        w->resize(1100, 760);
        w->show();
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w);
        m_commands = std::make_unique<QSignalSpy>(
                &w->eventLoop(), &MediaEventLoop::mediaEventPlayControlCommandCompleted);
        w->playList()->loadPlayList(names, false);
        QVERIFY(openOnlyTrip(w, 2));
        QVERIFY(waitPlaying());

        // One seek bar and one time label for the eight seconds.
        QTRY_VERIFY_WITH_TIMEOUT(labelEndingWith(w->playerWidget(), QStringLiteral(" / 00:08")),
                                 5000);
        QSlider *bar = w->playerWidget()->seekSlider();
        QCOMPARE(PlayerWidget::seekPositionOf(bar->maximum()), int64_t(8000000));

        // Right from two seconds in lands five seconds later, in the second file.
        pauseAndRead();
        bar->setValue(20000);
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(onScreen(w).frame - 2 * Fps) <= KeyInterval, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->mediaInfo().isSeeking(), 10000);
        const int before = onScreen(w).frame;
        key(Qt::Key_Right);
        const int target = before + 5 * Fps;
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(w).frame >= fileFrames, 10000);
        const int landed = onScreen(w).frame;
        QVERIFY2(landed <= target + 1 && landed >= target - KeyInterval - 1,
                 qPrintable(QStringLiteral("from %1 to %2").arg(before).arg(landed)));

        // Frame steps cross the boundary both ways: the first file's last picture, then the
        // second file's first.
        bar->setValue(37000);
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(w).frame < fileFrames, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->mediaInfo().isSeeking(), 10000);
        int frame = enterFrameSearch();
        QVERIFY(frame >= fileFrames - 2 * KeyInterval && frame < fileFrames);
        while (frame < fileFrames + 1) {
            key(Qt::Key_Period);
            ++frame;
            QTRY_COMPARE_WITH_TIMEOUT(onScreen(w).frame, frame, 10000);
            QTRY_VERIFY_WITH_TIMEOUT(!w->mediaInfo().isFrameSearching(), 10000);
        }
        for (int back : {fileFrames, fileFrames - 1}) {
            key(Qt::Key_Comma);
            QTRY_COMPARE_WITH_TIMEOUT(onScreen(w).frame, back, 10000);
            QTRY_VERIFY_WITH_TIMEOUT(!w->mediaInfo().isFrameSearching(), 10000);
        }
    }

    // The full-size layout keeps the picture only; the same button brings the panels back.
    void fullSize()
    {
        MainWindow *w = play(longRecording());
        QVERIFY(waitPlaying());
        QVERIFY(clickButton(w, "fullSizeButton"));
        QVERIFY(w->isFullSize());
        QVERIFY(!w->gsensorMeter()->isVisible());
        QVERIFY(!w->playList()->isVisible());
        QVERIFY(clickButton(w, "playerFullSizeButton"));
        QVERIFY(!w->isFullSize());
        QVERIFY(w->gsensorMeter()->isVisible());
        QVERIFY(w->playList()->isVisible());
    }
};

QTEST_MAIN(TestTransport)
#include "tst_transport.moc"
