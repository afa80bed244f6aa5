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
// The empty owner holds the kind's invalid value: null, unless the traits name
// another one, as files do (CreateFileW fails with INVALID_HANDLE_VALUE):
//
//     struct FileTraits {
//         using Handle = HANDLE;
//         static Handle Invalid() { return INVALID_HANDLE_VALUE; }
//         static void Close(HANDLE handle) { CloseHandle(handle); }
//     };
//
// A field that holds a bare handle does not own it and says so.
#pragma once

#include <utility>

template <class Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    // What the kind uses for "no handle".
    static Handle Invalid() noexcept {
        if constexpr (requires { Traits::Invalid(); })
            return Traits::Invalid();
        else
            return nullptr;
    }

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
    explicit operator bool() const noexcept { return FHandle != Invalid(); }
    // For handles that are pointers to objects (COM interfaces).
    Handle operator->() const noexcept { return FHandle; }
    // For functions that hand out a new handle; drops the one held before.
    Handle* put() noexcept {
        reset();
        return &FHandle;
    }

    Handle release() noexcept { return std::exchange(FHandle, Invalid()); }
    void reset() noexcept { reset(Invalid()); }
    void reset(Handle handle) noexcept {
        if (Handle old = std::exchange(FHandle, handle); old != Invalid())
            FTraits.Close(old);
    }

  private:
    Handle FHandle = Invalid();
    [[no_unique_address]] Traits FTraits;
};
