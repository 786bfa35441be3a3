#pragma once

#include <QJsonObject>
#include <QStringList>

struct Trip;

// vistrel-tool trips PATH... [--removable-root DIR]: the trips among the recordings of files
// and folders (TripScanner::scan), as JSON: {"trips": [...]}, each with its kind, files,
// times, length, distance, top speed and event marks. Main thread.
class TripsCommand
{
public:
    static int run(const QStringList &arguments);
    // One trip as the command prints it.
    static QJsonObject toJson(const Trip &trip);
};
