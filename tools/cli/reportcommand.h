#pragma once

#include <QStringList>

// vistrel-tool report FILE --time SECONDS --out REPORT.pdf [--no-map] [--model CODE]: the
// viewer's two-page report of the moment SECONDS of a recording, as a PDF, drawn by the same
// layout as the window's print command: the exact frame of that moment of every channel (as
// `frame --number`), the GPS position (the last valid fix up to then, as the map panel shows
// it) and the G-sensor values of that moment, and a map picture
// composed from the map panel's tile server (its settings and VISTREL_MAP_TILES). Without a
// reachable tile, or with --no-map, the map picture is left out.
//
// Threads: the main thread (it needs a QGuiApplication for the fonts).
class ReportCommand
{
public:
    static int run(const QStringList &arguments);
};
