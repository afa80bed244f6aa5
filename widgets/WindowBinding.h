// How a window leads to the object that made it: a window property, named for
// the kind of object, set as the window is made and removed before it is gone.
// Every window of the widget layer is bound this way.
#pragma once

#include <windows.h>

template <class T>
class TWindowBinding {
  public:
    explicit constexpr TWindowBinding(const wchar_t* property) : FProperty(property) {}

    void Bind(HWND window, T* object) const { SetPropW(window, FProperty, object); }
    void Unbind(HWND window) const { RemovePropW(window, FProperty); }
    // The object of window, or null for a null window or one of another kind.
    T* Find(HWND window) const {
        return window ? static_cast<T*>(GetPropW(window, FProperty)) : nullptr;
    }

  private:
    const wchar_t* FProperty;
};
