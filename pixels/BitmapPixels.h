// A picture in memory, as the window paints it: 32-bit premultiplied pixels.
#pragma once

#include <cstdint>
#include <vector>

struct TBitmapPixels {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;  // rows top-down, 0xAARRGGBB premultiplied
    bool Empty() const { return Pixels.empty(); }
};
