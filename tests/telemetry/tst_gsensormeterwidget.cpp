// ctest-labels: gui
// The G-sensor meter as a real widget fed through a real MediaInfo and a telemetry track
// filled by the project's own parser: the axis range, the legend values at a playing time,
// loading, keeping and clearing the record on state changes, and what it paints (grid, curves,
// playing position, event marks, legend) and where a click seeks, read back from the pixels.
#include "logcapture.h"
#include "media/mediainfo.h"
#include "media/telemetryparser.h"
#include "media/telemetrytrack.h"
#include "resource/vistrelresource.h"
#include "screengrab.h"
#include "telemetry/gsensormeterwidget.h"

#include <QImage>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace {

// A "tlmd" user-data block with one binary G-sensor record per sample: "$M", magnitude bytes
// m (value (m + 1) / 32), sign bytes, six unused bytes and the 0, 0 trailer.
QByteArray gsensorBlock(const QVector<GSensorSample> &samples)
{
    QByteArray block;
    for (const GSensorSample &s : samples) {
        const double values[3] = {s.x, s.y, s.z};
        QByteArray record("$M");
        for (double v : values)
            record.append(char(int(std::lround(std::fabs(v) * 32)) - 1));
        for (double v : values)
            record.append(char(v < 0 ? 1 : 0));
        record.append(8, '\0');
        block += record;
    }
    return block;
}

// Refills the track as a recording of the given length holding these samples.
void fillTrack(TelemetryTrack &track, const QVector<GSensorSample> &samples, double seconds)
{
    track.clear();
    const QByteArray block = gsensorBlock(samples);
    TelemetryParser::parseBlock(block.constData(), block.size(), seconds, track);
}

// A stand-in for the playing context: an identity token the meter must never dereference.
MediaContext *const Context = reinterpret_cast<MediaContext *>(quintptr(0x10));

// Ten samples over 20 s (2 s each); the largest magnitude 2.5 g.
QVector<GSensorSample> firstRecord()
{
    QVector<GSensorSample> samples;
    for (int i = 0; i < 10; ++i)
        samples.append({0.25 * (i + 1), -0.5, 1.0});
    return samples;
}

// Forty samples over 20 s (0.5 s each) reaching -5 g: another recording.
QVector<GSensorSample> secondRecord()
{
    QVector<GSensorSample> samples(40, GSensorSample {0.125, 0.125, -5.0});
    return samples;
}

bool reddish(QRgb c)
{
    return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90;
}
bool yellowish(QRgb c)
{
    return qRed(c) > 150 && qGreen(c) > 150 && qBlue(c) < 90;
}
bool greenish(QRgb c)
{
    return qRed(c) < 90 && qGreen(c) > 150 && qBlue(c) < 90;
}

// The grid as painted: its vertical lines (x), the top and bottom of the first one (the
// +range and -range levels), and its horizontal lines (y).
// A meter on a track of its own, told of the playing state as the window tells it.
struct MeterOnTrack
{
    MeterOnTrack(const QVector<GSensorSample> &samples, double seconds)
    {
        fillTrack(track, samples, seconds);
        QObject::connect(&info,
                         &MediaInfo::mediaInfoStateChanged,
                         &meter,
                         &GSensorMeterWidget::onMediaInfoStateChanged);
    }
    // A recording opens: the state passes through Stopped to Playing.
    void play()
    {
        info.changeState(MediaInfo::Stopped, nullptr, true);
        info.changeState(MediaInfo::Playing, Context, true);
    }

    TelemetryTrack track;
    MediaInfo info;
    GSensorMeterWidget meter {&track};
};

struct Grid
{
    QList<int> columns;
    int top = -1;
    int bottom = -1;
    QList<int> rows;
    int left() const { return columns.value(0, -1); }
    int right() const { return columns.isEmpty() ? -1 : columns.last(); }
};

Grid findGrid(const QImage &image)
{
    const QRgb gray = GSensorMeterWidget::GridColor.rgb();
    Grid grid;
    for (int x = 0; x < image.width(); ++x) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            count += image.pixel(x, y) == gray;
        if (count > image.height() / 4)
            grid.columns << x;
    }
    for (int y = 0; y < image.height(); ++y) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == gray;
        if (count > image.width() / 4)
            grid.rows << y;
    }
    if (!grid.columns.isEmpty()) {
        const int x = grid.left();
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) == gray) {
                if (grid.top < 0)
                    grid.top = y;
                grid.bottom = y;
            }
        }
    }
    return grid;
}

// Rows and columns where a colour appears inside a rectangle.
struct Extent
{
    QList<int> rows;
    int minX = INT_MAX;
    int maxX = -1;
    int pixels = 0;
};

Extent extentOf(const QImage &image, const QRect &area, bool (*match)(QRgb))
{
    Extent e;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!match(image.pixel(x, y)))
                continue;
            ++e.pixels;
            if (!e.rows.contains(y))
                e.rows << y;
            e.minX = std::min(e.minX, x);
            e.maxX = std::max(e.maxX, x);
        }
    }
    return e;
}

// What the X server shows of the meter (shown as a window of its own on first use).
QImage grabOf(QWidget &widget)
{
    if (!widget.isVisible() && !ScreenGrab::showAndWait(&widget))
        return {};
    return ScreenGrab::of(&widget);
}

} // namespace

class TestGSensorMeterWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initVistrelResources(); }

    void axisRange_fitsLargestMagnitudeAndNeverShrinks_data();
    void axisRange_fitsLargestMagnitudeAndNeverShrinks();
    void legend_showsSampleAtPlayingTime_data();
    void legend_showsSampleAtPlayingTime();
    void stateChange_loadsKeepsOrClears_data();
    void stateChange_loadsKeepsOrClears();
    void painting_gridCurvesPositionMarksAndLegend();
    void painting_denseRecord_everyColumnKeepsItsExtremes();
    void click_seeksToTimeUnderIt_data();
    void click_seeksToTimeUnderIt();
};

void TestGSensorMeterWidget::axisRange_fitsLargestMagnitudeAndNeverShrinks_data()
{
    QTest::addColumn<QVector<double>>("first"); // one setSamples call
    QTest::addColumn<QVector<double>>("later"); // a second one, without a reset
    QTest::addColumn<int>("range");

    using V = QVector<double>;
    QTest::newRow("1.9 g keeps -2..2") << V {1.9} << V {} << 2;
    QTest::newRow("2.3 g widens to -4..4") << V {2.3} << V {} << 4;
    QTest::newRow("4.0 g gives -4..4") << V {4.0} << V {} << 4;
    QTest::newRow("4.1 g gives -6..6") << V {4.1} << V {} << 6;
    QTest::newRow("-2.3 g widens to -4..4") << V {0.5, -2.3} << V {} << 4;
    QTest::newRow("never shrinks: 4.1 then 1.0") << V {4.1} << V {1.0} << 6;
    QTest::newRow("a later batch widens: 1.0 then -3.5") << V {1.0} << V {-3.5} << 4;
}

void TestGSensorMeterWidget::axisRange_fitsLargestMagnitudeAndNeverShrinks()
{
    QFETCH(QVector<double>, first);
    QFETCH(QVector<double>, later);
    QFETCH(int, range);

    auto samplesOf = [](const QVector<double> &values) {
        QVector<GSensorSample> samples;
        for (double v : values)
            samples.append({0.03125, v, -0.03125});
        return samples;
    };
    GSensorMeterWidget meter(nullptr);
    QCOMPARE(meter.yAxisRange(), 2);
    LogCapture log;
    meter.setSamples(samplesOf(first));
    meter.setSamples(samplesOf(later));
    QCOMPARE(meter.yAxisRange(), range);
    QCOMPARE(log.contains(QStringLiteral("gsensor meter new y-axis range: ")), range > 2);

    meter.reset();
    QCOMPARE(meter.yAxisRange(), 2);
    double x, y, z;
    QCOMPARE(meter.getCurrentValues(x, y, z), -1);
}

void TestGSensorMeterWidget::legend_showsSampleAtPlayingTime_data()
{
    QTest::addColumn<bool>("playing"); // a recording with the first record plays
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("index"); // -1: none

    QTest::newRow("no recording") << false << 3.0 << -1;
    QTest::newRow("start") << true << 0.0 << 0;
    QTest::newRow("5 s at 2 s per sample") << true << 5.0 << 2;
    QTest::newRow("just before the end") << true << 19.99 << 9;
    QTest::newRow("beyond the end: last sample") << true << 95.0 << 9;
    QTest::newRow("negative: first sample") << true << -1.0 << 0;
}

void TestGSensorMeterWidget::legend_showsSampleAtPlayingTime()
{
    QFETCH(bool, playing);
    QFETCH(double, seconds);
    QFETCH(int, index);

    MeterOnTrack on(firstRecord(), 20.0);
    GSensorMeterWidget &meter = on.meter;
    if (playing) {
        on.play();
    }
    meter.showPlayingTime(seconds);

    QCOMPARE(meter.currentIndex(), index);
    double x = 99, y = 99, z = 99;
    if (index < 0) {
        QCOMPARE(meter.getCurrentValues(x, y, z), -1);
        QCOMPARE(meter.legendText(0), QStringLiteral("X:    -"));
        QCOMPARE(meter.legendText(1), QStringLiteral("Y:    -"));
        QCOMPARE(meter.legendText(2), QStringLiteral("Z:    -"));
        return;
    }
    const GSensorSample expected = firstRecord().at(index);
    QCOMPARE(meter.getCurrentValues(x, y, z), 0);
    QCOMPARE(x, expected.x);
    QCOMPARE(y, expected.y);
    QCOMPARE(z, expected.z);
    QCOMPARE(meter.legendText(0), QStringLiteral("X:    %1").arg(expected.x, 0, 'f', 6));
    QCOMPARE(meter.legendText(1), QStringLiteral("Y:    -0.500000"));
    QCOMPARE(meter.legendText(2), QStringLiteral("Z:    1.000000"));
}

void TestGSensorMeterWidget::stateChange_loadsKeepsOrClears_data()
{
    // After the first record has loaded (Stopped -> Playing) and the meter shows 5 s, the
    // track is refilled with a second recording; then these states follow.
    QTest::addColumn<QList<int>>("states");
    QTest::addColumn<int>("shown"); // 0 nothing, 1 the first record kept, 2 the second loaded
    QTest::addColumn<int>("loads"); // "data_interval_rate" lines after the first load

    using S = QList<int>;
    QTest::newRow("pause keeps") << S {MediaInfo::Paused} << 1 << 0;
    QTest::newRow("resume from pause keeps") << S {MediaInfo::Paused, MediaInfo::Playing} << 1 << 0;
    QTest::newRow("stop clears") << S {MediaInfo::Stopped} << 0 << 0;
    QTest::newRow("idle clears") << S {MediaInfo::Idle} << 0 << 0;
    QTest::newRow("stop, play: the refilled track")
            << S {MediaInfo::Stopped, MediaInfo::Playing} << 2 << 1;
    QTest::newRow("playing again without a pause reloads") << S {MediaInfo::Playing} << 2 << 1;
    QTest::newRow("pause, stop, play")
            << S {MediaInfo::Paused, MediaInfo::Stopped, MediaInfo::Playing} << 2 << 1;
}

void TestGSensorMeterWidget::stateChange_loadsKeepsOrClears()
{
    QFETCH(QList<int>, states);
    QFETCH(int, shown);
    QFETCH(int, loads);

    MeterOnTrack on(firstRecord(), 20.0);
    GSensorMeterWidget &meter = on.meter;
    on.play();
    QCOMPARE(meter.yAxisRange(), 4);
    QCOMPARE(meter.dataInterval(), 2.0);
    meter.showPlayingTime(5.0);
    QCOMPARE(meter.currentIndex(), 2);

    fillTrack(on.track, secondRecord(), 20.0);
    LogCapture log;
    for (int state : states)
        on.info.changeState(state, Context, true);
    QCOMPARE(log.count(QStringLiteral("data_interval_rate")), loads);

    double x, y, z;
    switch (shown) {
    case 0:
        QCOMPARE(meter.yAxisRange(), 2);
        QCOMPARE(meter.currentIndex(), -1);
        QCOMPARE(meter.getCurrentValues(x, y, z), -1);
        meter.showPlayingTime(5.0); // a late time report draws nothing
        QCOMPARE(meter.currentIndex(), -1);
        QCOMPARE(meter.legendText(0), QStringLiteral("X:    -"));
        break;
    case 1:
        QCOMPARE(meter.yAxisRange(), 4);
        QCOMPARE(meter.dataInterval(), 2.0);
        QCOMPARE(meter.currentIndex(), 2);
        QCOMPARE(meter.getCurrentValues(x, y, z), 0);
        QCOMPARE(x, firstRecord().at(2).x);
        break;
    case 2:
        QCOMPARE(meter.yAxisRange(), 6);
        QCOMPARE(meter.dataInterval(), 0.5);
        QCOMPARE(meter.currentIndex(), -1);
        QCOMPARE(meter.getCurrentValues(x, y, z), -1);
        meter.showPlayingTime(5.0);
        QCOMPARE(meter.currentIndex(), 10);
        QCOMPARE(meter.getCurrentValues(x, y, z), 0);
        QCOMPARE(z, -5.0);
        break;
    }
}

void TestGSensorMeterWidget::painting_gridCurvesPositionMarksAndLegend()
{
    // X +1 g, Y +0.5 g, Z -1 g throughout, one sample a second for 20 s, and one jolt of
    // +2 g on Y at 12 s that the event detector marks.
    QVector<GSensorSample> samples(20, GSensorSample {1.0, 0.5, -1.0});
    samples[12].y = 2.0;
    MeterOnTrack on(samples, 20.0);
    GSensorMeterWidget &meter = on.meter;
    meter.resize(430, 230);

    // Before any recording: the grid alone, eleven vertical lines and three horizontal ones
    // at the quarters between the +range and -range levels.
    const QImage empty = grabOf(meter);
    const Grid grid = findGrid(empty);
    QCOMPARE(grid.columns.size(), 11);
    for (int k = 1; k < 11; ++k)
        QCOMPARE(grid.columns[k] - grid.columns[k - 1], grid.columns[1] - grid.columns[0]);
    QCOMPARE(grid.rows.size(), 3);
    QCOMPARE(grid.rows[0] - grid.top, grid.rows[1] - grid.rows[0]);
    QCOMPARE(grid.rows[2] - grid.rows[1], grid.rows[1] - grid.rows[0]);
    QCOMPARE(grid.bottom - grid.rows[2], grid.rows[1] - grid.rows[0]);
    for (int y = grid.top; y <= grid.bottom; ++y) // the first vertical line is solid
        QCOMPARE(empty.pixel(grid.left(), y), GSensorMeterWidget::GridColor.rgb());
    const QRect plot(grid.left(), 0, grid.right() - grid.left() + 1, grid.bottom + 1);
    QCOMPARE(extentOf(empty, plot, reddish).pixels, 0);

    on.play();
    QCOMPARE(meter.yAxisRange(), 2);
    QCOMPARE(meter.eventMarks(), QVector<double> {12.0});
    meter.showPlayingTime(5.5);
    const QImage painted = grabOf(meter);
    QCOMPARE(findGrid(painted).columns, grid.columns); // same layout once the curves are in

    // At -2..2 g, +1 g lies on the upper dashed line, -1 g on the lower one, +0.5 g half way
    // between the upper line and the middle one; the curves start at the first vertical line.
    const Extent red = extentOf(painted, plot, reddish);
    QCOMPARE(red.rows, QList<int> {grid.rows[0]});
    QCOMPARE(red.minX, grid.left());
    const Extent green = extentOf(painted, plot, greenish);
    QCOMPARE(green.rows, QList<int> {grid.rows[2]});
    QCOMPARE(green.minX, grid.left());
    const Extent yellow = extentOf(painted, plot, yellowish);
    const int halfway = (grid.rows[0] + grid.rows[1]) / 2;
    QVERIFY2(yellow.rows.contains(halfway) || yellow.rows.contains(halfway + 1),
             qPrintable(QStringLiteral("yellow rows %1, halfway %2")
                                .arg(yellow.rows.value(0))
                                .arg(halfway)));
    QVERIFY(yellow.rows.contains(grid.top)); // the +2 g jolt reaches the top level

    // The playing position, 5.5 s of 20 (not its sample's start, 5 s): a white line 11/40 of the
    // way across, from the
    // top level to the bottom one, and nowhere else.
    const int width = grid.right() - grid.left();
    const Extent white = extentOf(
            painted, plot, [](QRgb c) { return c == GSensorMeterWidget::PositionColor.rgb(); });
    QCOMPARE(white.minX, white.maxX);
    QVERIFY2(std::abs(white.minX - (grid.left() + width * 11 / 40)) <= 1,
             qPrintable(QString::number(white.minX)));
    QCOMPARE(white.rows.size(), grid.bottom - grid.top + 1);
    QCOMPARE(white.rows.first(), grid.top);

    // The event mark at 12 s: a small triangle just above the top level at 12/20 of the
    // width.
    const Extent mark = extentOf(painted, QRect(0, 0, painted.width(), grid.top), [](QRgb c) {
        return c == GSensorMeterWidget::EventColor.rgb();
    });
    QVERIFY(mark.pixels > 3);
    QVERIFY2(mark.rows.last() < grid.top && mark.rows.last() >= grid.top - 3,
             qPrintable(QStringLiteral("rows to %1, top %2").arg(mark.rows.last()).arg(grid.top)));
    const int markX = grid.left() + width * 12 / 20;
    QVERIFY2(mark.minX <= markX && mark.maxX >= markX && mark.maxX - mark.minX <= 12,
             qPrintable(QStringLiteral("%1..%2 for %3").arg(mark.minX).arg(mark.maxX).arg(markX)));

    // The legend under the plot, X red, Y yellow, Z green from left to right; the same strip
    // shows the three colours before any recording too (with "-").
    for (const QImage &image : {empty, painted}) {
        const QRect legend(0, grid.bottom + 1, image.width(), image.height() - grid.bottom - 1);
        const Extent x = extentOf(image, legend, reddish);
        const Extent y = extentOf(image, legend, yellowish);
        const Extent z = extentOf(image, legend, greenish);
        QVERIFY(x.pixels > 0 && y.pixels > 0 && z.pixels > 0);
        QVERIFY(x.maxX < y.minX && y.maxX < z.minX);
    }

    // Too small for a plot: the background alone, and a click there seeks nowhere.
    QSignalSpy seeks(&meter, &GSensorMeterWidget::seekRequested);
    meter.resize(9, 9);
    const QImage tiny = grabOf(meter);
    QCOMPARE(tiny.pixel(4, 4), GSensorMeterWidget::BackgroundColor.rgb());
    QTest::mouseClick(&meter, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    QCOMPARE(seeks.count(), 0);
}

void TestGSensorMeterWidget::painting_denseRecord_everyColumnKeepsItsExtremes()
{
    // An hour at 200 readings a second: X +1 g with a single +2 g reading half way, Y switching
    // between +0.5 and -0.5 g at every reading, Z -1 g. Far more readings than columns.
    constexpr int Count = 3600 * 200;
    QVector<GSensorSample> samples(Count, GSensorSample {1.0, 0.5, -1.0});
    for (int i = 1; i < Count; i += 2)
        samples[i].y = -0.5;
    // Inside a column, not at its edge (where the stroke joining the next column shows it).
    samples[Count / 2 + 180].x = 2.0;
    MeterOnTrack on(samples, 3600.0);
    GSensorMeterWidget &meter = on.meter;
    meter.resize(430, 230);
    const Grid grid = findGrid(grabOf(meter));
    QCOMPARE(grid.columns.size(), 11);
    const QRect plot(grid.left(), 0, grid.right() - grid.left() + 1, grid.bottom + 1);

    on.play();
    meter.showPlayingTime(900.0);
    const QImage painted = grabOf(meter);

    // X: the +1 g level from the first column to the last, and the one jolt reaching the +2 g
    // level in the middle column (a reduction that skips readings loses it).
    const Extent red = extentOf(painted, plot, reddish);
    QCOMPARE(red.minX, grid.left());
    QVERIFY2(red.maxX >= grid.right() - 1, qPrintable(QString::number(red.maxX)));
    QCOMPARE(red.rows.first(), grid.top);
    const Extent jolt = extentOf(painted, QRect(0, grid.top, painted.width(), 1), reddish);
    const int middle = (grid.left() + grid.right()) / 2;
    QVERIFY2(
            jolt.pixels >= 1 && std::abs(jolt.minX - middle) <= 1 && jolt.maxX - jolt.minX <= 1,
            qPrintable(
                    QStringLiteral("%1..%2, middle %3").arg(jolt.minX).arg(jolt.maxX).arg(middle)));
    QVERIFY(!extentOf(painted,
                      QRect(0, grid.rows[0] + 1, painted.width(), grid.rows[1] - grid.rows[0]),
                      reddish)
                     .pixels);
    // Y fills the band between +0.5 and -0.5 g in every column of the plot.
    const int upper = (grid.rows[0] + grid.rows[1]) / 2;
    const int lower = (grid.rows[1] + grid.rows[2]) / 2;
    for (int x = grid.left() + 1; x < grid.right() - 1; x += 7) {
        const Extent column = extentOf(painted, QRect(x, 0, 1, grid.bottom + 1), yellowish);
        QVERIFY2(column.rows.first() <= upper + 1 && column.rows.last() >= lower - 1,
                 qPrintable(QStringLiteral("column %1: rows %2..%3, band %4..%5")
                                    .arg(x)
                                    .arg(column.rows.value(0))
                                    .arg(column.rows.value(column.rows.size() - 1))
                                    .arg(upper)
                                    .arg(lower)));
    }
    // Z on its level only.
    QCOMPARE(extentOf(painted, plot, greenish).rows, QList<int> {grid.rows[2]});
    // The position, a quarter of the way, drawn over the cached curves.
    const Extent white = extentOf(
            painted, plot, [](QRgb c) { return c == GSensorMeterWidget::PositionColor.rgb(); });
    QVERIFY2(std::abs(white.minX - (grid.left() + (grid.right() - grid.left()) / 4)) <= 1,
             qPrintable(QString::number(white.minX)));

    // Stopping clears the curves from the screen: nothing drawn earlier is kept.
    on.info.changeState(MediaInfo::Stopped, nullptr, true);
    const QImage cleared = grabOf(meter);
    QCOMPARE(extentOf(cleared, plot, reddish).pixels, 0);
    QCOMPARE(extentOf(cleared, plot, yellowish).pixels, 0);
}

void TestGSensorMeterWidget::click_seeksToTimeUnderIt_data()
{
    QTest::addColumn<bool>("playing");
    QTest::addColumn<int>("gridLine"); // x: that vertical line (0..10)
    QTest::addColumn<int>("offset"); // x: pixels beside it
    QTest::addColumn<int>("level"); // y: -1 the legend strip, else the horizontal line 0..2
    QTest::addColumn<int>("button");
    QTest::addColumn<double>("seconds"); // -1: no seek

    QTest::newRow("first line: 0 s") << true << 0 << 0 << 1 << int(Qt::LeftButton) << 0.0;
    QTest::newRow("fourth line: 8 of 20 s") << true << 4 << 0 << 0 << int(Qt::LeftButton) << 8.0;
    QTest::newRow("last line: 20 s") << true << 10 << 0 << 2 << int(Qt::LeftButton) << 20.0;
    QTest::newRow("left of the plot: nothing")
            << true << 0 << -3 << 1 << int(Qt::LeftButton) << -1.0;
    QTest::newRow("right of the plot: nothing")
            << true << 10 << 3 << 1 << int(Qt::LeftButton) << -1.0;
    QTest::newRow("on the legend: nothing") << true << 5 << 0 << -1 << int(Qt::LeftButton) << -1.0;
    QTest::newRow("right button: nothing") << true << 5 << 0 << 1 << int(Qt::RightButton) << -1.0;
    QTest::newRow("no recording: nothing") << false << 5 << 0 << 1 << int(Qt::LeftButton) << -1.0;
}

void TestGSensorMeterWidget::click_seeksToTimeUnderIt()
{
    QFETCH(bool, playing);
    QFETCH(int, gridLine);
    QFETCH(int, offset);
    QFETCH(int, level);
    QFETCH(int, button);
    QFETCH(double, seconds);

    MeterOnTrack on(firstRecord(), 20.0);
    GSensorMeterWidget &meter = on.meter;
    meter.resize(430, 230);
    const Grid grid = findGrid(grabOf(meter));
    QCOMPARE(grid.columns.size(), 11);
    if (playing) {
        on.play();
    }

    QSignalSpy seeks(&meter, &GSensorMeterWidget::seekRequested);
    const QPoint at(grid.columns[gridLine] + offset,
                    level < 0 ? meter.height() - 3 : grid.rows[level]);
    QTest::mouseClick(&meter, Qt::MouseButton(button), Qt::NoModifier, at);
    if (seconds < 0) {
        QCOMPARE(seeks.count(), 0);
        return;
    }
    QCOMPARE(seeks.count(), 1);
    QCOMPARE(seeks.first().at(0).toDouble(), seconds);
}

QTEST_MAIN(TestGSensorMeterWidget)
#include "tst_gsensormeterwidget.moc"
