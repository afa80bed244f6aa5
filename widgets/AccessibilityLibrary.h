// The platform's accessibility functions and the part of COM they need,
// loaded when an assistive program first asks for a control's accessible
// object: most users never need them, and the program starts without them.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <string_view>

#include "Handles.h"
#include "LoadedModule.h"

class TAccessibilityLibrary {
  public:
    // Loads the libraries and starts COM on the calling thread; Loaded() tells
    // whether both worked.
    TAccessibilityLibrary();
    // Ends COM on the thread, if it was started here, which cuts off the
    // clients that still hold objects; then lets the libraries go.
    ~TAccessibilityLibrary();
    TAccessibilityLibrary(const TAccessibilityLibrary&) = delete;
    TAccessibilityLibrary& operator=(const TAccessibilityLibrary&) = delete;

    bool Loaded() const { return FLoaded; }

    // The answer to WM_GETOBJECT that hands object out as the interface iid.
    LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object) const;
    // The accessible object that a window gives for one of its parts (OBJID_*).
    HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID iid,
                                       void** object) const;
    // Drops every reference that other processes hold to object.
    void DisconnectObject(IUnknown* object) const;
    // A string for a client, which frees it; null when memory runs out.
    BSTR AllocString(std::wstring_view text) const;

  private:
    using LresultFromObjectProc = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using AccessibleObjectFromWindowProc = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    using CoInitializeExProc = HRESULT(WINAPI*)(LPVOID, DWORD);
    using CoUninitializeProc = void(WINAPI*)();
    using CoDisconnectObjectProc = HRESULT(WINAPI*)(LPUNKNOWN, DWORD);
    using SysAllocStringLenProc = BSTR(WINAPI*)(const OLECHAR*, UINT);

    UniqueModule FOle32;
    UniqueModule FOleAut32;
    UniqueModule FOleAcc;
    LresultFromObjectProc FLresultFromObject = nullptr;
    AccessibleObjectFromWindowProc FAccessibleObjectFromWindow = nullptr;
    CoUninitializeProc FCoUninitialize = nullptr;
    CoDisconnectObjectProc FCoDisconnectObject = nullptr;
    SysAllocStringLenProc FSysAllocStringLen = nullptr;
    bool FComStarted = false;  // COM was started here and is to be ended here
    bool FLoaded = false;
};
