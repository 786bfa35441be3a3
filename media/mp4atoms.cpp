#include "mp4atoms.h"

#include <QFile>

#include <cstdint>
#include <limits>

namespace {

quint32 readU32(const QByteArray &data, qint64 offset)
{
    const auto *p = reinterpret_cast<const uchar *>(data.constData() + offset);
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

quint64 readU64(const QByteArray &data, qint64 offset)
{
    return (quint64(readU32(data, offset)) << 32) | readU32(data, offset + 4);
}

void writeU32(QByteArray *data, qint64 offset, quint32 value)
{
    char *p = data->data() + offset;
    p[0] = static_cast<char>(value >> 24);
    p[1] = static_cast<char>(value >> 16);
    p[2] = static_cast<char>(value >> 8);
    p[3] = static_cast<char>(value);
}

void writeU64(QByteArray *data, qint64 offset, quint64 value)
{
    writeU32(data, offset, static_cast<quint32>(value >> 32));
    writeU32(data, offset + 4, static_cast<quint32>(value));
}

QByteArray atomBytes(const QByteArray &type, const QByteArray &payload)
{
    QByteArray bytes(8, '\0');
    writeU32(&bytes, 0, static_cast<quint32>(8 + payload.size()));
    bytes.replace(4, 4, type.left(4));
    return bytes + payload;
}

// Rewrites the size field of an atom that grows by growth bytes.
bool growAtom(QByteArray *file, const Mp4Atoms::Atom &atom, qint64 growth, QString *error)
{
    const quint64 newSize = static_cast<quint64>(atom.size + growth);
    if (atom.headerSize == 16) {
        writeU64(file, atom.offset + 8, newSize);
        return true;
    }
    if (newSize > std::numeric_limits<quint32>::max()) {
        *error = QStringLiteral("atom %1 would outgrow its 32-bit size")
                         .arg(QString::fromLatin1(atom.type));
        return false;
    }
    writeU32(file, atom.offset, static_cast<quint32>(newSize));
    return true;
}

// Adds growth to every entry of the stco/co64 atoms below moov that points at or behind
// insertion. Chunk offsets are positions in the file; insertion is one too.
bool shiftChunkOffsets(QByteArray *file,
                       const Mp4Atoms::Atom &parent,
                       qint64 insertion,
                       qint64 growth,
                       QString *error)
{
    QVector<Mp4Atoms::Atom> atoms;
    if (!Mp4Atoms::children(*file, parent.payload(), parent.end(), &atoms, error))
        return false;
    for (const Mp4Atoms::Atom &atom : atoms) {
        if (atom.type == "trak" || atom.type == "mdia" || atom.type == "minf"
            || atom.type == "stbl") {
            if (!shiftChunkOffsets(file, atom, insertion, growth, error))
                return false;
            continue;
        }
        const bool wide = atom.type == "co64";
        if (atom.type != "stco" && !wide)
            continue;
        // version/flags (4), entry count (4), entries.
        const qint64 entriesStart = atom.payload() + 8;
        if (entriesStart > atom.end()) {
            *error = QStringLiteral("%1 atom too short").arg(QString::fromLatin1(atom.type));
            return false;
        }
        const qint64 count = readU32(*file, atom.payload() + 4);
        const qint64 entrySize = wide ? 8 : 4;
        if (count > (atom.end() - entriesStart) / entrySize) {
            *error = QStringLiteral("%1 atom holds fewer entries than it counts")
                             .arg(QString::fromLatin1(atom.type));
            return false;
        }
        for (qint64 i = 0; i < count; ++i) {
            const qint64 at = entriesStart + i * entrySize;
            if (wide) {
                const quint64 value = readU64(*file, at);
                if (value >= static_cast<quint64>(insertion))
                    writeU64(file, at, value + static_cast<quint64>(growth));
            } else {
                const quint64 value = readU32(*file, at);
                if (value < static_cast<quint64>(insertion))
                    continue;
                if (value + growth > std::numeric_limits<quint32>::max()) {
                    *error = QStringLiteral("a chunk offset would outgrow stco");
                    return false;
                }
                writeU32(file, at, static_cast<quint32>(value + growth));
            }
        }
    }
    return true;
}

bool findTopLevel(const QByteArray &file,
                  const QByteArray &type,
                  Mp4Atoms::Atom *atom,
                  QString *error)
{
    QVector<Mp4Atoms::Atom> atoms;
    if (!Mp4Atoms::children(file, 0, file.size(), &atoms, error))
        return false;
    for (const Mp4Atoms::Atom &candidate : atoms) {
        if (candidate.type == type) {
            *atom = candidate;
            return true;
        }
    }
    *error = QStringLiteral("no %1 atom").arg(QString::fromLatin1(type));
    return false;
}

} // namespace

bool Mp4Atoms::children(
        const QByteArray &data, qint64 begin, qint64 end, QVector<Atom> *atoms, QString *error)
{
    atoms->clear();
    if (begin < 0 || end > data.size() || begin > end) {
        *error = QStringLiteral("atom range outside the file");
        return false;
    }
    qint64 offset = begin;
    while (offset < end) {
        if (end - offset < 8) {
            *error = QStringLiteral("cut atom header at %1").arg(offset);
            return false;
        }
        Atom atom;
        atom.offset = offset;
        atom.type = data.mid(offset + 4, 4);
        const quint32 size32 = readU32(data, offset);
        if (size32 == 1) {
            if (end - offset < 16) {
                *error = QStringLiteral("cut 64-bit atom header at %1").arg(offset);
                return false;
            }
            const quint64 size64 = readU64(data, offset + 8);
            if (size64 > static_cast<quint64>(end - offset)) {
                *error = QStringLiteral("atom %1 at %2 runs past its parent")
                                 .arg(QString::fromLatin1(atom.type))
                                 .arg(offset);
                return false;
            }
            atom.headerSize = 16;
            atom.size = static_cast<qint64>(size64);
        } else if (size32 == 0) {
            atom.headerSize = 8; // extends to the end of its parent
            atom.size = end - offset;
        } else {
            atom.headerSize = 8;
            atom.size = size32;
        }
        if (atom.size < atom.headerSize || atom.size > end - offset) {
            *error = QStringLiteral("atom %1 at %2 has a bad size %3")
                             .arg(QString::fromLatin1(atom.type))
                             .arg(offset)
                             .arg(atom.size);
            return false;
        }
        atoms->append(atom);
        offset += atom.size;
    }
    return true;
}

bool Mp4Atoms::appendUserData(QByteArray *file,
                              const QByteArray &type,
                              const QByteArray &payload,
                              QString *error)
{
    Atom moov;
    if (!findTopLevel(*file, "moov", &moov, error))
        return false;
    return appendToMovie(file, 0, moov, type, payload, error);
}

bool Mp4Atoms::appendToMovie(QByteArray *data,
                             qint64 base,
                             const Atom &moov,
                             const QByteArray &type,
                             const QByteArray &payload,
                             QString *error)
{
    if (type.size() != 4) {
        *error = QStringLiteral("atom types have four characters");
        return false;
    }
    if (payload.size() > std::numeric_limits<int>::max() - 16
        || data->size() > std::numeric_limits<int>::max() - 16 - payload.size()) {
        *error = QStringLiteral("user data too large");
        return false;
    }
    QVector<Atom> moovChildren;
    if (!children(*data, moov.payload(), moov.end(), &moovChildren, error))
        return false;
    const Atom *udta = nullptr;
    for (const Atom &child : moovChildren) {
        if (child.type == "udta")
            udta = &child;
    }

    QByteArray insert = atomBytes(type, payload);
    qint64 insertion = 0;
    if (udta) {
        insertion = udta->end();
    } else {
        insert = atomBytes("udta", insert);
        insertion = moov.end();
    }
    const qint64 growth = insert.size();

    // Offsets first, while every position still holds: the chunk tables lie inside moov, in
    // front of or beside the insertion point, and only entries pointing behind it move.
    if (!shiftChunkOffsets(data, moov, base + insertion, growth, error))
        return false;
    if (udta && !growAtom(data, *udta, growth, error))
        return false;
    if (!growAtom(data, moov, growth, error))
        return false;
    data->insert(static_cast<int>(insertion), insert);
    return true;
}

bool Mp4Atoms::topLevel(QFile &file, QVector<Atom> *atoms, QString *error)
{
    atoms->clear();
    const qint64 end = file.size();
    qint64 offset = 0;
    while (offset < end) {
        QByteArray header;
        if (!file.seek(offset) || (header = file.read(qMin<qint64>(16, end - offset))).size() < 8) {
            *error = QStringLiteral("cut atom header at %1").arg(offset);
            return false;
        }
        const quint32 size32 = readU32(header, 0);
        qint64 size = size32;
        qint64 headerSize = 8;
        if (size32 == 1) {
            if (header.size() < 16) {
                *error = QStringLiteral("cut 64-bit atom header at %1").arg(offset);
                return false;
            }
            const quint64 size64 = readU64(header, 8);
            if (size64 > static_cast<quint64>(end - offset)) {
                *error = QStringLiteral("atom at %1 runs past the end of the file").arg(offset);
                return false;
            }
            size = static_cast<qint64>(size64);
            headerSize = 16;
        } else if (size32 == 0) {
            size = end - offset;
        }
        if (size < headerSize || size > end - offset) {
            *error = QStringLiteral("atom at %1 has a bad size %2").arg(offset).arg(size);
            return false;
        }
        Atom atom;
        atom.offset = offset;
        atom.headerSize = headerSize;
        atom.size = size;
        atom.type = header.mid(4, 4);
        atoms->append(atom);
        offset += size;
    }
    return true;
}

bool Mp4Atoms::appendUserDataToFile(const QString &path,
                                    const QByteArray &type,
                                    const QByteArray &payload,
                                    QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QVector<Atom> atoms;
    if (!topLevel(file, &atoms, error))
        return false;
    const Atom *moov = nullptr;
    for (const Atom &atom : atoms) {
        if (atom.type == "moov")
            moov = &atom;
    }
    if (!moov) {
        *error = QStringLiteral("%1: no moov atom").arg(path);
        return false;
    }

    // moov at the end of the file (the converter's way): only moov is read, edited and written
    // back in place; nothing behind it moves and no chunk offset points into it.
    const bool movieLast = moov->end() == file.size();
    const qint64 base = movieLast ? moov->offset : 0;
    const qint64 length = movieLast ? moov->size : file.size();
    if (length > MaxEditSize) {
        *error = QStringLiteral("%1: too large to edit in memory").arg(path);
        return false;
    }
    QByteArray data;
    if (!file.seek(base) || (data = file.read(length)).size() != length) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    Atom inData = *moov;
    inData.offset -= base;
    if (!appendToMovie(&data, base, inData, type, payload, error))
        return false;
    if (!file.seek(base) || file.write(data) != data.size() || !file.flush()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

int Mp4Atoms::renameTopLevel(QByteArray *file,
                             const QByteArray &from,
                             const QByteArray &to,
                             QString *error)
{
    if (from.size() != 4 || to.size() != 4) {
        *error = QStringLiteral("atom types have four characters");
        return -1;
    }
    QVector<Atom> atoms;
    if (!children(*file, 0, file->size(), &atoms, error))
        return -1;
    int renamed = 0;
    for (const Atom &atom : atoms) {
        if (atom.type == from) {
            file->replace(static_cast<int>(atom.offset + 4), 4, to);
            ++renamed;
        }
    }
    return renamed;
}

bool Mp4Atoms::removeMovie(QByteArray *file, QString *error)
{
    Atom moov;
    if (!findTopLevel(*file, "moov", &moov, error))
        return false;
    file->remove(static_cast<int>(moov.offset), static_cast<int>(moov.size));
    return true;
}
