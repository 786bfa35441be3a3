// ctest-labels: audio;gui
// `vistrel-tool bench --quick` as a real process: it makes its small recordings, runs the
// engine and the anchors on them and writes one JSON document with every figure, each with a
// value or null and the reason. Timings are not asserted.
#include "testpaths.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

class TestBench : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void quick_everyFigurePresent_valueOrReason_data();
    void quick_everyFigurePresent_valueOrReason();
    void quick_metAgreesWithValues();
    void quick_openTimelineInOrder();
    void viewer_windowAndAnchorWindows();
    void unknownOption_refused();

private:
    QTemporaryDir m_dir;
    QJsonObject m_result;
    QByteArray m_table;
};

void TestBench::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString json = m_dir.filePath(QStringLiteral("bench.json"));
    const ProcessResult r = runProcess(
            TestPaths::tool(),
            {QStringLiteral("bench"), QStringLiteral("--quick"), QStringLiteral("--json"), json},
            300000);
    QVERIFY2(r.finished && !r.crashed, r.err.right(2000).constData());
    QVERIFY2(r.exitCode == 0, r.err.right(2000).constData());
    m_table = r.out;
    QFile file(json);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QVERIFY(doc.isObject());
    m_result = doc.object();
    QCOMPARE(m_result.value(QStringLiteral("quick")).toBool(), true);
    QCOMPARE(m_result.value(QStringLiteral("repetitions")).toInt(), 1);
    QVERIFY(m_result.value(QStringLiteral("machine"))
                    .toObject()
                    .value(QStringLiteral("nproc"))
                    .toInt()
            > 0);
}

void TestBench::quick_everyFigurePresent_valueOrReason_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("hasAnchor");
    QTest::newRow("untimed throughput") << QStringLiteral("throughput") << true;
    QTest::newRow("CPU at 1x") << QStringLiteral("cpu_1x") << true;
    QTest::newRow("open latency") << QStringLiteral("open") << true;
    QTest::newRow("seek latency") << QStringLiteral("seek") << true;
    QTest::newRow("frame step latency") << QStringLiteral("frame_step") << true;
    QTest::newRow("presentation error") << QStringLiteral("presentation_error") << false;
    QTest::newRow("audio/video offset") << QStringLiteral("av_offset") << false;
    QTest::newRow("peak RSS") << QStringLiteral("peak_rss") << true;
    QTest::newRow("surround panorama") << QStringLiteral("surround_panorama") << true;
    QTest::newRow("surround VR") << QStringLiteral("surround_vr") << true;
    QTest::newRow("trip boundaries") << QStringLiteral("trip_boundary") << true;
    QTest::newRow("GUI thread at 1x") << QStringLiteral("gui_1x") << false;
    QTest::newRow("G-sensor meter paint") << QStringLiteral("meter_paint") << false;
}

void TestBench::quick_everyFigurePresent_valueOrReason()
{
    QFETCH(QString, key);
    QFETCH(bool, hasAnchor);
    const QJsonObject figures = m_result.value(QStringLiteral("figures")).toObject();
    QVERIFY2(figures.contains(key), qPrintable(key));
    const QJsonObject f = figures.value(key).toObject();
    QVERIFY(!f.value(QStringLiteral("unit")).toString().isEmpty());
    QVERIFY(!f.value(QStringLiteral("target")).toString().isEmpty());
    QVERIFY(f.contains(QStringLiteral("met")));
    const QString reason = f.value(QStringLiteral("reason")).toString();

    const QJsonValue engine = f.value(QStringLiteral("engine"));
    QVERIFY(f.contains(QStringLiteral("engine")));
    if (engine.isNull()) {
        QVERIFY2(!reason.isEmpty(), "a missing engine value needs a reason");
    } else {
        const QJsonObject e = engine.toObject();
        QVERIFY(e.value(QStringLiteral("median")).isDouble());
        QCOMPARE(e.value(QStringLiteral("runs")).toArray().size(), 1);
    }
    if (!hasAnchor)
        return;
    QVERIFY(f.contains(QStringLiteral("anchor")));
    const QJsonValue anchor = f.value(QStringLiteral("anchor"));
    if (anchor.isNull())
        QVERIFY2(!reason.isEmpty(), "a missing anchor needs a reason");
    else
        QVERIFY(anchor.toObject().value(QStringLiteral("median")).isDouble());
    QVERIFY(m_table.contains(f.value(QStringLiteral("title")).toString().toUtf8()));
}

void TestBench::quick_metAgreesWithValues()
{
    // A target can only be judged met or missed from a value; without one it is null.
    const QJsonObject figures = m_result.value(QStringLiteral("figures")).toObject();
    for (auto it = figures.begin(); it != figures.end(); ++it) {
        const QJsonObject f = it.value().toObject();
        if (f.value(QStringLiteral("engine")).isNull())
            QVERIFY2(f.value(QStringLiteral("met")).isNull(), qPrintable(it.key()));
    }
    // The engine plays every frame of the quick recording when nothing paces it.
    const QJsonObject throughput = figures.value(QStringLiteral("throughput")).toObject();
    QVERIFY2(!throughput.contains(QStringLiteral("engine_frames")),
             "the engine lost frames in the untimed run");
    // The window played all three channels with its meter and map, and the meter painted the
    // whole hour the bench made for it.
    const QJsonObject gui = figures.value(QStringLiteral("gui_1x")).toObject();
    if (!gui.value(QStringLiteral("engine")).isNull()) {
        const QJsonArray shown = gui.value(QStringLiteral("presented_per_second_run1")).toArray();
        QCOMPARE(shown.size(), 3);
        for (const QJsonValue &perSecond : shown)
            QVERIFY2(perSecond.toDouble() > 0, "a channel presented no picture");
        QCOMPARE(gui.value(QStringLiteral("meter_visible")).toBool(), true);
        QCOMPARE(gui.value(QStringLiteral("map_shown")).toBool(), true);
        QCOMPARE(gui.value(QStringLiteral("gsensor_samples")).toInt(), 537); // 3 s at 179 Hz
        const double share = gui.value(QStringLiteral("engine"))
                                     .toObject()
                                     .value(QStringLiteral("median"))
                                     .toDouble();
        QVERIFY(share > 0 && share <= 1.0); // one thread holds at most one core
    }
    // Every channel crossed every one of the trip's four boundaries.
    const QJsonObject trip = figures.value(QStringLiteral("trip_boundary")).toObject();
    const QJsonArray channels = trip.value(QStringLiteral("boundaries_per_channel_run1")).toArray();
    QCOMPARE(channels.size(), 3);
    for (const QJsonValue &boundaries : channels) {
        QCOMPARE(boundaries.toArray().size(), 4);
        for (const QJsonValue &frames : boundaries.toArray())
            QVERIFY2(frames.toDouble() > 0, "a boundary without both pictures");
    }
    const QJsonObject meter = figures.value(QStringLiteral("meter_paint")).toObject();
    QCOMPARE(meter.value(QStringLiteral("samples")).toInt(), 720000);
}

// The open's steps come one after another: the loop reports the open before a channel shows
// a picture, and the floor opens its input before its decoders and decodes after both.
void TestBench::quick_openTimelineInOrder()
{
    const QJsonObject timeline = m_result.value(QStringLiteral("figures"))
                                         .toObject()
                                         .value(QStringLiteral("open"))
                                         .toObject()
                                         .value(QStringLiteral("timeline"))
                                         .toObject();
    const auto at = [&timeline](const char *step) {
        return timeline.value(QLatin1String(step))
                .toObject()
                .value(QStringLiteral("median"))
                .toDouble(-1);
    };
    const QVector<double> engine {
            at("opened_ms"), at("first_channel_ms"), at("ms")}; // "ms": every channel
    const QVector<double> floor {at("floor_input_ms"),
                                 at("floor_decoders_ms"),
                                 at("floor_first_frame_ms"),
                                 at("floor_ms")};
    for (const QVector<double> &steps : {engine, floor}) {
        QVERIFY2(steps.first() > 0, qPrintable(QJsonDocument(timeline).toJson()));
        for (int i = 1; i < steps.size(); ++i)
            QVERIFY2(steps[i] >= steps[i - 1], qPrintable(QJsonDocument(timeline).toJson()));
    }
}

// The whole viewer: the window showed every channel (the display's own count), and one mpv
// window per channel played beside it on the same display when mpv and a sound server exist.
void TestBench::viewer_windowAndAnchorWindows()
{
    const QString json = m_dir.filePath(QStringLiteral("viewer.json"));
    const ProcessResult r = runProcess(TestPaths::tool(),
                                       {QStringLiteral("bench"),
                                        QStringLiteral("--quick"),
                                        QStringLiteral("--viewer"),
                                        QStringLiteral("--json"),
                                        json},
                                       300000);
    QVERIFY2(r.finished && r.exitCode == 0, r.err.right(2000).constData());
    QFile file(json);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject figures = QJsonDocument::fromJson(file.readAll())
                                        .object()
                                        .value(QStringLiteral("figures"))
                                        .toObject();
    QCOMPARE(figures.keys(), QStringList {QStringLiteral("viewer_1x")});
    const QJsonObject viewer = figures.value(QStringLiteral("viewer_1x")).toObject();
    if (viewer.value(QStringLiteral("engine")).isNull())
        QSKIP(qPrintable(viewer.value(QStringLiteral("reason")).toString()));
    const QJsonArray shown = viewer.value(QStringLiteral("presented_per_second_run1")).toArray();
    QCOMPARE(shown.size(), 3);
    for (const QJsonValue &perSecond : shown)
        QVERIFY2(perSecond.toDouble() > 0, "a channel presented no picture");
    QVERIFY(viewer.value(QStringLiteral("peak_rss_mb"))
                    .toObject()
                    .value(QStringLiteral("median"))
                    .toDouble()
            > 0);
    const QJsonArray tiles = viewer.value(QStringLiteral("tiles")).toArray();
    QCOMPARE(tiles.size(), 3);
    if (viewer.value(QStringLiteral("anchor")).isNull()) {
        QVERIFY(!viewer.value(QStringLiteral("reason")).toString().isEmpty());
        return;
    }
    const QJsonArray mpvShown = viewer.value(QStringLiteral("mpv_shown_per_second_run1")).toArray();
    QCOMPARE(mpvShown.size(), 3);
    for (const QJsonValue &perSecond : mpvShown)
        QVERIFY2(perSecond.toDouble() > 0, "an mpv window showed no picture");
}

void TestBench::unknownOption_refused()
{
    const ProcessResult r
            = runProcess(TestPaths::tool(), {QStringLiteral("bench"), QStringLiteral("--bogus")});
    QVERIFY(r.finished);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains("unknown option --bogus"));
}

QTEST_GUILESS_MAIN(TestBench)
#include "tst_bench.moc"
