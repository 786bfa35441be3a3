#pragma once

#include <cstdint>

// A machine-readable frame number and channel number drawn into synthetic pictures, and the
// reader that finds them again in decoded (compressed, scaled, converted) pictures.
//
// The pattern is a band of 2 rows x 18 cells across the top of the picture. Cell columns are
// width / 18 wide and cell rows height / 12 high, so the band scales with the picture in both
// directions. Cells 0 and 1 of the two rows form the marker (white/black above, black/white
// below); the other 32 cells carry, most significant bit first and row by row, 20 bits of the
// frame number, 4 bits of the channel and a CRC-8 over those 24 bits. White cells are ones.
// The reader samples the middle third of every cell and thresholds against the mean of the
// marker's black and white cells, so it tolerates blur, ringing and brightness changes.
//
// Below the band draw() paints moving content (a drifting gradient with moving bars and a
// channel-coloured box) that is a pure function of (frame, channel, seed).
//
// Plain functions without state: callable from any thread.
class FrameCode
{
public:
    enum class Layout {
        Bgr24,
        Rgb24,
        Rgba32,
        Bgra32,
        Gray8, // one 8-bit plane
        Yuv420p, // the luma plane of a planar YUV picture: read() reads it, draw() draws only
                 // it (chroma untouched; drawYuv420p() draws a whole picture)
    };

    static constexpr int Columns = 18;
    static constexpr int RowDivisor = 12; // one pattern row is height / RowDivisor high
    static constexpr int FrameBits = 20;
    static constexpr int ChannelBits = 4;
    static constexpr int MaxFrameNumber = (1 << FrameBits) - 1;
    static constexpr int MaxChannel = (1 << ChannelBits) - 1;
    // Smallest picture the pattern is drawn into and searched in (cells of at least 3 x 2 px).
    static constexpr int MinWidth = 3 * Columns;
    static constexpr int MinHeight = 2 * RowDivisor;

    static int bytesPerPixel(Layout layout);

    // Draws the pattern and the moving content into a packed picture. Frame numbers are stored
    // modulo 2^20 and channels modulo 16. Does nothing when the arguments do not describe a
    // picture of at least MinWidth x MinHeight (null data, lineSize < width * bytesPerPixel).
    static void draw(uint8_t *data,
                     int width,
                     int height,
                     int lineSize,
                     Layout layout,
                     int frameNumber,
                     int channel,
                     int seed = 0);

    // The same for a planar YUV 4:2:0 picture in limited range (Y 16..235); the chroma planes
    // are (width + 1) / 2 x (height + 1) / 2.
    static void drawYuv420p(uint8_t *y,
                            int yLineSize,
                            uint8_t *u,
                            int uLineSize,
                            uint8_t *v,
                            int vLineSize,
                            int width,
                            int height,
                            int frameNumber,
                            int channel,
                            int seed = 0);

    // Reads the numbers back. False (outputs untouched) when no valid pattern is found.
    static bool read(const uint8_t *data,
                     int width,
                     int height,
                     int lineSize,
                     Layout layout,
                     int *frameNumber,
                     int *channel);

    // The 32-bit word stored in the band for these numbers, and its check. Exposed for tests.
    static uint32_t encodeWord(int frameNumber, int channel);
    static bool decodeWord(uint32_t word, int *frameNumber, int *channel);
};
