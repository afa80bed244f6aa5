// Owner of a library loaded at run time (LoadLibrary): Windows HTTP Services
// for the news, the accessibility library for screen readers.
#pragma once

#include <windows.h>

#include "UniqueHandle.h"

struct ModuleTraits {
    using Handle = HMODULE;
    static void Close(HMODULE handle) { FreeLibrary(handle); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;
