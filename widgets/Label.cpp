#include "Label.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {}

void TLabel::SetParent(TWinControl* parent) {
    TGraphicControl::SetParent(parent);
    AdjustSize();
}

void TLabel::SetAlignment(TAlignment value) {
    FAlignment = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    FAutoSize = value;
    AdjustSize();
}

UINT TLabel::TextFormat() const {
    // The caption is shown as written: an ampersand is an ampersand.
    UINT format = DT_SINGLELINE | DT_TOP | DT_NOPREFIX;
    switch (FAlignment) {
    case TAlignment::taLeftJustify:
        return format | DT_LEFT;
    case TAlignment::taRightJustify:
        return format | DT_RIGHT;
    case TAlignment::taCenter:
        return format | DT_CENTER;
    }
    return format;
}

SIZE TLabel::TextSize() const {
    if (!FTextSize) {
        WindowDC screen(nullptr);
        ScopedSelect select(screen.get(), Font().Handle());
        const std::wstring caption = Caption();
        RECT rect{};
        ::DrawTextW(screen.get(), caption.c_str(), static_cast<int>(caption.size()), &rect,
                    TextFormat() | DT_CALCRECT);
        FTextSize = SIZE{rect.right - rect.left, rect.bottom - rect.top};
    }
    return *FTextSize;
}

void TLabel::ConstrainBounds(int& left, int&, int& width, int& height) {
    // Off any window the label keeps the bounds it is given; it fits its caption
    // when it is put on one.
    if (!FAutoSize || !Parent())
        return;
    const SIZE text = TextSize();
    if (FAlignment == TAlignment::taRightJustify)
        left += width - text.cx;
    width = text.cx;
    height = text.cy;
}

void TLabel::CaptionChanged() {
    FTextSize.reset();
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged() {
    FTextSize.reset();
    AdjustSize();
    Invalidate();
}

void TLabel::Paint() {
    RECT rect{0, 0, Width(), Height()};
    Canvas.Brush.Style = TBrushStyle::bsSolid;
    Canvas.Brush.Color = Color();
    Canvas.FillRect(rect);
    Canvas.Brush.Style = TBrushStyle::bsClear;
    Canvas.Font.Assign(Font());
    Canvas.DrawText(Caption(), rect, TextFormat());
}
