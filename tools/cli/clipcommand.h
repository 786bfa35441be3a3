#pragma once

#include <QStringList>

// vistrel-tool clip FILE... --from S --to S --out DIR [--exact] [--channels f,r,i] [--replace]
// [--evidence] [--no-map] [--model CODE]: the span [S, S) of a recording, or of the recordings
// of a trip laid end to end, as one MP4 clip (ExportPlan's "Clip") with its GPX and CSV beside
// it. With --evidence the clip goes into a package folder named after the in mark's moment,
// with the report of the in mark (PDF), MANIFEST.json (program, version, sources with their
// SHA-256 and recording times, marks, files) and SHA256SUMS of every file (`verify` checks it).
// Whatever fails, nothing of the clip is left behind; SIGINT or SIGTERM cancels the same way
// and the command exits with 128 plus the signal's number.
//
// Threads: the main thread (the report needs a QGuiApplication for its fonts).
class ClipCommand
{
public:
    static int run(const QStringList &arguments);
};
