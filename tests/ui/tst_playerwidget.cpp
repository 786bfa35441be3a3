// ctest-labels: gui
// The player panel as a real widget over real generated recordings probed by a real media
// info: which channel buttons it shows and which one it selects when a recording starts, the
// time and frame labels, the seek bar's range, values and keyboard steps, the surround
// view-mode buttons, the event ticks and the clip's marks drawn on the seek bar.
#include "media/globalsettings.h"
#include "media/mediainfo.h"
#include "media/surroundviewmode.h"
#include "resource/vistrelresource.h"
#include "screengrab.h"
#include "testrecordings.h"
#include "ui/clipmarks.h"
#include "ui/playerwidget.h"
#include "ui/smoothslider.h"
#include "video/videodisplayhost.h"
#include "video/videodisplaywidget.h"

#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

namespace {

// Stands in for the main window behind the video display.
class DisplayHost : public VideoDisplayHost
{
public:
    explicit DisplayHost(MediaInfo *info)
        : m_info(info)
    { }
    MediaInfo *displayMediaInfo() override { return m_info; }
    bool isClosing() const override { return false; }
    QAction *displayAction(const QString &) const override { return nullptr; }
    bool isPlayerButtonEnabled(const QString &) const override { return false; }
    void onSeekFrameAgain() override { }

private:
    MediaInfo *m_info;
};

const QStringList ChannelButtons = {QStringLiteral("frontViewButton"),
                                    QStringLiteral("innerViewButton"),
                                    QStringLiteral("rearViewButton"),
                                    QStringLiteral("allViewButton")};
const QStringList SurroundButtons = {QStringLiteral("surroundOrgButton"),
                                     QStringLiteral("surroundVRButton"),
                                     QStringLiteral("surroundPanoramaButton"),
                                     QStringLiteral("surroundStereoButton")};

// A player panel wired to a media info the way the main window wires it, with spies on the
// panel's channel signals in the order of ChannelButtons.
struct Fixture
{
    MediaInfo info;
    DisplayHost host {&info};
    PlayerWidget player {&host, &info};
    QSignalSpy front {&player, &PlayerWidget::showFrontVideo};
    QSignalSpy inner {&player, &PlayerWidget::showInnerVideo};
    QSignalSpy rear {&player, &PlayerWidget::showRearVideo};
    QSignalSpy all {&player, &PlayerWidget::showAllVideos};
    QSignalSpy seek {&player, &PlayerWidget::playSeekValueChanged};

    Fixture()
    {
        QObject::connect(&info,
                         &MediaInfo::mediaInfoStateChanged,
                         &player,
                         &PlayerWidget::onMediaInfoStateChanged);
        player.resize(720, 480);
    }

    QRadioButton *button(const QString &name) { return player.findChild<QRadioButton *>(name); }
    QString label(const char *name)
    {
        auto *l = player.findChild<QLabel *>(QLatin1String(name));
        return l ? l->text() : QStringLiteral("<no label>");
    }
    QStringList visible(const QStringList &names)
    {
        QStringList shown;
        for (const QString &name : names) {
            if (button(name) && !button(name)->isHidden())
                shown << name;
        }
        return shown;
    }
    // The channel signals emitted with true, by button name.
    QStringList selected()
    {
        QStringList names;
        const QList<QSignalSpy *> spies {&front, &inner, &rear, &all};
        for (int i = 0; i < spies.size(); ++i) {
            for (const QList<QVariant> &args : *spies[i]) {
                if (args.at(0).toBool())
                    names << ChannelButtons.at(i);
            }
        }
        return names;
    }
    void clearSpies()
    {
        for (QSignalSpy *spy : {&front, &inner, &rear, &all, &seek})
            spy->clear();
    }
};

// Columns of the seek bar's picture that carry the tick colour.
QList<int> tickColumns(const QImage &image)
{
    QList<int> columns;
    const QColor mark = SmoothSlider::markColor();
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - mark.red()) < 8 && qAbs(c.green() - mark.green()) < 8
                && qAbs(c.blue() - mark.blue()) < 8) {
                columns << x;
                break;
            }
        }
    }
    return columns;
}

// Per column of the seek bar's picture, how many pixels carry the clip marks' colour.
QVector<int> spanPixels(const QImage &image)
{
    QVector<int> counts(image.width(), 0);
    const QColor span = SmoothSlider::spanColor();
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - span.red()) < 8 && qAbs(c.green() - span.green()) < 8
                && qAbs(c.blue() - span.blue()) < 8)
                ++counts[x];
        }
    }
    return counts;
}

} // namespace

class TestPlayerWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { GlobalSettings::resetToDefaults(); }

    void channelButtons_data();
    void channelButtons();
    void pauseAndResume_keepTheChannel();
    void stop_clearsThePanel();
    void runningTime_data();
    void runningTime();
    void frameSearch_data();
    void frameSearch();
    void singleStream_data();
    void singleStream();
    void seekBar_data();
    void seekBar();
    void eventMarks_drawnAsTicks();
    void clipMarks_data();
    void clipMarks();
    void clipMarks_drawnAsBrackets();

private:
    QString recording(const QString &kind) const { return m_recordings.value(kind); }
    QMap<QString, QString> m_recordings;
};

void TestPlayerWidget::initTestCase()
{
    initVistrelResources();
    qRegisterMetaType<MediaContext *>();
    const QString plain = QStringLiteral("160x90");
    const QString square = QStringLiteral("96x96");
    const QMap<QString, QStringList> videos {{QStringLiteral("one"), {plain}},
                                             {QStringLiteral("two"), {plain, plain}},
                                             {QStringLiteral("surround"), {plain, square}},
                                             {QStringLiteral("three"), {plain, plain, plain}}};
    for (auto it = videos.cbegin(); it != videos.cend(); ++it) {
        QStringList options {QStringLiteral("--duration"), QStringLiteral("2")};
        for (const QString &v : it.value())
            options << QStringLiteral("--video") << v;
        const QString path = TestRecordings::make(it.key() + QStringLiteral(".mp4"), options);
        QVERIFY(!path.isEmpty());
        m_recordings.insert(it.key(), path);
    }
}

void TestPlayerWidget::channelButtons_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("checkedBefore"); // empty: none
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("surroundButtons");

    const QString front = ChannelButtons.at(0);
    const QString inner = ChannelButtons.at(1);
    const QString rear = ChannelButtons.at(2);
    const QString all = ChannelButtons.at(3);
    QTest::newRow("one video: no buttons") << "one"
                                           << "" << QStringList() << front << false;
    QTest::newRow("one video, all wanted: front")
            << "one" << all << QStringList() << front << false;
    QTest::newRow("two videos") << "two"
                                << "" << QStringList {front, rear, all} << front << false;
    QTest::newRow("two videos, rear kept")
            << "two" << rear << QStringList {front, rear, all} << rear << false;
    QTest::newRow("two videos, front emitted again")
            << "two" << front << QStringList {front, rear, all} << front << false;
    QTest::newRow("two videos, inner hidden: front")
            << "two" << inner << QStringList {front, rear, all} << front << false;
    QTest::newRow("surround pair") << "surround"
                                   << "" << QStringList {front, inner, all} << front << false;
    QTest::newRow("surround pair, rear hidden: front")
            << "surround" << rear << QStringList {front, inner, all} << front << false;
    QTest::newRow("surround pair, inner kept: mode buttons")
            << "surround" << inner << QStringList {front, inner, all} << inner << true;
    QTest::newRow("three videos") << "three"
                                  << "" << ChannelButtons << front << false;
    QTest::newRow("three videos, all kept") << "three" << all << ChannelButtons << all << false;
}

void TestPlayerWidget::channelButtons()
{
    QFETCH(QString, kind);
    QFETCH(QString, checkedBefore);
    QFETCH(QStringList, shown);
    QFETCH(QString, selected);
    QFETCH(bool, surroundButtons);

    Fixture f;
    QCOMPARE(f.info.init(recording(kind)), 0);
    QCOMPARE(f.visible(ChannelButtons), QStringList()); // hidden while Stopped
    if (!checkedBefore.isEmpty())
        f.button(checkedBefore)->setChecked(true);
    f.clearSpies();

    f.info.changeState(MediaInfo::Playing, nullptr, true);
    QCOMPARE(f.visible(ChannelButtons), shown);
    QCOMPARE(f.selected(), QStringList {selected});
    QVERIFY(f.button(selected)->isChecked());
    QCOMPARE(f.visible(SurroundButtons), surroundButtons ? SurroundButtons : QStringList());
    QCOMPARE(f.seek.count(), 0); // starting to play never seeks
}

void TestPlayerWidget::pauseAndResume_keepTheChannel()
{
    Fixture f;
    QCOMPARE(f.info.init(recording(QStringLiteral("three"))), 0);
    f.info.changeState(MediaInfo::Playing, nullptr, true);
    f.button(QStringLiteral("rearViewButton"))->setChecked(true);
    f.player.setRunningTime(1.0, 30, 60);
    f.clearSpies();

    f.info.changeState(MediaInfo::Paused, nullptr, true);
    f.info.changeState(MediaInfo::Playing, nullptr, true);
    QVERIFY(f.button(QStringLiteral("rearViewButton"))->isChecked());
    QCOMPARE(f.selected(), QStringList());
    QCOMPARE(f.front.count() + f.rear.count() + f.inner.count() + f.all.count(), 0);
    QCOMPARE(f.visible(ChannelButtons), ChannelButtons);
    QCOMPARE(f.player.seekSlider()->value(), 10000);
}

void TestPlayerWidget::stop_clearsThePanel()
{
    Fixture f;
    QCOMPARE(f.info.init(recording(QStringLiteral("surround"))), 0);
    f.button(QStringLiteral("innerViewButton"))->setChecked(true);
    f.info.changeState(MediaInfo::Playing, nullptr, true);
    QCOMPARE(f.visible(SurroundButtons), SurroundButtons);
    f.player.setRunningTime(1.5, 45, 60);
    QVERIFY(f.player.seekSlider()->isEnabled());
    QCOMPARE(f.label("timeLabel"), QStringLiteral("00:02 / 00:02"));
    f.clearSpies();

    f.info.changeState(MediaInfo::Stopped, nullptr, true);
    QCOMPARE(f.label("timeLabel"), QStringLiteral("00:00 / 00:00"));
    QCOMPARE(f.player.seekSlider()->value(), 0);
    QVERIFY(!f.player.seekSlider()->isEnabled());
    QCOMPARE(f.seek.count(), 0);
    QCOMPARE(f.visible(ChannelButtons), QStringList());
    QCOMPARE(f.visible(SurroundButtons), QStringList());
    QVERIFY(!f.player.videoDisplay()->isPlaying());
}

void TestPlayerWidget::runningTime_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("time");
    QTest::addColumn<int>("seekValue");

    QTest::newRow("start") << 0.0 << "00:00 / 00:02" << 0;
    QTest::newRow("rounded down") << 1.25 << "00:01 / 00:02" << 12500;
    QTest::newRow("rounded up") << 1.5 << "00:02 / 00:02" << 15000;
    // Beyond the recording's end the bar stays at its end; the label is not wrapped.
    QTest::newRow("a minute") << 59.6 << "01:00 / 00:02" << -1;
    QTest::newRow("65 and a half minutes") << 3930.4 << "65:30 / 00:02" << -1;
}

void TestPlayerWidget::runningTime()
{
    QFETCH(double, seconds);
    QFETCH(QString, time);
    QFETCH(int, seekValue);

    Fixture f;
    QCOMPARE(f.info.init(recording(QStringLiteral("one"))), 0);
    QCOMPARE(qRound(f.info.duration()), 2);
    QSlider *bar = f.player.seekSlider();
    QCOMPARE(bar->maximum(), 60);
    QVERIFY(!bar->isEnabled());

    f.info.changeState(MediaInfo::Playing, nullptr, true);
    QCOMPARE(f.label("timeLabel"), QStringLiteral("00:00 / 00:02"));
    // One step per 100 microseconds of the recording.
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), int(f.info.duration() * 10000));
    QVERIFY(bar->isEnabled());

    f.player.setFrameText(QStringLiteral("stale"));
    f.player.setRunningTime(seconds, 0, 60);
    QCOMPARE(f.label("timeLabel"), time);
    QCOMPARE(f.label("frameLabel"), QString());
    QCOMPARE(bar->value(), seekValue < 0 ? bar->maximum() : seekValue);
    QCOMPARE(f.seek.count(), 0); // a playing-time report is not a seek
}

void TestPlayerWidget::frameSearch_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<qint64>("frame");
    QTest::addColumn<QString>("time");

    // 61 frames in a two-second recording: 30 whole frames per second. Before each row the
    // label shows "00:05 / 00:02" from a normal report.
    QTest::newRow("first minute, agrees") << 10.0 << qint64(300) << "00:10 / 00:02";
    QTest::newRow("first minute, frame ahead") << 10.0 << qint64(330) << "00:11 / 00:02";
    QTest::newRow("first minute, half a second is no difference")
            << 10.0 << qint64(315) << "00:10 / 00:02";
    QTest::newRow("beyond the first minute, agrees") << 75.0 << qint64(2250) << "01:15 / 00:02";
    QTest::newRow("beyond the first minute, frame behind")
            << 130.0 << qint64(3870) << "02:09 / 00:02";
    QTest::newRow("beyond the first minute, frame an hour on")
            << 130.0 << qint64(112500) << "62:30 / 00:02";
    QTest::newRow("first frames") << 0.2 << qint64(20) << "00:01 / 00:02";
    QTest::newRow("fail to search: label kept") << 0.2 << qint64(90) << "00:05 / 00:02";
}

void TestPlayerWidget::frameSearch()
{
    QFETCH(double, seconds);
    QFETCH(qint64, frame);
    QFETCH(QString, time);

    Fixture f;
    QCOMPARE(f.info.init(recording(QStringLiteral("one"))), 0);
    f.info.changeState(MediaInfo::Playing, nullptr, true);
    f.player.setRunningTime(5.0, 150, 61);
    QCOMPARE(f.label("timeLabel"), QStringLiteral("00:05 / 00:02"));

    f.info.setFrameSearchMode(true);
    f.info.startFrameSearch();
    f.player.setRunningTime(seconds, frame, 61);
    QCOMPARE(f.label("timeLabel"), time);
    QCOMPARE(f.label("frameLabel"),
             f.player.frameWord() + QStringLiteral(" %1 / 61").arg(frame, 2, 10, QLatin1Char('0')));
    // The step ends when the panel's timer fires and the bar takes the position.
    QTRY_VERIFY(!f.info.isFrameSearching());
    QCOMPARE(f.player.seekSlider()->value(),
             qMin(f.player.seekSlider()->maximum(), qRound(seconds * 10000)));
    QCOMPARE(f.seek.count(), 0);
}

void TestPlayerWidget::singleStream_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("surroundStream");
    QTest::addColumn<QString>("checkedMode");
    QTest::addColumn<QStringList>("modeButtons");
    QTest::addColumn<int>("viewMode");

    const QString vr = SurroundButtons.at(1);
    QTest::newRow("surround stream in VR")
            << "ZRA" << true << vr << SurroundButtons << int(SurroundViewMode::VR);
    QTest::newRow("surround stream, stereo") << "ZRA" << true << SurroundButtons.at(3)
                                             << SurroundButtons << int(SurroundViewMode::Stereo);
    QTest::newRow("front stream: original, buttons hidden")
            << "ZRA" << false << vr << QStringList() << int(SurroundViewMode::Original);
    // Other surround models keep the row but never show the buttons.
    QTest::newRow("model ZRB keeps them hidden")
            << "ZRB" << true << vr << QStringList() << int(SurroundViewMode::VR);
}

void TestPlayerWidget::singleStream()
{
    QFETCH(QString, model);
    QFETCH(bool, surroundStream);
    QFETCH(QString, checkedMode);
    QFETCH(QStringList, modeButtons);
    QFETCH(int, viewMode);

    GlobalSettings::applyProductModel(model);
    Fixture f;
    QCOMPARE(f.info.init(recording(QStringLiteral("surround"))), 0);
    QCOMPARE(f.info.surround(), 1);
    f.info.changeState(MediaInfo::Playing, nullptr, true);
    f.button(checkedMode)->setChecked(true);
    VideoDisplayWidget *display = f.player.videoDisplay();
    QSignalSpy modes(display, &VideoDisplayWidget::changeVideoStreamViewMode);

    const int stream = surroundStream ? f.info.surround() : f.info.front();
    f.player.showSingleStream(stream);
    QCOMPARE(f.player.currentShownStream(), stream);
    QCOMPARE(f.visible(SurroundButtons), modeButtons);
    QCOMPARE(display->surroundViewMode(), viewMode);
    if (viewMode != SurroundViewMode::Original) {
        QCOMPARE(modes.count(), 1);
        QCOMPARE(modes.at(0).at(0).toInt(), stream);
        QCOMPARE(modes.at(0).at(1).toInt(), viewMode);
        // A click on Original goes straight to the display.
        QTest::mouseClick(f.button(SurroundButtons.at(0)), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(display->surroundViewMode(), int(SurroundViewMode::Original));
    }

    f.player.showAllStreams();
    QCOMPARE(f.player.currentShownStream(), int(MediaInfo::AllChannels));
    QCOMPARE(f.visible(SurroundButtons), QStringList());
}

void TestPlayerWidget::seekBar_data()
{
    QTest::addColumn<int>("key"); // 0: a mouse click at three quarters of the bar
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("value");

    QTest::newRow("right: one step forward")
            << int(Qt::Key_Right) << int(SeekBarStepForward) << 10001;
    QTest::newRow("left: one step back") << int(Qt::Key_Left) << int(SeekBarStepBack) << 9999;
    QTest::newRow("page up: no step action") << int(Qt::Key_PageUp) << int(SeekBarDragged) << 10010;
    QTest::newRow("click: jumps there") << 0 << int(SeekBarDragged) << -1;
}

void TestPlayerWidget::seekBar()
{
    QFETCH(int, key);
    QFETCH(int, action);
    QFETCH(int, value);

    Fixture f;
    QCOMPARE(f.info.init(recording(QStringLiteral("one"))), 0);
    f.player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.player));
    f.info.changeState(MediaInfo::Playing, nullptr, true);
    f.player.setRunningTime(1.0, 30, 60);
    QSlider *bar = f.player.seekSlider();
    QCOMPARE(bar->value(), 10000);
    f.clearSpies();

    if (key) {
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key(key));
    } else {
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() * 3 / 4, bar->height() / 2));
    }
    QCOMPARE(f.player.nKeyBoardAction, action);
    QCOMPARE(f.seek.count(), 1);
    const int reached = f.seek.at(0).at(0).toInt();
    if (value >= 0) {
        QCOMPARE(reached, value);
    } else {
        // One click goes all the way, not a page towards the click.
        QVERIFY2(qAbs(reached - bar->maximum() * 3 / 4) < bar->maximum() / 20,
                 qPrintable(QString::number(reached)));
    }
    QCOMPARE(PlayerWidget::seekPositionOf(reached), qint64(reached) * 100);
}

void TestPlayerWidget::eventMarks_drawnAsTicks()
{
    Fixture f;
    QCOMPARE(f.info.init(recording(QStringLiteral("one"))), 0);
    f.player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.player));
    f.info.changeState(MediaInfo::Playing, nullptr, true);
    QSlider *bar = f.player.seekSlider();
    const double duration = f.info.duration();

    f.player.setEventMarks({duration / 4, duration * 3 / 4});
    const QList<int> columns = tickColumns(ScreenGrab::of(bar));
    // Two narrow ticks, about a quarter and three quarters along the bar.
    QVERIFY2(!columns.isEmpty() && columns.size() <= 6,
             qPrintable(QString::number(columns.size())));
    const int width = bar->width();
    QVERIFY(qAbs(columns.first() - width / 4) < 12);
    QVERIFY(qAbs(columns.last() - width * 3 / 4) < 12);
    for (int x : columns)
        QVERIFY(qAbs(x - width / 4) < 12 || qAbs(x - width * 3 / 4) < 12);

    // A wider bar moves its ticks with it.
    f.player.resize(f.player.width() + 240, f.player.height());
    QTRY_COMPARE(bar->width(), width + 240);
    const QList<int> wider = tickColumns(ScreenGrab::of(bar));
    QVERIFY(!wider.isEmpty());
    QVERIFY2(qAbs(wider.last() - bar->width() * 3 / 4) < 12,
             qPrintable(QString::number(wider.last())));

    // The handle covers a tick it stands on; the picture elsewhere is unchanged.
    f.player.setRunningTime(duration / 4, 0, 60);
    const QList<int> covered = tickColumns(ScreenGrab::of(bar));
    QVERIFY(!covered.isEmpty());
    for (int x : covered)
        QVERIFY(qAbs(x - bar->width() * 3 / 4) < 12);

    f.info.changeState(MediaInfo::Stopped, nullptr, true);
    QCOMPARE(tickColumns(ScreenGrab::of(bar)), QList<int>());
}

void TestPlayerWidget::clipMarks_data()
{
    // Steps: "in S", "out S", "clear", "recording NAME".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<double>("in");
    QTest::addColumn<double>("out");
    QTest::addColumn<int>("changes");

    QTest::newRow("in, then out") << QStringList {"in 2", "out 5"} << 2.0 << 5.0 << 2;
    QTest::newRow("an out mark before the in mark drops the in mark")
            << QStringList {"in 5", "out 3"} << -1.0 << 3.0 << 2;
    QTest::newRow("an in mark after the out mark drops the out mark")
            << QStringList {"out 3", "in 4"} << 4.0 << -1.0 << 2;
    QTest::newRow("both on one moment: only the last stays")
            << QStringList {"in 3", "out 3"} << -1.0 << 3.0 << 2;
    QTest::newRow("moved in mark") << QStringList {"in 1", "out 4", "in 2"} << 2.0 << 4.0 << 3;
    QTest::newRow("the same mark again changes nothing")
            << QStringList {"in 1", "in 1"} << 1.0 << -1.0 << 1;
    QTest::newRow("before the start counts as the start")
            << QStringList {"in -0.5"} << 0.0 << -1.0 << 1;
    QTest::newRow("clear marks") << QStringList {"in 1", "out 2", "clear"} << -1.0 << -1.0 << 3;
    QTest::newRow("another recording clears them")
            << QStringList {"recording a", "in 1", "out 2", "recording b"} << -1.0 << -1.0 << 3;
    QTest::newRow("the same recording (a trip's list) keeps them")
            << QStringList {"recording a", "in 1", "out 2", "recording a"} << 1.0 << 2.0 << 2;
}

void TestPlayerWidget::clipMarks()
{
    QFETCH(QStringList, steps);
    QFETCH(double, in);
    QFETCH(double, out);
    QFETCH(int, changes);

    ClipMarks marks;
    QSignalSpy changed(&marks, &ClipMarks::changed);
    for (const QString &step : steps) {
        const QStringList words = step.split(QLatin1Char(' '));
        if (words.first() == QLatin1String("in"))
            marks.set(ClipMarks::In, words.last().toDouble());
        else if (words.first() == QLatin1String("out"))
            marks.set(ClipMarks::Out, words.last().toDouble());
        else if (words.first() == QLatin1String("clear"))
            marks.clear();
        else
            marks.setRecording(words.last());
    }
    QCOMPARE(marks.in(), in);
    QCOMPARE(marks.out(), out);
    QCOMPARE(marks.isComplete(), in >= 0 && out >= 0);
    QCOMPARE(changed.count(), changes);
}

// The marks on screen: "[" at the in mark and "]" at the out mark across the groove, a band
// under the groove between them; they stay while the recording pauses and plays on.
void TestPlayerWidget::clipMarks_drawnAsBrackets()
{
    Fixture f;
    QCOMPARE(f.info.init(recording(QStringLiteral("one"))), 0);
    f.player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.player));
    f.info.changeState(MediaInfo::Playing, nullptr, true);
    QSlider *bar = f.player.seekSlider();
    const double duration = f.info.duration();
    const auto *slider = qobject_cast<SmoothSlider *>(bar);
    QVERIFY(slider);
    QVERIFY(spanPixels(ScreenGrab::of(bar)).count(0) == bar->width());

    f.player.setClipMarks(duration / 4, duration * 3 / 4);
    const int inX = slider->markPosition(slider->spanIn());
    const int outX = slider->markPosition(slider->spanOut());
    QVERIFY(qAbs(inX - bar->width() / 4) < 12);
    QVERIFY(qAbs(outX - bar->width() * 3 / 4) < 12);
    const auto check = [&](const char *when) {
        const QVector<int> counts = spanPixels(ScreenGrab::of(bar));
        const QByteArray what = QByteArray(when) + ": " + QByteArray::number(counts.value(inX))
                + " " + QByteArray::number(counts.value((inX + outX) / 2)) + " "
                + QByteArray::number(counts.value(outX));
        // the brackets' strokes reach across the groove, the band between them is thin
        QVERIFY2(counts.value(inX) > 8 && counts.value(outX) > 8, what.constData());
        const int middle = counts.value((inX + outX) / 2);
        QVERIFY2(middle > 0 && middle <= 3, what.constData());
        // nothing outside the span
        for (int x = 0; x < inX - 1; ++x)
            QVERIFY2(counts.at(x) == 0, what.constData());
        for (int x = outX + 2; x < counts.size(); ++x)
            QVERIFY2(counts.at(x) == 0, what.constData());
    };
    check("playing");
    // over the handle too
    f.player.setRunningTime(duration / 4, 0, 60);
    check("handle on the in mark");
    f.info.changeState(MediaInfo::Paused, nullptr, true);
    check("paused");
    f.info.changeState(MediaInfo::Playing, nullptr, true);
    check("playing on");

    // The out mark alone: its bracket, no band.
    f.player.setClipMarks(-1, duration * 3 / 4);
    const QVector<int> alone = spanPixels(ScreenGrab::of(bar));
    QVERIFY(alone.value(outX) > 8);
    QCOMPARE(alone.value((inX + outX) / 2), 0);
    f.player.setClipMarks(-1, -1);
    QCOMPARE(spanPixels(ScreenGrab::of(bar)).count(0), bar->width());
}

QTEST_MAIN(TestPlayerWidget)
#include "tst_playerwidget.moc"
