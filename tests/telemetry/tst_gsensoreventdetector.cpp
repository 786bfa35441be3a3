// The G-sensor event marks: a real dash-cam log (one $GSENSORD reading and one RMC fix per
// second) gets its marks at its brakings and none while it cruises, synthetic road vibration
// gets none, and synthetic brakings, swerves and impacts get one mark each, at their time.
#include "media/gpssample.h"
#include "media/telemetryparser.h"
#include "telemetry/gsensoreventdetector.h"
#include "testpaths.h"

#include <QFile>
#include <QtTest>

#include <cmath>
#include <random>

namespace {

// One epoch of the real log: its G-sensor reading and the GPS speed of its fix.
struct Epoch
{
    GSensorSample reading;
    double speedKmh = 0;
};

// The log holds "$GSENSORD,x,y,z" (g, gravity already removed by the device) before the
// sentences of each one-second epoch; the RMC sentence closes the epoch. The project's
// telemetry parser reads the recording formats, not this sidecar line, hence this reader.
QVector<Epoch> readDashCamLog(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QVector<Epoch> epochs;
    GSensorSample reading;
    bool haveReading = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith("$GSENSORD,")) {
            const QList<QByteArray> fields = line.split(',');
            if (fields.size() != 4)
                return {};
            reading = {fields[1].toDouble(), fields[2].toDouble(), fields[3].toDouble()};
            haveReading = true;
        } else if (line.startsWith("$GPRMC,") && haveReading) {
            GpsSample fix;
            if (!TelemetryParser::parseGpsSentence(line.mid(1), &fix))
                return {};
            epochs.append({reading, fix.speed});
            haveReading = false;
        }
    }
    return epochs;
}

// A value as the recorder stores it: a multiple of 1/32 g, 1/32 to 8 g in magnitude.
double quantised(double value)
{
    const double magnitude = std::clamp(std::round(std::fabs(value) * 32), 1.0, 256.0) / 32;
    return value < 0 ? -magnitude : magnitude;
}

// Road vibration at a given sample rate: uniform noise of +-amplitude on each axis around
// gravity on Z, and isolated bumps (one reading, 0.2 g to bumpG on one axis) at least
// bumpGapSeconds apart. Deterministic for a seed.
QVector<GSensorSample> roadNoise(int seed,
                                 double seconds,
                                 double secondsPerSample,
                                 double amplitude,
                                 double bumpG,
                                 double bumpGapSeconds)
{
    std::mt19937 random(seed);
    auto uniform = [&random](double low, double high) {
        return low + (high - low) * (random() / 4294967296.0);
    };
    const int count = int(std::lround(seconds / secondsPerSample));
    QVector<GSensorSample> samples(count);
    double lastBump = -1e9;
    for (int i = 0; i < count; ++i) {
        double axes[3] = {uniform(-amplitude, amplitude),
                          uniform(-amplitude, amplitude),
                          1.0 + uniform(-amplitude, amplitude)};
        const double t = i * secondsPerSample;
        if (bumpG > 0 && t - lastBump >= bumpGapSeconds && uniform(0, 1) < 0.2) {
            const int axis = int(uniform(0, 3)) % 3;
            axes[axis] += (uniform(0, 1) < 0.5 ? -1 : 1) * uniform(0.2, bumpG);
            lastBump = t;
        }
        samples[i] = {quantised(axes[0]), quantised(axes[1]), quantised(axes[2])};
    }
    return samples;
}

// Adds g on one axis for the given seconds from start (0: one reading).
void addEvent(QVector<GSensorSample> &samples,
              double secondsPerSample,
              double start,
              double seconds,
              int axis,
              double g)
{
    const int first = int(std::lround(start / secondsPerSample));
    const int count = std::max(1, int(std::lround(seconds / secondsPerSample)));
    for (int i = first; i < first + count && i < samples.size(); ++i) {
        double &value = axis == 0 ? samples[i].x : axis == 1 ? samples[i].y : samples[i].z;
        value = quantised(value + g);
    }
}

struct SyntheticEvent
{
    double start;
    double seconds;
    int axis;
    double g;
};

// Expected mark: a time range (equal ends for an exact time).
struct ExpectedMark
{
    double from;
    double to;
};

} // namespace

Q_DECLARE_METATYPE(QVector<SyntheticEvent>)
Q_DECLARE_METATYPE(QVector<ExpectedMark>)

class TestGSensorEventDetector : public QObject
{
    Q_OBJECT

private slots:
    void realLog_marksBrakingAndNothingWhileCruising_data();
    void realLog_marksBrakingAndNothingWhileCruising();
    void synthetic_marksEventsOnlyAtTheirTime_data();
    void synthetic_marksEventsOnlyAtTheirTime();
};

void TestGSensorEventDetector::realLog_marksBrakingAndNothingWhileCruising_data()
{
    // The log's four clearest brakings (seconds from its first epoch, 14:19:17 UTC), found by
    // hand in its RMC speeds: the G-sensor's X axis reads -0.18 to -0.25 g there.
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("stop at 14:20:12 from 33 km/h") << 47 << 55;
    QTest::newRow("stop at 14:20:20 from 13 km/h") << 60 << 63;
    QTest::newRow("braking at 14:23:22 from 28 to 20 km/h") << 243 << 247;
    QTest::newRow("braking at 14:24:05 from 11 to 4 km/h") << 286 << 289;
}

void TestGSensorEventDetector::realLog_marksBrakingAndNothingWhileCruising()
{
    QFETCH(int, from);
    QFETCH(int, to);

    const QVector<Epoch> epochs = readDashCamLog(
            TestPaths::nmeaLog(QStringLiteral("dashcam_leaflet-nmealayer_test.nmea")));
    QCOMPARE(epochs.size(), 360);
    QVector<GSensorSample> readings;
    QVector<double> speeds;
    for (const Epoch &epoch : epochs) {
        readings.append(epoch.reading);
        speeds.append(epoch.speedKmh);
    }
    // The row is a real braking: the GPS speed falls by more than 6 km/h over it.
    QVERIFY(speeds[from] - speeds[to] > 6);

    const QVector<double> marks = GSensorEventDetector::detect(readings, 1.0);

    // A mark at this braking.
    const bool marked = std::any_of(
            marks.begin(), marks.end(), [&](double t) { return t >= from - 1 && t <= to + 1; });
    QVERIFY2(marked, qPrintable(QStringLiteral("no mark in %1..%2 s").arg(from).arg(to)));

    // Ascending, at least the gap apart, whole epochs.
    for (int i = 0; i < marks.size(); ++i) {
        QCOMPARE(marks[i], std::floor(marks[i]));
        if (i > 0)
            QVERIFY(marks[i] - marks[i - 1] >= GSensorEventDetector::MinimumGapSeconds);
    }

    // Every mark lies at a real change of speed (more than 5 km/h within 3 s of it), and none
    // while cruising (above 9 km/h, speed changing by less than 1 knot a second for 3 s either
    // side).
    const int n = speeds.size();
    for (double t : marks) {
        const int i = int(t);
        double lowest = speeds[i];
        double highest = speeds[i];
        for (int j = std::max(0, i - 3); j <= std::min(n - 1, i + 3); ++j) {
            lowest = std::min(lowest, speeds[j]);
            highest = std::max(highest, speeds[j]);
        }
        QVERIFY2(highest - lowest > 5, qPrintable(QStringLiteral("mark at %1 s").arg(t)));
    }
    int cruising = 0;
    for (int i = 3; i < n - 3; ++i) {
        bool steady = speeds[i] > 9;
        for (int j = i - 2; j <= i + 3 && steady; ++j)
            steady = std::fabs(speeds[j] - speeds[j - 1]) < TelemetryParser::KnotsToKmh;
        if (!steady)
            continue;
        ++cruising;
        QVERIFY2(!marks.contains(double(i)),
                 qPrintable(QStringLiteral("mark while cruising at %1 s").arg(i)));
    }
    QVERIFY(cruising > 100); // about two minutes of the log are steady driving
}

void TestGSensorEventDetector::synthetic_marksEventsOnlyAtTheirTime_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<double>("secondsPerSample");
    QTest::addColumn<double>("amplitude");
    QTest::addColumn<double>("bumpG");
    QTest::addColumn<double>("bumpGapSeconds");
    QTest::addColumn<QVector<SyntheticEvent>>("events");
    QTest::addColumn<QVector<ExpectedMark>>("expected");

    // A braking to a stop at 0.35 g lasts about five seconds from 60 km/h; a swerve about as
    // long. An impact is a single reading.
    const QVector<SyntheticEvent> manoeuvres = {{300, 0, 2, 2.5}, // impact, Z
                                                {600, 5, 0, -0.35}, // braking, X
                                                {900, 5, 1, 0.4}, // swerve, Y
                                                {1200, 5, 0, -0.35}, // braking with
                                                {1202, 0, 0, -2.0}}; // an impact in it
    const QVector<ExpectedMark> marked = {{300, 300}, {599, 605}, {899, 905}, {1202, 1202}};
    const QVector<SyntheticEvent> none;

    for (int seed : {1, 2, 3}) {
        // Rough road at 1 Hz: 0.06 g RMS on each axis and bumps of up to 0.5 g.
        QTest::addRow("1 Hz road noise, seed %d", seed)
                << seed << 1.0 << 0.1 << 0.5 << 5.0 << none << QVector<ExpectedMark>();
        QTest::addRow("1 Hz manoeuvres in road noise, seed %d", seed)
                << seed << 1.0 << 0.1 << 0.5 << 5.0 << manoeuvres << marked;
        // Vibration at 10 Hz: 0.17 g RMS and bumps of up to 0.45 g.
        QTest::addRow("10 Hz road noise, seed %d", seed)
                << seed << 0.1 << 0.3 << 0.45 << 2.0 << none << QVector<ExpectedMark>();
        QTest::addRow("10 Hz manoeuvres in road noise, seed %d", seed)
                << seed << 0.1 << 0.3 << 0.45 << 2.0 << manoeuvres << marked;
    }
    // Smooth driving with one impact at 0.5 s per sample.
    QTest::newRow("impact alone, 2 Hz")
            << 1 << 0.5 << 0.05 << 0.0 << 0.0 << QVector<SyntheticEvent> {{421.5, 0, 1, -1.5}}
            << QVector<ExpectedMark> {{421.5, 421.5}};
}

void TestGSensorEventDetector::synthetic_marksEventsOnlyAtTheirTime()
{
    QFETCH(int, seed);
    QFETCH(double, secondsPerSample);
    QFETCH(double, amplitude);
    QFETCH(double, bumpG);
    QFETCH(double, bumpGapSeconds);
    QFETCH(QVector<SyntheticEvent>, events);
    QFETCH(QVector<ExpectedMark>, expected);

    QVector<GSensorSample> samples
            = roadNoise(seed, 1800, secondsPerSample, amplitude, bumpG, bumpGapSeconds);
    for (const SyntheticEvent &event : events)
        addEvent(samples, secondsPerSample, event.start, event.seconds, event.axis, event.g);

    const QVector<double> marks = GSensorEventDetector::detect(samples, secondsPerSample);

    QStringList shown;
    for (double t : marks)
        shown << QString::number(t);
    const QByteArray found = shown.join(QLatin1Char(' ')).toLatin1();
    QVERIFY2(marks.size() == expected.size(), found.constData());
    for (int i = 0; i < marks.size(); ++i) {
        QVERIFY2(marks[i] >= expected[i].from - 1e-9 && marks[i] <= expected[i].to + 1e-9,
                 found.constData());
    }
}

QTEST_GUILESS_MAIN(TestGSensorEventDetector)
#include "tst_gsensoreventdetector.moc"
