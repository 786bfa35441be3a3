// ctest-labels: gui
// The GPS speed readout: which digits a value gives, and what the widget really paints, read
// back pixel by pixel against the digit bitmaps over the background of the shown unit.
#include "resource/vistrelresource.h"
#include "screengrab.h"
#include "telemetry/speeddisplaywidget.h"

#include <QImage>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

// The readout's cells in paint order, in widget pixels: hundreds, tens, units, decimal point,
// tenths (where the background bitmap leaves room for them).
const QRect Cells[5] = {QRect(20, 11, 10, 18),
                        QRect(32, 11, 10, 18),
                        QRect(44, 11, 10, 18),
                        QRect(53, 11, 6, 18),
                        QRect(59, 11, 10, 18)};

QImage resourceImage(const QString &name)
{
    return QImage(QStringLiteral(":/resource/img/speed/") + name)
            .convertToFormat(QImage::Format_RGB32);
}

// What the readout must look like for a text of five characters ("ddd.d", blanks for empty
// cells): the background, and over it, cell by cell in paint order, the glyph's non-white
// pixels (white is transparent; the units and decimal point cells share a column).
QImage composed(const QImage &background, const QString &text)
{
    QImage image = background.copy();
    for (int c = 0; c < 5; ++c) {
        const QChar ch = text.at(c);
        if (ch == QLatin1Char(' '))
            continue;
        const QImage glyph = ch == QLatin1Char('.')
                ? resourceImage(QStringLiteral("speed_Num_comma.bmp"))
                : resourceImage(QStringLiteral("speed_Num_%1.bmp").arg(ch));
        for (int y = 0; y < qMin(glyph.height(), Cells[c].height()); ++y) {
            for (int x = 0; x < qMin(glyph.width(), Cells[c].width()); ++x) {
                if ((glyph.pixel(x, y) & 0xffffff) != 0xffffff)
                    image.setPixel(Cells[c].topLeft() + QPoint(x, y), glyph.pixel(x, y));
            }
        }
    }
    return image;
}

// The cells (0 hundreds .. 4 tenths, 5 outside them) where two images differ.
QList<int> differingCells(const QImage &a, const QImage &b)
{
    QList<int> cells;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y))
                continue;
            int cell = 5;
            for (int c = 0; c < 5 && cell == 5; ++c) {
                if (Cells[c].contains(x, y))
                    cell = c;
            }
            if (!cells.contains(cell))
                cells << cell;
        }
    }
    return cells;
}

} // namespace

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
