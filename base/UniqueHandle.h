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
// A kind whose close call is only known at run time (a library loaded on
// demand) gives its traits a non-static Close and the call as a member; the
// owner keeps a copy of the traits with the handle:
//
//     UniqueHandle<LoadedTraits> owner(handle, LoadedTraits{closeFunction});
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
    explicit UniqueHandle(Handle handle, Traits traits = Traits()) noexcept
        : FHandle(handle), FTraits(traits) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept
        : FHandle(other.release()), FTraits(other.FTraits) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
            FTraits = other.FTraits;
        }
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
            FTraits.Close(old);
    }

  private:
    Handle FHandle = nullptr;
    [[no_unique_address]] Traits FTraits;
};
