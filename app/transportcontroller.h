#pragma once

#include "media/playcommand.h"
#include "ui/seekbaraction.h"

#include <QObject>

#include <cstdint>

class MediaContext;
class MediaEventLoop;
class MediaInfo;

// The transport, channel and speed/volume rules of the viewer: turns what the user asks of the
// playing recording (play/pause, skip, seek bar, frame search, channel choice, speed, volume)
// into engine commands by the media info's state, and says through its signals what the panels
// should show in return. It never touches a panel itself. GUI thread only (its timers too); the
// playing context is only an identity token for the event loop's accessors.
class TransportController : public QObject
{
    Q_OBJECT

public:
    // Which way a skip, a frame step or a seek-bar keyboard step goes.
    enum Direction { Back = -1, Forward = 1 };

    static constexpr int64_t SkipUs = 5000000; // skip back and forward: five seconds
    static constexpr int64_t SeekBarStepUs = 500000; // a keyboard step of the seek bar
    static constexpr int64_t ChannelRewindUs = 500000; // a channel change while playing

    TransportController(MediaInfo *info, MediaEventLoop *loop, QObject *parent = nullptr);

    // The recording the engine reported opened (null when none); never dereferenced.
    void setPlayingContext(MediaContext *context) { m_context = context; }
    MediaContext *playingContext() const { return m_context; }

    // A recording is loaded: the media info has stream records and a duration above 0.
    bool isLoaded() const;
    // Playing or Paused with a loaded recording.
    bool isActive() const;

    // The seek bar's value rule: a value ending in 1 goes half a second further, and 295001
    // becomes 300000 (the bar's last position).
    static int adjustedSeekValue(int value);

    void playOrPause();
    void skip(Direction direction);
    // The seek bar moved to positionUs; action says whether it was a keyboard step.
    void seekBarMoved(int64_t positionUs, SeekBarAction action);
    // An absolute seek to a moment (event marks, the G-sensor meter), by the seek bar's rules.
    void seekTo(int64_t positionUs);
    void setFrameSearchMode(bool on);
    // One frame forward or back; turns frame search on first when it is off (the step follows
    // once the mode is on).
    void stepFrame(Direction direction);
    void seekRelativeFrame();
    void seekFrameAgain();
    // Channel choice: a stream index, or MediaInfo::AllChannels.
    void showChannel(int streamIndex, bool checked);
    void setPlaySpeed(double factor);
    void setVolume(int volume);
    // A surround (fisheye) stream's view mode, chosen in the display's menu; refused for other
    // streams. A paused picture is drawn again in the new mode. The engine's answer comes back
    // through the loop: a failed change puts the stream's previous mode back.
    void changeViewMode(int streamIndex, int viewMode);

    // The frame the frame search stands on: the context's seeking frame position, or the media
    // info's current frame when the context is gone.
    int64_t seekingFramePos() const;

signals:
    // Ask the play list to play its selected row again (play with nothing loaded).
    void replaySelectedRequested();
    // The control panel's frame-search button follows the mode.
    void frameSearchButtonChanged(bool on);
    // The control panel's frame-search button may be used (single channel shown) or not.
    void frameSearchEnabledChanged(bool enabled);
    // The player panel's All button is enabled (and shown) or not.
    void allButtonEnabledChanged(bool enabled);
    // The frame label: shown with the seeking frame and the total, or hidden.
    void frameLabelShown(int64_t frame, int64_t totalFrames);
    void frameLabelHidden();
    // The control panel's frame-search toggle should be pressed (a frame step outside the mode).
    void frameSearchToggleRequested();

private:
    void post(PlayCommand::Code code, int64_t arg);
    void leaveFrameSearchAfterResume();

    MediaInfo *m_info;
    MediaEventLoop *m_loop;
    MediaContext *m_context = nullptr;
    int64_t m_savedSearchFrame = 0; // the frame kept across a channel change in frame search
    int m_pendingStep = 0; // a frame step waiting for frame search to turn on
};
