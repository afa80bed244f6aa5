// Resampling a picture to another size, in good quality both ways.
#pragma once

#include "BitmapPixels.h"

// The largest width or height, of the picture or of the result, that is scaled:
// far more than a window shows, and it bounds the memory used on the way.
constexpr int kMaxScaledSide = 4096;

// The picture resampled to width x height, each direction on its own: a shrunk
// pixel is the average of the source area it covers (weighted by how much of
// each source pixel lies in it), an enlarged one is interpolated linearly between
// the centres of the nearest source pixels. Premultiplied channels are averaged
// as they are, so edges against transparency stay clean. Empty when the picture
// is empty or inconsistent, or a size is not positive or above kMaxScaledSide.
TBitmapPixels ScalePicture(const TBitmapPixels& picture, int width, int height);
