#pragma once

class MediaEventLoop;

// One command for the media event loop. Posted from any thread (normally the GUI thread),
// owned by the loop's queue until it has run on the loop thread, then deleted.
class MediaEvent
{
public:
    explicit MediaEvent(MediaEventLoop *loop);
    virtual ~MediaEvent();
    // Runs on the loop thread. false ends the loop.
    virtual bool execute();

protected:
    MediaEventLoop *const m_loop;
};
