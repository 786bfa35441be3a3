#pragma once

#include <QString>

// The user's folders for files the viewer writes: exported and repaired recordings
// ("SavedVideos") and screen captures ("CAM_CAPTURE"), both in the documents location.
class UserFolders
{
public:
    static QString documents();
    static QString savedVideos();
    static QString captures();
};
