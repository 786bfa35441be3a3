// ctest-labels: gui
// Frameless dialogs and windows: the hit test that decides between resize borders, drag area
// and content, and real windows on the X server being dragged, resized and maximised. The
// tests run on a bare X server (no window manager), where the windows move and resize
// themselves; a window manager would take these drags over.
#include "resource/vistrelresource.h"
#include "ui/framelessdialog.h"
#include "ui/framelesswindow.h"
#include "ui/windowframehandler.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <QtTest>

using Region = FramelessDialog::HitRegion;

namespace {

// A press, moves and a release sent to the native window, as the platform delivers them. The
// points are relative to where the window was at the press: the mouse stays where it is on the
// screen while the window moves under it.
void drag(QWidget *widget, const QPoint &from, const QVector<QPoint> &moves)
{
    QWindow *window = widget->windowHandle();
    const QPoint origin = window->mapToGlobal(QPoint(0, 0));
    const auto local = [&](const QPoint &point) {
        return window->mapFromGlobal(origin + point);
    };
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, local(from));
    for (const QPoint &to : moves)
        QTest::mouseMove(window, local(to));
    QTest::mouseRelease(
            window, Qt::LeftButton, Qt::NoModifier, local(moves.isEmpty() ? from : moves.last()));
}

} // namespace

class TestFramelessChrome : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initVistrelResources(); }

    void hitTest_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("widthResizable");
        QTest::addColumn<bool>("heightResizable");
        QTest::addColumn<bool>("onSelf");
        QTest::addColumn<int>("expected");

        // The window covers x 100..499 and y 200..499.
        const bool y = true;
        const bool n = false;
        QTest::newRow("left edge") << QPoint(100, 350) << y << y << y << int(Region::HitLeft);
        QTest::newRow("left border, last pixel")
                << QPoint(107, 350) << y << y << y << int(Region::HitLeft);
        QTest::newRow("left border, just inside")
                << QPoint(108, 350) << y << y << y << int(Region::HitCaption);
        QTest::newRow("right edge") << QPoint(499, 350) << y << y << y << int(Region::HitRight);
        QTest::newRow("right border, first pixel")
                << QPoint(492, 350) << y << y << y << int(Region::HitRight);
        QTest::newRow("right border, just inside")
                << QPoint(491, 350) << y << y << n << int(Region::HitClient);
        QTest::newRow("top edge") << QPoint(300, 200) << y << y << y << int(Region::HitTop);
        QTest::newRow("bottom edge") << QPoint(300, 499) << y << y << y << int(Region::HitBottom);
        QTest::newRow("bottom border, first pixel")
                << QPoint(300, 492) << y << y << n << int(Region::HitBottom);
        QTest::newRow("top-left corner")
                << QPoint(100, 200) << y << y << y << int(Region::HitTopLeft);
        QTest::newRow("top-right corner")
                << QPoint(499, 200) << y << y << y << int(Region::HitTopRight);
        QTest::newRow("bottom-left corner")
                << QPoint(100, 499) << y << y << y << int(Region::HitBottomLeft);
        QTest::newRow("bottom-right corner")
                << QPoint(499, 499) << y << y << y << int(Region::HitBottomRight);
        QTest::newRow("corner wins over edge")
                << QPoint(105, 207) << y << y << n << int(Region::HitTopLeft);
        QTest::newRow("empty area drags")
                << QPoint(300, 350) << y << y << y << int(Region::HitCaption);
        QTest::newRow("child is content")
                << QPoint(300, 350) << y << y << n << int(Region::HitClient);
        QTest::newRow("outside left") << QPoint(99, 350) << y << y << y << int(Region::HitClient);
        QTest::newRow("outside right") << QPoint(500, 350) << y << y << y << int(Region::HitClient);
        QTest::newRow("outside below") << QPoint(300, 500) << y << y << y << int(Region::HitClient);

        QTest::newRow("fixed width: top") << QPoint(300, 200) << n << y << y << int(Region::HitTop);
        QTest::newRow("fixed width: bottom")
                << QPoint(300, 499) << n << y << n << int(Region::HitBottom);
        QTest::newRow("fixed width: corner is top")
                << QPoint(100, 200) << n << y << y << int(Region::HitTop);
        QTest::newRow("fixed width: corner is bottom")
                << QPoint(499, 499) << n << y << y << int(Region::HitBottom);
        QTest::newRow("fixed width: left edge drags")
                << QPoint(100, 350) << n << y << y << int(Region::HitCaption);
        QTest::newRow("fixed width: left edge on child")
                << QPoint(100, 350) << n << y << n << int(Region::HitClient);
        QTest::newRow("fixed height: corner is left")
                << QPoint(100, 200) << y << n << y << int(Region::HitLeft);
        QTest::newRow("fixed height: top edge drags")
                << QPoint(300, 200) << y << n << y << int(Region::HitCaption);

        QTest::newRow("not resizable: corner drags")
                << QPoint(100, 200) << n << n << y << int(Region::HitCaption);
        QTest::newRow("not resizable: edge on child")
                << QPoint(499, 350) << n << n << n << int(Region::HitClient);
        QTest::newRow("not resizable: middle")
                << QPoint(300, 350) << n << n << y << int(Region::HitCaption);
    }

    void hitTest()
    {
        QFETCH(QPoint, point);
        QFETCH(bool, widthResizable);
        QFETCH(bool, heightResizable);
        QFETCH(bool, onSelf);
        QFETCH(int, expected);
        const QRect window(100, 200, 400, 300);
        QCOMPARE(int(FramelessDialog::hitTest(
                         window, point, widthResizable, heightResizable, onSelf)),
                 expected);
    }

    void hitTest_codesAreTheWindowManagerCodes()
    {
        QCOMPARE(int(Region::HitClient), 1);
        QCOMPARE(int(Region::HitCaption), 2);
        QCOMPARE(int(Region::HitLeft), 10);
        QCOMPARE(int(Region::HitTopRight), 14);
        QCOMPARE(int(Region::HitBottomRight), 17);
    }

    void resizeEdges_data()
    {
        QTest::addColumn<int>("region");
        QTest::addColumn<int>("edges");
        QTest::newRow("client") << int(Region::HitClient) << 0;
        QTest::newRow("caption") << int(Region::HitCaption) << 0;
        QTest::newRow("left") << int(Region::HitLeft) << int(Qt::LeftEdge);
        QTest::newRow("right") << int(Region::HitRight) << int(Qt::RightEdge);
        QTest::newRow("top") << int(Region::HitTop) << int(Qt::TopEdge);
        QTest::newRow("bottom") << int(Region::HitBottom) << int(Qt::BottomEdge);
        QTest::newRow("top-left") << int(Region::HitTopLeft) << int(Qt::TopEdge | Qt::LeftEdge);
        QTest::newRow("top-right") << int(Region::HitTopRight) << int(Qt::TopEdge | Qt::RightEdge);
        QTest::newRow("bottom-left")
                << int(Region::HitBottomLeft) << int(Qt::BottomEdge | Qt::LeftEdge);
        QTest::newRow("bottom-right")
                << int(Region::HitBottomRight) << int(Qt::BottomEdge | Qt::RightEdge);
    }

    void resizeEdges()
    {
        QFETCH(int, region);
        QFETCH(int, edges);
        QCOMPARE(int(FramelessDialog::resizeEdges(Region(region))), edges);
    }

    void dialog_isFramelessAndKeepsCallerFlags()
    {
        QWidget owner;
        FramelessDialog dialog(false, &owner, Qt::WindowStaysOnTopHint);
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(dialog.windowType(), Qt::Dialog);
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!dialog.isResizable());
        QCOMPARE(dialog.parentWidget(), &owner);
    }

    void dialog_dragsByEmptyArea()
    {
        FramelessDialog dialog(false);
        dialog.setFixedSize(300, 200);
        auto *button = new QPushButton(QStringLiteral("Button"), &dialog);
        button->setGeometry(150, 100, 100, 40);
        dialog.move(200, 150);
        FramelessDialog::showFramelessDialog(&dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QPoint start = dialog.pos();

        drag(&dialog, QPoint(20, 20), {QPoint(60, 50)});
        QTRY_COMPARE(dialog.pos(), start + QPoint(40, 30));
        QCOMPARE(dialog.size(), QSize(300, 200));
    }

    void dialog_pressOnChildIsNoDrag()
    {
        FramelessDialog dialog(true);
        dialog.resize(300, 200);
        auto *button = new QPushButton(QStringLiteral("Button"), &dialog);
        button->setGeometry(100, 80, 100, 40);
        QSignalSpy clicked(button, &QPushButton::clicked);
        FramelessDialog::showFramelessDialog(&dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QRect start = dialog.geometry();

        drag(&dialog, QPoint(150, 100), {QPoint(155, 104)});
        QTRY_COMPARE(clicked.count(), 1);
        QCOMPARE(dialog.geometry(), start);
    }

    void dialog_dragThroughPassiveLabel()
    {
        FramelessDialog dialog(false);
        dialog.setFixedSize(300, 200);
        auto *label = new QLabel(QStringLiteral("Drag me"), &dialog);
        label->setGeometry(0, 0, 300, 100);
        FramelessDialog::showFramelessDialog(&dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QPoint start = dialog.pos();

        // The label lets the press through; the first move with the button held starts the
        // drag at that point, the next one moves the window.
        drag(&dialog, QPoint(20, 20), {QPoint(25, 22), QPoint(65, 52)});
        QTRY_COMPARE(dialog.pos(), start + QPoint(40, 30));
    }

    void dialog_resizesFromBorder_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<bool>("fixedWidth");
        QTest::addColumn<QRect>("expected"); // relative to the start geometry: dx, dy, dw, dh

        QTest::newRow("bottom-right corner")
                << QPoint(297, 197) << QPoint(40, 30) << false << QRect(0, 0, 40, 30);
        QTest::newRow("left edge")
                << QPoint(2, 100) << QPoint(-20, 5) << false << QRect(-20, 0, 20, 0);
        QTest::newRow("top edge") << QPoint(150, 1) << QPoint(7, 25) << false
                                  << QRect(0, 25, 0, -25);
        QTest::newRow("fixed width: corner is bottom")
                << QPoint(297, 197) << QPoint(40, 30) << true << QRect(0, 0, 0, 30);
        QTest::newRow("fixed width: left edge drags")
                << QPoint(2, 100) << QPoint(-20, 5) << true << QRect(-20, 5, 0, 0);
        QTest::newRow("minimum height holds")
                << QPoint(150, 198) << QPoint(0, -150) << false << QRect(0, 0, 0, -80);
    }

    void dialog_resizesFromBorder()
    {
        QFETCH(QPoint, press);
        QFETCH(QPoint, delta);
        QFETCH(bool, fixedWidth);
        QFETCH(QRect, expected);

        FramelessDialog dialog(true);
        dialog.setMinimumSize(100, 120);
        if (fixedWidth)
            dialog.setFixedWidth(300);
        dialog.resize(300, 200);
        dialog.move(300, 200);
        FramelessDialog::showFramelessDialog(&dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QRect start = dialog.geometry();
        QCOMPARE(start.size(), QSize(300, 200));

        drag(&dialog, press, {press + delta});
        const QRect target(start.x() + expected.x(),
                           start.y() + expected.y(),
                           start.width() + expected.width(),
                           start.height() + expected.height());
        QTRY_COMPARE(dialog.geometry(), target);
    }

    void dialog_borderShowsResizeCursor()
    {
        FramelessDialog dialog(true);
        dialog.resize(300, 200);
        FramelessDialog::showFramelessDialog(&dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseMove(dialog.windowHandle(), QPoint(298, 100));
        QTRY_COMPARE(dialog.cursor().shape(), Qt::SizeHorCursor);
        QTest::mouseMove(dialog.windowHandle(), QPoint(2, 2));
        QTRY_COMPARE(dialog.cursor().shape(), Qt::SizeFDiagCursor);
        QTest::mouseMove(dialog.windowHandle(), QPoint(150, 100));
        QTRY_COMPARE(dialog.cursor().shape(), Qt::ArrowCursor);
    }

    void dialog_screenChangeFitsSize()
    {
        FramelessDialog dialog(true);
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(new QLabel(QStringLiteral("Short"), &dialog));
        dialog.resize(600, 400);
        FramelessDialog::showFramelessDialog(&dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.size(), QSize(600, 400));
        emit dialog.windowHandle()->screenChanged(dialog.windowHandle()->screen());
        QTRY_COMPARE(dialog.size(), dialog.sizeHint());
    }

    void window_isFramelessNativeWindow()
    {
        FramelessWindow window;
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(window.windowFlags() & Qt::WindowSystemMenuHint);
        QVERIFY(window.windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(window.testAttribute(Qt::WA_NativeWindow));
        QVERIFY(window.testAttribute(Qt::WA_NoSystemBackground));
        QVERIFY(!window.autoFillBackground());
        QVERIFY(WindowFrameHandler::of(&window));
    }

    void window_maximisedStaysInsideAvailableGeometry()
    {
        FramelessWindow window;
        window.setCentralWidget(new QLabel(QStringLiteral("content")));
        window.resize(400, 300);
        window.move(50, 60);
        FramelessWindow::showFrameless(&window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect normal = window.geometry();
        const QRect available = window.screen()->availableGeometry();

        window.showMaximized();
        QTRY_COMPARE(window.geometry(), available);

        // Moved partly off the work area while maximised (as by a move to another screen), a
        // screen change puts it back inside.
        window.windowHandle()->setGeometry(available.adjusted(-20, -20, 40, 40));
        QTRY_COMPARE(window.geometry(), available.adjusted(-20, -20, 40, 40));
        QVERIFY(window.isMaximized());
        emit window.windowHandle()->screenChanged(window.windowHandle()->screen());
        QTRY_COMPARE(window.geometry(), available);

        window.showNormal();
        QTRY_COMPARE(window.geometry(), normal);
    }

    void window_resizesFromBorderNotFromContent()
    {
        FramelessWindow window;
        auto *central = new QWidget;
        window.setCentralWidget(central);
        window.resize(400, 300);
        window.move(100, 100);
        FramelessWindow::showFrameless(&window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect start = window.geometry();

        drag(&window, QPoint(200, 150), {QPoint(260, 190)});
        QCoreApplication::processEvents(); // a wrong move would already have happened
        QCOMPARE(window.geometry(), start);

        drag(&window, QPoint(398, 150), {QPoint(448, 150)});
        QTRY_COMPARE(window.geometry(), start.adjusted(0, 0, 50, 0));
    }
};

QTEST_MAIN(TestFramelessChrome)
#include "tst_framelesschrome.moc"
