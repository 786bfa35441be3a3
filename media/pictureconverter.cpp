#include "pictureconverter.h"

#include "avptr.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

#include <cstring>

namespace {
// toRgba's scaler on this thread (sws_getCachedContext keeps it while its key holds).
thread_local av::SwsContextPtr t_rgbaScaler;
} // namespace

const int *PictureConverter::coefficientsFor(int colorspace)
{
    // The scale filter's rule: colour spaces outside the table's range, and the reserved
    // value, fall back to BT.470BG (BT.601).
    if (colorspace < 1 || colorspace > 10 || colorspace == 8)
        colorspace = AVCOL_SPC_BT470BG;
    return sws_getCoefficients(colorspace);
}

bool PictureConverter::toBgr(const uint8_t *const planes[3],
                             const int strides[3],
                             int format,
                             int width,
                             int height,
                             int colorspace,
                             uint8_t *dst,
                             int dstStride)
{
    if (!planes || !strides || !dst || width <= 0 || height <= 0 || !planes[0])
        return false;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    if (dstStride < 0 || static_cast<size_t>(dstStride) < rowBytes)
        return false;
    if (format == AV_PIX_FMT_BGR24) {
        if (strides[0] < 0 || static_cast<size_t>(strides[0]) < rowBytes)
            return false;
        for (int y = 0; y < height; ++y)
            std::memcpy(dst + static_cast<ptrdiff_t>(y) * dstStride,
                        planes[0] + static_cast<ptrdiff_t>(y) * strides[0],
                        rowBytes);
        return true;
    }
    if (format != AV_PIX_FMT_YUV420P || !planes[1] || !planes[2] || strides[0] < width
        || strides[1] < (width + 1) / 2 || strides[2] < (width + 1) / 2)
        return false;
    av::SwsContextPtr sws(sws_getContext(width,
                                         height,
                                         AV_PIX_FMT_YUV420P,
                                         width,
                                         height,
                                         AV_PIX_FMT_BGR24,
                                         SWS_BILINEAR | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT,
                                         nullptr,
                                         nullptr,
                                         nullptr));
    if (!sws)
        return false;
    const int *coefficients = coefficientsFor(colorspace);
    // Limited-range input, full-range output; brightness 0, contrast and saturation 1.
    if (sws_setColorspaceDetails(sws.get(), coefficients, 0, coefficients, 1, 0, 1 << 16, 1 << 16)
        < 0)
        return false;
    uint8_t *out[4] = {dst, nullptr, nullptr, nullptr};
    int outStrides[4] = {dstStride, 0, 0, 0};
    const uint8_t *in[4] = {planes[0], planes[1], planes[2], nullptr};
    int inStrides[4] = {strides[0], strides[1], strides[2], 0};
    return sws_scale(sws.get(), in, inStrides, 0, height, out, outStrides) == height;
}

bool PictureConverter::toBgr(const AVFrame *frame, uint8_t *dst, int dstStride)
{
    if (!frame)
        return false;
    const uint8_t *planes[3] = {frame->data[0], frame->data[1], frame->data[2]};
    const int strides[3] = {frame->linesize[0], frame->linesize[1], frame->linesize[2]};
    return toBgr(planes,
                 strides,
                 frame->format,
                 frame->width,
                 frame->height,
                 frame->colorspace,
                 dst,
                 dstStride);
}

QImage PictureConverter::toRgba(const AVFrame *frame)
{
    if (!frame || frame->width <= 0 || frame->height <= 0 || frame->format < 0)
        return {};
    // On failure the old scaler is freed and null comes back: the cache is empty, not stale.
    t_rgbaScaler.reset(sws_getCachedContext(t_rgbaScaler.release(),
                                            frame->width,
                                            frame->height,
                                            static_cast<AVPixelFormat>(frame->format),
                                            frame->width,
                                            frame->height,
                                            AV_PIX_FMT_RGBA,
                                            SWS_BILINEAR,
                                            nullptr,
                                            nullptr,
                                            nullptr));
    if (!t_rgbaScaler)
        return {};
    QImage image(frame->width, frame->height, QImage::Format_RGBA8888);
    if (image.isNull())
        return {};
    uint8_t *dst[4] = {image.bits(), nullptr, nullptr, nullptr};
    const int stride[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
    sws_scale(t_rgbaScaler.get(), frame->data, frame->linesize, 0, frame->height, dst, stride);
    return image;
}

void PictureConverter::releaseRgbaScaler()
{
    t_rgbaScaler.reset();
}
