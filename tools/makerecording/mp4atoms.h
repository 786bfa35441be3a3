#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Bounds-checked edits of an MP4 file held in memory: the atom walk, appending a user-data
// child to moov/udta, renaming top-level atoms and cutting out moov. Plain functions; any
// thread.
class Mp4Atoms
{
public:
    struct Atom
    {
        qint64 offset = 0; // of the size field
        qint64 headerSize = 0; // 8, or 16 with a 64-bit size
        qint64 size = 0; // header included
        QByteArray type;

        qint64 end() const { return offset + size; }
        qint64 payload() const { return offset + headerSize; }
    };

    // The atoms between begin and end (a parent's payload, or the whole file). False with a
    // message when an atom header is cut or an atom runs past end.
    static bool children(
            const QByteArray &data, qint64 begin, qint64 end, QVector<Atom> *atoms, QString *error);

    // Appends an atom of this type and payload as the last child of moov/udta, creating udta
    // when moov has none. Grows udta and moov, and shifts every stco/co64 chunk offset that
    // points behind the insertion point (media data after moov).
    static bool appendUserData(QByteArray *file,
                               const QByteArray &type,
                               const QByteArray &payload,
                               QString *error);

    // Renames every top-level atom of type from to type to; returns how many were renamed.
    static int renameTopLevel(QByteArray *file,
                              const QByteArray &from,
                              const QByteArray &to,
                              QString *error);

    // Removes the top-level moov atom. False when there is none.
    static bool removeMovie(QByteArray *file, QString *error);
};
