// The viewer window end to end: real engine, real files, the real display under Xvfb. Which
// frame of which channel is on screen is read back from the display's framebuffer.
// ctest-labels: gui;engine
#include "app/mainwindow.h"
#include "media/globalsettings.h"
#include "media/mediainfo.h"
#include "playlist/playlistentry.h"
#include "playlist/playlistwidget.h"
#include "resource/vistrelresource.h"
#include "testpaths.h"
#include "testrecordings.h"
#include "tools/framecode/framecode.h"
#include "video/videodisplaywidget.h"
#include "windowreadback.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

QString recording(const QString &name, const QStringList &options)
{
    return TestRecordings::make(name, options);
}

QStringList channels(int count, const QString &size = QStringLiteral("320x180"))
{
    QStringList options;
    for (int i = 0; i < count; ++i)
        options << QStringLiteral("--video") << size;
    return options;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QTemporaryDir> m_exports;
    // A folder outside the play list's folder; it outlives the window like the others.
    std::unique_ptr<QTemporaryDir> m_other;

    MainWindow *window()
    {
        m_window = std::make_unique<MainWindow>();
        m_window->setExportFolder(m_exports->path());
        m_window->resize(960, 540);
        m_window->show();
        return m_window.get();
    }

    // Copies a generated recording into the test's folder under a recording name.
    QString place(const QString &source, const QString &name)
    {
        const QString target = m_folder->filePath(name);
        QFile::remove(target);
        return QFile::copy(source, target) ? target : QString();
    }

    Reading onScreen(int position = 0) { return ::onScreen(m_window.get(), position); }

private slots:
    void initTestCase() { initVistrelResources(); }

    void init()
    {
        GlobalSettings::resetToDefaults();
        m_folder = std::make_unique<QTemporaryDir>();
        m_exports = std::make_unique<QTemporaryDir>();
        m_other = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        if (m_window) {
            m_window->close();
            QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 30000);
            m_window.reset();
        }
    }

    void folder_playsRowsInOrderWithTilesByStreamIndex()
    {
        // Long enough that a GUI thread slowed down by ThreadSanitizer on a loaded machine still
        // sees the first recording's frames advance before it ends.
        const QString a = place(
                recording(QStringLiteral("a.mp4"),
                          channels(2) << QStringLiteral("--duration") << QStringLiteral("4")),
                QStringLiteral("20240101_100000D.mp4"));
        const QString b = place(
                recording(QStringLiteral("b.mp4"),
                          channels(1) << QStringLiteral("--duration") << QStringLiteral("1")),
                QStringLiteral("20240101_100100D.mp4"));
        QVERIFY(!a.isEmpty() && !b.isEmpty());

        MainWindow *w = window();
        QSignalSpy selected(w->playList(), &PlayListWidget::playFileSelected);
        QSignalSpy listEnd(w->playList(), &PlayListWidget::endOfPlayingListReached);
        w->playList()->loadPlayList({m_folder->path()}, true);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).toString(), a);
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 20000);
        QCOMPARE(w->mediaInfo().currentPath(), a);
        // the front channel alone first; All keeps both for the next recordings
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(0).channel == 1, 10000);
        QCOMPARE(w->videoDisplay()->currentShownStream(), 0);
        QVERIFY(clickButton(w, "allViewButton"));

        // front on the left, rear on the right, both advancing
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(0).channel == 1 && onScreen(1).channel == 2, 10000);
        const Reading left = onScreen(0);
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(0).frame > left.frame, 10000);

        // the end of the first recording plays the next row, then the list ends
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().currentPath(), b, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(onScreen().channel == 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(listEnd.count(), 1, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Stopped), 10000);
    }

    void pickingAnotherRow_opensItOnlyAfterTheClose()
    {
        const QString a = place(
                recording(QStringLiteral("long.mp4"),
                          channels(1) << QStringLiteral("--duration") << QStringLiteral("4")),
                QStringLiteral("20240101_110000D.mp4"));
        const QString b = place(
                recording(QStringLiteral("other.mp4"),
                          channels(2) << QStringLiteral("--duration") << QStringLiteral("2")),
                QStringLiteral("20240101_110100E.mp4"));
        MainWindow *w = window();
        QSignalSpy closed(&w->eventLoop(), &MediaEventLoop::mediaEventClosed);
        QSignalSpy opened(&w->eventLoop(), &MediaEventLoop::mediaEventOpened);
        w->playList()->loadPlayList({a, b}, true);
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 20000);
        QCOMPARE(opened.count(), 1);

        w->session()->play(b);
        QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 2, 20000);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(closed.at(0).at(0).toString(), a);
        QCOMPARE(opened.at(1).at(1).toString(), b);
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(clickButton(w, "allViewButton"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(1).channel == 2, 10000);
    }

    void invalidAndVanishedFiles_areReported()
    {
        const QString four = place(
                recording(QStringLiteral("four.mp4"), channels(4, QStringLiteral("160x90"))),
                QStringLiteral("20240101_120000D.mp4"));
        QVERIFY(!four.isEmpty());
        MainWindow *w = window();
        {
            DialogCatcher catcher;
            w->playList()->loadPlayList({four}, true);
            QTRY_VERIFY_WITH_TIMEOUT(!catcher.texts().isEmpty(), 10000);
            QVERIFY2(catcher.texts().first().contains(QStringLiteral("Invalid File")),
                     qPrintable(catcher.texts().first()));
        }
        QCOMPARE(w->mediaInfo().state(), int(MediaInfo::Idle));

        {
            DialogCatcher catcher;
            w->session()->play(m_folder->filePath(QStringLiteral("20240101_120500D.mp4")));
            QTRY_VERIFY_WITH_TIMEOUT(!catcher.texts().isEmpty(), 10000);
            QVERIFY(catcher.texts().first().contains(
                    QStringLiteral("No file for play back available")));
        }
        QCOMPARE(w->mediaInfo().state(), int(MediaInfo::Idle));
    }

    void damagedRecording_isRepairedIntoTheExportFolderAndPlays()
    {
        const QString cut = place(
                recording(QStringLiteral("cut.avi"),
                          channels(2, QStringLiteral("160x90"))
                                  << QStringLiteral("--duration") << QStringLiteral("2")
                                  << QStringLiteral("--damage") << QStringLiteral("avi-no-index")),
                QStringLiteral("20240101_130000D.avi"));
        QVERIFY(!cut.isEmpty());
        MainWindow *w = window();
        // The real converter behind a stand-in that marks the time it runs.
        const QString mark = m_other->filePath(QStringLiteral("converting"));
        const QString wrapper = m_other->filePath(QStringLiteral("ffmpeg.sh"));
        QFile script(wrapper);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ntouch '" + QFile::encodeName(mark) + "'\nsleep 1\nrm '"
                     + QFile::encodeName(mark) + "'\nexec ffmpeg \"$@\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        w->mediaInfo().setConverterProgram(wrapper);
        // While it runs the window keeps handling events, disabled behind the loading dialog,
        // and does not close under the repair.
        int ticksWhileConverting = 0;
        bool keptOut = true;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, [&] {
            if (!QFile::exists(mark))
                return;
            if (++ticksWhileConverting == 1)
                w->close();
            auto *loading = w->findChild<QWidget *>(QStringLiteral("loadingDialog"));
            keptOut = keptOut && !w->isEnabled() && loading && loading->isVisible();
        });
        sampler.start(20);

        w->playList()->loadPlayList({cut}, true);
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 20000);
        QVERIFY(ticksWhileConverting > 0);
        QVERIFY(keptOut);
        QVERIFY(w->isVisible());
        const QString copy = m_exports->filePath(QStringLiteral("20240101_130000Dtmp.avi"));
        QCOMPARE(w->mediaInfo().tempFilePath(), copy);
        QCOMPARE(w->mediaInfo().currentPath(), copy);
        QVERIFY(QFile::exists(copy));
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(0).channel == 1, 10000);
        // after the list ended the copy is gone
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(copy), 20000);
    }

    // A copy left over after its recording was closed and the next row had vanished is not
    // left behind when the window closes.
    void repairedCopy_goesWithTheWindow_whenNothingPlays()
    {
        const QString cut = place(
                recording(QStringLiteral("cut.avi"),
                          channels(2, QStringLiteral("160x90"))
                                  << QStringLiteral("--duration") << QStringLiteral("1")
                                  << QStringLiteral("--damage") << QStringLiteral("avi-no-index")),
                QStringLiteral("20240101_133000D.avi"));
        const QString gone = place(
                recording(QStringLiteral("b.mp4"),
                          channels(1) << QStringLiteral("--duration") << QStringLiteral("1")),
                QStringLiteral("20240101_133100D.mp4"));
        QVERIFY(!cut.isEmpty() && !gone.isEmpty());
        MainWindow *w = window();
        w->playList()->loadPlayList({cut, gone}, true);
        QVERIFY(QFile::remove(gone));
        const QString copy = m_exports->filePath(QStringLiteral("20240101_133000Dtmp.avi"));
        // (the loading dialog is gone once the copy plays)
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 20000);
        QCOMPARE(w->mediaInfo().currentPath(), copy);
        {
            DialogCatcher catcher;
            QTRY_VERIFY_WITH_TIMEOUT(!catcher.texts().isEmpty(), 30000);
            QVERIFY(catcher.texts().first().contains(
                    QStringLiteral("No file for play back available")));
        }
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Stopped), 10000);
        QVERIFY(w->eventLoop().hasNoContext());
        QVERIFY(QFile::exists(copy));

        w->close();
        QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), 10000);
        QVERIFY(!QFile::exists(copy));
    }

    // The window waits for the loop's Finish. A close that reaches the loop first leaves the
    // Finish nothing to close: the window must still close in order, the process live on and
    // report it in its exit code. The window asks the loop whenever a close it posted has not
    // been reported back, so the second row does not depend on which thread runs first.
    void closing_waitsForTheLoop_data()
    {
        QTest::addColumn<bool>("closeFirst");
        QTest::addColumn<int>("finishResult");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("while playing") << false << 0 << 0;
        QTest::newRow("right after a close") << true << -1 << 1;
    }

    void closing_waitsForTheLoop()
    {
        QFETCH(bool, closeFirst);
        QFETCH(int, finishResult);
        QFETCH(int, exitCode);
        const QString a = place(
                recording(QStringLiteral("long.mp4"),
                          channels(1) << QStringLiteral("--duration") << QStringLiteral("4")),
                QStringLiteral("20240101_140000D.mp4"));
        MainWindow *w = window();
        QSignalSpy finished(&w->eventLoop(), &MediaEventLoop::mediaEventFinished);
        w->playList()->loadPlayList({a}, true);
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 20000);
        if (closeFirst)
            w->eventLoop().postClose();
        w->close();
        QVERIFY(w->isClosingRequested());
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QCOMPARE(finished.at(0).at(0).toInt(), finishResult);
        QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), 10000);
        QCOMPARE(w->exitCode(), exitCode);
    }

    void droppingAFolderAndTwoFiles_listsAllInDropOrder()
    {
        QTemporaryDir &other = *m_other;
        const QString source
                = recording(QStringLiteral("one.mp4"), channels(1, QStringLiteral("160x90")));
        QVERIFY(QFile::copy(source, m_folder->filePath(QStringLiteral("20240101_150000D.mp4"))));
        const QString f1 = other.filePath(QStringLiteral("20230101_000000E.mp4"));
        const QString f2 = other.filePath(QStringLiteral("20250101_000000P.mp4"));
        QVERIFY(QFile::copy(source, f1) && QFile::copy(source, f2));

        MainWindow *w = window();
        auto *mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(m_folder->path()),
                       QUrl::fromLocalFile(f2),
                       QUrl::fromLocalFile(f1)});
        QDragEnterEvent enter(
                QPoint(100, 100), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &drop);
        delete mime;
        const QVector<PlayListEntry> &entries = w->playList()->entries();
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.at(0).path, m_folder->filePath(QStringLiteral("20240101_150000D.mp4")));
        QCOMPARE(entries.at(1).path, f2);
        QCOMPARE(entries.at(2).path, f1);
    }

    void oneChannelAlone_fillsTheView()
    {
        const QString a = place(
                recording(QStringLiteral("long2.mp4"),
                          channels(2) << QStringLiteral("--duration") << QStringLiteral("4")),
                QStringLiteral("20240101_160000D.mp4"));
        MainWindow *w = window();
        w->playList()->loadPlayList({a}, true);
        QTRY_COMPARE_WITH_TIMEOUT(w->mediaInfo().state(), int(MediaInfo::Playing), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(0).channel == 1, 10000);

        // the rear channel's button shows it alone
        QVERIFY(clickButton(w, "rearViewButton"));
        QTRY_COMPARE_WITH_TIMEOUT(w->videoDisplay()->currentShownStream(), 1, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(1).channel == 2, 10000);
        const StreamInfo &rear = w->mediaInfo().streamInfo(1);
        // fitted to the whole view: it touches two opposite edges
        QVERIFY(qMax(rear.singleWidth, rear.singleHeight) > 0.99);
        const Reading first = onScreen(1);
        QTRY_VERIFY_WITH_TIMEOUT(onScreen(1).frame > first.frame, 10000);
    }

    // Short recordings report their playing time on every frame, so reports are still queued
    // for the GUI whenever a row change, a close or an open deletes the context on the engine
    // side. Under AddressSanitizer any use of a deleted context fails the run.
    void rowStorm_reportsOfClosedRecordingsAreHarmless()
    {
        QStringList files;
        for (int i = 0; i < 3; ++i) {
            files << place(recording(QStringLiteral("storm%1.mp4").arg(i),
                                     channels(1, QStringLiteral("160x90"))
                                             << QStringLiteral("--duration")
                                             << QString::number(0.6 + 0.1 * i)
                                             << QStringLiteral("--seed") << QString::number(i)
                                             << QStringLiteral("--telemetry")
                                             << QStringLiteral("subtitle")),
                           QStringLiteral("20240101_18%1000D.mp4").arg(i));
            QVERIFY(!files.last().isEmpty());
        }
        MainWindow *w = window();
        // Counted on the GUI thread, in the order the window itself sees the reports.
        QObject guard;
        int reports = 0;
        int completed = 0;
        QString openedPath;
        int openedResult = 1;
        connect(&w->eventLoop(), &MediaEventLoop::mediaEventUpdatePlayingTime, &guard, [&] {
            ++reports;
        });
        connect(&w->eventLoop(),
                &MediaEventLoop::mediaEventPlayControlCommandCompleted,
                &guard,
                [&] { ++completed; });
        connect(&w->eventLoop(),
                &MediaEventLoop::mediaEventOpened,
                &guard,
                [&](MediaContext *, QString path, int result) {
                    openedPath = path;
                    openedResult = result;
                });
        w->playList()->loadPlayList({m_folder->path()}, true);
        QRandomGenerator random(7);
        int disruptedWhileReporting = 0;
        for (int round = 0; round < 40; ++round) {
            // Each command goes out right after a report arrived, while the next ones are on
            // their way.
            const int before = reports;
            if (QTest::qWaitFor([&] { return reports > before; }, 3000))
                ++disruptedWhileReporting;
            switch (random.bounded(4)) {
            case 0:
                w->session()->play(files[random.bounded(files.size())]);
                break;
            case 1:
                w->eventLoop().postClose();
                w->session()->play(files[random.bounded(files.size())]);
                break;
            case 2:
                w->eventLoop().postPlayControl(PlayCommand::SeekAbsolute,
                                               random.bounded(0, 500000));
                break;
            default:
                w->eventLoop().postPlayControl(PlayCommand::SeekRelative, -300000);
                break;
            }
        }
        QVERIFY2(disruptedWhileReporting >= 20,
                 qPrintable(QString::number(disruptedWhileReporting)));
        // It settles: once the engine has worked off the storm, a pick plays with the GUI's
        // own copy of that recording's telemetry.
        const int done = completed;
        w->eventLoop().postPlayControl(PlayCommand::Resume, 0);
        QTRY_VERIFY_WITH_TIMEOUT(completed > done, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->mediaInfo().isOpened(), 20000);
        // Opens the storm left queued may still report first (a copy of a recording closed
        // since is empty): wait for this one's, 0.8 s of G-sensor readings at 10 a second.
        openedPath.clear();
        w->session()->play(files[2]);
        QTRY_COMPARE_WITH_TIMEOUT(openedPath, files[2], 20000);
        QCOMPARE(openedResult, 0);
        QCOMPARE(w->mediaInfo().currentPath(), files[2]);
        QTRY_COMPARE_WITH_TIMEOUT(w->telemetry().gsensorCount(), 8, 20000);
        QCOMPARE(w->telemetry().gpsCount(), 1);
        QCOMPARE(w->telemetry().gsensorRate(), 0.1);
    }

    void unopenableFileInTheMiddle_isSkipped()
    {
        const QString a
                = place(recording(QStringLiteral("first.mp4"),
                                  channels(1, QStringLiteral("160x90"))
                                          << QStringLiteral("--duration") << QStringLiteral("1")),
                        QStringLiteral("20240101_170000D.mp4"));
        const QString c
                = place(recording(QStringLiteral("third.mp4"),
                                  channels(2, QStringLiteral("160x90"))
                                          << QStringLiteral("--duration") << QStringLiteral("1")),
                        QStringLiteral("20240101_170200D.mp4"));
        // probes fine (one video stream), but no decoder knows its codec
        const QString b = m_folder->filePath(QStringLiteral("20240101_170100D.avi"));
        const ProcessResult made = runProcess(QStringLiteral("ffmpeg"),
                                              {QStringLiteral("-y"),
                                               QStringLiteral("-v"),
                                               QStringLiteral("error"),
                                               QStringLiteral("-f"),
                                               QStringLiteral("lavfi"),
                                               QStringLiteral("-i"),
                                               QStringLiteral("testsrc=size=160x90:rate=10"),
                                               QStringLiteral("-t"),
                                               QStringLiteral("1"),
                                               QStringLiteral("-c:v"),
                                               QStringLiteral("mpeg4"),
                                               b});
        QCOMPARE(made.exitCode, 0);
        QFile f(b);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray data = f.readAll();
        data.replace("FMP4", "ZZZZ");
        f.seek(0);
        f.write(data);
        f.close();

        MainWindow *w = window();
        QSignalSpy opened(&w->eventLoop(), &MediaEventLoop::mediaEventOpened);
        QSignalSpy listEnd(w->playList(), &PlayListWidget::endOfPlayingListReached);
        w->playList()->loadPlayList({m_folder->path()}, true);
        QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 3, 30000);
        QCOMPARE(opened.at(0).at(1).toString(), a);
        QCOMPARE(opened.at(0).at(2).toInt(), 0);
        QCOMPARE(opened.at(1).at(1).toString(), b);
        QVERIFY(opened.at(1).at(2).toInt() < 0);
        QCOMPARE(opened.at(2).at(1).toString(), c);
        QCOMPARE(opened.at(2).at(2).toInt(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(listEnd.count(), 1, 20000);
    }

    void brightnessClamps()
    {
        MainWindow *w = window();
        w->videoDisplay()->setBrightness(0);
        QCOMPARE(w->videoDisplay()->brightness(), 0.01);
        w->videoDisplay()->setBrightness(9);
        QCOMPARE(w->videoDisplay()->brightness(), 5.0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
