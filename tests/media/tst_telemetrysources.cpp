// Telemetry in other cameras' layouts: the parsers of NMEA text, GPX, freeGPS blocks, GPMF and
// positions in subtitle cues fed hand-built input (well-formed, malformed and cut short), and
// NMEA and GPX files beside generated recordings, lined up by the recording's start in this
// machine's time zone.
#include "media/freegpsblock.h"
#include "media/gpmfparser.h"
#include "media/gpxtrack.h"
#include "media/nmeatext.h"
#include "media/telemetryparser.h"
#include "media/telemetrytrack.h"
#include "media/texttrackcue.h"
#include "media/timedtelemetry.h"
#include "media/triptimeline.h"
#include "testpaths.h"
#include "testrecordings.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <ctime>

namespace {

const QByteArray Rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A*6A";
const QByteArray RmcLater = "$GPRMC,123520,A,4807.040,N,01131.002,E,022.6,084.4,230394,003.1,W,A";
const QByteArray Gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
const QByteArray GgaNoFix = "$GPGGA,123519,4807.038,N,01131.000,E,0,00,,,M,,M,,";
constexpr double ExampleLatitude = 48.1173;
constexpr double ExampleLongitude = 11.516666667;

QByteArray bigEndian(qint64 value, int bytes)
{
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((quint64(value) >> (8 * i)) & 0xFF));
    return out;
}

QByteArray littleEndian(quint32 value)
{
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
    return out;
}

QByteArray littleFloat(float value)
{
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return littleEndian(bits);
}

// A "free"/"GPS " atom with its fix record at offset (from the atom's start).
QByteArray freeBlock(int offset, const char refs[4], quint32 month, float lat, float lon)
{
    QByteArray block = bigEndian(0, 4) + "freeGPS " + littleEndian(76);
    block += QByteArray(offset - block.size(), '\0');
    for (quint32 v : {12u, 35u, 19u, 24u, month, 14u})
        block += littleEndian(v);
    block += QByteArray(refs, 4);
    block += littleFloat(lat) + littleFloat(lon) + littleFloat(22.4f) + littleFloat(84.4f);
    block.replace(0, 4, bigEndian(block.size(), 4));
    return block;
}

QByteArray klv(const char *key, char type, int size, int repeat, const QByteArray &data)
{
    QByteArray item = QByteArray(key, 4) + type + char(size) + bigEndian(repeat, 2) + data;
    while (item.size() % 4)
        item.append('\0');
    return item;
}

QByteArray nested(const char *key, const QByteArray &items)
{
    return klv(key, 0, 1, items.size(), items);
}

QByteArray int32s(std::initializer_list<qint64> values)
{
    QByteArray out;
    for (qint64 v : values)
        out += bigEndian(v, 4);
    return out;
}

// GPS5 of one fix at 48.1173, 11.5166667, 10 m/s, with the scales cameras write.
QByteArray gps5Stream(int fix)
{
    return klv("GPSF", 'L', 4, 1, int32s({fix}))
            + klv("SCAL", 'l', 4, 5, int32s({10000000, 10000000, 1000, 1000, 100}))
            + klv("GPS5",
                  'l',
                  20,
                  2,
                  int32s({481173000,
                          115166667,
                          5000,
                          10000,
                          1000,
                          481174000,
                          115167667,
                          5000,
                          20000,
                          2000}));
}

void setTimeZone(const QByteArray &zone)
{
    qputenv("TZ", zone);
    tzset();
}

} // namespace

class TestTelemetrySources : public QObject
{
    Q_OBJECT

private slots:
    void nmeaText_data();
    void nmeaText();
    void freeGpsBlock_data();
    void freeGpsBlock();
    void gpmf_data();
    void gpmf();
    void textCue_data();
    void textCue();
    void gpx_data();
    void gpx();
    void fromTimed_linesSamplesUpWithTheRecording();
    void joined_takesEveryFilesOwnSamples();

    void sidecar_data();
    void sidecar();

    void cleanup() { setTimeZone(m_zone); }

private:
    QTemporaryDir m_dir;
    QByteArray m_zone = qgetenv("TZ");
};

void TestTelemetrySources::nmeaText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("timing"); // NmeaText::Timing of the fixes, no start known
    QTest::addColumn<bool>("valid"); // of the first fix
    QTest::addColumn<qint64>("stamp"); // of the first fix

    const int stamps = int(NmeaText::Timing::Stamps);
    const int utc = int(NmeaText::Timing::UtcFromFirst);
    QTest::newRow("stamped lines") << "1000 " + Rmc + "\r\n2000 " + RmcLater + "\r\n"
                                   << 2 << stamps << true << qint64(1000);
    QTest::newRow("stamps in brackets")
            << "[1000]" + Rmc + "\n[2000]" + RmcLater << 2 << stamps << true << qint64(1000);
    QTest::newRow("stamps before a comma")
            << "1000," + Rmc + "\r" + "2000," + RmcLater << 2 << stamps << true << qint64(1000);
    QTest::newRow("one line without a stamp")
            << "1000 " + Rmc + "\n" + RmcLater << 2 << utc << true << qint64(1000);
    QTest::newRow("a stamp with letters is none")
            << "10a0 " + Rmc << 1 << utc << true << qint64(-1);
    QTest::newRow("glued on one line") << Rmc + Gga + RmcLater << 2 << utc << true << qint64(-1);
    QTest::newRow("GGA only") << Gga + "\n" + GgaNoFix << 2 << utc << true << qint64(-1);
    QTest::newRow("GGA without a fix") << GgaNoFix << 1 << utc << false << qint64(-1);
    QTest::newRow("RMC beats GGA") << Gga + "\n" + Rmc << 1 << utc << true << qint64(-1);
    QTest::newRow("cut in the coordinates")
            << Rmc.left(30) << 0 << int(NmeaText::Timing::Even) << false << qint64(-1);
    QTest::newRow("no sentences") << QByteArray("hello\r\n$\r\n$$,,\n") << 0
                                  << int(NmeaText::Timing::Even) << false << qint64(-1);
}

void TestTelemetrySources::nmeaText()
{
    QFETCH(QByteArray, text);
    QFETCH(int, count);
    QFETCH(int, timing);
    QFETCH(bool, valid);
    QFETCH(qint64, stamp);

    // A copy without room behind it, so a read past the end shows under the sanitizers.
    const QByteArray exact(text.constData(), text.size());
    const QVector<NmeaText::Fix> fixes = NmeaText::parse(exact.constData(), exact.size(), 100);
    QCOMPARE(fixes.size(), count);
    QCOMPARE(int(NmeaText::timingFor(fixes, -1)), timing);
    if (count == 0)
        return;
    QCOMPARE(fixes.first().sample.valid, valid);
    QVERIFY(std::fabs(fixes.first().sample.latitude - ExampleLatitude) < 1e-6);
    QVERIFY(std::fabs(fixes.first().sample.longitude - ExampleLongitude) < 1e-6);
    QCOMPARE(fixes.first().stampMs, stamp);
    QCOMPARE(fixes.first().dayMs, qint64((12 * 3600 + 35 * 60 + 19) * 1000));

    // On the recording's axis: stamps from the first, UTC from the first, or from a start.
    TimedTelemetry timed;
    NmeaText::toTimed(fixes, NmeaText::Timing(timing), -1, 10, &timed);
    QCOMPARE(timed.fixes().size(), count);
    QCOMPARE(timed.fixes().first().time, 0.0);
    if (count == 2 && !text.contains("GGA"))
        QCOMPARE(timed.fixes().last().time, 1.0);
    const qint64 start
            = QDateTime(QDate(1994, 3, 23), QTime(12, 35, 10), Qt::UTC).toMSecsSinceEpoch();
    TimedTelemetry fromStart;
    NmeaText::toTimed(fixes, NmeaText::timingFor(fixes, start), start, 10, &fromStart);
    if (timing != int(NmeaText::Timing::Stamps))
        QCOMPARE(fromStart.fixes().first().time, 9.0);
}

void TestTelemetrySources::freeGpsBlock_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");

    QTest::newRow("record at 16") << freeBlock(16, "ANE\0", 3, 4807.038f, 1131.0f) << true << true
                                  << ExampleLatitude << ExampleLongitude;
    QTest::newRow("record at 48") << freeBlock(48, "ANE\0", 3, 4807.038f, 1131.0f) << true << true
                                  << ExampleLatitude << ExampleLongitude;
    QTest::newRow("south west") << freeBlock(48, "ASW\0", 3, 3352.5f, 15112.5f) << true << true
                                << -33.875 << -151.208333;
    QTest::newRow("no fix") << freeBlock(16, "VNE\0", 3, 4807.038f, 1131.0f) << true << false
                            << ExampleLatitude << ExampleLongitude;
    QTest::newRow("month 13") << freeBlock(48, "ANE\0", 13, 4807.038f, 1131.0f) << false << false
                              << 0.0 << 0.0;
    QTest::newRow("hemisphere X") << freeBlock(16, "AXE\0", 3, 4807.038f, 1131.0f) << false << false
                                  << 0.0 << 0.0;
    QTest::newRow("cut before the floats") << freeBlock(48, "ANE\0", 3, 4807.038f, 1131.0f).left(80)
                                           << false << false << 0.0 << 0.0;
    QTest::newRow("not free")
            << QByteArray(freeBlock(16, "ANE\0", 3, 4807.038f, 1131.0f)).replace(4, 4, "skip")
            << false << false << 0.0 << 0.0;
    QTest::newRow("header only") << QByteArray("\0\0\0\x0c"
                                               "free",
                                               8)
                                 << false << false << 0.0 << 0.0;
}

void TestTelemetrySources::freeGpsBlock()
{
    QFETCH(QByteArray, block);
    QFETCH(bool, accepted);
    QFETCH(bool, valid);
    QFETCH(double, latitude);
    QFETCH(double, longitude);

    const QByteArray exact(block.constData(), block.size());
    FreeGpsBlock::Record record;
    QCOMPARE(FreeGpsBlock::parseBlock(exact.constData(), exact.size(), &record), accepted);
    if (!accepted)
        return;
    QCOMPARE(record.sample.valid, valid);
    QVERIFY2(std::fabs(record.sample.latitude - latitude) < 2e-5,
             qPrintable(QString::number(record.sample.latitude, 'f', 7)));
    QVERIFY(std::fabs(record.sample.longitude - longitude) < 2e-5);
    QVERIFY(std::fabs(record.sample.speed - 22.4 * TelemetryParser::KnotsToKmh) < 1e-3);
    QCOMPARE(record.utcMs,
             QDateTime(QDate(2024, 3, 14), QTime(12, 35, 19), Qt::UTC).toMSecsSinceEpoch());
}

void TestTelemetrySources::gpmf_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("isGpmf");
    QTest::addColumn<int>("fixes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("readings");

    const QByteArray accel = klv("SCAL", 's', 2, 1, bigEndian(418, 2))
            + klv("ACCL",
                  's',
                  6,
                  4,
                  bigEndian(4099, 2) + bigEndian(-410, 2) + bigEndian(0, 2) + bigEndian(4099, 2)
                          + bigEndian(-410, 2) + bigEndian(0, 2) + bigEndian(8198, 2)
                          + bigEndian(410, 2) + bigEndian(-8198, 2) + bigEndian(4099, 2)
                          + bigEndian(-410, 2) + bigEndian(0, 2));
    const QByteArray gps9 = klv("TYPE", 'c', 1, 9, "lllllllSS")
            + klv("SCAL", 'l', 4, 9, int32s({10000000, 10000000, 1000, 1000, 100, 1, 1000, 100, 1}))
            + klv("GPS9",
                  '?',
                  32,
                  1,
                  int32s({481173000, 115166667, 5000, 10000, 1000, 8839, 45319000})
                          + bigEndian(150, 2) + bigEndian(3, 2));

    QTest::newRow("GPS5 and ACCL")
            << nested("DEVC", nested("STRM", gps5Stream(3)) + nested("STRM", accel)) << true << 2
            << true << 4;
    QTest::newRow("GPS5 without a fix")
            << nested("DEVC", nested("STRM", gps5Stream(0))) << true << 2 << false << 0;
    QTest::newRow("GPS9") << nested("DEVC", nested("STRM", gps9)) << true << 1 << true << 0;
    QTest::newRow("fix type shorter than its type") << nested(
            "DEVC", nested("STRM", klv("GPSF", 'L', 1, 1, "\x03") + gps5Stream(3).mid(12)))
                                                    << true << 2 << true << 0;
    QTest::newRow("last item without padding")
            << nested("DEVC", nested("STRM", gps5Stream(3))) + klv("STNM", 'c', 1, 1, "A").left(9)
            << true << 2 << true << 0;
    QTest::newRow("repeat past the end") << nested(
            "DEVC", nested("STRM", gps5Stream(3).left(40) + QByteArray("GPS5l\x14\x7f\x7f", 8)))
                                         << true << 0 << false << 0;
    QByteArray deep = nested("STRM", gps5Stream(3));
    for (int i = 0; i < GpmfParser::MaxDepth; ++i)
        deep = nested("DEVC", deep);
    QTest::newRow("nested too deep") << deep << true << 0 << false << 0;
    QTest::newRow("not GPMF") << QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08\x09", 9) << false << 0
                              << false << 0;
    QTest::newRow("header cut") << QByteArray("DEVC\0\x01", 6) << false << 0 << false << 0;
}

void TestTelemetrySources::gpmf()
{
    QFETCH(QByteArray, payload);
    QFETCH(bool, isGpmf);
    QFETCH(int, fixes);
    QFETCH(bool, valid);
    QFETCH(int, readings);

    const QByteArray exact(payload.constData(), payload.size());
    TimedTelemetry timed;
    QCOMPARE(GpmfParser::parse(exact.constData(), exact.size(), 10.0, 1.0, &timed), isGpmf);
    QCOMPARE(timed.fixes().size(), fixes);
    QCOMPARE(timed.readings().size(), readings);
    if (fixes > 0) {
        const TimedTelemetry::Fix &first = timed.fixes().first();
        QCOMPARE(first.time, 10.0);
        QCOMPARE(first.sample.valid, valid);
        QVERIFY(std::fabs(first.sample.latitude - 48.1173) < 1e-9);
        QVERIFY(std::fabs(first.sample.longitude - 11.5166667) < 1e-9);
        QVERIFY(std::fabs(first.sample.speed - 36.0) < 1e-9); // 10 m/s
    }
    if (fixes == 2)
        QCOMPARE(timed.fixes().last().time, 10.5); // two fixes spread over the packet's second
    if (readings > 0) {
        // 4099 / 418 m/s^2 is 1.0 g; the values keep their axis and sign in 1/32 g steps.
        const TimedTelemetry::Reading &r = timed.readings().at(2);
        QCOMPARE(timed.readings().first().sample.x, 1.0);
        QCOMPARE(timed.readings().first().sample.y, -0.09375);
        QCOMPARE(r.sample.x, 2.0);
        QCOMPARE(r.sample.z, -2.0);
        QCOMPARE(timed.readings().at(3).time, 10.75);
    }
}

void TestTelemetrySources::textCue_data()
{
    QTest::addColumn<QString>("cue");
    QTest::addColumn<bool>("found");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("speed");

    QTest::newRow("keywords in brackets")
            << "[latitude: 22.543100] [longitude: 113.951200] [rel_alt: 1.2]" << true << true
            << 22.5431 << 113.9512 << 0.0;
    QTest::newRow("short keywords, signs, km/h")
            << "2024-03-14 15:30:12 LAT=-33.875 LNG=-151.2083 62 km/h" << true << true << -33.875
            << -151.2083 << 62.0;
    QTest::newRow("hemisphere letters before")
            << "N22.5431 E113.9512 SPEED 40" << true << true << 22.5431 << 113.9512 << 40.0;
    QTest::newRow("hemisphere letters after, mph")
            << "33.875°S, 151.2083°W 10 mph" << true << true << -33.875 << -151.2083 << 16.09344;
    QTest::newRow("GPS tuple, longitude first") << "F/2.8, SS 500, GPS(113.9512,22.5431,17) 5 m/s"
                                                << true << true << 22.5431 << 113.9512 << 18.0;
    QTest::newRow("zero position")
            << "lat: 0.000000 lon: 0.000000" << true << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("latitude out of range")
            << "lat 95.1 lon 10" << true << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("a caption") << "Mind the gap, 80 km/h zone" << false << false << 0.0 << 0.0
                               << 0.0;
    QTest::newRow("latitude only") << "latitude: 22.5" << false << false << 0.0 << 0.0 << 0.0;
}

void TestTelemetrySources::textCue()
{
    QFETCH(QString, cue);
    QFETCH(bool, found);
    QFETCH(bool, valid);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, speed);

    // Through the timed-text sample layout: a 16-bit length, then the UTF-8 text.
    const QByteArray utf8 = cue.toUtf8();
    const QByteArray sample = bigEndian(utf8.size(), 2) + utf8 + "\0\0\0\x08styl";
    QCOMPARE(TextTrackCue::sampleText(sample.constData(), sample.size()), cue);
    QCOMPARE(TextTrackCue::sampleText(sample.constData(), utf8.size() + 1), QString());

    GpsSample fix;
    QCOMPARE(TextTrackCue::parse(cue, &fix), found);
    if (!found)
        return;
    QCOMPARE(fix.valid, valid);
    QVERIFY(std::fabs(fix.latitude - latitude) < 1e-9);
    QVERIFY(std::fabs(fix.longitude - longitude) < 1e-9);
    QVERIFY(std::fabs(fix.speed - speed) < 1e-9);
}

void TestTelemetrySources::gpx_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("points");
    QTest::addColumn<double>("speed"); // km/h of the second point
    QTest::addColumn<bool>("secondValid");

    const QByteArray head
            = "<?xml version=\"1.0\"?><gpx version=\"1.1\" "
              "xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:tp="
              "\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\"><trk><trkseg>";
    const QByteArray tail = "</trkseg></trk></gpx>";
    const QByteArray first = "<trkpt lat=\"48.1173\" lon=\"11.5\"><time>2024-03-14T15:30:12Z"
                             "</time></trkpt>";
    QTest::newRow("speed in an extension") << head + first
                    + "<trkpt lat=\"48.1174\" lon=\"11.5\"><ele>5</ele><time>2024-03-14T15:30:13Z"
                      "</time><extensions><tp:TrackPointExtension><tp:speed>12.5</tp:speed>"
                      "</tp:TrackPointExtension></extensions></trkpt>"
                    + tail << true << 2 << 45.0
                                           << true;
    QTest::newRow("speed from distance over time") << head + first
                    + "<trkpt lat=\"48.1183\" lon=\"11.5\"><time>2024-03-14T15:30:22</time></trkpt>"
                    + tail << true << 2 << 40.03 << true;
    QTest::newRow("no fix, bad points dropped") << head + first
                    + "<trkpt lat=\"95\" lon=\"11.5\"/><trkpt lon=\"11.5\"/>"
                    + "<trkpt lat=\"48.1174\" lon=\"11.5\"><fix>none</fix><speed>1</speed></trkpt>"
                    + tail << true << 2 << 3.6 << false;
    QTest::newRow("cut short") << head + first + "<trkpt lat=\"48.1174\" lo" << false << 0 << 0.0
                               << false;
    QTest::newRow("not GPX") << QByteArray("<kml><Placemark/></kml>") << false << 0 << 0.0 << false;
    QTest::newRow("entity bomb") << QByteArray(
            "<?xml version=\"1.0\"?><!DOCTYPE gpx [<!ENTITY a \"aaaaaaaaaa\">"
            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
            "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
            "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
            "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]><gpx>&e;&e;&e;</gpx>")
                                 << false << 0 << 0.0 << false;
}

void TestTelemetrySources::gpx()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, ok);
    QFETCH(int, points);
    QFETCH(double, speed);
    QFETCH(bool, secondValid);

    QVector<GpxTrack::Point> read;
    QString error;
    QCOMPARE(GpxTrack::parse(text, &read, &error, 1000), ok);
    QCOMPARE(error.isEmpty(), ok);
    QCOMPARE(read.size(), points);
    if (!ok)
        return;
    GpxTrack::deriveSpeeds(read);
    QVERIFY2(std::fabs(read.at(1).speedKmh - speed) < 0.01,
             qPrintable(QString::number(read.at(1).speedKmh)));
    QCOMPARE(read.at(1).valid, secondValid);
    // A time without a zone is UTC, as GPX times are.
    QCOMPARE(read.first().utcMs,
             QDateTime(QDate(2024, 3, 14), QTime(15, 30, 12), Qt::UTC).toMSecsSinceEpoch());
}

// Fixes at 1 Hz from 2 s before the recording to 2 s into it and after a gap from 7 s on; a
// 10 s recording; readings at 4 Hz from 1 s on.
void TestTelemetrySources::fromTimed_linesSamplesUpWithTheRecording()
{
    TimedTelemetry timed;
    for (int t : {-2, -1, 0, 1, 2, 7, 8, 9, 10, 11}) {
        GpsSample fix;
        fix.valid = true;
        fix.latitude = t;
        timed.addFix(t + 0.02, fix); // a receiver's jitter
    }
    for (int i = 0; i < 20; ++i) {
        GSensorSample reading;
        reading.x = 1 + i / 32.0;
        timed.addReading(1 + i * 0.25, reading);
    }
    const TelemetryTrack track = TelemetryTrack::fromTimed(timed, 10.0);
    QVector<GpsSample> gps;
    track.gpsSamples(gps);
    QCOMPARE(gps.size(), 10);
    QCOMPARE(track.gpsRate(), 1.0);
    // The fix at each second; the gap after 2 s is held up to 2.5 intervals, then none.
    const double want[] = {0, 1, 2, 2, 2, -1, -1, 7, 8, 9};
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(gps[i].valid, want[i] >= 0);
        if (want[i] >= 0)
            QCOMPARE(gps[i].latitude, want[i]);
    }
    QVector<GSensorSample> readings;
    track.gsensorSamples(readings);
    QCOMPARE(readings.size(), 40);
    QCOMPARE(readings.first().x, 1.0); // before the first: the first
    QCOMPARE(readings.at(8).x, 1 + 4 / 32.0); // 2.0 s: the fifth reading
    QCOMPARE(readings.at(39).x, 1 + 19 / 32.0); // after the last: the last
}

// Two files of 6 s and 3 s at 10 Hz, each fix's latitude its index in its file: the trip's
// track holds every fix once, in order (t / rate is 45.99999 at 4.6 s in floating point).
void TestTelemetrySources::joined_takesEveryFilesOwnSamples()
{
    QVector<TelemetryTrack> parts;
    QVector<TripTimeline::File> files;
    for (const int seconds : {6, 3}) {
        TimedTelemetry timed;
        for (int i = 0; i < seconds * 10; ++i) {
            GpsSample fix;
            fix.valid = true;
            fix.latitude = i;
            timed.addFix(i / 10.0, fix);
        }
        parts.append(TelemetryTrack::fromTimed(timed, seconds));
        files.append({QStringLiteral("/card/%1.mp4").arg(seconds), seconds * 1000000LL});
    }
    const TelemetryTrack trip = TelemetryTrack::joined(TripTimeline(files), parts);
    QVector<GpsSample> gps;
    QCOMPARE(trip.gpsSamples(gps), 90);
    for (int i = 0; i < 90; ++i)
        QCOMPARE(gps[i].latitude, double(i < 60 ? i : i - 60));
}

void TestTelemetrySources::sidecar_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sidecarName"); // "" as written
    QTest::addColumn<double>("shift");
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("firstValid"); // -1: none
    QTest::addColumn<int>("firstSentence");
    QTest::addColumn<QStringList>("inFile"); // telemetry options for the file itself
    QTest::addColumn<int>("readings"); // G-sensor readings of the track

    // The generator's clock starts at 15:30:12 UTC on 14 March 2024, 16:30:12 in Berlin and
    // 11:30:12 in New York (summer time since 10 March).
    const QString berlin = QStringLiteral("20240314_163012_F.mp4");
    QTest::newRow("nmea, Berlin") << "nmea" << QByteArray("Europe/Berlin") << berlin << "" << 0.0
                                  << "nmea-sidecar" << 0 << 0 << QStringList() << 0;
    QTest::newRow("nmea starts 4 s late") << "nmea" << QByteArray("Europe/Berlin") << berlin << ""
                                          << 4.0 << "nmea-sidecar" << 4 << 0 << QStringList() << 0;
    QTest::newRow("nmea starts 3 s early")
            << "nmea" << QByteArray("Europe/Berlin") << berlin << "" << -3.0 << "nmea-sidecar" << 0
            << 3 << QStringList() << 0;
    QTest::newRow("nmea, New York summer time")
            << "nmea" << QByteArray("America/New_York") << "2024_0314_113012_R.MP4"
            << "" << 0.0 << "nmea-sidecar" << 0 << 0 << QStringList() << 0;
    QTest::newRow("nmea, Berlin name read in UTC")
            << "nmea" << QByteArray("UTC") << berlin << "" << 0.0 << "nmea-sidecar" << -1 << 0
            << QStringList() << 0;
    QTest::newRow("log suffix in capitals")
            << "nmea" << QByteArray("Europe/Berlin") << berlin << "20240314_163012_F.LOG" << 2.0
            << "nmea-sidecar" << 2 << 0 << QStringList() << 0;
    QTest::newRow("another file's log")
            << "nmea" << QByteArray("Europe/Berlin") << berlin << "20240314_163112_F.nmea" << 0.0
            << "" << -1 << 0 << QStringList() << 0;
    QTest::newRow("no time in the name: the first fix at 0")
            << "nmea" << QByteArray("Europe/Berlin") << "drive.mp4"
            << "" << 5.0 << "nmea-sidecar" << 0 << 0 << QStringList() << 0;
    QTest::newRow("gpx, Berlin") << "gpx" << QByteArray("Europe/Berlin") << berlin << "" << 0.0
                                 << "gpx-sidecar" << 0 << 0 << QStringList() << 0;
    QTest::newRow("gpx starts 2 s early") << "gpx" << QByteArray("Europe/Berlin") << berlin << ""
                                          << -2.0 << "gpx-sidecar" << 0 << 2 << QStringList() << 0;
    QTest::newRow("gpx, suffix in capitals")
            << "gpx" << QByteArray("Europe/Berlin") << berlin << "20240314_163012_F.GPX" << 3.0
            << "gpx-sidecar" << 3 << 0 << QStringList() << 0;
}

void TestTelemetrySources::sidecar()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, zone);
    QFETCH(QString, name);
    QFETCH(QString, sidecarName);
    QFETCH(double, shift);
    QFETCH(QString, source);
    QFETCH(int, firstValid);
    QFETCH(int, firstSentence);
    QFETCH(QStringList, inFile);
    QFETCH(int, readings);

    QVERIFY(m_dir.isValid());
    const QString folder
            = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag())
                                     .replace(QRegularExpression("[^A-Za-z0-9]"), "_"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QLatin1Char('/') + name;
    const QString log = TestPaths::nmeaLog(QStringLiteral("dashcam_leaflet-nmealayer_test.nmea"));
    const ProcessResult made = runProcess(TestPaths::makeRecording(),
                                          {"--video",
                                           "96x64",
                                           "--duration",
                                           "10",
                                           "--sidecar",
                                           kind,
                                           "--sidecar-shift",
                                           QString::number(shift),
                                           "--nmea",
                                           log,
                                           path});
    QVERIFY2(made.finished && made.exitCode == 0, made.err.constData());
    if (!sidecarName.isEmpty()) {
        const QString written = path.left(path.lastIndexOf('.')) + QLatin1Char('.') + kind;
        QVERIFY(QFile::rename(written, folder + QLatin1Char('/') + sidecarName));
    }

    setTimeZone(zone);
    TelemetryTrack track;
    const av::FormatContextPtr ctx = TestRecordings::open(path);
    QVERIFY(ctx);
    track.load(ctx.get(), path);
    QCOMPARE(track.source(), source);
    QCOMPARE(track.gsensorCount(), readings);
    if (source.isEmpty())
        return;

    // The log's fixes in order (all of them valid), one a second.
    QList<QByteArray> sentences;
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("$GPRMC"))
            sentences.append(line.trimmed());
    }
    QVector<GpsSample> gps;
    track.gpsSamples(gps);
    QCOMPARE(gps.size(), 10);
    for (int i = 0; i < gps.size(); ++i) {
        const QByteArray where = QByteArray::number(i);
        if (firstValid < 0 || i < firstValid) {
            QVERIFY2(!gps[i].valid, where);
            continue;
        }
        const int n = firstSentence + i - firstValid;
        if (n >= 10)
            break; // past the log's end (ten fixes were written)
        GpsSample want;
        QVERIFY(TelemetryParser::parseGpsSentence(sentences.at(n).mid(1), &want));
        QVERIFY2(gps[i].valid, where);
        QVERIFY2(std::fabs(gps[i].latitude - want.latitude) < 1e-6, where);
        QVERIFY2(std::fabs(gps[i].longitude - want.longitude) < 1e-6, where);
        QVERIFY2(std::fabs(gps[i].speed - want.speed) < 0.01, where);
    }
}

QTEST_GUILESS_MAIN(TestTelemetrySources)
#include "tst_telemetrysources.moc"
