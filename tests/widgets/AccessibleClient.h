// The client's side of the accessible objects: what a screen reader reads from
// a window's object, and the events it listens to.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <optional>
#include <string>
#include <vector>

#include "Handles.h"
#include "UniqueHandle.h"

// The object that a window gives for its client area, from this process or
// another, as a screen reader gets it; null when it gives none.
UniqueCom<IAccessible> AccessibleOf(HWND window);

// The object as a screen reader reads it: the texts are absent where the
// object answers without one (S_FALSE, DISP_E_MEMBERNOTFOUND); Role and State
// are -1 when the object fails to tell them.
struct AccessibleFacts {
    std::optional<std::wstring> Name;
    std::optional<std::wstring> Value;
    std::optional<std::wstring> Description;
    std::optional<std::wstring> DefaultAction;
    std::optional<std::wstring> KeyboardShortcut;
    LONG Role = -1;
    LONG State = -1;
};
AccessibleFacts ReadFacts(IAccessible& object);
// The facts of the window's object; all absent when it gives none.
AccessibleFacts ReadFacts(HWND window);

// The state flags that the widget tests look at; the platform may add others.
inline constexpr LONG kWatchedStates = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED |
                                       STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE |
                                       STATE_SYSTEM_READONLY | STATE_SYSTEM_CHECKED |
                                       STATE_SYSTEM_PRESSED;
// Compares every fact, the state through the flags of comparedStates.
void ExpectFacts(const AccessibleFacts& actual, const AccessibleFacts& expected,
                 LONG comparedStates = kWatchedStates);

// VT_I4 CHILDID_SELF: the object itself.
VARIANT Self();

// Records the object events of this process between two event numbers
// (EVENT_OBJECT_*) for as long as it lives; they arrive through the message loop.
class WinEventRecorder {
  public:
    struct Event {
        DWORD Kind;
        HWND Window;
        LONG ObjectId;
        LONG ChildId;
    };

    WinEventRecorder(DWORD first, DWORD last);
    ~WinEventRecorder();
    WinEventRecorder(const WinEventRecorder&) = delete;
    WinEventRecorder& operator=(const WinEventRecorder&) = delete;

    bool Hooked() const { return static_cast<bool>(FHook); }
    // How many events of that kind came for the client area of the window.
    int Count(DWORD kind, HWND window) const;
    void Clear() { FEvents.clear(); }

  private:
    static void CALLBACK Receive(HWINEVENTHOOK hook, DWORD event, HWND window, LONG objectId,
                                 LONG childId, DWORD thread, DWORD time);

    struct HookTraits {
        using Handle = HWINEVENTHOOK;
        static void Close(HWINEVENTHOOK hook) { UnhookWinEvent(hook); }
    };
    UniqueHandle<HookTraits> FHook;
    std::vector<Event> FEvents;
};
