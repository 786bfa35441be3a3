#pragma once

// Owning smart pointers for FFmpeg objects. Every FFmpeg object the program holds lives in
// one of these; ownership leaves them only through release(), which is easy to grep for.

#include <QString>

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/buffer.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

namespace av {

// Calls a free function of the form void f(T **) or void f(T *).
template<auto Free>
struct Deleter
{
    template<typename T>
    void operator()(T *p) const
    {
        if constexpr (std::is_invocable_v<decltype(Free), T **>)
            Free(&p);
        else
            Free(p);
    }
};

using FormatContextPtr = std::unique_ptr<AVFormatContext, Deleter<&avformat_close_input>>;
// A format context that was allocated but never opened (avformat_open_input frees it on failure).
using FormatContextAllocPtr = std::unique_ptr<AVFormatContext, Deleter<&avformat_free_context>>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, Deleter<&avcodec_free_context>>;
using FramePtr = std::unique_ptr<AVFrame, Deleter<&av_frame_free>>;
using PacketPtr = std::unique_ptr<AVPacket, Deleter<&av_packet_free>>;
using FilterGraphPtr = std::unique_ptr<AVFilterGraph, Deleter<&avfilter_graph_free>>;
using FilterInOutPtr = std::unique_ptr<AVFilterInOut, Deleter<&avfilter_inout_free>>;
using BufferRefPtr = std::unique_ptr<AVBufferRef, Deleter<&av_buffer_unref>>;
using DictionaryPtr = std::unique_ptr<AVDictionary, Deleter<&av_dict_free>>;
using SwsContextPtr = std::unique_ptr<SwsContext, Deleter<&sws_freeContext>>;

// An output format context: closes the file it opened, then frees the context.
inline void closeOutput(AVFormatContext *context)
{
    if (context->pb && !(context->oformat->flags & AVFMT_NOFILE))
        avio_closep(&context->pb);
    avformat_free_context(context);
}
using OutputContextPtr = std::unique_ptr<AVFormatContext, Deleter<&closeOutput>>;

inline FramePtr makeFrame()
{
    return FramePtr(av_frame_alloc());
}
inline PacketPtr makePacket()
{
    return PacketPtr(av_packet_alloc());
}

} // namespace av

namespace av {

// FFmpeg's text for an error code, for log lines.
inline QString errorText(int code)
{
    char buffer[1024] = {};
    av_strerror(code, buffer, sizeof buffer);
    return QString::fromUtf8(buffer);
}

} // namespace av
