// A caption painted by its parent window. With AutoSize the label takes the
// size of its caption in its font; a right-aligned one keeps its right edge.
// The caption is measured once it is on a window, and again only when the
// caption or the font changes.
#pragma once

#include <optional>

#include "Control.h"

class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* AOwner);
    void SetParent(TWinControl* parent) override;

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
    mutable std::optional<SIZE> FTextSize; // the caption in the font, once measured
};
