// ctest-labels: gui
// The main window's title bar as a real widget: its buttons, their state while a recording
// plays, full-size mode, the painted logo, double clicks and dragging the window by the bar.
#include "media/mediainfo.h"
#include "resource/vistrelresource.h"
#include "screengrab.h"
#include "ui/framelesswindow.h"
#include "ui/titlebarwidget.h"

#include <QHBoxLayout>
#include <QImage>
#include <QPushButton>
#include <QSpacerItem>
#include <QtTest>

namespace {

// Stands in for the main window: records which of its slots the bar's buttons reached.
class SlotRecorder : public QObject
{
    Q_OBJECT

public:
    QStringList calls;

public slots:
    void onOpenFile() { calls << QStringLiteral("onOpenFile"); }
    void onOpenDir() { calls << QStringLiteral("onOpenDir"); }
    void onSplit() { calls << QStringLiteral("onSplit"); }
    void onScreenShot() { calls << QStringLiteral("onScreenShot"); }
    void onPrintScreen() { calls << QStringLiteral("onPrintScreen"); }
    void onToggleFullSize() { calls << QStringLiteral("onToggleFullSize"); }
    void onAbout() { calls << QStringLiteral("onAbout"); }
    void onMinimized() { calls << QStringLiteral("onMinimized"); }
    void onMaximized() { calls << QStringLiteral("onMaximized"); }
    void onExit() { calls << QStringLiteral("onExit"); }
};

const QStringList ButtonOrder = {QStringLiteral("fileOpenButton"),
                                 QStringLiteral("folderOpenButton"),
                                 QStringLiteral("splitButton"),
                                 QStringLiteral("screenShotButton"),
                                 QStringLiteral("printScreenButton"),
                                 QStringLiteral("fullSizeButton"),
                                 QStringLiteral("aboutButton"),
                                 QStringLiteral("minimizeButton"),
                                 QStringLiteral("maximizeButton"),
                                 QStringLiteral("closeButton")};
const QStringList ExportButtons = {QStringLiteral("splitButton"),
                                   QStringLiteral("screenShotButton"),
                                   QStringLiteral("printScreenButton")};

int brightPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (qGray(image.pixel(x, y)) > 160)
                ++count;
        }
    }
    return count;
}

} // namespace

class TestTitleBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initVistrelResources(); }

    void buttons_orderSizesAndSpacing()
    {
        TitleBarWidget bar;
        QCOMPARE(TitleBarWidget::buttonNames(), ButtonOrder);
        QCOMPARE(bar.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(bar.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);

        // Layout: 17 pixels, then each button and what follows it.
        auto *layout = qobject_cast<QHBoxLayout *>(bar.layout());
        QVERIFY(layout);
        QCOMPARE(layout->contentsMargins(), QMargins(0, 0, 0, 0));
        QCOMPARE(layout->spacing(), 0);
        QCOMPARE(layout->count(), 1 + 2 * ButtonOrder.size());
        QVERIFY(layout->itemAt(0)->spacerItem());
        QCOMPARE(layout->itemAt(0)->sizeHint().width(), 17);

        const QList<int> heights = {31, 31, 31, 31, 31, 31, 31, 22, 22, 22};
        const QList<int> spacingAfter = {9, 9, 9, 9, 9, 9, -1, 10, 10, 18}; // -1: stretch
        for (int i = 0; i < ButtonOrder.size(); ++i) {
            QWidget *widget = layout->itemAt(1 + 2 * i)->widget();
            QVERIFY(widget);
            QCOMPARE(widget->objectName(), ButtonOrder.at(i));
            QCOMPARE(widget->size(), QSize(32, heights.at(i)));
            QSpacerItem *spacer = layout->itemAt(2 + 2 * i)->spacerItem();
            QVERIFY(spacer);
            if (spacingAfter.at(i) < 0)
                QVERIFY(spacer->expandingDirections() & Qt::Horizontal);
            else
                QCOMPARE(spacer->sizeHint().width(), spacingAfter.at(i));
        }

        QCOMPARE(bar.button(QStringLiteral("fileOpenButton"))->toolTip(),
                 QStringLiteral("Open File"));
        QCOMPARE(bar.button(QStringLiteral("aboutButton"))->toolTip(), QStringLiteral("Info."));
        QCOMPARE(bar.button(QStringLiteral("closeButton"))->toolTip(), QStringLiteral("Close"));
        QVERIFY(bar.button(QStringLiteral("maximizeButton"))->isCheckable());
        QVERIFY(!bar.button(QStringLiteral("closeButton"))->isCheckable());
        QVERIFY(bar.button(QStringLiteral("closeButton"))
                        ->styleSheet()
                        .contains(QStringLiteral(":/resource/img/menu_top/end_over.BMP")));
    }

    void exportButtons_followMediaState_data()
    {
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("at start") << QList<int>() << true << false;
        QTest::newRow("stopped") << QList<int>({MediaInfo::Stopped}) << true << false;
        QTest::newRow("playing") << QList<int>({MediaInfo::Stopped, MediaInfo::Playing}) << true
                                 << true;
        QTest::newRow("paused") << QList<int>({MediaInfo::Playing, MediaInfo::Paused}) << true
                                << true;
        QTest::newRow("playing, then stopped")
                << QList<int>({MediaInfo::Playing, MediaInfo::Stopped}) << true << false;
        QTest::newRow("paused, then idle")
                << QList<int>({MediaInfo::Paused, MediaInfo::Idle}) << true << false;
        // Buttons whose clicks reach nothing stay off.
        QTest::newRow("playing, not connected")
                << QList<int>({MediaInfo::Stopped, MediaInfo::Playing}) << false << false;
    }

    void exportButtons_followMediaState()
    {
        QFETCH(QList<int>, states);
        QFETCH(bool, connected);
        QFETCH(bool, enabled);

        // Driven through the real MediaInfo signal, as the main window connects it.
        MediaInfo info;
        TitleBarWidget bar;
        SlotRecorder window;
        if (connected)
            bar.connectToWindow(&window);
        connect(&info,
                &MediaInfo::mediaInfoStateChanged,
                &bar,
                &TitleBarWidget::onMediaInfoStateChanged);
        for (int state : states)
            info.changeState(state, nullptr, true);

        for (const QString &name : ButtonOrder) {
            const bool expected = ExportButtons.contains(name) ? enabled : true;
            QVERIFY2(bar.button(name)->isEnabled() == expected, qPrintable(name));
        }
    }

    void clicks_reachTheWindowSlots()
    {
        TitleBarWidget bar;
        SlotRecorder window;
        QCOMPARE(bar.connectToWindow(&window), ButtonOrder.size());
        bar.onMediaInfoStateChanged(nullptr, nullptr, MediaInfo::Stopped, MediaInfo::Playing);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        for (const QString &name : ButtonOrder)
            QTest::mouseClick(bar.button(name), Qt::LeftButton);
        QCOMPARE(window.calls,
                 QStringList({QStringLiteral("onOpenFile"),
                              QStringLiteral("onOpenDir"),
                              QStringLiteral("onSplit"),
                              QStringLiteral("onScreenShot"),
                              QStringLiteral("onPrintScreen"),
                              QStringLiteral("onToggleFullSize"),
                              QStringLiteral("onAbout"),
                              QStringLiteral("onMinimized"),
                              QStringLiteral("onMaximized"),
                              QStringLiteral("onExit")}));

        // A disabled button reaches nothing.
        window.calls.clear();
        bar.onMediaInfoStateChanged(nullptr, nullptr, MediaInfo::Playing, MediaInfo::Stopped);
        QTest::mouseClick(bar.button(QStringLiteral("printScreenButton")), Qt::LeftButton);
        QVERIFY(window.calls.isEmpty());
    }

    void connectToWindow_skipsMissingSlots()
    {
        TitleBarWidget bar;
        QObject plain;
        QCOMPARE(bar.connectToWindow(&plain), 0);
        QCOMPARE(bar.connectToWindow(nullptr), 0);
    }

    void fullSizeMode_hidesButtonsAndFixesHeight()
    {
        TitleBarWidget bar;
        bar.resize(1060, 40);
        bar.setFullSizeMode(40, false);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));

        bar.setFullSizeMode(8, true);
        QVERIFY(bar.isFullSizeMode());
        QCOMPARE(bar.height(), 8);
        QCOMPARE(bar.minimumHeight(), 8);
        QCOMPARE(bar.maximumHeight(), 8);
        for (const QString &name : ButtonOrder)
            QVERIFY2(!bar.button(name)->isVisible(), qPrintable(name));
        QVERIFY(bar.logoRect().isEmpty());

        bar.setFullSizeMode(40, false);
        QCOMPARE(bar.height(), 40);
        for (const QString &name : ButtonOrder)
            QVERIFY2(bar.button(name)->isVisible(), qPrintable(name));
    }

    void screenshot_showsTheLogo()
    {
        TitleBarWidget bar;
        bar.setFullSizeMode(40, false);
        bar.resize(1060, 40);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));

        // Right edge 140 pixels from the bar's right edge, bottom 3 pixels above its bottom.
        const QRect logo = bar.logoRect();
        QVERIFY(!logo.isEmpty());
        QCOMPARE(logo.right() + 1, 1060 - 140);
        QCOMPARE(logo.bottom() + 1, 40 - 3);

        const QImage shot = ScreenGrab::of(&bar);
        QVERIFY(brightPixels(shot, logo) > 40);
        // Between the about button and the logo there is only the bar background.
        const int aboutRight = bar.button(QStringLiteral("aboutButton"))->geometry().right();
        const QRect gap(aboutRight + 10, 0, logo.left() - aboutRight - 20, 40);
        QVERIFY(gap.width() > 50);
        QCOMPARE(brightPixels(shot, gap), 0);

        bar.setFullSizeMode(8, true);
        const QImage fullSize = bar.grab().toImage();
        QCOMPARE(fullSize.height(), 8);
        QCOMPARE(brightPixels(fullSize, fullSize.rect()), 0);
    }

    void doubleClick_emitsSignal()
    {
        TitleBarWidget bar;
        bar.resize(600, 40);
        QSignalSpy doubleClicked(&bar, &TitleBarWidget::titleBarMouseDoubleClicked);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QTest::mouseDClick(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(400, 20));
        QCOMPARE(doubleClicked.count(), 1);
        QTest::mouseDClick(&bar, Qt::RightButton, Qt::NoModifier, QPoint(400, 20));
        QCOMPARE(doubleClicked.count(), 1);
    }

    void dragOnBar_movesTheWindow()
    {
        FramelessWindow window;
        auto *bar = new TitleBarWidget;
        bar->setFullSizeMode(40, false);
        window.setMenuWidget(bar);
        window.setCentralWidget(new QWidget);
        window.resize(800, 400);
        window.move(100, 100);
        FramelessWindow::showFrameless(&window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint start = window.pos();

        // The mouse positions are fixed on the screen; the window moves under the mouse.
        QWindow *handle = window.windowHandle();
        const QPoint origin = handle->mapToGlobal(QPoint(0, 0));
        const auto local = [&](const QPoint &point) {
            return handle->mapFromGlobal(origin + point);
        };
        QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, local(QPoint(450, 20)));
        QTest::mouseMove(handle, local(QPoint(470, 30))); // past the drag distance: the move starts
        QTest::mouseMove(handle, local(QPoint(500, 60)));
        QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, local(QPoint(500, 60)));
        QTRY_COMPARE(window.pos(), start + QPoint(50, 40));
        QCOMPARE(window.size(), QSize(800, 400));

        // A click on a button of the bar stays a click.
        QSignalSpy about(bar, &TitleBarWidget::aboutClicked);
        const QPoint aboutCentre = bar->button(QStringLiteral("aboutButton"))->geometry().center();
        QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, aboutCentre);
        QTRY_COMPARE(about.count(), 1);
        QCOMPARE(window.pos(), start + QPoint(50, 40));
    }
};

QTEST_MAIN(TestTitleBar)
#include "tst_titlebar.moc"
