#include "foreigntelemetry.h"

#include "synthetictelemetry.h"

#include <QFile>
#include <QList>

#include <cmath>
#include <cstring>

namespace {

constexpr int AccelScale = 418; // counts per m/s^2
constexpr double Gravity = 9.80665;
constexpr double KnotsToMs = 1852.0 / 3600.0;

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

QByteArray littleEndianFloat(float value)
{
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return littleEndian(bits);
}

// One GPMF item: key, type, sample size, repeat and the data padded to four bytes.
QByteArray klv(const char *key, char type, int structSize, int repeat, const QByteArray &data)
{
    QByteArray item(key, 4);
    item.append(type);
    item.append(char(structSize));
    item += bigEndian(repeat, 2);
    item += data;
    while (item.size() % 4)
        item.append('\0');
    return item;
}

double nmeaToDegrees(double value)
{
    const double degrees = std::floor(value / 100);
    return degrees + (value - degrees * 100) / 60;
}

QByteArray atom(const char *type, const QByteArray &payload)
{
    return bigEndian(payload.size() + 8, 4) + QByteArray(type, 4) + payload;
}

QString isoTime(const QDateTime &utc)
{
    return utc.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QDateTime timeOf(const QDateTime &start, double seconds)
{
    return start.addMSecs(qint64(std::llround(seconds * 1000)));
}

} // namespace

ForeignTelemetry::Fix ForeignTelemetry::fixOf(const QByteArray &sentence)
{
    Fix fix;
    QByteArray body = sentence.startsWith('$') ? sentence.mid(1) : sentence;
    const int star = body.indexOf('*');
    if (star >= 0)
        body.truncate(star);
    const QList<QByteArray> f = body.split(',');
    if (f.size() < 8)
        return fix;
    fix.valid = f[2] == "A";
    fix.latitudeNmea = f[3].toDouble();
    fix.longitudeNmea = f[5].toDouble();
    fix.latitudeRef = f[4] == "S" ? 'S' : 'N';
    fix.longitudeRef = f[6] == "W" ? 'W' : 'E';
    fix.latitude = nmeaToDegrees(fix.latitudeNmea) * (fix.latitudeRef == 'S' ? -1 : 1);
    fix.longitude = nmeaToDegrees(fix.longitudeNmea) * (fix.longitudeRef == 'W' ? -1 : 1);
    fix.knots = f[7].toDouble();
    return fix;
}

QByteArray ForeignTelemetry::gpmfSample(const SyntheticTelemetry &telemetry, int index)
{
    const Fix fix = fixOf(telemetry.sentences().value(index));
    const QByteArray gpsScale = bigEndian(10000000, 4) + bigEndian(10000000, 4) + bigEndian(1000, 4)
            + bigEndian(1000, 4) + bigEndian(100, 4);
    const double ms = fix.knots * KnotsToMs;
    const QByteArray gps5 = bigEndian(std::llround(fix.latitude * 1e7), 4)
            + bigEndian(std::llround(fix.longitude * 1e7), 4) + bigEndian(120000, 4)
            + bigEndian(std::llround(ms * 1000), 4) + bigEndian(std::llround(ms * 100), 4);
    const QByteArray gpsStream = klv("STNM", 'c', 1, 3, "GPS")
            + klv("GPSF", 'L', 4, 1, bigEndian(fix.valid ? 3 : 0, 4))
            + klv("SCAL", 'l', 4, 5, gpsScale) + klv("GPS5", 'l', 20, 1, gps5);

    const int first = telemetry.firstGsensorOf(index);
    const int last = telemetry.firstGsensorOf(index + 1);
    QByteArray accel;
    for (int j = first; j < last; ++j) {
        const SyntheticTelemetry::GSensorRecord &r = telemetry.gsensor()[j];
        for (int axis = 0; axis < 3; ++axis) {
            const double g = (r.magnitude[axis] + 1) / 32.0 * (r.negative[axis] ? -1 : 1);
            accel += bigEndian(std::llround(g * Gravity * AccelScale), 2);
        }
    }
    QByteArray streams = klv("STRM", 0, 1, gpsStream.size(), gpsStream);
    if (last > first) {
        const QByteArray accelStream = klv("STNM", 'c', 1, 4, "ACCL")
                + klv("SCAL", 's', 2, 1, bigEndian(AccelScale, 2))
                + klv("ACCL", 's', 6, last - first, accel);
        streams += klv("STRM", 0, 1, accelStream.size(), accelStream);
    }
    const QByteArray device = klv("DVID", 'L', 4, 1, bigEndian(1, 4)) + streams;
    return klv("DEVC", 0, 1, device.size(), device);
}

QByteArray ForeignTelemetry::cueText(const SyntheticTelemetry &telemetry, int index)
{
    const Fix fix = fixOf(telemetry.sentences().value(index));
    if (!fix.valid)
        return QByteArrayLiteral("[latitude: 0] [longitude: 0] 0.0 km/h");
    return QStringLiteral("[latitude: %1] [longitude: %2] %3 km/h")
            .arg(fix.latitude, 0, 'f', 7)
            .arg(fix.longitude, 0, 'f', 7)
            .arg(fix.knots * 1.852, 0, 'f', 1)
            .toUtf8();
}

QByteArray ForeignTelemetry::nmeaBox(const SyntheticTelemetry &telemetry)
{
    QByteArray text;
    for (int i = 0; i < telemetry.sampleCount(); ++i)
        text += QByteArray::number(std::llround(telemetry.sampleTime(i) * 1000)) + " "
                + telemetry.sentences()[i] + "\r\n";
    return text;
}

QByteArray ForeignTelemetry::freeGpsBlock(const SyntheticTelemetry &telemetry,
                                          int index,
                                          const QDateTime &utc)
{
    const Fix fix = fixOf(telemetry.sentences().value(index));
    QByteArray payload("GPS ");
    payload += littleEndian(76); // length of what follows, as cameras write it
    payload += QByteArray(32, '\0'); // the later layout's own header
    const QDate date = utc.date();
    const QTime time = utc.time();
    for (const int value :
         {time.hour(), time.minute(), time.second(), date.year() - 2000, date.month(), date.day()})
        payload += littleEndian(quint32(value));
    payload.append(fix.valid ? 'A' : 'V');
    payload.append(fix.latitudeRef);
    payload.append(fix.longitudeRef);
    payload.append('\0');
    payload += littleEndianFloat(float(fix.latitudeNmea));
    payload += littleEndianFloat(float(fix.longitudeNmea));
    payload += littleEndianFloat(float(fix.knots));
    payload += littleEndianFloat(0.0f);
    return atom("free", payload);
}

bool ForeignTelemetry::addFreeGps(const QString &path,
                                  const SyntheticTelemetry &telemetry,
                                  const QDateTime &start,
                                  QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QByteArray data = file.readAll();
    // The last top-level atom must be moov: it grows by the index box, the blocks follow it.
    qint64 at = 0;
    qint64 moov = -1;
    while (at + 8 <= data.size()) {
        const qint64 size = qint64(quint8(data[int(at)])) << 24 | quint8(data[int(at) + 1]) << 16
                | quint8(data[int(at) + 2]) << 8 | quint8(data[int(at) + 3]);
        if (size < 8 || at + size > data.size())
            break;
        if (data.mid(int(at) + 4, 4) == "moov")
            moov = at;
        at += size;
    }
    if (moov < 0 || at != data.size()) {
        *error = QStringLiteral("%1: moov is not the last atom").arg(path);
        return false;
    }
    QList<QByteArray> blocks;
    for (int i = 0; i < telemetry.sampleCount(); ++i)
        blocks.append(freeGpsBlock(telemetry, i, timeOf(start, telemetry.sampleTime(i))));
    const qint64 indexSize = 8 + 8 + 8LL * blocks.size();
    QByteArray index = bigEndian(0x101, 4) + bigEndian(0, 4);
    qint64 position = data.size() + indexSize;
    for (const QByteArray &block : blocks) {
        index += bigEndian(position, 4) + bigEndian(block.size(), 4);
        position += block.size();
    }
    const qint64 moovSize = data.size() - moov + indexSize;
    data.replace(int(moov), 4, bigEndian(moovSize, 4));
    data += atom("gps ", index);
    for (const QByteArray &block : blocks)
        data += block;
    if (!file.seek(0) || file.write(data) != data.size()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QByteArray ForeignTelemetry::retimed(const QByteArray &sentence, const QDateTime &utc)
{
    QByteArray body = sentence.startsWith('$') ? sentence.mid(1) : sentence;
    const int star = body.indexOf('*');
    if (star >= 0)
        body.truncate(star);
    QList<QByteArray> f = body.split(',');
    if (f.size() > 9) {
        f[1] = utc.time().toString(QStringLiteral("HHmmss.zzz")).left(9).toLatin1();
        f[9] = utc.date().toString(QStringLiteral("ddMMyy")).toLatin1();
    }
    return SyntheticTelemetry::withChecksum(f.join(','));
}

QByteArray ForeignTelemetry::nmeaSidecar(const SyntheticTelemetry &telemetry,
                                         const QDateTime &start,
                                         double shift)
{
    QByteArray text;
    for (int i = 0; i < telemetry.sampleCount(); ++i)
        text += retimed(telemetry.sentences()[i], timeOf(start, telemetry.sampleTime(i) + shift))
                + "\r\n";
    return text;
}

QByteArray ForeignTelemetry::gpxSidecar(const SyntheticTelemetry &telemetry,
                                        const QDateTime &start,
                                        double shift)
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<gpx version=\"1.0\" creator=\"make-recording\" "
                                  "xmlns=\"http://www.topografix.com/GPX/1/0\">\n<trk><trkseg>\n");
    for (int i = 0; i < telemetry.sampleCount(); ++i) {
        const Fix fix = fixOf(telemetry.sentences()[i]);
        text += QStringLiteral("<trkpt lat=\"%1\" lon=\"%2\"><time>%3</time>"
                               "<speed>%4</speed>%5</trkpt>\n")
                        .arg(fix.latitude, 0, 'f', 7)
                        .arg(fix.longitude, 0, 'f', 7)
                        .arg(isoTime(timeOf(start, telemetry.sampleTime(i) + shift)))
                        .arg(fix.knots * KnotsToMs, 0, 'f', 4)
                        .arg(fix.valid ? QString() : QStringLiteral("<fix>none</fix>"));
    }
    text += QStringLiteral("</trkseg></trk>\n</gpx>\n");
    return text.toUtf8();
}
