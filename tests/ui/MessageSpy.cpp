#include "MessageSpy.h"

#include <algorithm>
#include <vector>

namespace {

// One hook for all the spies alive now: a hook procedure has no data of its own.
std::vector<MessageSpy::Handler*> gHandlers;
HHOOK gHook = nullptr;

LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        for (MessageSpy::Handler* handler : std::vector<MessageSpy::Handler*>(gHandlers))
            (*handler)(message->hwnd, message->message, message->wParam, message->lParam);
    }
    return CallNextHookEx(gHook, code, wParam, lParam);
}

}  // namespace

MessageSpy::MessageSpy(Handler handler) : FHandler(std::move(handler)) {
    if (gHandlers.empty())
        gHook = SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
    gHandlers.push_back(&FHandler);
}

MessageSpy::~MessageSpy() {
    gHandlers.erase(std::find(gHandlers.begin(), gHandlers.end(), &FHandler));
    if (gHandlers.empty()) {
        UnhookWindowsHookEx(gHook);
        gHook = nullptr;
    }
}
