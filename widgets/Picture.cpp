#include "Picture.h"

void CompositeOver(TBitmapPixels& picture, COLORREF background) {
    const std::uint32_t backgroundChannels[3] = {GetBValue(background), GetGValue(background),
                                                 GetRValue(background)};
    for (std::uint32_t& pixel : picture.Pixels) {
        const std::uint32_t transparency = 255 - (pixel >> 24);
        std::uint32_t result = 0xFF000000u;
        for (int channel = 0; channel < 3; ++channel) {
            const int shift = 8 * channel;
            const std::uint32_t value = ((pixel >> shift) & 0xFF) +
                                        (backgroundChannels[channel] * transparency + 127) / 255;
            result |= (value > 255 ? 255 : value) << shift;
        }
        pixel = result;
    }
}

RECT FitProportional(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return {};
    int width = boxWidth;
    int height = MulDiv(pictureHeight, boxWidth, pictureWidth);
    if (height > boxHeight) {
        height = boxHeight;
        width = MulDiv(pictureWidth, boxHeight, pictureHeight);
    }
    const int left = (boxWidth - width) / 2;
    const int top = (boxHeight - height) / 2;
    return {left, top, left + width, top + height};
}
