#include "framecode.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr int MarkerCells = 2; // per row
constexpr int DataBits = FrameCode::FrameBits + FrameCode::ChannelBits;
constexpr int CrcBits = 8;
static_assert(2 * (FrameCode::Columns - MarkerCells) == DataBits + CrcBits,
              "the band holds exactly the payload and its check");

// Limited-range luma of the band's black and white cells.
constexpr int YuvBlack = 16;
constexpr int YuvWhite = 235;

uint8_t crc8(uint32_t payload)
{
    // CRC-8 (polynomial x^8 + x^2 + x + 1) over the three payload bytes. The initial value
    // 0xFF keeps frame 0 / channel 0 from being an all-black band.
    uint8_t crc = 0xFF;
    for (int shift = 16; shift >= 0; shift -= 8) {
        crc ^= static_cast<uint8_t>((payload >> shift) & 0xFF);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<uint8_t>((crc & 0x80) ? (crc << 1) ^ 0x07 : crc << 1);
    }
    return crc;
}

int columnStart(int column, int width)
{
    return static_cast<int>(static_cast<int64_t>(column) * width / FrameCode::Columns);
}

int rowStart(int row, int height)
{
    return static_cast<int>(static_cast<int64_t>(row) * height / FrameCode::RowDivisor);
}

int bandHeight(int height)
{
    return rowStart(2, height);
}

// True when the cell at (row, column) is white for this word.
bool cellIsWhite(uint32_t word, int row, int column)
{
    if (column < MarkerCells)
        return (row == 0) == (column == 0); // white/black above, black/white below
    const int index = row * (FrameCode::Columns - MarkerCells) + (column - MarkerCells);
    return ((word >> (31 - index)) & 1u) != 0;
}

// Per-channel colour weights (out of 256) that tint the moving content.
struct Tint
{
    int r, g, b;
};

Tint channelTint(int channel)
{
    switch (channel) {
    case 1:
        return {256, 150, 150};
    case 2:
        return {150, 256, 150};
    case 3:
        return {150, 150, 256};
    case 4:
        return {256, 256, 130};
    default:
        return {220, 220, 220};
    }
}

// The moving content below the band: a drifting diagonal gradient, vertical bars that move at a
// channel-dependent speed and a bright box travelling from left to right. Returns a brightness
// 0..255; everything is integer arithmetic of (x, y, frame, channel, seed).
class Scene
{
public:
    Scene(int width, int height, int frame, int channel, int seed)
        : m_width(width)
        , m_height(height)
        , m_top(bandHeight(height))
    {
        m_phase = frame * (2 + channel) + seed * 37;
        m_barShift = frame * 3 * (channel + 1) + seed * 11;
        m_barWidth = std::max(2, width / 10);
        m_boxWidth = std::max(2, width / 8);
        m_boxHeight = std::max(2, (height - m_top) / 4);
        const int travel = std::max(1, width - m_boxWidth);
        m_boxX = (frame * std::max(1, width / 60) + channel * width / 5 + seed * 13) % travel;
        m_boxY = m_top + (height - m_top) / 3;
    }

    int top() const { return m_top; }

    int brightness(int x, int y) const
    {
        if (x >= m_boxX && x < m_boxX + m_boxWidth && y >= m_boxY && y < m_boxY + m_boxHeight)
            return 225;
        const int gradient = ((x * 256 / m_width + y * 128 / m_height + m_phase * 4) & 255) / 2;
        const bool bar = (((x + m_barShift) / m_barWidth) & 1) != 0;
        return 30 + gradient + (bar ? 50 : 0);
    }

private:
    int m_width;
    int m_height;
    int m_top;
    int m_phase = 0;
    int m_barShift = 0;
    int m_barWidth = 2;
    int m_boxWidth = 2;
    int m_boxHeight = 2;
    int m_boxX = 0;
    int m_boxY = 0;
};

uint8_t clampByte(int value)
{
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

bool packedArgumentsValid(
        const uint8_t *data, int width, int height, int lineSize, FrameCode::Layout layout)
{
    if (!data || width < FrameCode::MinWidth || height < FrameCode::MinHeight)
        return false;
    const int64_t rowBytes = static_cast<int64_t>(width) * FrameCode::bytesPerPixel(layout);
    return lineSize >= rowBytes;
}

// Writes one pixel of a packed layout.
void putPixel(uint8_t *pixel, FrameCode::Layout layout, uint8_t r, uint8_t g, uint8_t b)
{
    switch (layout) {
    case FrameCode::Layout::Bgr24:
        pixel[0] = b;
        pixel[1] = g;
        pixel[2] = r;
        break;
    case FrameCode::Layout::Rgb24:
        pixel[0] = r;
        pixel[1] = g;
        pixel[2] = b;
        break;
    case FrameCode::Layout::Rgba32:
        pixel[0] = r;
        pixel[1] = g;
        pixel[2] = b;
        pixel[3] = 255;
        break;
    case FrameCode::Layout::Bgra32:
        pixel[0] = b;
        pixel[1] = g;
        pixel[2] = r;
        pixel[3] = 255;
        break;
    case FrameCode::Layout::Gray8:
        pixel[0] = static_cast<uint8_t>((r + 2 * g + b) / 4);
        break;
    case FrameCode::Layout::Yuv420p:
        // BT.601 limited-range luma.
        pixel[0] = static_cast<uint8_t>(16 + (66 * r + 129 * g + 25 * b + 128) / 256);
        break;
    }
}

int pixelLuminance(const uint8_t *pixel, FrameCode::Layout layout)
{
    switch (layout) {
    case FrameCode::Layout::Bgr24:
    case FrameCode::Layout::Bgra32:
        return (pixel[2] + 2 * pixel[1] + pixel[0]) / 4;
    case FrameCode::Layout::Rgb24:
    case FrameCode::Layout::Rgba32:
        return (pixel[0] + 2 * pixel[1] + pixel[2]) / 4;
    case FrameCode::Layout::Gray8:
    case FrameCode::Layout::Yuv420p:
        return pixel[0];
    }
    return 0;
}

} // namespace

int FrameCode::bytesPerPixel(Layout layout)
{
    switch (layout) {
    case Layout::Bgr24:
    case Layout::Rgb24:
        return 3;
    case Layout::Rgba32:
    case Layout::Bgra32:
        return 4;
    case Layout::Gray8:
    case Layout::Yuv420p:
        return 1;
    }
    return 1;
}

uint32_t FrameCode::encodeWord(int frameNumber, int channel)
{
    const uint32_t payload = ((static_cast<uint32_t>(frameNumber) & MaxFrameNumber) << ChannelBits)
            | (static_cast<uint32_t>(channel) & MaxChannel);
    return (payload << CrcBits) | crc8(payload);
}

bool FrameCode::decodeWord(uint32_t word, int *frameNumber, int *channel)
{
    const uint32_t payload = word >> CrcBits;
    if (crc8(payload) != (word & 0xFF))
        return false;
    if (frameNumber)
        *frameNumber = static_cast<int>(payload >> ChannelBits);
    if (channel)
        *channel = static_cast<int>(payload & MaxChannel);
    return true;
}

void FrameCode::draw(uint8_t *data,
                     int width,
                     int height,
                     int lineSize,
                     Layout layout,
                     int frameNumber,
                     int channel,
                     int seed)
{
    if (!packedArgumentsValid(data, width, height, lineSize, layout))
        return;
    const int bpp = bytesPerPixel(layout);
    const uint32_t word = encodeWord(frameNumber, channel);
    const Scene scene(width, height, frameNumber, channel, seed);
    const Tint tint = channelTint(channel);

    for (int y = 0; y < height; ++y) {
        uint8_t *row = data + static_cast<ptrdiff_t>(y) * lineSize;
        if (y < scene.top()) {
            const int cellRow = y < rowStart(1, height) ? 0 : 1;
            for (int column = 0; column < Columns; ++column) {
                const uint8_t level = cellIsWhite(word, cellRow, column) ? 255 : 0;
                const int end = columnStart(column + 1, width);
                for (int x = columnStart(column, width); x < end; ++x)
                    putPixel(row + static_cast<ptrdiff_t>(x) * bpp, layout, level, level, level);
            }
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const int l = scene.brightness(x, y);
            putPixel(row + static_cast<ptrdiff_t>(x) * bpp,
                     layout,
                     clampByte(l * tint.r / 256),
                     clampByte(l * tint.g / 256),
                     clampByte(l * tint.b / 256));
        }
    }
}

void FrameCode::drawYuv420p(uint8_t *yPlane,
                            int yLineSize,
                            uint8_t *uPlane,
                            int uLineSize,
                            uint8_t *vPlane,
                            int vLineSize,
                            int width,
                            int height,
                            int frameNumber,
                            int channel,
                            int seed)
{
    if (!yPlane || !uPlane || !vPlane || width < MinWidth || height < MinHeight)
        return;
    const int chromaWidth = (width + 1) / 2;
    const int chromaHeight = (height + 1) / 2;
    if (yLineSize < width || uLineSize < chromaWidth || vLineSize < chromaWidth)
        return;

    const uint32_t word = encodeWord(frameNumber, channel);
    const Scene scene(width, height, frameNumber, channel, seed);
    const Tint tint = channelTint(channel);

    for (int y = 0; y < height; ++y) {
        uint8_t *row = yPlane + static_cast<ptrdiff_t>(y) * yLineSize;
        if (y < scene.top()) {
            const int cellRow = y < rowStart(1, height) ? 0 : 1;
            for (int column = 0; column < Columns; ++column) {
                const uint8_t level = cellIsWhite(word, cellRow, column) ? YuvWhite : YuvBlack;
                const int begin = columnStart(column, width);
                const int end = columnStart(column + 1, width);
                std::fill(row + begin, row + end, level);
            }
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const int l = scene.brightness(x, y);
            const int r = l * tint.r / 256;
            const int g = l * tint.g / 256;
            const int b = l * tint.b / 256;
            // BT.601 limited range.
            row[x] = clampByte(16 + (66 * r + 129 * g + 25 * b + 128) / 256);
        }
    }

    for (int cy = 0; cy < chromaHeight; ++cy) {
        uint8_t *uRow = uPlane + static_cast<ptrdiff_t>(cy) * uLineSize;
        uint8_t *vRow = vPlane + static_cast<ptrdiff_t>(cy) * vLineSize;
        const int y = cy * 2;
        if (y < scene.top()) {
            std::fill(uRow, uRow + chromaWidth, uint8_t(128));
            std::fill(vRow, vRow + chromaWidth, uint8_t(128));
            continue;
        }
        for (int cx = 0; cx < chromaWidth; ++cx) {
            const int l = scene.brightness(cx * 2, y);
            const int r = l * tint.r / 256;
            const int g = l * tint.g / 256;
            const int b = l * tint.b / 256;
            uRow[cx] = clampByte(128 + (-38 * r - 74 * g + 112 * b + 128) / 256);
            vRow[cx] = clampByte(128 + (112 * r - 94 * g - 18 * b + 128) / 256);
        }
    }
}

bool FrameCode::read(const uint8_t *data,
                     int width,
                     int height,
                     int lineSize,
                     Layout layout,
                     int *frameNumber,
                     int *channel)
{
    if (!packedArgumentsValid(data, width, height, lineSize, layout))
        return false;
    const int bpp = bytesPerPixel(layout);

    // Mean luminance of the middle third of a cell (at least one pixel each way).
    auto sampleCell = [&](int cellRow, int column) {
        const int x0 = columnStart(column, width);
        const int x1 = columnStart(column + 1, width);
        const int y0 = rowStart(cellRow, height);
        const int y1 = rowStart(cellRow + 1, height);
        const int w = x1 - x0;
        const int h = y1 - y0;
        const int sx0 = x0 + w / 3;
        const int sx1 = std::max(sx0 + 1, x1 - w / 3);
        const int sy0 = y0 + h / 3;
        const int sy1 = std::max(sy0 + 1, y1 - h / 3);
        int64_t sum = 0;
        int count = 0;
        for (int y = sy0; y < sy1 && y < height; ++y) {
            const uint8_t *row = data + static_cast<ptrdiff_t>(y) * lineSize;
            for (int x = sx0; x < sx1 && x < width; ++x) {
                sum += pixelLuminance(row + static_cast<ptrdiff_t>(x) * bpp, layout);
                ++count;
            }
        }
        return count > 0 ? static_cast<int>(sum / count) : 0;
    };

    const int white0 = sampleCell(0, 0);
    const int black0 = sampleCell(0, 1);
    const int black1 = sampleCell(1, 0);
    const int white1 = sampleCell(1, 1);
    const int white = (white0 + white1) / 2;
    const int black = (black0 + black1) / 2;
    const int contrast = white - black;
    // Below this the band is not there (or the picture is too dark to tell cells apart).
    constexpr int MinContrast = 32;
    if (contrast < MinContrast)
        return false;
    const int threshold = (white + black) / 2;
    const int margin = contrast / 4;
    if (std::min(white0, white1) < threshold + margin
        || std::max(black0, black1) > threshold - margin)
        return false;

    uint32_t word = 0;
    for (int cellRow = 0; cellRow < 2; ++cellRow) {
        for (int column = MarkerCells; column < Columns; ++column)
            word = (word << 1) | (sampleCell(cellRow, column) > threshold ? 1u : 0u);
    }
    return decodeWord(word, frameNumber, channel);
}
