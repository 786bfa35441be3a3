#pragma once

#include <QString>

class MediaInfo;
class QAction;
class QWidget;

// What the video display needs from the window that owns it (the main window): the media
// info of the recording, whether the window is closing, its actions for the context menu,
// the enabled state of the player's buttons, and the frame-search retry. GUI thread only.
class VideoDisplayHost
{
public:
    virtual ~VideoDisplayHost() = default;

    virtual MediaInfo *displayMediaInfo() = 0;
    virtual bool isClosing() const = 0;
    // The window's action of this object name, or null while it does not exist.
    virtual QAction *displayAction(const QString &objectName) const = 0;
    // Whether the player's button of this object name is enabled (false when it is absent).
    virtual bool isPlayerButtonEnabled(const QString &objectName) const = 0;
    virtual void onSeekFrameAgain() = 0;
};
