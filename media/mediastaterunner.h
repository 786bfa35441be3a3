#pragma once

#include <QThread>

class MediaState;

// The presentation thread of one stream: takes frames from the frame queue, paces them and
// hands them to the state (MediaState::runLoop). Started and joined by the state on the event
// loop thread.
class MediaStateRunner : public QThread
{
    Q_OBJECT

public:
    explicit MediaStateRunner(MediaState *state);

protected:
    void run() override;

private:
    MediaState *const m_state;
};
