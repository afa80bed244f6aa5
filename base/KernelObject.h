// Owners of kernel objects: UniqueKernelObject for the handles that are null
// when the call that makes them fails (processes and threads from
// CreateProcessW, events, file mappings), UniqueFile for files (CreateFileW),
// which fail with INVALID_HANDLE_VALUE.
#pragma once

#include <windows.h>

#include "UniqueHandle.h"

// Holds a process, thread, event or file mapping; empty at null.
struct KernelObjectTraits {
    using Handle = HANDLE;
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;

// Holds an open file; empty at INVALID_HANDLE_VALUE.
struct FileTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
using UniqueFile = UniqueHandle<FileTraits>;
