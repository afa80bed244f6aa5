// A font described by name, character height, character set, style and colour.
#pragma once

#include <functional>
#include <string>

#include "Colors.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont {
  public:
    TFont() = default;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const std::wstring& Name() const { return FName; }
    void SetName(std::wstring name);
    // Character height in pixels, without internal leading.
    int Height() const { return FHeight; }
    void SetHeight(int pixels);
    // Points at the given logical pixels per inch: MulDiv(points, ppi, 72) pixels.
    void SetSize(int points, int pixelsPerInch);
    BYTE Charset() const { return FCharset; }
    void SetCharset(BYTE charset);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    // Text colour; not part of the font handle.
    TColor Color() const { return FColor; }
    void SetColor(TColor color);

    // Takes every property of source and reports one change.
    void Assign(const TFont& source);
    bool operator==(const TFont& other) const;

    // Made on first use and kept until a property of the handle changes.
    HFONT Handle() const;
    // Ascent plus descent, as the font comes out on the screen; measured once
    // per handle.
    int TextHeight() const;

    // Runs after every change; the control that owns the font listens here.
    std::function<void()> OnChange;

  private:
    void Changed(bool handleChanged);

    std::wstring FName = L"Segoe UI";
    int FHeight = 18;
    BYTE FCharset = DEFAULT_CHARSET;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    mutable UniqueFont FHandle;
    mutable int FTextHeight = 0; // 0 until measured
};
