// Screen-capture files written for real into a temporary folder: their names, the picture inside
// each JPEG, the EXIF tags as the independent `exif` program reads them, captures within one
// second, and the roll-back of a set that cannot be written completely.
#include "logcapture.h"
#include "video/capturewriter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A picture with a pattern that differs in every region, so a swapped or shifted picture shows.
QImage pattern(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int bx = x / 16;
            const int by = y / 16;
            image.setPixel(x,
                           y,
                           qRgb((bx * 37 + seed * 90) % 256,
                                (by * 53 + bx * 11) % 256,
                                ((bx + by + seed) % 3) * 120));
        }
    }
    return image;
}

// The largest difference of one colour channel between the 16 x 16 block averages of two
// pictures of the same size (JPEG keeps blocks, not single pixels, at every quality; the
// colour planes are halved, which blurs the block edges a little).
int maxDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 256;
    const QImage small1 = a.scaled(
            a.width() / 16, a.height() / 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage small2 = b.scaled(
            a.width() / 16, a.height() / 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int worst = 0;
    for (int y = 0; y < small1.height(); ++y) {
        for (int x = 0; x < small1.width(); ++x) {
            const QRgb p = small1.pixel(x, y);
            const QRgb q = small2.pixel(x, y);
            worst = std::max({worst,
                              qAbs(qRed(p) - qRed(q)),
                              qAbs(qGreen(p) - qGreen(q)),
                              qAbs(qBlue(p) - qBlue(q))});
        }
    }
    return worst;
}

// The tags of a JPEG as `exif --machine-readable` prints them: tag title -> value.
QMap<QString, QString> exifTags(const QString &file)
{
    QProcess exif;
    exif.start(QStringLiteral("exif"), {QStringLiteral("-m"), file});
    exif.waitForFinished(10000);
    QMap<QString, QString> tags;
    for (const QString &line :
         QString::fromUtf8(exif.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (tab > 0)
            tags.insert(line.left(tab), line.mid(tab + 1).trimmed());
    }
    return tags;
}

// "d, m, s" as exif prints a GPS coordinate, back in degrees.
double degrees(const QString &dms)
{
    const QStringList parts = dms.split(QLatin1Char(','));
    if (parts.size() != 3)
        return -1;
    return parts[0].trimmed().toDouble() + parts[1].trimmed().toDouble() / 60
            + parts[2].trimmed().toDouble() / 3600;
}

const QDateTime Now(QDate(2024, 3, 7), QTime(14, 5, 9));

} // namespace

class TestCaptureWriter : public QObject
{
    Q_OBJECT

private slots:
    void write_namesPicturesAndTags_data()
    {
        QTest::addColumn<QVector<int>>("streams");
        QTest::addColumn<bool>("single");
        QTest::addColumn<bool>("hasFix");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("front and rear")
                << QVector<int> {0, 1} << false << true << 52.5200123 << 13.4049456
                << QStringList {"ScreenCapture-07032024-140509_ch1.jpg",
                                "ScreenCapture-07032024-140509_ch2.jpg"};
        QTest::newRow("three channels in slot order")
                << QVector<int> {0, 2, 1} << false << true << 37.0537 << 125.655
                << QStringList {"ScreenCapture-07032024-140509_ch1.jpg",
                                "ScreenCapture-07032024-140509_ch3.jpg",
                                "ScreenCapture-07032024-140509_ch2.jpg"};
        QTest::newRow("rear alone, south and west")
                << QVector<int> {1} << true << true << -27.2106733 << -153.0520017
                << QStringList {"ScreenCapture-07032024-140509.jpg"};
        QTest::newRow("no fix: no position") << QVector<int> {0} << true << false << 0.0 << 0.0
                                             << QStringList {"ScreenCapture-07032024-140509.jpg"};
    }

    void write_namesPicturesAndTags()
    {
        QFETCH(QVector<int>, streams);
        QFETCH(bool, single);
        QFETCH(bool, hasFix);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(QStringList, names);

        QTemporaryDir folder;
        QVector<CaptureWriter::Picture> pictures;
        for (int stream : streams)
            pictures.append({stream, pattern(320, 180, stream)});
        CaptureWriter::Moment moment;
        moment.hasFix = hasFix;
        moment.latitude = latitude;
        moment.longitude = longitude;
        moment.speedKmh = 87.25;
        moment.time = QDateTime(QDate(2024, 1, 1), QTime(10, 0, 42), Qt::UTC);

        QStringList written;
        QCOMPARE(CaptureWriter::write(folder.path(), Now, pictures, single, moment, &written), 0);
        QStringList expected;
        for (const QString &name : names)
            expected << folder.filePath(name);
        QCOMPARE(written, expected);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), names.size());

        for (int i = 0; i < written.size(); ++i) {
            // The picture inside is the channel's, at quality 100.
            const QImage saved(written.at(i));
            QVERIFY(maxDifference(saved, pictures.at(i).image) <= 12);

            const QMap<QString, QString> tags = exifTags(written.at(i));
            QCOMPARE(tags.value("Date and Time (Original)"), QStringLiteral("2024:01:01 10:00:42"));
            QCOMPARE(tags.value("Pixel X Dimension"), QStringLiteral("320"));
            QCOMPARE(tags.value("Pixel Y Dimension"), QStringLiteral("180"));
            if (!hasFix) {
                QVERIFY2(!tags.contains("Latitude") && !tags.contains("GPS Tag Version"),
                         qPrintable(tags.keys().join(',')));
                continue;
            }
            QCOMPARE(tags.value("North or South Latitude"), latitude < 0 ? "S" : "N");
            QCOMPARE(tags.value("East or West Longitude"), longitude < 0 ? "W" : "E");
            QVERIFY(qAbs(degrees(tags.value("Latitude")) - qAbs(latitude)) < 1e-6);
            QVERIFY(qAbs(degrees(tags.value("Longitude")) - qAbs(longitude)) < 1e-6);
            QCOMPARE(tags.value("Speed Unit"), QStringLiteral("K"));
            QCOMPARE(tags.value("Speed of GPS Receiver").toDouble(), 87.25);
            QCOMPARE(tags.value("GPS Date"), QStringLiteral("2024:01:01"));
            QCOMPARE(tags.value("GPS Time (Atomic Clock)"), QStringLiteral("10:00:42.00"));
        }
    }

    void write_sameSecond_keepsEveryCapture()
    {
        QTemporaryDir folder;
        const QVector<CaptureWriter::Picture> first {{0, pattern(64, 32, 0)},
                                                     {1, pattern(64, 32, 1)}};
        const QVector<CaptureWriter::Picture> second {{0, pattern(64, 32, 2)},
                                                      {1, pattern(64, 32, 3)}};
        QStringList a;
        QStringList b;
        QStringList c;
        QCOMPARE(CaptureWriter::write(folder.path(), Now, first, false, {}, &a), 0);
        QFile firstFile(a.at(0));
        QVERIFY(firstFile.open(QIODevice::ReadOnly));
        const QByteArray firstBytes = firstFile.readAll();
        QCOMPARE(CaptureWriter::write(folder.path(), Now, second, false, {}, &b), 0);
        QCOMPARE(CaptureWriter::write(folder.path(), Now, second, false, {}, &c), 0);

        QCOMPARE(b,
                 QStringList({folder.filePath("ScreenCapture-07032024-140509_ch1-2.jpg"),
                              folder.filePath("ScreenCapture-07032024-140509_ch2-2.jpg")}));
        QCOMPARE(c.at(0), folder.filePath("ScreenCapture-07032024-140509_ch1-3.jpg"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 6);
        QFile again(a.at(0));
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), firstBytes);
        QVERIFY(maxDifference(QImage(b.at(1)), second.at(1).image) <= 12);
    }

    void write_failure_leavesNoFiles_data()
    {
        QTest::addColumn<bool>("folderExists");
        QTest::addColumn<QVector<int>>("nullPictures"); // positions without a picture
        QTest::newRow("second of three unreadable") << true << QVector<int> {1};
        QTest::newRow("last of three unreadable") << true << QVector<int> {2};
        QTest::newRow("folder missing") << false << QVector<int>();
    }

    void write_failure_leavesNoFiles()
    {
        QFETCH(bool, folderExists);
        QFETCH(QVector<int>, nullPictures);

        QTemporaryDir root;
        const QString folder = folderExists ? root.path() : root.filePath("gone");
        QVector<CaptureWriter::Picture> pictures;
        for (int i = 0; i < 3; ++i)
            pictures.append({i, nullPictures.contains(i) ? QImage() : pattern(64, 32, i)});
        LogCapture log;
        QStringList written {"stale"};
        QCOMPARE(CaptureWriter::write(folder, Now, pictures, false, {}, &written), -1);
        QVERIFY(written.isEmpty());
        QVERIFY(QDir(root.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(log.contains(QStringLiteral("failed")));
    }
};

QTEST_GUILESS_MAIN(TestCaptureWriter)
#include "tst_capturewriter.moc"
