#pragma once

#include "recordingwriter.h"

#include <QString>
#include <QVector>

// Writes a memory-card folder tree of synthetic recordings: DRIVING, EVENT and PARKING folders
// with names the viewer's recording-name grammar accepts. Main thread only.
//
// test: small and fast 320x180/160x90 recordings of 1-2 s, mixed 1-3 channels, some with audio
//       and telemetry; an event-named file in DRIVING, a driving-named file in EVENT, a DUAL
//       folder, a file two folder levels down (DRIVING/old/) and a file whose name is no
//       recording name.
// demo: a dozen 4-8 s recordings of one to three 640x360 channels with audio and telemetry
//       (GPS from the NMEA logs in nmeaDir when given, else generated routes), dated on
//       consecutive minutes.
class CardWriter
{
public:
    enum class Layout { Test, Demo };

    static bool parseLayout(const QString &text, Layout *layout, QString *error);

    static bool write(const QString &directory,
                      Layout layout,
                      int seed,
                      const QString &nmeaDir,
                      QVector<RecordingWriter::Result> *results,
                      QString *error);
};
