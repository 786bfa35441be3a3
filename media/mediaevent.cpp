#include "mediaevent.h"

MediaEvent::MediaEvent(MediaEventLoop *loop)
    : m_loop(loop)
{ }

MediaEvent::~MediaEvent() = default;

bool MediaEvent::execute()
{
    return true;
}
