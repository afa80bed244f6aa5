// The window procedure of every window of the widget layer, in one place.
//
// A window leads to the object that made it through a window property, named
// for the kind of object, set as the window is made and removed before it is
// gone. Each message of a bound window goes to its object's WndProc; a failure
// that escapes it goes to the failure sink, and the message's answer is 0.
// After the window's last message, WM_NCDESTROY, the object lets it go.
//
// A handler may destroy the object, or rebuild its window: nothing of a dead
// object is touched afterwards, and a rebuilt object keeps its new window.
//
// The object's class T gives this template access to:
//   void Attach(HWND window)  takes the window and binds it (Bind)
//   void Detach()             lets its window go and unbinds it (Unbind)
//   HWND Handle() const       its window
//   std::weak_ptr<const void> Alive() const
//                             expires when the object dies
//   LRESULT Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
//                             handles a message of window, default handling included
#pragma once

#include <windows.h>

#include <exception>
#include <memory>

#include "FailureSink.h"

template <class T> class TWindowProcedure {
  public:
    explicit constexpr TWindowProcedure(const wchar_t* property) : FProperty(property) {}

    void Bind(HWND window, T* object) const { SetPropW(window, FProperty, object); }
    void Unbind(HWND window) const { RemovePropW(window, FProperty); }
    // The object of window, or null for a null window or one of another kind.
    T* Find(HWND window) const {
        return window ? static_cast<T*>(GetPropW(window, FProperty)) : nullptr;
    }

    // A message of a window of the program's own class, which is made with its
    // object as the creation parameter; a window without one gets default handling.
    LRESULT ClassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
        if (message == WM_NCCREATE)
            static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams)
                ->Attach(window);
        if (T* object = Find(window))
            return Dispatch(*object, window, message, wParam, lParam);
        return DefWindowProcW(window, message, wParam, lParam);
    }

    // A message of window, bound to object, subclassed windows included.
    static LRESULT Dispatch(T& object, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        const std::weak_ptr<const void> alive = object.Alive();
        LRESULT result = 0;
        try {
            result = object.Receive(window, message, wParam, lParam);
        } catch (...) {
            HandleException(std::current_exception());
        }
        if (message == WM_NCDESTROY && !alive.expired() && object.Handle() == window)
            object.Detach();
        return result;
    }

  private:
    const wchar_t* FProperty;
};
