#pragma once

#include <QStringList>

#include <memory>

class RemovableDriveQuery;
class ToolArgs;

// vistrel-tool list PATH... [--removable-root DIR]: the recordings among files and folders,
// as the four tables of the play list (All, Driving, Event, Parking). --removable-root
// declares a folder the root of a removable drive (repeatable); otherwise the system's
// mounts decide.
class ListCommand
{
public:
    static int run(const QStringList &arguments);
    // The drive query a folder scan of the command line uses: the --removable-root folders
    // when given, else the system's mounts.
    static std::unique_ptr<RemovableDriveQuery> drivesFor(const ToolArgs &args);
};
