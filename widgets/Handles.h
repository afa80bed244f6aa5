// The owners of the widget layer's handles (UniqueHandle with a traits type
// each), a COM reference, and the guards that undo a temporary change.
#pragma once

#include <windows.h>

#include <unknwn.h>
#include <utility>

#include "GlobalMemory.h"
#include "UniqueHandle.h"

// A window (DestroyWindow); empty at null.
struct WindowTraits {
    using Handle = HWND;
    static void Close(HWND handle) { DestroyWindow(handle); }
};

// A font, brush, pen or bitmap (DeleteObject); empty at null.
template <class H>
struct GdiObjectTraits {
    using Handle = H;
    static void Close(H handle) { DeleteObject(handle); }
};

// A memory device context from CreateCompatibleDC (DeleteDC); empty at null.
struct MemoryDCTraits {
    using Handle = HDC;
    static void Close(HDC handle) { DeleteDC(handle); }
};

using UniqueHwnd = UniqueHandle<WindowTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueMemoryDC = UniqueHandle<MemoryDCTraits>;

// One reference to a COM object (Release); empty at null.
template <class T>
struct ComTraits {
    using Handle = T*;
    static void Close(T* object) { object->Release(); }
};
template <class T>
using UniqueCom = UniqueHandle<ComTraits<T>>;

// COM for the calling thread, for as long as the guard lives.
class ComInitialization {
  public:
    ComInitialization() : FInitialized(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComInitialization() {
        if (FInitialized)
            CoUninitialize();
    }
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;

  private:
    bool FInitialized;
};

// Selects an object into a device context and puts the previous one back.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) : FDC(dc), FPrevious(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(FDC, FPrevious); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC FDC;            // not owned
    HGDIOBJ FPrevious;  // not owned
};

// Saves the whole state of a device context and restores it.
class ScopedSaveDC {
  public:
    explicit ScopedSaveDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
    ~ScopedSaveDC() { RestoreDC(FDC, FSaved); }
    ScopedSaveDC(const ScopedSaveDC&) = delete;
    ScopedSaveDC& operator=(const ScopedSaveDC&) = delete;

  private:
    HDC FDC;  // not owned
    int FSaved;
};

// GetDC/ReleaseDC; a null window gives the screen.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : FWindow(window), FDC(GetDC(window)) {}
    ~WindowDC() {
        if (FDC)
            ReleaseDC(FWindow, FDC);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return FDC; }

  private:
    HWND FWindow;  // not owned
    HDC FDC;
};

// BeginPaint/EndPaint.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : FWindow(window) { BeginPaint(window, &FPaint); }
    ~PaintScope() { EndPaint(FWindow, &FPaint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return FPaint.hdc; }
    const RECT& area() const { return FPaint.rcPaint; }

  private:
    HWND FWindow;  // not owned
    PAINTSTRUCT FPaint{};
};
