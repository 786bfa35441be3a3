#pragma once

#include "recordingoptions.h"

#include <QString>

// Turns a finished recording into one of the damaged forms the viewer has to cope with.
// Main thread only.
class Damage
{
public:
    // Applies the damage of options (its kind and truncation fraction) to the file at path.
    // False with a message when the file does not have the structure the damage needs.
    static bool apply(const QString &path, const RecordingOptions &options, QString *error);

    // Offset of the idx1 chunk inside the first RIFF list of an AVI file; -1 with a message
    // when there is none.
    static qint64 aviIndexOffset(const QByteArray &file, QString *error);
    // Offset of the middle of the data of the last video chunk of an AVI file; -1 with a
    // message when it holds no video chunk of two bytes or more.
    static qint64 aviTornChunkOffset(const QByteArray &file, QString *error);
};
