#include "logcapture.h"
#include "playlist/recordingkind.h"
#include "playlist/recordingname.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>
#include <QtTest>

namespace {

// Answers for the play list's context only, so the test sees which texts go through it.
class PlayListTranslator : public QTranslator
{
public:
    QString translate(const char *context,
                      const char *sourceText,
                      const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        if (qstrcmp(context, "PlayListWidget") != 0)
            return QString();
        if (qstrcmp(sourceText, "Driving") == 0)
            return QStringLiteral("Fahrt");
        if (qstrcmp(sourceText, "Unknown-") == 0)
            return QStringLiteral("Unbekannt-");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestRecordingName : public QObject
{
    Q_OBJECT

private slots:
    void parse_followsNameGrammar_data();
    void parse_followsNameGrammar();
    void parse_acceptsNullOutputs();
    void parse_clearsOutputsOnRejection();
    void typeTexts_areTranslatedInPlayListContext();
};

void TestRecordingName::parse_followsNameGrammar_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("log"); // expected debug line, empty for none

    const QString none;
    const auto listed = [](const char *name, const char *path, int kind, const char *type) {
        QTest::newRow(name) << QString::fromUtf8(path) << kind << QStringLiteral("2019-03-14")
                            << QStringLiteral("15:30:12") << QString::fromUtf8(type) << QString();
    };
    const auto rejected = [](const char *name, const QString &path, const char *log) {
        QTest::newRow(name) << path << int(RecordingKind::NotRecording) << QString() << QString()
                            << QString() << QString::fromUtf8(log);
    };

    // Kind letters: the eighth character wins when it decides, else the seventh.
    listed("driving", "20190314_153012D.mp4", RecordingKind::Driving, "Driving");
    listed("event", "20190314_153012E.mp4", RecordingKind::Event, "Event");
    listed("parking P", "20190314_153012P.mp4", RecordingKind::Parking, "Parking");
    listed("parking M", "20190314_153012M.mp4", RecordingKind::Parking, "Parking");
    listed("8th wins: NE_F upper-case suffix",
           "20190314_153012NE_F.MP4",
           RecordingKind::Event,
           "Event");
    listed("8th wins over deciding 7th",
           "20190314_153012PD.mp4",
           RecordingKind::Driving,
           "Driving");
    listed("8th wins: DP", "20190314_153012DP.avi", RecordingKind::Parking, "Parking");
    listed("8th undecided, 7th decides", "20190314_153012EX.mp4", RecordingKind::Event, "Event");
    listed("8th lower-case, 7th decides",
           "20190314_153012De.mp4",
           RecordingKind::Driving,
           "Driving");
    listed("digit 7th, 8th decides", "20190314_1530125M.mp4", RecordingKind::Parking, "Parking");
    listed("characters after 8th ignored",
           "20190314_153012NEXYZ.mp4",
           RecordingKind::Event,
           "Event");
    listed("unknown letter", "20190314_153012X.avi", RecordingKind::Unknown, "Unknown-X");
    listed("unknown N with undeciding 8th",
           "20190314_153012NX.mp4",
           RecordingKind::Unknown,
           "Unknown-N");
    listed("unknown digit", "20190314_1530125.mp4", RecordingKind::Unknown, "Unknown-5");
    listed("lower-case d is unknown", "20190314_153012d.mp4", RecordingKind::Unknown, "Unknown-d");
    listed("lower-case e in 8th, n in 7th",
           "20190314_153012ne.mp4",
           RecordingKind::Unknown,
           "Unknown-n");
    listed("suffix AVI upper-case", "20190314_153012D.AVI", RecordingKind::Driving, "Driving");
    listed("suffix Mp4 mixed case", "20190314_153012D.Mp4", RecordingKind::Driving, "Driving");
    listed("third and later pieces ignored",
           "20190314_153012D_F_R.mp4",
           RecordingKind::Driving,
           "Driving");
    listed("empty third piece", "20190314_153012D_.mp4", RecordingKind::Driving, "Driving");
    listed("dots in folder names do not count",
           "/media/card.v2/DRIVING.x/20190314_153012E.mp4",
           RecordingKind::Event,
           "Event");

    // Digits that are no calendar date or clock time still make a recording.
    QTest::newRow("no valid date or time")
            << QStringLiteral("20191340_256199D.mp4") << int(RecordingKind::Driving)
            << QStringLiteral("2019-13-40") << QStringLiteral("25:61:99")
            << QStringLiteral("Driving") << none;

    // Suffix: everything after the first dot of the file name.
    rejected("no seventh character", QStringLiteral("20190314_153012.mp4"), "wrong 2nd part");
    rejected("no underscore", QStringLiteral("20190314.mp4"), "");
    rejected("prefix before name",
             QStringLiteral("clip.20190314_153012D.mp4"),
             "not supported ext: 20190314_153012d.mp4");
    rejected("second suffix", QStringLiteral("20190314_153012D.b.mp4"), "not supported ext: b.mp4");
    rejected("backup suffix",
             QStringLiteral("20190314_153012D.mp4.bak"),
             "not supported ext: mp4.bak");
    rejected("other container", QStringLiteral("20190314_153012D.mkv"), "not supported ext: mkv");
    rejected("no dot", QStringLiteral("20190314_153012D"), "not supported ext: ");
    rejected("empty suffix", QStringLiteral("20190314_153012D."), "not supported ext: ");
    rejected("hidden file",
             QStringLiteral(".20190314_153012D.mp4"),
             "not supported ext: 20190314_153012d.mp4");

    // Piece 1: exactly eight ASCII digits.
    rejected("seven date digits", QStringLiteral("2019031_153012D.mp4"), "wrong 1st part");
    rejected("nine date digits", QStringLiteral("201903141_153012D.mp4"), "wrong 1st part");
    rejected("letter in date", QStringLiteral("2019031a_153012D.mp4"), "wrong 1st part");
    rejected("empty first piece", QStringLiteral("_20190314_153012D.mp4"), "wrong 1st part");
    rejected("newline after date", QStringLiteral("20190314\n_153012D.mp4"), "wrong 1st part");
    rejected("full-width digits",
             QString::fromUtf8("\xef\xbc\x92\xef\xbc\x90\xef\xbc\x91\xef\xbc\x99"
                               "0314_153012D.mp4"),
             "wrong 1st part");

    // Piece 2: six ASCII digits and one ASCII letter or digit at its start.
    rejected("five time digits", QStringLiteral("20190314_15301D.mp4"), "wrong 2nd part");
    rejected("empty second piece", QStringLiteral("20190314__153012D.mp4"), "wrong 2nd part");
    rejected("kind after underscore", QStringLiteral("20190314_153012_D.mp4"), "wrong 2nd part");
    rejected("punctuation as kind", QStringLiteral("20190314_153012-.mp4"), "wrong 2nd part");
    rejected("non-ASCII letter as kind",
             QString::fromUtf8("20190314_153012\xc3\x89.mp4"),
             "wrong 2nd part");
    rejected("letter in time", QStringLiteral("20190314_15301xD.mp4"), "wrong 2nd part");
}

void TestRecordingName::parse_followsNameGrammar()
{
    QFETCH(QString, path);
    QFETCH(int, kind);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QString, type);
    QFETCH(QString, log);

    QString gotDate = QStringLiteral("stale");
    QString gotTime = QStringLiteral("stale");
    QString gotType = QStringLiteral("stale");
    int gotKind = 0;
    QStringList lines;
    {
        LogCapture capture;
        gotKind = parseRecordingName(QFileInfo(path), &gotDate, &gotTime, &gotType);
        lines = capture.lines();
    }
    QCOMPARE(gotKind, kind);
    QCOMPARE(lines, log.isEmpty() ? QStringList() : QStringList {log});
    QCOMPARE(gotDate, date);
    QCOMPARE(gotTime, time);
    QCOMPARE(gotType, type);
}

void TestRecordingName::parse_acceptsNullOutputs()
{
    QCOMPARE(RecordingName::parse(
                     QFileInfo(QStringLiteral("20190314_153012P.mp4")), nullptr, nullptr, nullptr),
             RecordingKind::Parking);
    QString time;
    QCOMPARE(RecordingName::parse(
                     QFileInfo(QStringLiteral("20190314_153012E.avi")), nullptr, &time, nullptr),
             RecordingKind::Event);
    QCOMPARE(time, QStringLiteral("15:30:12"));
}

void TestRecordingName::parse_clearsOutputsOnRejection()
{
    QString date;
    QString time;
    QString type;
    QCOMPARE(parseRecordingName(
                     QFileInfo(QStringLiteral("20190314_153012D.mp4")), &date, &time, &type),
             RecordingKind::Driving);
    QCOMPARE(
            parseRecordingName(QFileInfo(QStringLiteral("20190314_1530.mp4")), &date, &time, &type),
            RecordingKind::NotRecording);
    QVERIFY(date.isEmpty());
    QVERIFY(time.isEmpty());
    QVERIFY(type.isEmpty());
}

void TestRecordingName::typeTexts_areTranslatedInPlayListContext()
{
    PlayListTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QString type;
    parseRecordingName(QFileInfo(QStringLiteral("20190314_153012D.mp4")), nullptr, nullptr, &type);
    QCOMPARE(type, QStringLiteral("Fahrt"));
    parseRecordingName(QFileInfo(QStringLiteral("20190314_153012Q.mp4")), nullptr, nullptr, &type);
    QCOMPARE(type, QStringLiteral("Unbekannt-Q"));
    // Texts the translator does not know stay as they are.
    parseRecordingName(QFileInfo(QStringLiteral("20190314_153012E.mp4")), nullptr, nullptr, &type);
    QCOMPARE(type, QStringLiteral("Event"));
    QCoreApplication::removeTranslator(&translator);
}

QTEST_GUILESS_MAIN(TestRecordingName)
#include "tst_recordingname.moc"
