#include "capturewriter.h"

#include "displaylog.h"
#include "media/gpssample.h"
#include "media/telemetrytrack.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include <libexif/exif-data.h>
#include <libexif/exif-utils.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

constexpr int JpegQuality = 100;
constexpr ExifByteOrder Order = EXIF_BYTE_ORDER_INTEL;

struct ExifDataDeleter
{
    void operator()(ExifData *data) const { exif_data_unref(data); }
};
using ExifDataPtr = std::unique_ptr<ExifData, ExifDataDeleter>;

// Adds an entry of `components` values of `format` to an IFD and returns its data (zeroed).
unsigned char *addEntry(ExifData *data, ExifIfd ifd, ExifTag tag, ExifFormat format, unsigned n)
{
    ExifMem *mem = exif_mem_new_default();
    if (!mem)
        return nullptr;
    ExifEntry *entry = exif_entry_new_mem(mem); // holds its own reference to mem
    const unsigned size = exif_format_get_size(format) * n;
    auto *bytes = entry ? static_cast<unsigned char *>(exif_mem_alloc(mem, size)) : nullptr;
    exif_mem_unref(mem);
    if (!bytes) {
        if (entry)
            exif_entry_unref(entry);
        return nullptr;
    }
    std::memset(bytes, 0, size);
    entry->tag = tag;
    entry->format = format;
    entry->components = n;
    entry->size = size;
    entry->data = bytes;
    exif_content_add_entry(data->ifd[ifd], entry);
    exif_entry_unref(entry); // the IFD holds it now
    return bytes;
}

void addAscii(ExifData *data, ExifIfd ifd, ExifTag tag, const QByteArray &text)
{
    // ASCII values count their terminating zero.
    if (unsigned char *bytes
        = addEntry(data, ifd, tag, EXIF_FORMAT_ASCII, unsigned(text.size()) + 1)) {
        std::memcpy(bytes, text.constData(), size_t(text.size()));
    }
}

void addRationals(ExifData *data, ExifIfd ifd, ExifTag tag, const QVector<ExifRational> &values)
{
    unsigned char *bytes = addEntry(data, ifd, tag, EXIF_FORMAT_RATIONAL, unsigned(values.size()));
    if (!bytes)
        return;
    const int step = exif_format_get_size(EXIF_FORMAT_RATIONAL);
    for (int i = 0; i < values.size(); ++i)
        exif_set_rational(bytes + i * step, Order, values.at(i));
}

// Degrees as degrees, minutes and seconds (seconds to 1/10000).
QVector<ExifRational> dms(double degrees)
{
    const double value = std::fabs(degrees);
    const auto whole = static_cast<ExifLong>(value);
    const double minutesAll = (value - whole) * 60.0;
    const auto minutes = static_cast<ExifLong>(minutesAll);
    const auto tenThousandths
            = static_cast<ExifLong>(std::lround((minutesAll - minutes) * 60.0 * 10000.0));
    return {{whole, 1}, {minutes, 1}, {tenThousandths, 10000}};
}

} // namespace

CaptureWriter::Moment CaptureWriter::momentOf(const TelemetryTrack &track,
                                              double seconds,
                                              const QDateTime &recordingStart)
{
    Moment moment;
    if (recordingStart.isValid())
        moment.time = recordingStart.addMSecs(qint64(std::llround(std::max(0.0, seconds) * 1000)));
    if (const GpsSample *sample = track.gpsAt(seconds)) {
        if (sample->valid && std::isfinite(sample->latitude) && std::isfinite(sample->longitude)
            && std::fabs(sample->latitude) <= 90 && std::fabs(sample->longitude) <= 180) {
            moment.hasFix = true;
            moment.latitude = sample->latitude;
            moment.longitude = sample->longitude;
            moment.speedKmh = std::isfinite(sample->speed) ? std::max(0.0, sample->speed) : 0;
        }
    }
    return moment;
}

QString CaptureWriter::timeStamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("ddMMyyyy-hhmmss"));
}

QStringList CaptureWriter::fileNames(const QString &folder,
                                     const QString &stamp,
                                     const QVector<int> &streams,
                                     bool single,
                                     int attempt)
{
    const QString suffix = attempt > 1 ? QStringLiteral("-%1").arg(attempt) : QString();
    const QString base = folder + QStringLiteral("/ScreenCapture-") + stamp;
    QStringList names;
    for (int stream : streams) {
        if (single)
            names << base + suffix + QStringLiteral(".jpg");
        else
            names << base + QStringLiteral("_ch%1").arg(stream + 1) + suffix
                            + QStringLiteral(".jpg");
    }
    return names;
}

QByteArray CaptureWriter::exifBlock(const Moment &moment, const QSize &size)
{
    if (!moment.hasFix && !moment.time.isValid())
        return QByteArray();
    ExifDataPtr data(exif_data_new());
    if (!data)
        return QByteArray();
    exif_data_set_byte_order(data.get(), Order);
    exif_data_set_data_type(data.get(), EXIF_DATA_TYPE_COMPRESSED);
    exif_data_fix(data.get()); // the mandatory entries of IFD 0 and the Exif IFD
    // ... of which these few describe the picture itself.
    const auto setNumber = [&](ExifTag tag, unsigned value) {
        ExifEntry *entry = exif_content_get_entry(data->ifd[EXIF_IFD_EXIF], tag);
        if (entry && entry->format == EXIF_FORMAT_SHORT && entry->size >= 2)
            exif_set_short(entry->data, Order, ExifShort(value));
        else if (entry && entry->format == EXIF_FORMAT_LONG && entry->size >= 4)
            exif_set_long(entry->data, Order, ExifLong(value));
    };
    setNumber(EXIF_TAG_PIXEL_X_DIMENSION, unsigned(size.width()));
    setNumber(EXIF_TAG_PIXEL_Y_DIMENSION, unsigned(size.height()));
    setNumber(EXIF_TAG_COLOR_SPACE, 1); // sRGB

    if (moment.time.isValid()) {
        addAscii(data.get(),
                 EXIF_IFD_EXIF,
                 EXIF_TAG_DATE_TIME_ORIGINAL,
                 moment.time.toString(QStringLiteral("yyyy:MM:dd hh:mm:ss")).toLatin1());
    }
    if (moment.hasFix) {
        if (unsigned char *version = addEntry(data.get(),
                                              EXIF_IFD_GPS,
                                              ExifTag(EXIF_TAG_GPS_VERSION_ID),
                                              EXIF_FORMAT_BYTE,
                                              4)) {
            version[0] = 2;
            version[1] = 2;
        }
        addAscii(data.get(),
                 EXIF_IFD_GPS,
                 ExifTag(EXIF_TAG_GPS_LATITUDE_REF),
                 moment.latitude < 0 ? "S" : "N");
        addRationals(
                data.get(), EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LATITUDE), dms(moment.latitude));
        addAscii(data.get(),
                 EXIF_IFD_GPS,
                 ExifTag(EXIF_TAG_GPS_LONGITUDE_REF),
                 moment.longitude < 0 ? "W" : "E");
        addRationals(
                data.get(), EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LONGITUDE), dms(moment.longitude));
        addAscii(data.get(), EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_SPEED_REF), "K");
        addRationals(data.get(),
                     EXIF_IFD_GPS,
                     ExifTag(EXIF_TAG_GPS_SPEED),
                     {{ExifLong(std::lround(moment.speedKmh * 100)), 100}});
        if (moment.time.isValid()) {
            const QDateTime utc = moment.time.toUTC();
            const QTime t = utc.time();
            addRationals(data.get(),
                         EXIF_IFD_GPS,
                         ExifTag(EXIF_TAG_GPS_TIME_STAMP),
                         {{ExifLong(t.hour()), 1},
                          {ExifLong(t.minute()), 1},
                          {ExifLong(t.second()), 1}});
            addAscii(data.get(),
                     EXIF_IFD_GPS,
                     ExifTag(EXIF_TAG_GPS_DATE_STAMP),
                     utc.date().toString(QStringLiteral("yyyy:MM:dd")).toLatin1());
        }
    }

    unsigned char *bytes = nullptr;
    unsigned int length = 0;
    exif_data_save_data(data.get(), &bytes, &length);
    QByteArray block(reinterpret_cast<const char *>(bytes), int(length));
    free(bytes);
    return block;
}

QByteArray CaptureWriter::encodeJpeg(const QImage &image, const Moment &moment)
{
    if (image.isNull())
        return QByteArray();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPG");
    writer.setQuality(JpegQuality);
    if (!writer.write(image) || jpeg.size() < 4 || uchar(jpeg[0]) != 0xFF || uchar(jpeg[1]) != 0xD8)
        return QByteArray();
    const QByteArray exif = exifBlock(moment, image.size());
    if (exif.isEmpty())
        return jpeg;
    if (exif.size() + 2 > 0xFFFF)
        return QByteArray();
    // The APP1 segment goes right after the JFIF header (or after the start-of-image marker
    // when there is none).
    int at = 2;
    if (uchar(jpeg[2]) == 0xFF && uchar(jpeg[3]) == 0xE0 && jpeg.size() >= 6)
        at = 4 + ((uchar(jpeg[4]) << 8) | uchar(jpeg[5]));
    if (at > jpeg.size())
        return QByteArray();
    QByteArray segment;
    const int length = exif.size() + 2;
    segment.append(char(0xFF)).append(char(0xE1));
    segment.append(char((length >> 8) & 0xFF)).append(char(length & 0xFF));
    segment.append(exif);
    jpeg.insert(at, segment);
    return jpeg;
}

int CaptureWriter::write(const QString &folder,
                         const QDateTime &now,
                         const QVector<Picture> &pictures,
                         bool single,
                         const Moment &moment,
                         QStringList *written)
{
    QStringList done;
    auto fail = [&](const QString &name) {
        qCritical().noquote() << "saving" << name << "failed";
        for (const QString &file : qAsConst(done))
            QFile::remove(file);
        if (written)
            written->clear();
        return -1;
    };
    if (written)
        written->clear();
    if (pictures.isEmpty())
        return -1;

    QVector<int> streams;
    for (const Picture &picture : pictures)
        streams << picture.streamIndex;
    const QString stamp = timeStamp(now);
    QStringList names;
    for (int attempt = 1;; ++attempt) {
        names = fileNames(folder, stamp, streams, single, attempt);
        bool taken = false;
        for (const QString &name : qAsConst(names))
            taken = taken || QFileInfo::exists(name);
        if (!taken)
            break;
    }
    for (int i = 0; i < pictures.size(); ++i)
        qCDebug(lcDisplay).noquote()
                << "saving stream" << pictures.at(i).streamIndex << "to" << names.at(i);

    for (int i = 0; i < pictures.size(); ++i) {
        const QString &name = names.at(i);
        const QByteArray jpeg = encodeJpeg(pictures.at(i).image, moment);
        if (jpeg.isEmpty())
            return fail(name);
        // NewOnly: a file that appeared meanwhile is never overwritten.
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return fail(name);
        done << name;
        if (file.write(jpeg) != jpeg.size() || !file.flush())
            return fail(name);
        file.close();
        if (file.error() != QFileDevice::NoError)
            return fail(name);
    }
    if (written)
        *written = done;
    return 0;
}
