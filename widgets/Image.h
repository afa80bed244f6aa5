// A picture painted by its parent window, scaled with its proportions kept to
// fit the control's box (smaller or larger) and centred in it.
#pragma once

#include <span>

#include "Control.h"
#include "Picture.h"

class TImage : public TGraphicControl {
  public:
    explicit TImage(TComponent* AOwner);

    // Decodes PNG data; false, and no picture, when they cannot be read.
    bool LoadFromPng(std::span<const unsigned char> data);
    int PictureWidth() const { return FPicture.Width; }
    int PictureHeight() const { return FPicture.Height; }

  protected:
    void Paint() override;

  private:
    TBitmapPixels FPicture;
    TBitmapPixels FShown;  // scaled and put over the background, as last painted
    COLORREF FShownBackground = 0;
};
