// Pictures for the window: PNG data decoded and resampled by the portable pixel
// code, then laid over the window's colour.
#pragma once

#include <windows.h>

#include "BitmapPixels.h"
#include "PictureScaling.h"
#include "PngDecoder.h"

// Puts the picture over an opaque background: every pixel becomes opaque.
void CompositeOver(TBitmapPixels& picture, COLORREF background);

// The largest rectangle with the picture's proportions that fits the box,
// centred in it (a 100 x 50 picture in a 40 x 40 box: 0, 10, 40, 30).
RECT FitProportional(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);
