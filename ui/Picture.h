// Pictures as 32-bit premultiplied BGRA pixels, decoded and scaled with the
// Windows Imaging Component.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

struct TBitmapPixels {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;  // rows top-down, 0xAARRGGBB premultiplied
    bool Empty() const { return Pixels.empty(); }
};

// Decodes PNG (or any format the platform decodes); empty when data are not a picture.
TBitmapPixels DecodePicture(std::span<const unsigned char> data);

// The picture resampled to width x height; empty when it cannot be.
TBitmapPixels ScalePicture(const TBitmapPixels& picture, int width, int height);

// Puts the picture over an opaque background: every pixel becomes opaque.
void CompositeOver(TBitmapPixels& picture, COLORREF background);

// The largest rectangle with the picture's proportions that fits the box,
// centred in it (a 100 x 50 picture in a 40 x 40 box: 0, 10, 40, 30).
RECT FitProportional(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);
