#pragma once

#include <cstdint>

// How a surround (square 360-degree) stream is drawn. The numbers travel in engine commands,
// frames and stream records, so they are fixed.
namespace SurroundViewMode {
enum Mode : int32_t {
    Original = 0, // the fisheye picture as recorded
    VR = 1, // a window cut from a double-size equirectangular picture, dragged by the user
    Panorama = 2, // the whole equirectangular picture
    Stereo = 3, // a stereographic projection
};
} // namespace SurroundViewMode
