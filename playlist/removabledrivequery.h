#pragma once

#include <QString>

// Tells whether a folder is the root of a removable drive (a memory card in a reader, a USB
// stick). The folder scan asks it before it treats a folder as a camera memory card.
// Implementations are called on the thread that runs the scan (the GUI thread) and must not
// change state in isRemovableRoot, so one object may serve several scanners.
class RemovableDriveQuery
{
public:
    virtual ~RemovableDriveQuery();

    // path is an absolute, cleaned folder path (no trailing '/' except for "/" itself).
    virtual bool isRemovableRoot(const QString &path) const = 0;
};
