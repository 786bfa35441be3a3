#include "mediaevents.h"

#include "mediaeventloop.h"

MediaEvent_Open::MediaEvent_Open(MediaEventLoop *loop,
                                 const QString &path,
                                 FrameSink *sink,
                                 double speed,
                                 int32_t volume,
                                 int32_t view_width,
                                 int32_t view_height,
                                 int32_t mode_stream,
                                 int32_t view_mode)
    : MediaEvent(loop)
    , path(path)
    , sink(sink)
    , speed(speed)
    , volume(volume)
    , view_width(view_width)
    , view_height(view_height)
    , mode_stream(mode_stream)
    , view_mode(view_mode)
{ }

bool MediaEvent_Open::execute()
{
    m_loop->executeOpen(*this);
    return true;
}

bool MediaEvent_Close::execute()
{
    m_loop->executeClose();
    return true;
}

bool MediaEvent_Finish::execute()
{
    const int result = m_loop->executeClose();
    emit m_loop->mediaEventFinished(result);
    return false;
}

MediaEvent_PlayControl::MediaEvent_PlayControl(MediaEventLoop *loop, int32_t cmd, int64_t arg)
    : MediaEvent(loop)
    , cmd(cmd)
    , arg(arg)
{ }

bool MediaEvent_PlayControl::execute()
{
    m_loop->executePlayControl(cmd, arg);
    return true;
}

MediaEvent_SelectVideoStream::MediaEvent_SelectVideoStream(MediaEventLoop *loop,
                                                           int32_t stream_index)
    : MediaEvent(loop)
    , stream_index(stream_index)
{ }

bool MediaEvent_SelectVideoStream::execute()
{
    m_loop->executeSelectVideoStream(stream_index);
    return true;
}

MediaEvent_ChangeVideoViewMode::MediaEvent_ChangeVideoViewMode(MediaEventLoop *loop,
                                                               int32_t stream_index,
                                                               int32_t view_mode)
    : MediaEvent(loop)
    , stream_index(stream_index)
    , view_mode(view_mode)
{ }

bool MediaEvent_ChangeVideoViewMode::execute()
{
    m_loop->executeChangeViewMode(stream_index, view_mode);
    return true;
}

MediaEvent_ChangeVideoDisplaySize::MediaEvent_ChangeVideoDisplaySize(MediaEventLoop *loop,
                                                                     int32_t width,
                                                                     int32_t height)
    : MediaEvent(loop)
    , width(width)
    , height(height)
{ }

bool MediaEvent_ChangeVideoDisplaySize::execute()
{
    m_loop->executeChangeDisplaySize(width, height);
    return true;
}
