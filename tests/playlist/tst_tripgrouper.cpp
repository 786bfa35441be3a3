// Which recordings make one trip, and where the event recordings fall on it.
#include "playlist/recordingkind.h"
#include "playlist/tripgrouper.h"

#include <QFileInfo>
#include <QtTest>

namespace {

const QDate Day(2024, 3, 14);

// "HH:mm:ss SECONDS LAYOUT KIND": a recording of that day; SECONDS 0 and LAYOUT "-" for one
// that cannot be opened, "bad" for a name whose time is no time.
TripRecording recording(const QString &text, int index)
{
    const QStringList f = text.split(QLatin1Char(' '));
    TripRecording row;
    row.entry.path = QStringLiteral("/card/%1.mp4").arg(index);
    row.entry.kind = f.value(3) == QLatin1String("P") ? RecordingKind::Parking
            : f.value(3) == QLatin1String("E")        ? RecordingKind::Event
                                                      : RecordingKind::Driving;
    if (f.value(0) != QLatin1String("bad"))
        row.start = QDateTime(
                Day, QTime::fromString(f.value(0), QStringLiteral("HH:mm:ss")), Qt::UTC);
    row.durationUs = qRound64(f.value(1).toDouble() * 1e6);
    if (f.value(2) != QLatin1String("-"))
        row.layout = f.value(2);
    return row;
}

QVector<TripRecording> recordings(const QStringList &texts, int firstIndex)
{
    QVector<TripRecording> rows;
    for (int i = 0; i < texts.size(); ++i)
        rows.append(recording(texts[i], firstIndex + i));
    return rows;
}

} // namespace

class TestTripGrouper : public QObject
{
    Q_OBJECT

private slots:
    void group_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("events"); // start times
        QTest::addColumn<QStringList>("trips"); // row numbers "@" end
        QTest::addColumn<QStringList>("marks"); // trip number ":" seconds on its timeline

        const QString a = QStringLiteral(" 60 A D");
        QTest::newRow("consecutive")
                << QStringList {"15:30:00" + a, "15:31:00" + a, "15:32:00" + a} << QStringList()
                << QStringList {"0 1 2 @15:33:00"} << QStringList();
        QTest::newRow("single") << QStringList {"15:30:00" + a} << QStringList()
                                << QStringList {"0 @15:31:00"} << QStringList();
        QTest::newRow("names rounded down")
                << QStringList {"15:30:00 60.9 A D", "15:31:00 60.9 A D"} << QStringList()
                << QStringList {"0 1 @15:32:00"} << QStringList();
        QTest::newRow("missing minute")
                << QStringList {"15:30:00" + a, "15:31:00" + a, "15:33:00" + a} << QStringList()
                << QStringList {"0 1 @15:32:00", "2 @15:34:00"} << QStringList();
        QTest::newRow("gap at tolerance")
                << QStringList {"15:30:00" + a, "15:31:05" + a} << QStringList()
                << QStringList {"0 1 @15:32:05"} << QStringList();
        QTest::newRow("gap over tolerance")
                << QStringList {"15:30:00" + a, "15:31:06" + a} << QStringList()
                << QStringList {"0 @15:31:00", "1 @15:32:06"} << QStringList();
        QTest::newRow("short file, gap over tolerance")
                << QStringList {"15:30:00 54.5 A D", "15:31:00" + a} << QStringList()
                << QStringList {"0 @15:30:54", "1 @15:32:00"} << QStringList();
        QTest::newRow("same start is no successor")
                << QStringList {"15:30:00" + a, "15:30:00" + a} << QStringList()
                << QStringList {"0 @15:31:00", "1 @15:31:00"} << QStringList();
        // Marked on the timeline: the first file is 59 s long, so 15:32:10 plays at 59+60+10.
        QTest::newRow("events inside and outside")
                << QStringList {"15:30:00 59 A D", "15:31:00" + a, "15:32:00" + a}
                << QStringList {"15:32:10", "15:29:59", "15:33:00", "15:40:00"}
                << QStringList {"0 1 2 @15:33:00"} << QStringList {"0:129", "0:179"};
        QTest::newRow("event on the second trip")
                << QStringList {"15:30:00" + a, "15:40:00" + a} << QStringList {"15:40:30"}
                << QStringList {"0 @15:31:00", "1 @15:41:00"} << QStringList {"1:30"};
        QTest::newRow("layouts split")
                << QStringList {"15:30:00" + a, "15:31:00 60 B D"} << QStringList()
                << QStringList {"0 @15:31:00", "1 @15:32:00"} << QStringList();
        QTest::newRow("one file per channel")
                << QStringList {"15:30:00" + a,
                                "15:30:00 60 B D",
                                "15:31:00" + a,
                                "15:31:00 60 B D"}
                << QStringList() << QStringList {"0 2 @15:32:00", "1 3 @15:32:00"} << QStringList();
        QTest::newRow("kinds split")
                << QStringList {"15:30:00" + a, "15:31:00 60 A P"} << QStringList()
                << QStringList {"0 @15:31:00", "1 @15:32:00"} << QStringList();
        // The unplayable file counts as long as its neighbour; an event in it is marked where
        // it would play.
        QTest::newRow("unplayable inside")
                << QStringList {"15:30:00 50 A D", "15:30:50 0 - D", "15:31:40 50 A D"}
                << QStringList {"15:31:00", "15:31:45"} << QStringList {"0 1 2 @15:32:30"}
                << QStringList {"0:50", "0:55"};
        QTest::newRow("unplayable last")
                << QStringList {"15:30:00" + a, "15:31:00 0 - D"} << QStringList()
                << QStringList {"0 1 @15:32:00"} << QStringList();
        QTest::newRow("unplayable first, length from the next")
                << QStringList {"15:30:00 0 - D", "15:30:30 30 A D"} << QStringList()
                << QStringList {"0 1 @15:31:00"} << QStringList();
        QTest::newRow("unplayable only") << QStringList {"15:30:00 0 - D", "15:31:00 0 - D"}
                                         << QStringList() << QStringList() << QStringList();
        QTest::newRow("unplayable alone after a gap")
                << QStringList {"15:30:00" + a, "15:35:00 0 - D"} << QStringList()
                << QStringList {"0 @15:31:00"} << QStringList();
        QTest::newRow("invalid times")
                << QStringList {"15:30:00" + a, "bad" + a, "bad" + a, "bad 0 - D"}
                << QStringList {"bad"} << QStringList {"0 @15:31:00", "1 @-", "2 @-"}
                << QStringList();
    }

    void group()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, events);
        QFETCH(QStringList, trips);
        QFETCH(QStringList, marks);

        QStringList eventRows;
        for (const QString &start : events)
            eventRows << start + QStringLiteral(" 60 A E");
        const QVector<TripRecording> input = recordings(rows, 0);
        const QVector<TripRecording> eventInput = recordings(eventRows, 100);
        const QVector<Trip> result = TripGrouper::group(input, eventInput);

        QStringList formed;
        QStringList marked;
        for (int t = 0; t < result.size(); ++t) {
            const Trip &trip = result[t];
            QStringList numbers;
            for (const TripRecording &r : trip.recordings)
                numbers << QFileInfo(r.entry.path).baseName();
            formed << numbers.join(QLatin1Char(' ')) + QStringLiteral(" @")
                            + (trip.end.isValid() ? trip.end.toString(QStringLiteral("HH:mm:ss"))
                                                  : QStringLiteral("-"));
            QCOMPARE(trip.kind, trip.recordings.first().entry.kind);
            QCOMPARE(trip.start, trip.recordings.first().start);
            for (const TripEvent &event : trip.events) {
                marked << QStringLiteral("%1:%2").arg(t).arg(event.seconds);
                QVERIFY(event.seconds <= trip.durationSeconds());
            }
        }
        QCOMPARE(formed, trips);
        QCOMPARE(marked, marks);
    }
};

QTEST_GUILESS_MAIN(TestTripGrouper)
#include "tst_tripgrouper.moc"
