#pragma once

// The seven commands of the media event loop. Each runs on the loop thread (execute) against
// the loop's current context; see MediaEventLoop for the signals they emit.

#include "mediaevent.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>

class FrameSink;

class MediaEvent_Open : public MediaEvent
{
public:
    MediaEvent_Open(MediaEventLoop *loop,
                    const QString &path,
                    FrameSink *sink,
                    double speed,
                    int32_t volume,
                    int32_t view_width,
                    int32_t view_height,
                    int32_t mode_stream,
                    int32_t view_mode);
    bool execute() override;

    QString path;
    FrameSink *sink; // the pictures' destination (may be null)
    double speed;
    int32_t volume;
    int32_t view_width;
    int32_t view_height;
    int32_t mode_stream;
    int32_t view_mode;
};

class MediaEvent_Close : public MediaEvent
{
public:
    using MediaEvent::MediaEvent;
    bool execute() override;
};

class MediaEvent_Finish : public MediaEvent
{
public:
    using MediaEvent::MediaEvent;
    bool execute() override;
};

class MediaEvent_PlayControl : public MediaEvent
{
public:
    MediaEvent_PlayControl(MediaEventLoop *loop, int32_t cmd, int64_t arg);
    bool execute() override;

    int32_t cmd;
    int64_t arg;
};

class MediaEvent_SelectVideoStream : public MediaEvent
{
public:
    MediaEvent_SelectVideoStream(MediaEventLoop *loop, int32_t stream_index);
    bool execute() override;

    int32_t stream_index;
};

class MediaEvent_ChangeVideoViewMode : public MediaEvent
{
public:
    MediaEvent_ChangeVideoViewMode(MediaEventLoop *loop, int32_t stream_index, int32_t view_mode);
    bool execute() override;

    int32_t stream_index;
    int32_t view_mode;
};

class MediaEvent_ChangeVideoDisplaySize : public MediaEvent
{
public:
    MediaEvent_ChangeVideoDisplaySize(MediaEventLoop *loop, int32_t width, int32_t height);
    bool execute() override;

    int32_t width;
    int32_t height;
};
