// The one owner of handles: move-only, closes what it holds exactly once.
//
// Each kind of handle has a traits type, declared by the layer that owns that
// kind, with the handle type and the call that closes it:
//
//     struct WindowTraits {
//         using Handle = HWND;
//         static void Close(HWND handle) { DestroyWindow(handle); }
//     };
//     using UniqueHwnd = UniqueHandle<WindowTraits>;
//
// A null handle is the empty owner. A field that holds a bare handle does not
// own it and says so.
#pragma once

#include <utility>

template <class Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) noexcept : FHandle(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : FHandle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return FHandle; }
    explicit operator bool() const noexcept { return FHandle != nullptr; }
    // For handles that are pointers to objects (COM interfaces).
    Handle operator->() const noexcept { return FHandle; }
    // For functions that hand out a new handle; drops the one held before.
    Handle* put() noexcept {
        reset();
        return &FHandle;
    }

    Handle release() noexcept { return std::exchange(FHandle, nullptr); }
    void reset(Handle handle = nullptr) noexcept {
        if (Handle old = std::exchange(FHandle, handle))
            Traits::Close(old);
    }

  private:
    Handle FHandle = nullptr;
};
