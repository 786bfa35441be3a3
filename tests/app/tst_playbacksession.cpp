// The recording cycle without a window: real files, the real engine and the real converter.
// ctest-labels: engine
#include "app/playbacksession.h"
#include "media/mediacontext.h"
#include "media/mediaeventloop.h"
#include "media/mediainfo.h"
#include "playlist/trackexport.h"
#include "playlist/trip.h"
#include "playlist/tripgrouper.h"
#include "playlist/tripscanner.h"
#include "testrecordings.h"

#include <QFileInfo>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestPlaybackSession : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        MediaEventLoop loop;
        MediaInfo info;
        PlaybackSession session {&info, &loop};
        QSignalSpy busy {&session, &PlaybackSession::busyChanged};
        QSignalSpy next {&session, &PlaybackSession::nextRowRequested};
        QSignalSpy opened {&loop, &MediaEventLoop::mediaEventOpened};
        QSignalSpy closeReady {&session, &PlaybackSession::closeReady};

        Fixture()
        {
            // The player panel's part: every channel is shown once the recording plays.
            QObject::connect(&info,
                             &MediaInfo::mediaInfoStateChanged,
                             &session,
                             [this](MediaInfo *, MediaContext *, int, int state) {
                                 if (state == MediaInfo::Playing)
                                     loop.postSelectVideoStream(MediaInfo::AllChannels);
                             });
            loop.start();
        }
        ~Fixture()
        {
            // The window's way out: ask, and wait for the loop's end when it is asked to.
            if (!session.requestClose())
                QTRY_COMPARE_WITH_TIMEOUT(closeReady.count(), 1, 20000);
            loop.postFinish();
            loop.wait();
        }
    };

private slots:
    // The converter runs while the GUI thread goes on: play() returns with the repair under
    // way and nothing posted; the window may not close under it; the copy plays after it.
    void damagedRecording_isRepairedBesideTheEventLoop()
    {
        QTemporaryDir folder;
        const QString cut = TestRecordings::make(QStringLiteral("cut.avi"),
                                                 {QStringLiteral("--video"),
                                                  QStringLiteral("160x90"),
                                                  QStringLiteral("--duration"),
                                                  QStringLiteral("2"),
                                                  QStringLiteral("--damage"),
                                                  QStringLiteral("avi-no-index")});
        QVERIFY(!cut.isEmpty());
        const QString source = folder.filePath(QStringLiteral("20240101_130000D.avi"));
        QVERIFY(QFile::copy(cut, source));
        // The real converter, started a second late.
        const QString wrapper = folder.filePath(QStringLiteral("ffmpeg.sh"));
        QFile script(wrapper);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nsleep 1\nexec ffmpeg \"$@\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        Fixture f;
        f.info.setConverterProgram(wrapper);
        f.session.setRepairFolder(folder.filePath(QStringLiteral("repaired")));
        f.session.play(source);
        QVERIFY(f.session.isRepairing());
        QCOMPARE(f.busy.count(), 1);
        QCOMPARE(f.busy.at(0).at(0).toBool(), true);
        QVERIFY(!f.session.requestClose());
        QVERIFY(!f.session.isClosing());

        QTRY_COMPARE_WITH_TIMEOUT(f.info.state(), int(MediaInfo::Playing), 20000);
        const QString copy = folder.filePath(QStringLiteral("repaired/20240101_130000Dtmp.avi"));
        QCOMPARE(f.opened.count(), 1);
        QCOMPARE(f.opened.at(0).at(1).toString(), copy);
        QCOMPARE(f.info.tempFilePath(), copy);
        QCOMPARE(f.info.tempFileSource(), source);
        QCOMPARE(f.busy.count(), 2);
        QCOMPARE(f.busy.at(1).at(0).toBool(), false);
        QVERIFY(f.session.playingContext());
        QCOMPARE(f.session.playingPath(), copy);

        // Closing now waits for the loop, and the copy goes with it.
        QVERIFY(!f.session.requestClose());
        QVERIFY(f.session.isClosing());
        QTRY_COMPARE_WITH_TIMEOUT(f.closeReady.count(), 1, 20000);
        QCOMPARE(f.session.exitCode(), 0);
        QVERIFY(f.session.requestClose());
        QVERIFY(!QFile::exists(copy));
    }

    // A recording that plays to its end, or one the engine cannot open, hands over to the
    // play list's next row with its own path; one the probe refuses is reported instead.
    void recordingsHandOverToTheNextRow_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plays");
        QTest::addColumn<QString>("problem");
        const QString size = QStringLiteral("160x90");
        QTest::newRow("played to its end") << QStringList {QStringLiteral("--video"),
                                                           size,
                                                           QStringLiteral("--duration"),
                                                           QStringLiteral("1")}
                                           << "20240101_140000D.mp4" << true << QString();
        QTest::newRow("more channels than a camera has")
                << QStringList {QStringLiteral("--video"),
                                size,
                                QStringLiteral("--video"),
                                size,
                                QStringLiteral("--video"),
                                size}
                << "20240101_140100D.mp4" << false << QStringLiteral("Invalid File");
    }

    void recordingsHandOverToTheNextRow()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, name);
        QFETCH(bool, plays);
        QFETCH(QString, problem);
        const QString path = TestRecordings::make(name, options);
        QVERIFY(!path.isEmpty());

        Fixture f;
        QSignalSpy problems(&f.session, &PlaybackSession::problem);
        QSignalSpy contexts(&f.session, &PlaybackSession::playingContextChanged);
        QSignalSpy positions(&f.session, &PlaybackSession::positionChanged);
        f.session.play(path);
        if (!plays) {
            QCOMPARE(problems.count(), 1);
            QCOMPARE(problems.at(0).at(0).toString(), problem);
            QCOMPARE(f.busy.count(), 0);
            QCOMPARE(f.opened.count(), 0);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(f.next.count(), 1, 20000);
        QCOMPARE(f.next.at(0).at(0).toString(), path);
        QCOMPARE(f.info.state(), int(MediaInfo::Stopped));
        QCOMPARE(problems.count(), 0);
        // Reported open, then closed; positions came in between and went up.
        QCOMPARE(contexts.count(), 2);
        QVERIFY(contexts.at(0).at(0).value<MediaContext *>());
        QVERIFY(!contexts.at(1).at(0).value<MediaContext *>());
        QVERIFY(!f.session.playingContext());
        QVERIFY(positions.count() >= 2);
        QVERIFY(positions.last().at(0).toDouble() > positions.first().at(0).toDouble());
    }

    // A trip plays as one recording: one open and one close for all its files, one time axis
    // (the positions run past the first file's end), the joined telemetry, the file of a
    // moment; a damaged file inside it is left out with the message naming it.
    void trip_playsItsFilesAsOneRecording()
    {
        const QStringList options {QStringLiteral("--video"),
                                   QStringLiteral("160x90"),
                                   QStringLiteral("--audio"),
                                   QStringLiteral("--telemetry"),
                                   QStringLiteral("tlmd"),
                                   QStringLiteral("--duration"),
                                   QStringLiteral("2")};
        QVector<TripRecording> rows;
        const char *const names[]
                = {"20240102_100000D.mp4", "20240102_100002D.mp4", "20240102_100004D.mp4"};
        for (int i = 0; i < 3; ++i) {
            QStringList fileOptions = options;
            fileOptions << QStringLiteral("--seed") << QString::number(i);
            if (i == 1)
                fileOptions << QStringLiteral("--damage") << QStringLiteral("mp4-no-moov");
            const QString path = TestRecordings::make(QLatin1String(names[i]), fileOptions);
            QVERIFY(!path.isEmpty());
            PlayListEntry entry;
            entry.path = path;
            entry.date = QStringLiteral("2024-01-02");
            entry.time = QStringLiteral("10:00:0%1").arg(2 * i);
            entry.kind = RecordingKind::Driving;
            rows << TripScanner::inspect(entry);
        }
        const QVector<Trip> trips = TripGrouper::group(rows, {});
        QCOMPARE(trips.size(), 1);
        const TripTimeline timeline = trips.first().timeline();
        QCOMPARE(timeline.count(), 2);
        TelemetryTrack first;
        QCOMPARE(TrackExport::load(rows.first().entry.path, &first), 0);
        QVERIFY(first.gpsCount() > 0);

        Fixture f;
        QSignalSpy problems(&f.session, &PlaybackSession::problem);
        QSignalSpy contexts(&f.session, &PlaybackSession::playingContextChanged);
        QSignalSpy positions(&f.session, &PlaybackSession::positionChanged);
        f.session.playTrip(trips.first());
        QCOMPARE(problems.count(), 1);
        QVERIFY(problems.at(0).at(0).toString().contains(QLatin1String(names[1])));
        QTRY_COMPARE_WITH_TIMEOUT(f.info.state(), int(MediaInfo::Playing), 20000);
        QCOMPARE(f.info.duration(), 4.0);
        QCOMPARE(f.session.telemetry().gpsCount(), 2 * first.gpsCount());
        double fileSeconds = -1;
        QCOMPARE(f.session.recordingAt(3.0, &fileSeconds), rows.at(2).entry.path);
        QCOMPARE(fileSeconds, 1.0);
        QCOMPARE(f.session.recordingAt(0.5), rows.at(0).entry.path);

        QTRY_COMPARE_WITH_TIMEOUT(f.next.count(), 1, 20000);
        QVERIFY(TripTimeline::isConcatList(f.next.at(0).at(0).toString()));
        QCOMPARE(contexts.count(), 2); // one open, one close
        double last = 0;
        for (const QList<QVariant> &position : positions)
            last = std::max(last, position.at(0).toDouble());
        QVERIFY2(last > 3.0, qPrintable(QString::number(last)));
    }
};

QTEST_GUILESS_MAIN(TestPlaybackSession)
#include "tst_playbacksession.moc"
