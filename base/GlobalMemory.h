// Owner of a block of global memory: what the clipboard takes over and what
// Windows HTTP Services hands out.
#pragma once

#include <windows.h>

#include <string>

#include "UniqueHandle.h"

// Holds an HGLOBAL (GlobalFree); empty at null.
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static void Close(HGLOBAL handle) { GlobalFree(handle); }
};
using UniqueGlobal = UniqueHandle<GlobalMemoryTraits>;

// The null-terminated text in a fixed block (GMEM_FIXED: the handle is the
// address); empty for an empty owner.
inline std::wstring GlobalText(const UniqueGlobal& block) {
    return block ? std::wstring(static_cast<const wchar_t*>(block.get())) : std::wstring();
}
