#include "synthetictelemetry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double MetresPerDegree = 111320.0;
constexpr double KnotsPerKmh = 1.0 / 1.852;

// Drive motion: one braking every BrakePeriod seconds, one corner every CornerPeriod, one
// pothole every BumpPeriod (periods without a common divisor, so the events drift apart).
constexpr double BrakePeriod = 17.0;
constexpr double BrakeSeconds = 2.5;
constexpr double BrakeG = 0.55;
constexpr double PullAwayG = 0.22;
constexpr double CornerPeriod = 11.0;
constexpr double CornerSeconds = 3.0;
constexpr double CornerG = 0.4;
constexpr double BumpPeriod = 23.0;
constexpr double BumpSeconds = 0.12;
constexpr double BumpG = 0.3; // the drop; the rebound is smaller
constexpr double ReboundG = 0.08;
constexpr double VibrationHz = 13.0;
constexpr double VibrationG = 0.03;
constexpr double NoiseG = 0.03;

// A smooth pulse: 0 outside [0, length), rising to 1 in the middle (raised cosine).
double pulse(double t, double length)
{
    if (t < 0 || t >= length)
        return 0;
    return 0.5 - 0.5 * std::cos(2 * Pi * t / length);
}

// Deterministic noise in [-1, 1] for a sample index, an axis and a seed (splitmix64).
double noise(int64_t index, int axis, int seed)
{
    uint64_t z = static_cast<uint64_t>(index) * 3 + static_cast<uint64_t>(axis)
            + (static_cast<uint64_t>(static_cast<uint32_t>(seed)) << 40) + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / static_cast<double>(1ULL << 52) - 1.0;
}

// "ddmm.mmmm" (latitude, 2 degree digits) or "dddmm.mmmm" (longitude, 3 digits).
QByteArray formatAngle(double degrees, int degreeDigits)
{
    // Round to the printed precision first so that 59.99995 minutes cannot print as 60.0000.
    const int64_t tenThousandths = std::llround(std::fabs(degrees) * 60.0 * 10000.0);
    const int64_t whole = tenThousandths / (60 * 10000);
    const double minutes = static_cast<double>(tenThousandths % (60 * 10000)) / 10000.0;
    return QByteArray::number(static_cast<qlonglong>(whole)).rightJustified(degreeDigits, '0')
            + QByteArray::number(minutes, 'f', 4).rightJustified(7, '0');
}

} // namespace

SyntheticTelemetry::SyntheticTelemetry(int gpsCount,
                                       int gsensorCount,
                                       double duration,
                                       int seed,
                                       const QDateTime &start,
                                       const QList<QByteArray> &sentences,
                                       Motion motion)
    : m_duration(duration)
{
    gpsCount = std::max(0, gpsCount);
    gsensorCount = std::max(0, gsensorCount);
    if (sentences.isEmpty()) {
        m_sentences = generateRoute(gpsCount, duration, seed, start);
    } else {
        for (int i = 0; i < gpsCount; ++i)
            m_sentences.append(sentences[i % sentences.size()]);
    }

    m_gsensor.resize(gsensorCount);
    for (int j = 0; j < gsensorCount; ++j) {
        const double t = gsensorCount > 0 ? j * duration / gsensorCount : 0;
        double values[3];
        if (motion == Motion::Drive)
            driveAt(t, j, seed, values);
        else
            swingAt(t, seed, values);
        GSensorRecord &record = m_gsensor[j];
        for (int axis = 0; axis < 3; ++axis)
            quantize(values[axis], &record.magnitude[axis], &record.negative[axis]);
    }
}

void SyntheticTelemetry::swingAt(double t, int seed, double values[3])
{
    // Lateral and longitudinal swings well below 1 g, gravity on z.
    values[0] = 0.35 * std::sin(2 * Pi * t / 6.0 + seed * 0.7);
    values[1] = -0.25 * std::sin(2 * Pi * t / 4.5 + 1.0 + seed * 0.3);
    values[2] = 1.0 + 0.08 * std::sin(2 * Pi * t / 3.0);
}

void SyntheticTelemetry::driveAt(double t, int64_t index, int seed, double values[3])
{
    const double shift = (seed % 7) * 1.3; // seconds; moves the events for another seed
    // x: a braking, then pulling away again seven seconds after it.
    const double brake = std::fmod(t + shift, BrakePeriod);
    const double x = -BrakeG * pulse(brake - 4.0, BrakeSeconds)
            + PullAwayG * pulse(brake - 4.0 - 7.0, 2 * BrakeSeconds);
    // y: corners alternate left and right.
    const double cornerTime = t + shift * 0.5;
    const int corner = static_cast<int>(std::floor(cornerTime / CornerPeriod));
    const double y = (corner % 2 == 0 ? CornerG : -CornerG)
            * pulse(std::fmod(cornerTime, CornerPeriod) - 2.0, CornerSeconds);
    // z: gravity, engine and road vibration, and a pothole (down, then up; the record tops out
    // at 1.125 g).
    const double bump = std::fmod(t + shift * 0.3, BumpPeriod) - 7.0;
    const double z = 1.0 + VibrationG * std::sin(2 * Pi * VibrationHz * t)
            - BumpG * pulse(bump, BumpSeconds) + ReboundG * pulse(bump - BumpSeconds, BumpSeconds);
    values[0] = x + NoiseG * noise(index, 0, seed);
    values[1] = y + NoiseG * noise(index, 1, seed);
    values[2] = z + NoiseG * noise(index, 2, seed);
}

double SyntheticTelemetry::sampleTime(int index) const
{
    if (m_sentences.isEmpty())
        return 0;
    return index * m_duration / m_sentences.size();
}

int SyntheticTelemetry::firstGsensor(int sample) const
{
    // G-sensor record j lies at j * duration / gsensorCount and belongs to the GPS interval
    // floor(j * gpsCount / gsensorCount); the first record of interval i is therefore
    // ceil(i * gsensorCount / gpsCount).
    const int64_t gps = m_sentences.size();
    if (gps == 0)
        return 0;
    const int64_t index = (static_cast<int64_t>(sample) * m_gsensor.size() + gps - 1) / gps;
    return static_cast<int>(std::clamp<int64_t>(index, 0, m_gsensor.size()));
}

QByteArray SyntheticTelemetry::gsensorText(const GSensorRecord &record) const
{
    QByteArray text = "$M";
    for (int axis = 0; axis < 3; ++axis)
        text += QByteArray::number(record.magnitude[axis]) + ',';
    for (int axis = 0; axis < 3; ++axis)
        text += QByteArray::number(record.negative[axis]) + ',';
    text += "0,0,0,0,0,0"; // b6..b11
    text += ",0,0"; // the trailer b12, b13
    return text;
}

QByteArray SyntheticTelemetry::gsensorBinary(const GSensorRecord &record) const
{
    QByteArray bytes(16, '\0');
    bytes[0] = '$';
    bytes[1] = 'M';
    for (int axis = 0; axis < 3; ++axis) {
        bytes[2 + axis] = static_cast<char>(record.magnitude[axis]);
        bytes[5 + axis] = static_cast<char>(record.negative[axis]);
    }
    return bytes;
}

QByteArray SyntheticTelemetry::sampleText(int index) const
{
    if (index < 0 || index >= m_sentences.size())
        return QByteArray();
    QByteArray text = m_sentences[index] + "\r\n";
    const int first = firstGsensor(index);
    const int last = firstGsensor(index + 1);
    for (int j = first; j < last; ++j)
        text += gsensorText(m_gsensor[j]);
    if (last > first)
        text += '$';
    return text;
}

QByteArray SyntheticTelemetry::userDataBlock() const
{
    QByteArray block;
    for (int i = 0; i < m_sentences.size(); ++i) {
        block += m_sentences[i] + "\r\n";
        const int last = firstGsensor(i + 1);
        for (int j = firstGsensor(i); j < last; ++j)
            block += gsensorBinary(m_gsensor[j]);
    }
    return block;
}

QByteArray SyntheticTelemetry::withChecksum(const QByteArray &body)
{
    uint8_t checksum = 0;
    for (char c : body)
        checksum ^= static_cast<uint8_t>(c);
    return '$' + body + '*' + QByteArray::number(checksum, 16).toUpper().rightJustified(2, '0');
}

void SyntheticTelemetry::quantize(double value, uint8_t *magnitude, uint8_t *negative)
{
    const long steps = std::lround(std::fabs(value) * 32.0) - 1;
    *magnitude = static_cast<uint8_t>(std::clamp<long>(steps, 0, 35));
    *negative = value < 0 ? 1 : 0;
}

QList<QByteArray> SyntheticTelemetry::generateRoute(int count,
                                                    double duration,
                                                    int seed,
                                                    const QDateTime &start)
{
    QList<QByteArray> sentences;
    double latitude = 48.1173 + (seed % 100) * 0.01;
    double longitude = 11.5167 + (seed % 100) * 0.013;
    const double step = count > 0 ? duration / count : 0;
    for (int i = 0; i < count; ++i) {
        const double t = i * step;
        const double kmh = 45.0 + 15.0 * std::sin(t / 9.0 + seed);
        const double course
                = std::fmod(90.0 + 40.0 * std::sin(t / 25.0 + seed * 0.5) + 360.0, 360.0);

        const QDateTime when = start.addMSecs(std::llround(t * 1000.0)).toUTC();
        const int centiseconds = when.time().msec() / 10;
        QByteArray body = "GPRMC,";
        body += when.toString(QStringLiteral("HHmmss")).toLatin1() + '.'
                + QByteArray::number(centiseconds).rightJustified(2, '0') + ',';
        body += "A,";
        body += formatAngle(latitude, 2) + (latitude < 0 ? ",S," : ",N,");
        body += formatAngle(longitude, 3) + (longitude < 0 ? ",W," : ",E,");
        body += QByteArray::number(kmh * KnotsPerKmh, 'f', 2) + ',';
        body += QByteArray::number(course, 'f', 2) + ',';
        body += when.toString(QStringLiteral("ddMMyy")).toLatin1();
        body += ",,,A"; // magnetic variation, its direction, mode: 13 fields in all
        sentences.append(withChecksum(body));

        const double metres = kmh / 3.6 * step;
        const double radians = course * Pi / 180.0;
        latitude += metres * std::cos(radians) / MetresPerDegree;
        longitude += metres * std::sin(radians)
                / (MetresPerDegree * std::max(0.1, std::cos(latitude * Pi / 180.0)));
    }
    return sentences;
}
