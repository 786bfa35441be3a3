#include "gpmfparser.h"

#include "timedtelemetry.h"

#include <QVector>

#include <cmath>
#include <cstring>

namespace {

constexpr int HeaderSize = 8;
constexpr double MsToKmh = 3.6;

struct Item
{
    char key[4];
    char type = 0;
    int structSize = 0;
    int repeat = 0;
    const char *data = nullptr;
    qsizetype dataSize = 0; // structSize x repeat
    qsizetype paddedSize = 0;
};

bool isKeyChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' '
            || c == '_';
}

// The item at data[at]; false when its header or data does not fit in length.
bool readItem(const char *data, qsizetype length, qsizetype at, Item *item)
{
    if (at < 0 || length - at < HeaderSize)
        return false;
    const char *p = data + at;
    for (int i = 0; i < 4; ++i) {
        if (!isKeyChar(p[i]))
            return false;
        item->key[i] = p[i];
    }
    item->type = p[4];
    item->structSize = quint8(p[5]);
    item->repeat = quint8(p[6]) << 8 | quint8(p[7]);
    item->dataSize = qsizetype(item->structSize) * item->repeat;
    item->paddedSize = (item->dataSize + 3) & ~qsizetype(3);
    if (item->paddedSize > length - at - HeaderSize) {
        // The last item may lack its padding.
        if (item->dataSize > length - at - HeaderSize)
            return false;
        item->paddedSize = item->dataSize;
    }
    item->data = p + HeaderSize;
    return true;
}

bool keyIs(const Item &item, const char *key)
{
    return std::memcmp(item.key, key, 4) == 0;
}

int typeSize(char type)
{
    switch (type) {
    case 'b':
    case 'B':
    case 'c':
        return 1;
    case 's':
    case 'S':
        return 2;
    case 'l':
    case 'L':
    case 'f':
    case 'F':
    case 'q':
        return 4;
    case 'j':
    case 'J':
    case 'd':
    case 'Q':
        return 8;
    default:
        return 0;
    }
}

// One big-endian value of the type at p (typeSize(type) bytes available).
double valueOf(char type, const char *p)
{
    const auto *u = reinterpret_cast<const uchar *>(p);
    quint64 bits = 0;
    const int size = typeSize(type);
    for (int i = 0; i < size; ++i)
        bits = bits << 8 | u[i];
    switch (type) {
    case 'b':
        return double(qint8(bits));
    case 'B':
    case 'c':
        return double(quint8(bits));
    case 's':
        return double(qint16(bits));
    case 'S':
        return double(quint16(bits));
    case 'l':
        return double(qint32(bits));
    case 'L':
    case 'F':
        return double(quint32(bits));
    case 'q':
        return double(qint32(bits)) / 65536.0;
    case 'f': {
        const quint32 b32 = quint32(bits);
        float f = 0;
        std::memcpy(&f, &b32, sizeof f);
        return double(f);
    }
    case 'j':
        return double(qint64(bits));
    case 'J':
        return double(bits);
    case 'd': {
        double d = 0;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    case 'Q':
        return double(qint64(bits)) / 4294967296.0;
    default:
        return 0;
    }
}

// The fields of one sample: their types (all the item's type, or a TYPE string for "?").
QVector<double> sampleValues(const Item &item, int index, const QByteArray &structType)
{
    QVector<double> values;
    const char *p = item.data + qsizetype(index) * item.structSize;
    if (item.type == '?') {
        int offset = 0;
        for (const char t : structType) {
            const int size = typeSize(t);
            if (size == 0 || offset + size > item.structSize)
                break;
            values.append(valueOf(t, p + offset));
            offset += size;
        }
        return values;
    }
    const int size = typeSize(item.type);
    if (size == 0)
        return values;
    for (int offset = 0; offset + size <= item.structSize; offset += size)
        values.append(valueOf(item.type, p + offset));
    return values;
}

// A fix type (0 none, 2 2D, 3 3D) from its stored value; anything else counts as none.
int fixOf(double value)
{
    return value >= 0 && value <= 3 ? int(value) : 0;
}

struct StreamState
{
    QVector<double> scale;
    QByteArray structType;
    int fix = -1; // GPSF; -1 when not given
};

double scaled(const QVector<double> &values, int i, const QVector<double> &scale)
{
    double divisor = 1;
    if (scale.size() == 1)
        divisor = scale[0];
    else if (i < scale.size())
        divisor = scale[i];
    if (divisor == 0 || !std::isfinite(divisor))
        divisor = 1;
    return values[i] / divisor;
}

void emitGps(const Item &item,
             const StreamState &state,
             double start,
             double duration,
             TimedTelemetry *out)
{
    const bool nine = keyIs(item, "GPS9");
    for (int i = 0; i < item.repeat; ++i) {
        const QVector<double> v = sampleValues(item, i, state.structType);
        if (v.size() < 4)
            return;
        GpsSample sample;
        sample.latitude = scaled(v, 0, state.scale);
        sample.longitude = scaled(v, 1, state.scale);
        sample.speed = std::max(0.0, scaled(v, 3, state.scale)) * MsToKmh;
        int fix = state.fix;
        if (nine && v.size() >= 9)
            fix = fixOf(v[8]);
        sample.valid = fix < 0 || fix >= 2;
        if (!std::isfinite(sample.latitude) || !std::isfinite(sample.longitude)
            || std::fabs(sample.latitude) > 90 || std::fabs(sample.longitude) > 180) {
            continue;
        }
        if (sample.speed > 1e6 || !std::isfinite(sample.speed))
            sample.speed = 0;
        out->addFix(start + duration * i / item.repeat, sample);
    }
}

void emitAccel(const Item &item,
               const StreamState &state,
               double start,
               double duration,
               TimedTelemetry *out)
{
    for (int i = 0; i < item.repeat; ++i) {
        const QVector<double> v = sampleValues(item, i, state.structType);
        if (v.size() < 3)
            return;
        GSensorSample sample;
        sample.x = TimedTelemetry::quantizeG(scaled(v, 0, state.scale)
                                             / GpmfParser::StandardGravity);
        sample.y = TimedTelemetry::quantizeG(scaled(v, 1, state.scale)
                                             / GpmfParser::StandardGravity);
        sample.z = TimedTelemetry::quantizeG(scaled(v, 2, state.scale)
                                             / GpmfParser::StandardGravity);
        out->addReading(start + duration * i / item.repeat, sample);
    }
}

void walk(const char *data,
          qsizetype length,
          int depth,
          double start,
          double duration,
          TimedTelemetry *out)
{
    StreamState state;
    qsizetype at = 0;
    Item item;
    while (readItem(data, length, at, &item)) {
        at += HeaderSize + item.paddedSize;
        if (item.type == 0) {
            if (depth + 1 < GpmfParser::MaxDepth)
                walk(item.data, item.dataSize, depth + 1, start, duration, out);
            continue;
        }
        if (item.structSize == 0 || item.repeat == 0)
            continue;
        if (keyIs(item, "SCAL")) {
            state.scale.clear();
            const int size = typeSize(item.type);
            for (qsizetype off = 0;
                 size > 0 && off + size <= item.dataSize && state.scale.size() < 64;
                 off += size)
                state.scale.append(valueOf(item.type, item.data + off));
        } else if (keyIs(item, "TYPE") && item.type == 'c') {
            state.structType = QByteArray(item.data, int(item.dataSize));
        } else if (keyIs(item, "GPSF") && typeSize(item.type) > 0
                   && item.dataSize >= typeSize(item.type)) {
            state.fix = fixOf(valueOf(item.type, item.data));
        } else if (keyIs(item, "GPS5") || keyIs(item, "GPS9")) {
            emitGps(item, state, start, duration, out);
        } else if (keyIs(item, "ACCL")) {
            emitAccel(item, state, start, duration, out);
        }
    }
}

} // namespace

bool GpmfParser::parse(
        const char *data, qsizetype length, double start, double duration, TimedTelemetry *out)
{
    Item first;
    if (!data || !readItem(data, length, 0, &first))
        return false;
    if (!(duration > 0) || !std::isfinite(duration))
        duration = 1;
    walk(data, length, 0, start, duration, out);
    return true;
}
