#include "damage.h"

#include "media/mp4atoms.h"

#include <QFile>
#include <QVector>

#include <cmath>
#include <limits>

namespace {

bool readFile(const QString &path, QByteArray *data, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() >= std::numeric_limits<int>::max()) {
        *error = QStringLiteral("%1: too large to edit in memory").arg(path);
        return false;
    }
    *data = file.readAll();
    return true;
}

bool writeFile(const QString &path, const QByteArray &data, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool truncateFile(const QString &path, qint64 size, QString *error)
{
    QFile file(path);
    if (!file.resize(size)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

// Cuts the file at the offset that offsetOf finds in its contents (negative: not found).
bool truncateAtOffset(const QString &path,
                      qint64 (*offsetOf)(const QByteArray &, QString *),
                      QString *error)
{
    QByteArray data;
    if (!readFile(path, &data, error))
        return false;
    const qint64 offset = offsetOf(data, error);
    return offset >= 0 && truncateFile(path, offset, error);
}

quint32 readU32le(const QByteArray &data, qint64 offset)
{
    const auto *p = reinterpret_cast<const uchar *>(data.constData() + offset);
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

} // namespace

qint64 Damage::aviIndexOffset(const QByteArray &file, QString *error)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "AVI ") {
        *error = QStringLiteral("not an AVI file");
        return -1;
    }
    const qint64 riffEnd = std::min<qint64>(file.size(), 8 + qint64(readU32le(file, 4)));
    qint64 offset = 12;
    while (offset + 8 <= riffEnd) {
        const QByteArray id = file.mid(static_cast<int>(offset), 4);
        const qint64 size = readU32le(file, offset + 4);
        if (id == "idx1")
            return offset;
        // Chunks are padded to an even size.
        offset += 8 + size + (size & 1);
    }
    *error = QStringLiteral("no idx1 chunk in the AVI file");
    return -1;
}

qint64 Damage::aviTornChunkOffset(const QByteArray &file, QString *error)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "AVI ") {
        *error = QStringLiteral("not an AVI file");
        return -1;
    }
    // Walk the chunks of the first RIFF list, descending into LIST chunks (movi, rec), and
    // remember the last video chunk ("##dc" or "##db") with at least two bytes of data.
    qint64 middle = -1;
    QVector<qint64> ends {std::min<qint64>(file.size(), 8 + qint64(readU32le(file, 4)))};
    qint64 offset = 12;
    while (!ends.isEmpty()) {
        if (offset + 8 > ends.last()) {
            offset = ends.takeLast();
            continue;
        }
        const QByteArray id = file.mid(static_cast<int>(offset), 4);
        const qint64 size = readU32le(file, offset + 4);
        if (id == "LIST" && size >= 4) {
            ends.append(std::min(ends.last(), offset + 8 + size + (size & 1)));
            offset += 12;
            continue;
        }
        if ((id.endsWith("dc") || id.endsWith("db")) && size >= 2
            && offset + 8 + size <= file.size())
            middle = offset + 8 + size / 2;
        offset += 8 + size + (size & 1);
    }
    if (middle < 0)
        *error = QStringLiteral("no video chunk in the AVI file");
    return middle;
}

bool Damage::apply(const QString &path, const RecordingOptions &options, QString *error)
{
    switch (options.damage) {
    case RecordingOptions::Damage::None:
        return true;
    case RecordingOptions::Damage::Truncate: {
        const qint64 size = QFile(path).size();
        const auto cut = static_cast<qint64>(std::floor(size * options.truncateFraction));
        return truncateFile(path, cut, error);
    }
    case RecordingOptions::Damage::AviNoIndex:
        // A power loss before the camera finished the file: everything up to the index.
        return truncateAtOffset(path, aviIndexOffset, error);
    case RecordingOptions::Damage::AviTornChunk:
        // A power loss while the camera wrote a picture: the file ends inside its chunk.
        return truncateAtOffset(path, aviTornChunkOffset, error);
    case RecordingOptions::Damage::Mp4NoMoov: {
        QByteArray data;
        if (!readFile(path, &data, error) || !Mp4Atoms::removeMovie(&data, error))
            return false;
        return writeFile(path, data, error);
    }
    case RecordingOptions::Damage::Mp4HiddenFragments: {
        QByteArray data;
        if (!readFile(path, &data, error))
            return false;
        const int fragments = Mp4Atoms::renameTopLevel(&data, "moof", "free", error);
        if (fragments < 0)
            return false;
        if (fragments == 0) {
            *error = QStringLiteral("the fragmented file holds no moof atom");
            return false;
        }
        if (Mp4Atoms::renameTopLevel(&data, "mfra", "free", error) < 0)
            return false;
        return writeFile(path, data, error);
    }
    }
    return true;
}
