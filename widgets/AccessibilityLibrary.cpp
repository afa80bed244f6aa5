#include "AccessibilityLibrary.h"

#include <oleauto.h>

namespace {

// A function of a loaded library as its own type; null when either is missing.
template <class Function>
Function Proc(const UniqueModule& module, const char* name) {
    if (!module)
        return nullptr;
    // Through a pointer to a function without parameters, which any function
    // pointer converts to and back.
    using Plain = void (*)();
    return reinterpret_cast<Function>(reinterpret_cast<Plain>(GetProcAddress(module.get(), name)));
}

}  // namespace

TAccessibilityLibrary::TAccessibilityLibrary()
    : FOle32(LoadSystemLibrary(L"ole32.dll")),
      FOleAut32(LoadSystemLibrary(L"oleaut32.dll")),
      FOleAcc(LoadSystemLibrary(L"oleacc.dll")),
      FLresultFromObject(Proc<LresultFromObjectProc>(FOleAcc, "LresultFromObject")),
      FAccessibleObjectFromWindow(
          Proc<AccessibleObjectFromWindowProc>(FOleAcc, "AccessibleObjectFromWindow")),
      FCoUninitialize(Proc<CoUninitializeProc>(FOle32, "CoUninitialize")),
      FCoDisconnectObject(Proc<CoDisconnectObjectProc>(FOle32, "CoDisconnectObject")),
      FSysAllocStringLen(Proc<SysAllocStringLenProc>(FOleAut32, "SysAllocStringLen")) {
    const auto coInitializeEx = Proc<CoInitializeExProc>(FOle32, "CoInitializeEx");
    if (!coInitializeEx || !FLresultFromObject || !FAccessibleObjectFromWindow ||
        !FCoUninitialize || !FCoDisconnectObject || !FSysAllocStringLen)
        return;
    const HRESULT started = coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    FComStarted = SUCCEEDED(started);
    // A thread that another part of the process put in the multithreaded
    // apartment can still hand objects out.
    FLoaded = FComStarted || started == RPC_E_CHANGED_MODE;
}

TAccessibilityLibrary::~TAccessibilityLibrary() {
    if (FComStarted)
        FCoUninitialize();
}

LRESULT TAccessibilityLibrary::LresultFromObject(REFIID iid, WPARAM wParam,
                                                 IUnknown* object) const {
    return FLresultFromObject(iid, wParam, object);
}

HRESULT TAccessibilityLibrary::AccessibleObjectFromWindow(HWND window, DWORD objectId,
                                                          REFIID iid, void** object) const {
    return FAccessibleObjectFromWindow(window, objectId, iid, object);
}

void TAccessibilityLibrary::DisconnectObject(IUnknown* object) const {
    FCoDisconnectObject(object, 0);
}

BSTR TAccessibilityLibrary::AllocString(std::wstring_view text) const {
    return FSysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}
