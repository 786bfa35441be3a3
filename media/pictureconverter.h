#pragma once

#include <QImage>

#include <cstdint>

struct AVFrame;

// Turns the engine's pictures into packed BGR24 rows, the colours the display shows: planar
// YUV 4:2:0 is read as limited range (the engine's scale filter takes every source as such)
// with the colour matrix of the picture's colour space, BT.601 when it has none usable. The
// display's shader converts with the same coefficients (coefficientsFor).
//
// Threads: any thread; the only state is toRgba's scaler, one per thread.
class PictureConverter
{
public:
    // crv, cbu, cgu, cgv of the matrix (16.16 fixed point, for limited-range input), as the
    // scale filter picks them for a frame of this AVColorSpace.
    static const int *coefficientsFor(int colorspace);

    // Writes width x height BGR pixels into dst, rows dstStride bytes apart. format is
    // AV_PIX_FMT_YUV420P (planes Y, U, V) or AV_PIX_FMT_BGR24 (planes[0] only). False when
    // the picture cannot be converted.
    static bool toBgr(const uint8_t *const planes[3],
                      const int strides[3],
                      int format,
                      int width,
                      int height,
                      int colorspace,
                      uint8_t *dst,
                      int dstStride);
    static bool toBgr(const AVFrame *frame, uint8_t *dst, int dstStride);

    // A decoded picture of any pixel format, read by its line sizes, as an RGBA image of its
    // own size; null when it cannot be converted. The scaler is kept per thread while the
    // pictures keep their size and format; releaseRgbaScaler() frees the calling thread's.
    static QImage toRgba(const AVFrame *frame);
    static void releaseRgbaScaler();
};
