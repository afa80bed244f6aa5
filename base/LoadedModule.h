// Owner of a library loaded at run time (LoadLibrary): Windows HTTP Services
// for the news, the accessibility library for screen readers; and the one way
// the program loads such a library of the system's.
#pragma once

#include <windows.h>

#include <string>

#include "UniqueHandle.h"

// Holds an HMODULE from LoadLibrary; empty at null.
struct ModuleTraits {
    using Handle = HMODULE;
    static void Close(HMODULE handle) { FreeLibrary(handle); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

// How a library is loaded: LoadLibraryExW, or a stand-in for it in tests.
using TLoadLibraryEx = decltype(&LoadLibraryExW);

// The library fileName ("winhttp.dll") from the system folder, never one
// planted in the program's folder or the current one. It is loaded with
// LOAD_LIBRARY_SEARCH_SYSTEM32; a system that does not know that flag (Vista,
// and 7 without the update that added it) answers ERROR_INVALID_PARAMETER, and
// then it is loaded by its full path in the system folder, never by its bare
// name. An empty owner when it cannot be loaded, the reason in GetLastError.
UniqueModule LoadSystemLibrary(const std::wstring& fileName, TLoadLibraryEx load = LoadLibraryExW);
