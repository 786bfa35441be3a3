#pragma once

#include "recordingoptions.h"

#include <QString>
#include <QVector>

// Writes one synthetic recording: the video channels, optional audio and the telemetry in the
// requested places, then the tlmd atom and the requested damage. Main thread only.
class RecordingWriter
{
public:
    struct Result
    {
        QString file;
        QVector<int> frames; // per video stream
        int gps = 0;
        int gsensor = 0;
    };

    // Writes options.output (finalize() must have accepted the options). On failure the
    // partial file is removed and error says why.
    static bool write(const RecordingOptions &options, Result *result, QString *error);
};
