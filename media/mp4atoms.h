#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

class QFile;

// Bounds-checked edits of an MP4 file: the atom walk, appending a user-data child to moov/udta
// (in memory, or in a file on disk), renaming top-level atoms and cutting out moov. The
// recording generator writes the telemetry atom with it, and the export puts the atom back
// into the files the converter writes (the converter drops it). Plain functions; any thread,
// each call with its own data.
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

    // The same on a file on disk. When moov is the last atom of the file only moov is read and
    // rewritten in place; otherwise the whole file is edited in memory (up to MaxEditSize).
    // A failure may leave the file half-written: the caller discards it.
    static bool appendUserDataToFile(const QString &path,
                                     const QByteArray &type,
                                     const QByteArray &payload,
                                     QString *error);
    // Bound of what is held in memory for an edit.
    static constexpr qint64 MaxEditSize = 1024LL * 1024 * 1024;

    // Renames every top-level atom of type from to type to; returns how many were renamed.
    static int renameTopLevel(QByteArray *file,
                              const QByteArray &from,
                              const QByteArray &to,
                              QString *error);

    // Removes the top-level moov atom. False when there is none.
    static bool removeMovie(QByteArray *file, QString *error);

private:
    // Appends to the moov atom of data, which holds the file's bytes from position base on
    // (the whole file, or moov alone); moov is given in data's positions.
    static bool appendToMovie(QByteArray *data,
                              qint64 base,
                              const Atom &moov,
                              const QByteArray &type,
                              const QByteArray &payload,
                              QString *error);
    // The top-level atoms of a file, read header by header.
    static bool topLevel(QFile &file, QVector<Atom> *atoms, QString *error);
};
