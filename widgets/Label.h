// A caption painted by its parent window. With AutoSize the label takes the
// size of its caption in its font; a right-aligned one keeps its right edge.
#pragma once

#include "Control.h"

class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

    // Width and height of the caption in the label's font.
    SIZE TextSize() const;

  protected:
    void Paint() override;
    void ConstrainBounds(int& left, int& top, int& width, int& height) override;
    void CaptionChanged() override;
    void FontChanged() override;

  private:
    UINT TextFormat() const;

    TAlignment FAlignment = TAlignment::taLeftJustify;
    bool FAutoSize = true;
};
