#include "Image.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {}

bool TImage::LoadFromPng(std::span<const unsigned char> data) {
    FPicture = DecodePng(data).Picture;
    FShown = {};
    Invalidate();
    return !FPicture.Empty();
}

void TImage::Paint() {
    const RECT target = FitProportional(FPicture.Width, FPicture.Height, Width(), Height());
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width <= 0 || height <= 0)
        return;
    const COLORREF background = ColorToRGB(Color());
    if (FShown.Width != width || FShown.Height != height || FShownBackground != background) {
        FShown = ScalePicture(FPicture, width, height);
        CompositeOver(FShown, background);
        FShownBackground = background;
    }
    if (FShown.Empty())
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(Canvas.Handle(), target.left, target.top, static_cast<DWORD>(width),
                      static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height),
                      FShown.Pixels.data(), &info, DIB_RGB_COLORS);
}
