#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

// Reads the telemetry payload of an MP4 file: the first "tlmd" atom inside the "udta" atom
// inside the top-level "moov" atom. The atoms are walked on a random-access device; every
// size is checked against the enclosing atom and the device before anything is read:
// 32-bit sizes, 64-bit sizes (size field 1) and size 0 ("to the end of the enclosing atom")
// are understood; a size smaller than its header or reaching past its parent stops the walk
// with a log line and no payload. Payloads above MaxPayloadSize are refused. A file that does
// not start like an MP4 (an AVI, say) gives nothing without a message.
//
// Threads: stateless; callable from any thread, each call with its own device.
class AtomReader
{
public:
    enum class Status {
        Found, // payload holds the atom's content (possibly empty)
        NotMp4, // the data does not start with an MP4 atom
        NotFound, // well-formed, but no moov/udta/tlmd
        Malformed, // an atom size contradicts its header, parent or the file
        TooLarge, // the payload is above MaxPayloadSize
        ReadError // the device could not be opened, sought or read
    };

    static constexpr qint64 MaxPayloadSize = 64 * 1024 * 1024;

    // The device must be open for reading and random access; its position is changed.
    static QByteArray readTelemetry(QIODevice &device, Status *status = nullptr);
    // Opens the file read-only and reads it as above.
    static QByteArray readTelemetry(const QString &path, Status *status = nullptr);

    // The same walk for any chain of atoms from the top level down ({"moov", "gps "}): the
    // payload of the first atom of the last type inside the first of each type before it.
    static QByteArray readPayload(QIODevice &device,
                                  const QList<QByteArray> &path,
                                  Status *status = nullptr);
    // Where that payload lies (file position and size) without reading it.
    static Status locate(QIODevice &device,
                         const QList<QByteArray> &path,
                         qint64 *begin,
                         qint64 *size);
    static QByteArray readPayload(const QString &filePath,
                                  const QList<QByteArray> &path,
                                  Status *status = nullptr);
};
