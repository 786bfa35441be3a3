// The converter runner against stand-in programs (shell scripts that write a real recording as
// their output and then fail in one way each) and the real ffmpeg program.
#include "media/converterrunner.h"
#include "testpaths.h"
#include "testrecordings.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// Writes an executable shell script whose last argument is the output path ("$out").
QString writeScript(const QTemporaryDir &dir, const QString &name, const QByteArray &body)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write("#!/bin/sh\nfor out; do :; done\n" + body + "\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

class TestConverterRunner : public QObject
{
    Q_OBJECT

    // A two-channel recording for the stand-ins to hand back as their output ($SAMPLE).
    QString m_sample;

private slots:
    void initTestCase()
    {
        m_sample = TestRecordings::make(QStringLiteral("runner.avi"),
                                        {QStringLiteral("--video"),
                                         QStringLiteral("160x90"),
                                         QStringLiteral("--video"),
                                         QStringLiteral("160x90"),
                                         QStringLiteral("--duration"),
                                         QStringLiteral("1")});
        QVERIFY(!m_sample.isEmpty());
        qputenv("SAMPLE", QFile::encodeName(m_sample));
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("script"); // empty: the program does not exist
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("timedOut");
        QTest::addColumn<bool>("crashed");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<int>("exitCode");

        const QByteArray copy = "cp \"$SAMPLE\" \"$out\"\n";
        QTest::newRow("program missing")
                << QByteArray() << false << false << false << false << false << -1;
        QTest::newRow("non-zero exit") << copy + "echo 'Conversion failed!' >&2\nexit 3" << false
                                       << true << false << false << false << 3;
        QTest::newRow("crash") << copy + "kill -SEGV $$" << false << true << false << true << false
                               << -1;
        QTest::newRow("timeout") << copy + "exec sleep 30" << false << true << true << false
                                 << false << -1;
        QTest::newRow("cancelled")
                << copy + "exec sleep 30" << true << true << false << false << true << -1;
        QTest::newRow("output without video packets")
                << QByteArray("ffmpeg -v error -y -f lavfi -i sine=d=1 -c:a pcm_s16le -f avi "
                              "\"$out\"")
                << false << true << false << false << false << 0;
    }

    // Every way a run can fail is reported as a failure, and what the run wrote is gone.
    void failures()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, cancel);
        QFETCH(bool, started);
        QFETCH(bool, timedOut);
        QFETCH(bool, crashed);
        QFETCH(bool, cancelled);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("out.avi"));

        ConverterRunner runner;
        runner.setProgram(script.isEmpty() ? dir.filePath(QStringLiteral("no-such-program"))
                                           : writeScript(dir, QStringLiteral("conv.sh"), script));
        runner.setTimeoutMs(cancel ? 0 : 1000);
        QSignalSpy finished(&runner, &ConverterRunner::finished);
        // The wait keeps the thread's events flowing.
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] {
            ++ticks;
            if (cancel && QFile::exists(output))
                runner.cancel();
        });
        ticker.start(10);
        const ConverterRunner::Result result
                = runner.run({QStringLiteral("-i"), m_sample, output}, output);

        QVERIFY(!result.ok());
        QCOMPARE(result.started, started);
        QCOMPARE(result.timedOut, timedOut);
        QCOMPARE(result.crashed, crashed);
        QCOMPARE(result.cancelled, cancelled);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.videoPackets, qint64(0));
        QVERIFY(!QFile::exists(output));
        QVERIFY(!runner.isRunning());
        QCOMPARE(finished.count(), 1);
        if (timedOut)
            QVERIFY(ticks > 0);
        if (exitCode == 3)
            QVERIFY(result.errorText.contains(QStringLiteral("Conversion failed!")));
    }

    // A file that was there before a run that never started is not the run's to remove.
    void failedStart_leavesAnEarlierFileAlone()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("kept.avi"));
        QFile earlier(output);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier export");
        earlier.close();
        ConverterRunner runner;
        runner.setProgram(dir.filePath(QStringLiteral("no-such-program")));
        QVERIFY(!runner.run({output}, output).ok());
        QVERIFY(QFile::exists(output));
    }

    // A good run hands out its output line by line (progress lines end in a carriage return),
    // keeps the tail of it, and counts the video packets of what it wrote.
    void success_countsPacketsAndSplitsLines()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("out.avi"));
        ConverterRunner runner;
        runner.setProgram(writeScript(dir,
                                      QStringLiteral("conv.sh"),
                                      "printf 'frame=1\\rframe=2\\r\\n' >&2\n"
                                      "head -c 70000 /dev/zero | tr '\\0' x\n"
                                      "printf '\\nlast words'\n"
                                      "cp \"$SAMPLE\" \"$out\""));
        QStringList lines;
        connect(&runner, &ConverterRunner::outputLine, [&](const QString &line) { lines << line; });
        const ConverterRunner::Result result = runner.run({m_sample, output}, output);
        QVERIFY2(result.ok(), qPrintable(result.summary()));
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.videoPackets,
                 qint64(TestRecordings::probedVideoPackets(m_sample, 0)
                        + TestRecordings::probedVideoPackets(m_sample, 1)));
        QVERIFY(QFile::exists(output));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(0), QStringLiteral("frame=1"));
        QCOMPARE(lines.at(1), QStringLiteral("frame=2"));
        QCOMPARE(lines.at(3), QStringLiteral("last words"));
        QCOMPARE(result.errorText.size(), ConverterRunner::kMaxErrorText);
        QVERIFY(result.errorText.endsWith(QStringLiteral("x\nlast words")));
    }

    void videoPacketCounts_matchFfprobePerChannel()
    {
        const QString file = TestRecordings::make(QStringLiteral("counts.avi"),
                                                  {QStringLiteral("--video"),
                                                   QStringLiteral("160x90"),
                                                   QStringLiteral("--video"),
                                                   QStringLiteral("160x90,fps=15"),
                                                   QStringLiteral("--audio"),
                                                   QStringLiteral("--duration"),
                                                   QStringLiteral("2")});
        QVERIFY(!file.isEmpty());
        const QVector<qint64> counts = ConverterRunner::videoPacketCounts(file);
        QCOMPARE(counts.size(), 2);
        QCOMPARE(counts.at(0), qint64(TestRecordings::probedVideoPackets(file, 0)));
        QCOMPARE(counts.at(1), qint64(TestRecordings::probedVideoPackets(file, 1)));
        QVERIFY(counts.at(0) > counts.at(1));
        QVERIFY(ConverterRunner::videoPacketCounts(file + QStringLiteral(".missing")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestConverterRunner)
#include "tst_converterrunner.moc"
