#include "avinput.h"

#include "triptimeline.h"

namespace av {

namespace {

FormatContextPtr fail(InputError::Step step, int code, InputError *error)
{
    if (error) {
        error->step = step;
        error->code = code;
        error->text = errorText(code);
    }
    return nullptr;
}

} // namespace

FormatContextPtr openInput(const QString &path, const InputOptions &options, InputError *error)
{
    // Settings that the open must see need a context of our own; otherwise the open makes one.
    FormatContextAllocPtr allocated;
    if (options.flags || options.probeSize > 0 || options.maxAnalyzeDuration > 0) {
        allocated.reset(avformat_alloc_context());
        if (!allocated)
            return fail(InputError::Step::Open, AVERROR(ENOMEM), error);
        allocated->flags |= options.flags;
        if (options.probeSize > 0)
            allocated->probesize = options.probeSize;
        if (options.maxAnalyzeDuration > 0)
            allocated->max_analyze_duration = options.maxAnalyzeDuration;
    }

    // A trip's concat list names the recordings by absolute path, which the demuxer refuses
    // unless told that the list is trusted; the list may name local files only.
    const AVInputFormat *format = nullptr;
    AVDictionary *rawOptions = nullptr;
    if (TripTimeline::isConcatList(path)) {
        format = av_find_input_format("concat");
        av_dict_set(&rawOptions, "safe", "0", 0);
        av_dict_set(&rawOptions, "protocol_whitelist", "file", 0);
    }
    DictionaryPtr openOptions(rawOptions);

    // avformat_open_input frees the context itself when it fails.
    AVFormatContext *raw = allocated.release();
    rawOptions = openOptions.release();
    int ret = avformat_open_input(&raw, path.toUtf8().constData(), format, &rawOptions);
    openOptions.reset(rawOptions); // what the demuxer did not take
    if (ret < 0)
        return fail(InputError::Step::Open, ret, error);
    FormatContextPtr context(raw);
    if (options.afterOpen)
        options.afterOpen(context.get());
    ret = options.streamInfo ? avformat_find_stream_info(context.get(), nullptr) : 0;
    if (ret < 0)
        return fail(InputError::Step::StreamInfo, ret, error);
    return context;
}

int videoStreamCount(const AVFormatContext *format)
{
    int count = 0;
    for (unsigned i = 0; i < format->nb_streams; ++i)
        count += format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO;
    return count;
}

} // namespace av
