// ctest-labels: engine
// vistrel-tool frame: one picture of one channel through the playback engine, read back by its
// frame code.
#include "testpaths.h"
#include "testrecordings.h"
#include "tools/framecode/framecode.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

class TestFrameCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void savesTheAskedPicture_data();
    void savesTheAskedPicture();
    void refusesBadRequests_data();
    void refusesBadRequests();

private:
    QString m_two; // 2 s, 320x180 (key frame every 10) + 160x90
    QString m_wide; // 1 s, 1600x900
    QTemporaryDir m_dir;
};

void TestFrameCommand::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_two = TestRecordings::make(
            QStringLiteral("framecmd.mp4"),
            {"--video", "320x180,gop=10", "--video", "160x90", "--duration", "2"});
    QVERIFY(!m_two.isEmpty());
    m_wide = TestRecordings::make(QStringLiteral("framecmdwide.mp4"),
                                  {"--video", "1600x900", "--duration", "1"});
    QVERIFY(!m_wide.isEmpty());
}

void TestFrameCommand::savesTheAskedPicture_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("stream");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QSize>("size");
    QTest::newRow("front frame 0")
            << "two" << QStringList {"--number", "0"} << 0 << 0 << 1 << QSize(320, 180);
    QTest::newRow("rear frame 13") << "two" << QStringList {"--channel", "rear", "--number", "13"}
                                   << 1 << 13 << 2 << QSize(160, 90);
    QTest::newRow("stream index 0, frame 59")
            << "two" << QStringList {"--channel", "0", "--number", "59"} << 0 << 59 << 1
            << QSize(320, 180);
    QTest::newRow("time 1.5 s lands on key frame 40")
            << "two" << QStringList {"--time", "1.5"} << 0 << 40 << 1 << QSize(320, 180);
    QTest::newRow("time scaled for a 1000 px view")
            << "wide" << QStringList {"--time", "0", "--width", "1000"} << 0 << 0 << 1
            << QSize(1280, 720);
}

void TestFrameCommand::savesTheAskedPicture()
{
    QFETCH(QString, file);
    QFETCH(QStringList, options);
    QFETCH(int, stream);
    QFETCH(int, number);
    QFETCH(int, channel);
    QFETCH(QSize, size);
    const QString out = m_dir.filePath(QStringLiteral("%1.png").arg(QTest::currentDataTag()));
    QStringList args {"frame", file == "two" ? m_two : m_wide};
    args << options << "--out" << out;
    const ProcessResult r = runProcess(TestPaths::tool(), args, 60000);
    QVERIFY2(r.finished && r.exitCode == 0, r.err.right(2000).constData());
    const QJsonObject json = QJsonDocument::fromJson(r.out).object();
    QCOMPARE(json.value("stream").toInt(), stream);
    QCOMPARE(json.value("number").toInt(), number);
    QCOMPARE(json.value("width").toInt(), size.width());
    QCOMPARE(json.value("height").toInt(), size.height());
    QCOMPARE(json.value("path").toString(), out);
    QVERIFY(qAbs(json.value("pts").toDouble() - number / 30.0) < 1e-6);

    QImage image(out);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), size);
    image = image.convertToFormat(QImage::Format_RGB888);
    int readNumber = -1;
    int readChannel = -1;
    QVERIFY(FrameCode::read(image.constBits(),
                            image.width(),
                            image.height(),
                            static_cast<int>(image.bytesPerLine()),
                            FrameCode::Layout::Rgb24,
                            &readNumber,
                            &readChannel));
    QCOMPARE(readNumber, number);
    QCOMPARE(readChannel, channel);
}

void TestFrameCommand::refusesBadRequests_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file")
            << QStringList {"frame", "/nonexistent.mp4", "--number", "1", "--out", "x.png"}
            << "cannot open";
    QTest::newRow("no picture path") << QStringList {"frame", "TWO", "--number", "1"} << "--out";
    QTest::newRow("both number and time")
            << QStringList {"frame", "TWO", "--number", "1", "--time", "1", "--out", "x.png"}
            << "either";
    QTest::newRow("no inner channel")
            << QStringList {"frame", "TWO", "--channel", "inner", "--number", "1", "--out", "x.png"}
            << "no inner channel";
    QTest::newRow("unknown channel")
            << QStringList {"frame", "TWO", "--channel", "side", "--number", "1", "--out", "x.png"}
            << "unknown channel";
    QTest::newRow("frame past the end")
            << QStringList {"frame", "TWO", "--number", "5000", "--out", "x.png"} << "not found";
}

void TestFrameCommand::refusesBadRequests()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    for (QString &arg : args) {
        if (arg == "TWO")
            arg = m_two;
        else if (arg == "x.png")
            arg = m_dir.filePath("refused.png");
    }
    const ProcessResult r = runProcess(TestPaths::tool(), args, 60000);
    QVERIFY(r.finished);
    QVERIFY(r.exitCode != 0);
    QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.right(1000).constData());
    QVERIFY(!QFile::exists(m_dir.filePath("refused.png")));
}

QTEST_GUILESS_MAIN(TestFrameCommand)
#include "tst_framecommand.moc"
