// What the save dialog's clip mode offers and asks for: availability by the marks, the
// channels chosen, the span handed to the converter and the times shown.
#include "media/clipexportchoice.h"

#include <QtTest>

#include <limits>

using Channels = QVector<ExportPlan::Channel>;
Q_DECLARE_METATYPE(Channels)

class TestClipExportChoice : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<double>("in");
        QTest::addColumn<double>("out");
        QTest::addColumn<Channels>("has"); // the recording's channels
        QTest::addColumn<Channels>("asked"); // the boxes checked
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("canSave");
        QTest::addColumn<Channels>("spanChannels"); // empty: every one

        const QStringList one {QStringLiteral("/r/a.mp4")};
        const ExportPlan::Channel f = ExportPlan::Front, r = ExportPlan::Rear,
                                  i = ExportPlan::Interior;
        QTest::newRow("both marks, every channel")
                << one << 2.5 << 4.5 << Channels {r, f} << Channels {f, r} << true << true
                << Channels {};
        QTest::newRow("one channel of three, asked twice and out of order")
                << one << 0.0 << 1.0 << Channels {f, r, i} << Channels {i, i} << true << true
                << Channels {i};
        QTest::newRow("a channel the recording lacks is not asked for")
                << one << 0.0 << 1.0 << Channels {f} << Channels {r} << true << false
                << Channels {};
        QTest::newRow("no channel checked") << one << 1.0 << 2.0 << Channels {f, r} << Channels {}
                                            << true << false << Channels {};
        QTest::newRow("no in mark") << one << -1.0 << 2.0 << Channels {f} << Channels {f} << false
                                    << false << Channels {};
        QTest::newRow("no out mark") << one << 1.0 << -1.0 << Channels {f} << Channels {f} << false
                                     << false << Channels {};
        QTest::newRow("out before in") << one << 3.0 << 2.0 << Channels {f} << Channels {f} << false
                                       << false << Channels {};
        QTest::newRow("nothing playing") << QStringList() << 1.0 << 2.0 << Channels {f}
                                         << Channels {f} << false << false << Channels {};
        QTest::newRow("a surround recording has no camera channel")
                << one << 1.0 << 2.0 << Channels {ExportPlan::Whole} << Channels {} << false
                << false << Channels {};
    }

    void choice()
    {
        QFETCH(QStringList, inputs);
        QFETCH(double, in);
        QFETCH(double, out);
        QFETCH(Channels, has);
        QFETCH(Channels, asked);
        QFETCH(bool, available);
        QFETCH(bool, canSave);
        QFETCH(Channels, spanChannels);

        ClipExportChoice choice(inputs, in, out, has);
        QCOMPARE(choice.isAvailable(), available);
        choice.setChannels(asked);
        choice.setExact(true);
        QCOMPARE(choice.canSave(), canSave);
        QCOMPARE(choice.length(), available ? out - in : 0.0);
        if (!canSave)
            return;
        const ExportPlan::Span span = choice.span();
        QCOMPARE(span.from, in);
        QCOMPARE(span.to, out);
        QVERIFY(span.exact);
        QCOMPARE(span.channels, spanChannels);
        QCOMPARE(choice.inputs(), inputs);
    }

    void timeText_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << QStringLiteral("00:00.0");
        QTest::newRow("tenths round") << 72.25 << QStringLiteral("01:12.3");
        QTest::newRow("up into the next minute") << 59.96 << QStringLiteral("01:00.0");
        QTest::newRow("a trip of more than an hour") << 3723.4 << QStringLiteral("62:03.4");
        QTest::newRow("negative") << -3.0 << QStringLiteral("00:00.0");
        QTest::newRow("not a number")
                << std::numeric_limits<double>::quiet_NaN() << QStringLiteral("00:00.0");
    }

    void timeText()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(ClipExportChoice::timeText(seconds), text);
    }
};

QTEST_GUILESS_MAIN(TestClipExportChoice)
#include "tst_clipexportchoice.moc"
