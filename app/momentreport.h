#pragma once

#include <QJsonObject>
#include <QString>

// The viewer's two-page report of one moment of a recording as a PDF, drawn by ReportLayout as
// the window's print command draws it: the exact frame of that moment of every channel
// (FrameGrabber), the GPS position (the last valid fix up to then, as the map panel shows it),
// the G-sensor values of that moment and a map picture composed from the map panel's tile
// server (MapTileComposer; left out without a reachable tile or with noMap). `vistrel-tool
// report` and the evidence package (EvidencePackage) write it.
//
// Threads: the thread that owns the application object (a QGuiApplication, for the fonts); it
// spins local event loops.
class MomentReport
{
public:
    // The report of the moment seconds of the recording at path into the PDF out. False, with
    // the reason, when it cannot be made; *info (when given) receives the frame number, the
    // picture count and whether a map was drawn.
    static bool write(const QString &path,
                      double seconds,
                      const QString &out,
                      bool noMap,
                      QJsonObject *info,
                      QString *error);
};
