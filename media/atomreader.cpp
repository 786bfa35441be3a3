#include "atomreader.h"

#include "enginelog.h"

#include <QDebug>
#include <QFile>
#include <QIODevice>

#include <cstring>

namespace {

constexpr qint64 HeaderSize = 8;
constexpr qint64 LargeHeaderSize = 16; // size field 1: a 64-bit size follows the type

struct Range
{
    qint64 begin = 0;
    qint64 end = 0; // one past the last byte
};

quint64 bigEndian(const uchar *bytes, int count)
{
    quint64 value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

bool isPrintableType(const uchar *type)
{
    for (int i = 0; i < 4; ++i) {
        if (type[i] < 0x20 || type[i] > 0x7e)
            return false;
    }
    return true;
}

QString typeText(const uchar *type)
{
    QString text;
    for (int i = 0; i < 4; ++i)
        text += type[i] >= 0x20 && type[i] <= 0x7e ? QChar(type[i]) : QChar('?');
    return text;
}

bool readAt(QIODevice &device, qint64 position, uchar *buffer, qint64 count)
{
    return device.seek(position) && device.read(reinterpret_cast<char *>(buffer), count) == count;
}

// Looks for the first atom of the given type among the atoms that fill parent. A tail shorter
// than an atom header ends the walk quietly (a user-data list may end with a 32-bit zero).
AtomReader::Status findChild(QIODevice &device,
                             const Range &parent,
                             const char *type,
                             const char *parentName,
                             bool topLevel,
                             Range *payload)
{
    qint64 position = parent.begin;
    while (parent.end - position >= HeaderSize) {
        uchar header[LargeHeaderSize];
        if (!readAt(device, position, header, HeaderSize))
            return AtomReader::Status::ReadError;
        // The first bytes of an MP4 are an atom with a four-character type; an AVI starts with
        // "RIFF" and its size, which would read as an atom of a binary type.
        if (topLevel && position == parent.begin
            && (!isPrintableType(header + 4) || std::memcmp(header, "RIFF", 4) == 0))
            return AtomReader::Status::NotMp4;

        const qint64 room = parent.end - position;
        quint64 size = bigEndian(header, 4);
        qint64 headerSize = HeaderSize;
        if (size == 1) {
            if (room < LargeHeaderSize) {
                qCDebug(lcEngine).noquote()
                        << "AtomReader: atom" << typeText(header + 4) << "at" << position
                        << "has no room for its 64-bit size in" << parentName;
                return AtomReader::Status::Malformed;
            }
            if (!readAt(device, position + HeaderSize, header + HeaderSize, 8))
                return AtomReader::Status::ReadError;
            size = bigEndian(header + HeaderSize, 8);
            headerSize = LargeHeaderSize;
        } else if (size == 0) {
            size = quint64(room); // to the end of the parent
        }
        if (size < quint64(headerSize)) {
            qCDebug(lcEngine).noquote()
                    << "AtomReader: atom" << typeText(header + 4) << "at" << position << "size"
                    << size << "is smaller than its header";
            return AtomReader::Status::Malformed;
        }
        if (size > quint64(room)) {
            qCDebug(lcEngine).noquote()
                    << "AtomReader: atom" << typeText(header + 4) << "at" << position << "size"
                    << size << "reaches past the end of" << parentName;
            return AtomReader::Status::Malformed;
        }
        if (std::memcmp(header + 4, type, 4) == 0) {
            payload->begin = position + headerSize;
            payload->end = position + qint64(size);
            return AtomReader::Status::Found;
        }
        position += qint64(size);
    }
    return AtomReader::Status::NotFound;
}

} // namespace

QByteArray AtomReader::readTelemetry(QIODevice &device, Status *status)
{
    return readPayload(device, {"moov", "udta", "tlmd"}, status);
}

AtomReader::Status AtomReader::locate(QIODevice &device,
                                      const QList<QByteArray> &path,
                                      qint64 *begin,
                                      qint64 *size)
{
    if (!device.isOpen() || !device.isReadable() || device.isSequential())
        return Status::ReadError;
    const qint64 deviceSize = device.size();
    if (deviceSize < HeaderSize)
        return Status::NotMp4;
    if (path.isEmpty())
        return Status::NotFound;
    Range range {0, deviceSize};
    QByteArray parentName = "the file";
    for (int i = 0; i < path.size(); ++i) {
        const QByteArray &type = path.at(i);
        if (type.size() != 4)
            return Status::NotFound;
        Range child;
        const Status result = findChild(
                device, range, type.constData(), parentName.constData(), i == 0, &child);
        if (result != Status::Found)
            return result;
        range = child;
        parentName = type;
    }
    *begin = range.begin;
    *size = range.end - range.begin;
    return Status::Found;
}

QByteArray AtomReader::readPayload(QIODevice &device, const QList<QByteArray> &path, Status *status)
{
    QByteArray payload;
    const auto finish = [&](Status s) {
        if (status)
            *status = s;
        return s == Status::Found ? payload : QByteArray();
    };
    Range range;
    qint64 length = 0;
    const Status found = locate(device, path, &range.begin, &length);
    if (found != Status::Found)
        return finish(found);
    range.end = range.begin + length;
    const QByteArray &name = path.last();

    const qint64 size = range.end - range.begin;
    if (size > MaxPayloadSize) {
        qCDebug(lcEngine).noquote() << "AtomReader:" << name << "payload of" << size
                                    << "bytes is above the limit of" << MaxPayloadSize;
        return finish(Status::TooLarge);
    }
    if (size > 0) {
        if (!device.seek(range.begin))
            return finish(Status::ReadError);
        payload = device.read(size);
        if (payload.size() != size) {
            qCDebug(lcEngine).noquote() << "AtomReader: short read of the" << name
                                        << "payload:" << payload.size() << "of" << size << "bytes";
            return finish(Status::ReadError);
        }
    }
    return finish(Status::Found);
}

QByteArray AtomReader::readPayload(const QString &filePath,
                                   const QList<QByteArray> &path,
                                   Status *status)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (status)
            *status = Status::ReadError;
        return QByteArray();
    }
    return readPayload(file, path, status);
}

QByteArray AtomReader::readTelemetry(const QString &path, Status *status)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (status)
            *status = Status::ReadError;
        return QByteArray();
    }
    return readTelemetry(file, status);
}
