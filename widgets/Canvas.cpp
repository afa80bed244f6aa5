#include "Canvas.h"

namespace {

UniqueBrush MakeBrush(const TCanvas::TBrush& brush) {
    if (brush.Style == TBrushStyle::bsClear)
        return {};
    return UniqueBrush(CreateSolidBrush(ColorToRGB(brush.Color)));
}

UniquePen MakePen(const TCanvas::TPen& pen) {
    if (pen.Style == TPenStyle::psClear)
        return {};
    return UniquePen(CreatePen(PS_SOLID, pen.Width, ColorToRGB(pen.Color)));
}

}  // namespace

void TCanvas::FillRect(const RECT& rect) {
    if (UniqueBrush brush = MakeBrush(Brush))
        ::FillRect(FDC, &rect, brush.get());
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight) {
    UniqueBrush brush = MakeBrush(Brush);
    UniquePen pen = MakePen(Pen);
    ScopedSelect selectBrush(FDC, brush ? HGDIOBJ(brush.get()) : GetStockObject(NULL_BRUSH));
    ScopedSelect selectPen(FDC, pen ? HGDIOBJ(pen.get()) : GetStockObject(NULL_PEN));
    ::RoundRect(FDC, left, top, right, bottom, ellipseWidth, ellipseHeight);
}

int TCanvas::DrawText(std::wstring_view text, RECT& rect, UINT format) {
    ScopedSaveDC saved(FDC);
    ScopedSelect selectFont(FDC, Font.Handle());
    SetTextColor(FDC, ColorToRGB(Font.Color()));
    if (Brush.Style == TBrushStyle::bsClear) {
        SetBkMode(FDC, TRANSPARENT);
    } else {
        SetBkMode(FDC, OPAQUE);
        SetBkColor(FDC, ColorToRGB(Brush.Color));
    }
    return ::DrawTextW(FDC, text.data(), static_cast<int>(text.size()), &rect, format);
}
