#pragma once

#include <QStringList>

// vistrel-tool export FILE (--original | --separate) --out DIR [--replace]: the viewer's export
// without the window. "Original" copies the recording as it is; "Separate" writes one file per
// camera channel with the audio and the telemetry. Prints the files written (JSON); on any
// failure it exits non-zero with the reason and leaves no file of this export behind. Files
// already at an output path are replaced only with --replace. SIGINT or SIGTERM cancels the
// same way, exiting with 128 plus the signal's number.
class ExportCommand
{
public:
    static int run(const QStringList &arguments);
};
