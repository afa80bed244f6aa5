#include "Font.h"

void TFont::SetName(std::wstring name) {
    if (name == FName)
        return;
    FName = std::move(name);
    Changed(true);
}

void TFont::SetHeight(int pixels) {
    if (pixels == FHeight)
        return;
    FHeight = pixels;
    Changed(true);
}

void TFont::SetSize(int points, int pixelsPerInch) { SetHeight(MulDiv(points, pixelsPerInch, 72)); }

void TFont::SetCharset(BYTE charset) {
    if (charset == FCharset)
        return;
    FCharset = charset;
    Changed(true);
}

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle)
        return;
    FStyle = style;
    Changed(true);
}

void TFont::SetColor(TColor color) {
    if (color == FColor)
        return;
    FColor = color;
    Changed(false);
}

void TFont::Assign(const TFont& source) {
    if (&source == this || source == *this)
        return;
    FName = source.FName;
    FHeight = source.FHeight;
    FCharset = source.FCharset;
    FStyle = source.FStyle;
    FColor = source.FColor;
    Changed(true);
}

bool TFont::operator==(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FCharset == other.FCharset &&
           FStyle == other.FStyle && FColor == other.FColor;
}

HFONT TFont::Handle() const {
    if (!FHandle) {
        LOGFONTW font{};
        font.lfHeight = -FHeight;  // negative: character height, not cell height
        font.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        font.lfItalic = (FStyle & fsItalic) ? TRUE : FALSE;
        font.lfUnderline = (FStyle & fsUnderline) ? TRUE : FALSE;
        font.lfStrikeOut = (FStyle & fsStrikeOut) ? TRUE : FALSE;
        font.lfCharSet = FCharset;
        font.lfOutPrecision = OUT_DEFAULT_PRECIS;
        font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        font.lfQuality = DEFAULT_QUALITY;
        font.lfPitchAndFamily = DEFAULT_PITCH;
        FName.copy(font.lfFaceName, LF_FACESIZE - 1);
        FHandle.reset(CreateFontIndirectW(&font));
    }
    return FHandle.get();
}

int TFont::TextHeight() const {
    if (FTextHeight == 0) {
        WindowDC screen(nullptr);
        ScopedSelect select(screen.get(), Handle());
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen.get(), &metrics);
        FTextHeight = metrics.tmHeight;
    }
    return FTextHeight;
}

void TFont::Changed(bool handleChanged) {
    // Windows that still use the old handle get the new one from OnChange; only
    // then may the old one go.
    UniqueFont old;
    if (handleChanged) {
        old = std::move(FHandle);
        FTextHeight = 0;
    }
    if (OnChange)
        OnChange();
}
