#include "MessageSpy.h"

#include <algorithm>
#include <vector>

namespace {

// One hook of each kind for all the spies alive now: a hook procedure has no
// data of its own. Message is the hook's record of the message.
template <class Message> struct SpyHook {
    static inline std::vector<MessageSpy::Handler*> handlers;
    static inline HHOOK hook = nullptr;

    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION) {
            const auto* message = reinterpret_cast<const Message*>(lParam);
            for (MessageSpy::Handler* handler : std::vector<MessageSpy::Handler*>(handlers))
                (*handler)(message->hwnd, message->message, message->wParam, message->lParam);
        }
        return CallNextHookEx(hook, code, wParam, lParam);
    }
    static void Add(MessageSpy::Handler* handler, int kind) {
        if (handlers.empty())
            hook = SetWindowsHookExW(kind, Procedure, nullptr, GetCurrentThreadId());
        handlers.push_back(handler);
    }
    static void Remove(MessageSpy::Handler* handler) {
        handlers.erase(std::find(handlers.begin(), handlers.end(), handler));
        if (handlers.empty()) {
            UnhookWindowsHookEx(hook);
            hook = nullptr;
        }
    }
};

using BeforeHook = SpyHook<CWPSTRUCT>;
using AfterHook = SpyHook<CWPRETSTRUCT>;

}  // namespace

MessageSpy::MessageSpy(Handler handler, When when) : FHandler(std::move(handler)), FWhen(when) {
    if (FWhen == When::BeforeTheWindow)
        BeforeHook::Add(&FHandler, WH_CALLWNDPROC);
    else
        AfterHook::Add(&FHandler, WH_CALLWNDPROCRET);
}

MessageSpy::~MessageSpy() {
    if (FWhen == When::BeforeTheWindow)
        BeforeHook::Remove(&FHandler);
    else
        AfterHook::Remove(&FHandler);
}
