// Owner of a kernel object: a process, a thread, an event, a file.
#pragma once

#include <windows.h>

#include "UniqueHandle.h"

struct KernelObjectTraits {
    using Handle = HANDLE;
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;
