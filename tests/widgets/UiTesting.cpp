#include "UiTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "Application.h"
#include "Handles.h"

namespace {

class ApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        FApplication = std::make_unique<TApplication>();
        Application->Initialize();
    }
    void TearDown() override { FApplication.reset(); }

  private:
    std::unique_ptr<TApplication> FApplication;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

void SendInputs(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpMessages();
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Absolute coordinates, rounded up so that they map back to the same pixel.
LONG Normalized(LONG pixel, int screenSize) { return (pixel * 65536 + screenSize - 1) / screenSize; }

INPUT MouseInput(DWORD flags, POINT screenPoint) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalized(screenPoint.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalized(screenPoint.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

POINT CursorPosition() {
    POINT point{};
    GetCursorPos(&point);
    return point;
}

}  // namespace

TestForm::TestForm(int clientWidth, int clientHeight, TColor color)
    : FOwner(std::make_unique<TComponent>(nullptr)), FForm(MakeOwned<TForm>(FOwner.get())) {
    FForm->SetColor(color);
    FForm->SetClientSize(clientWidth, clientHeight);
}

void TestForm::Show() {
    FForm->Show();
    SetForegroundWindow(Handle());
    UpdateWindow(Handle());
    PumpMessages();
}

void PumpMessages() {
    // Twice: what the first round handles may post more.
    for (int round = 0; round < 2; ++round) {
        Application->ProcessMessages();
        Sleep(10);
    }
}

bool PumpUntil(const std::function<bool()>& condition) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (condition())
            return true;
        Application->ProcessMessages();
        Sleep(10);
    }
    return condition();
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

RECT BoundsInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectAtOriginWithLayoutClientSize(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 1125);
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof font, &font);
    return font;
}

TEXTMETRICW MetricsOf(const LOGFONTW& font) {
    UniqueFont handle(CreateFontIndirectW(&font));
    WindowDC screen(nullptr);
    ScopedSelect select(screen.get(), handle.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    return metrics;
}

SIZE TextExtentOf(const LOGFONTW& font, std::wstring_view text) {
    UniqueFont handle(CreateFontIndirectW(&font));
    WindowDC screen(nullptr);
    ScopedSelect select(screen.get(), handle.get());
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

LOGFONTW MakeLogFont(const wchar_t* name, int characterHeight, BYTE charset, LONG weight) {
    LOGFONTW font{};
    font.lfHeight = -characterHeight;
    font.lfWeight = weight;
    font.lfCharSet = charset;
    wcsncpy(font.lfFaceName, name, LF_FACESIZE - 1);
    return font;
}

COLORREF PixelAt(HWND window, int x, int y) {
    WindowDC dc(window);
    return GetPixel(dc.get(), x, y);
}

std::vector<COLORREF> CapturePixels(HWND window, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    WindowDC dc(window);
    UniqueMemoryDC memory(CreateCompatibleDC(dc.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        ScopedSelect select(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, dc.get(), area.left, area.top, SRCCOPY);
    }
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB((source[i] >> 16) & 0xFF, (source[i] >> 8) & 0xFF, source[i] & 0xFF);
    return pixels;
}

bool AreaHasColor(HWND window, const RECT& area, COLORREF color) {
    const std::vector<COLORREF> pixels = CapturePixels(window, area);
    return std::find(pixels.begin(), pixels.end(), color) != pixels.end();
}

void PressKey(WORD key, bool withShift) {
    PressChord(withShift ? std::vector<WORD>{VK_SHIFT, key} : std::vector<WORD>{key});
}

void PressChord(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        inputs.push_back(KeyInput(key, false));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        inputs.push_back(KeyInput(*key, true));
    SendInputs(std::move(inputs));
}

void MoveMouseTo(POINT screenPoint) { SendInputs({MouseInput(MOUSEEVENTF_MOVE, screenPoint)}); }

void MouseButtonEvent(DWORD flags) { SendInputs({MouseInput(flags, CursorPosition())}); }

POINT ScreenPoint(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

void ClickAt(POINT screenPoint) {
    SendInputs({MouseInput(MOUSEEVENTF_MOVE, screenPoint),
                MouseInput(MOUSEEVENTF_LEFTDOWN, screenPoint),
                MouseInput(MOUSEEVENTF_LEFTUP, screenPoint)});
}

void RestoreActivation(HWND window) {
    PumpMessages();
    if (GetActiveWindow() != window) {
        SetForegroundWindow(window);
        PumpMessages();
    }
}
