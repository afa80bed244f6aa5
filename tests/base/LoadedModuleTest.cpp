// The loader of the system's libraries: straight from the system folder where
// the system knows the search flag, by the full path where it does not.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "LoadedModule.h"

namespace {

struct LoadCall {
    std::wstring Name;
    DWORD Flags;
};

// The calls of the stand-in loader, and how it answers the search flag.
struct StandIn {
    std::vector<LoadCall> Calls;
    // The error of a call with the search flag, and of one without; 0 for
    // loading what the system loads.
    DWORD SearchFlagError = 0;
    DWORD FullPathError = 0;
};

StandIn& Loader() {
    static StandIn loader;
    return loader;
}

HMODULE WINAPI StandInLoad(LPCWSTR name, HANDLE reserved, DWORD flags) {
    StandIn& loader = Loader();
    loader.Calls.push_back({name, flags});
    const DWORD error =
        (flags & LOAD_LIBRARY_SEARCH_SYSTEM32) ? loader.SearchFlagError : loader.FullPathError;
    if (error) {
        SetLastError(error);
        return nullptr;
    }
    return LoadLibraryExW(name, reserved, flags);
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(towlower(c));
    return text;
}

std::wstring SystemFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return Lower(std::wstring(folder) + L"\\" + name);
}

std::wstring FileOf(const UniqueModule& module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module.get(), path, MAX_PATH);
    return Lower(path);
}

class SystemLibrary : public ::testing::Test {
  protected:
    void SetUp() override { Loader() = StandIn{}; }
};

TEST_F(SystemLibrary, LoadsWithTheSearchFlagWhereTheSystemKnowsIt) {
    const UniqueModule module = LoadSystemLibrary(L"winhttp.dll", StandInLoad);
    ASSERT_TRUE(module);
    EXPECT_EQ(FileOf(module), SystemFile(L"winhttp.dll"));
    ASSERT_EQ(Loader().Calls.size(), 1u);
    EXPECT_EQ(Loader().Calls[0].Name, L"winhttp.dll");
    EXPECT_EQ(Loader().Calls[0].Flags, static_cast<DWORD>(LOAD_LIBRARY_SEARCH_SYSTEM32));
    // The real loader does the same.
    EXPECT_TRUE(LoadSystemLibrary(L"oleacc.dll"));
}

TEST_F(SystemLibrary, WhereTheFlagIsUnknownLoadsByTheFullPathInTheSystemFolder) {
    Loader().SearchFlagError = ERROR_INVALID_PARAMETER;
    const UniqueModule module = LoadSystemLibrary(L"winhttp.dll", StandInLoad);
    ASSERT_TRUE(module);
    EXPECT_EQ(FileOf(module), SystemFile(L"winhttp.dll"));
    ASSERT_EQ(Loader().Calls.size(), 2u);
    // Never the bare name, which would search the program's folder first.
    EXPECT_EQ(Lower(Loader().Calls[1].Name), SystemFile(L"winhttp.dll"));
    EXPECT_FALSE(Loader().Calls[1].Flags & LOAD_LIBRARY_SEARCH_SYSTEM32);
}

TEST_F(SystemLibrary, OtherFailuresAreNotRetriedAndKeepTheirReason) {
    struct Case {
        const char* Label;
        DWORD SearchFlagError;
        DWORD FullPathError;
        std::size_t Calls;
    };
    const Case cases[] = {
        {"library missing", ERROR_MOD_NOT_FOUND, 0, 1},
        {"access denied", ERROR_ACCESS_DENIED, 0, 1},
        {"full path fails too", ERROR_INVALID_PARAMETER, ERROR_MOD_NOT_FOUND, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Label);
        Loader() = StandIn{{}, c.SearchFlagError, c.FullPathError};
        const UniqueModule module = LoadSystemLibrary(L"winhttp.dll", StandInLoad);
        const DWORD error = GetLastError();
        EXPECT_FALSE(module);
        EXPECT_EQ(error, c.FullPathError ? c.FullPathError : c.SearchFlagError);
        EXPECT_EQ(Loader().Calls.size(), c.Calls);
    }
    EXPECT_FALSE(LoadSystemLibrary(L"no-such-library.dll"));
}

} // namespace
