#pragma once

#include <QStringList>

// vistrel-tool repair FILE [--out DIR]: rebuilds a recording whose index is missing with the
// ffmpeg program and prints the copy's path. Without --out the copy goes where the viewer
// puts it: the SavedVideos folder in the user's documents.
class RepairCommand
{
public:
    static int run(const QStringList &arguments);
};
