// ctest-labels: gui
// The GPS speed readout: which digits a value gives, and what the widget really paints, read
// back pixel by pixel against the digit bitmaps over the background of the shown unit.
#include "resource/vistrelresource.h"
#include "screengrab.h"
#include "speedreadback.h"
#include "telemetry/speeddisplaywidget.h"

#include <QImage>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace SpeedReadback;

class TestSpeedDisplayWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initVistrelResources(); }

    void digitsOf_data();
    void digitsOf();
    void painted_readsBackValueInShownUnit_data();
    void painted_readsBackValueInShownUnit();
};

void TestSpeedDisplayWidget::digitsOf_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("hundreds"); // -1: blank
    QTest::addColumn<int>("tens");
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("tenths");

    QTest::newRow("0 -> 0.0, blank hundreds and tens") << 0.0 << -1 << -1 << 0 << 0;
    QTest::newRow("7.25 -> 7.2 (truncated)") << 7.25 << -1 << -1 << 7 << 2;
    QTest::newRow("62.1371 -> 62.1") << 62.1371 << -1 << 6 << 2 << 1;
    QTest::newRow("105.07 -> 105.0 (inner zero drawn)") << 105.07 << 1 << 0 << 5 << 0;
    QTest::newRow("999.99 -> 999.9") << 999.99 << 9 << 9 << 9 << 9;
    QTest::newRow("1000 -> 999.9") << 1000.0 << 9 << 9 << 9 << 9;
    QTest::newRow("1200 -> 999.9") << 1200.0 << 9 << 9 << 9 << 9;
    QTest::newRow("negative -> 0.0") << -12.5 << -1 << -1 << 0 << 0;
    QTest::newRow("not a number -> 0.0")
            << std::numeric_limits<double>::quiet_NaN() << -1 << -1 << 0 << 0;
}

void TestSpeedDisplayWidget::digitsOf()
{
    QFETCH(double, value);
    QFETCH(int, hundreds);
    QFETCH(int, tens);
    QFETCH(int, units);
    QFETCH(int, tenths);

    const SpeedDisplayWidget::Digits d = SpeedDisplayWidget::digitsOf(value);
    QCOMPARE(d.hundreds, hundreds);
    QCOMPARE(d.tens, tens);
    QCOMPARE(d.units, units);
    QCOMPARE(d.tenths, tenths);
}

void TestSpeedDisplayWidget::painted_readsBackValueInShownUnit_data()
{
    QTest::addColumn<double>("kmh");
    QTest::addColumn<int>("clicks"); // after the speed is set
    QTest::addColumn<bool>("setAgain"); // the same speed once more after the clicks
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("miles"); // background of the miles unit

    QTest::newRow("0 km/h") << 0.0 << 0 << false << "  0.0" << false;
    QTest::newRow("7.25 km/h") << 7.25 << 0 << false << "  7.2" << false;
    QTest::newRow("105.07 km/h") << 105.07 << 0 << false << "105.0" << false;
    QTest::newRow("1200 km/h") << 1200.0 << 0 << false << "999.9" << false;
    QTest::newRow("negative") << -3.0 << 0 << false << "  0.0" << false;
    QTest::newRow("click: background at once, digits at the next speed")
            << 100.0 << 1 << false << "100.0" << true;
    QTest::newRow("100 km/h after a click: 62.1 mph") << 100.0 << 1 << true << " 62.1" << true;
    QTest::newRow("second click: km/h again") << 100.0 << 2 << true << "100.0" << false;
}

void TestSpeedDisplayWidget::painted_readsBackValueInShownUnit()
{
    QFETCH(double, kmh);
    QFETCH(int, clicks);
    QFETCH(bool, setAgain);
    QFETCH(QString, shown);
    QFETCH(bool, miles);

    const QImage kmhBackground = resourceImage(QStringLiteral("speed_bg.BMP"));
    const QImage milesBackground = resourceImage(QStringLiteral("speed_bg_mile.bmp"));
    QVERIFY(!kmhBackground.isNull() && !milesBackground.isNull());
    QVERIFY(kmhBackground != milesBackground);

    SpeedDisplayWidget display;
    display.resize(kmhBackground.size()); // the background at its own size
    // Shown first, so that every change below has to reach the screen as a repaint.
    QVERIFY(ScreenGrab::showAndWait(&display));
    display.setGpsSpeed(kmh);
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(&display, Qt::LeftButton, Qt::NoModifier, QPoint(90, 20));
    if (setAgain)
        display.setGpsSpeed(kmh);

    const QImage painted = ScreenGrab::of(&display);
    QCOMPARE(painted.size(), kmhBackground.size());
    QCOMPARE(differingCells(painted, composed(miles ? milesBackground : kmhBackground, shown)),
             QList<int>());
    QCOMPARE(display.unit(), miles ? int(SpeedDisplayWidget::Miles) : int(SpeedDisplayWidget::Kmh));
}

QTEST_MAIN(TestSpeedDisplayWidget)
#include "tst_speeddisplaywidget.moc"
