#include "ApplicationRules.h"

#include <windows.h>

std::wstring ApplicationTitleFromPath(std::wstring_view path) {
    const std::size_t folderEnd = path.find_last_of(L"\\/");
    std::wstring name(folderEnd == std::wstring_view::npos ? path : path.substr(folderEnd + 1));
    name = name.substr(0, name.find(L'.'));
    if (name.size() > 1)
        CharLowerBuffW(name.data() + 1, static_cast<DWORD>(name.size() - 1));
    return name;
}

bool IsIntlSettingsSection(const wchar_t* section) {
    return section && std::wstring_view(section) == L"intl";
}
