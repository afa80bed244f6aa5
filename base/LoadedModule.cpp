#include "LoadedModule.h"

namespace {

// The system folder with a separator after it; empty when it cannot be had.
std::wstring SystemFolder() {
    std::wstring folder(MAX_PATH, L'\0');
    UINT length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) {
        folder.resize(length);
        length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    }
    if (length == 0 || length >= folder.size())
        return {};
    folder.resize(length);
    if (folder.back() != L'\\')
        folder += L'\\';
    return folder;
}

} // namespace

UniqueModule LoadSystemLibrary(const std::wstring& fileName, TLoadLibraryEx load) {
    if (HMODULE module = load(fileName.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return UniqueModule(module);
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return UniqueModule();
    const std::wstring folder = SystemFolder();
    if (folder.empty())
        return UniqueModule();
    // Its own dependencies are then looked for beside it first.
    return UniqueModule(load((folder + fileName).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}
