#include "avinput.h"

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

    // avformat_open_input frees the context itself when it fails.
    AVFormatContext *raw = allocated.release();
    int ret = avformat_open_input(&raw, path.toUtf8().constData(), nullptr, nullptr);
    if (ret < 0)
        return fail(InputError::Step::Open, ret, error);
    FormatContextPtr context(raw);
    if (options.afterOpen)
        options.afterOpen(context.get());
    ret = avformat_find_stream_info(context.get(), nullptr);
    if (ret < 0)
        return fail(InputError::Step::StreamInfo, ret, error);
    return context;
}

} // namespace av
