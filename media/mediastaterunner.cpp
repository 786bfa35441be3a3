#include "mediastaterunner.h"

#include "mediastate.h"

MediaStateRunner::MediaStateRunner(MediaState *state)
    : m_state(state)
{ }

void MediaStateRunner::run()
{
    m_state->runLoop();
}
