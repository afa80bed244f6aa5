#include "ProgramFile.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

// dbghelp's image helpers; the toolchain's dbghelp.h does not declare them.
extern "C" {
PIMAGE_NT_HEADERS WINAPI ImageNtHeader(PVOID base);
PVOID WINAPI ImageDirectoryEntryToDataEx(PVOID base, BOOLEAN mappedAsImage, USHORT entry,
                                         PULONG size, PIMAGE_SECTION_HEADER* section);
PVOID WINAPI ImageRvaToVa(PIMAGE_NT_HEADERS headers, PVOID base, ULONG rva,
                          PIMAGE_SECTION_HEADER* lastSection);
}

namespace ostrafel::test {

namespace {

std::runtime_error LastError(const char* what) {
    return std::runtime_error(std::string(what) + " failed, error " +
                              std::to_string(GetLastError()));
}

BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    auto& list = *reinterpret_cast<std::vector<std::wstring>*>(names);
    list.push_back(IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                                        : std::wstring(name));
    return TRUE;
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages) {
    reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
    return TRUE;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

std::wstring ProgramPath() {
    const wchar_t* variable = L"OSTRAFEL_TESTED_PROGRAM";
    DWORD size = GetEnvironmentVariableW(variable, nullptr, 0);
    if (size == 0) {
        return OSTRAFEL_EXE;
    }
    std::wstring path(size, L'\0');
    path.resize(GetEnvironmentVariableW(variable, path.data(), size));
    return path;
}

ProgramResources::ProgramResources(const std::wstring& path)
    : FModule(LoadLibraryExW(path.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {
    if (!FModule) {
        throw LastError("LoadLibraryExW");
    }
}

std::span<const std::byte> ProgramResources::Find(LPCWSTR type, LPCWSTR name, WORD language) const {
    return Load(FindResourceExW(FModule.get(), type, name, language));
}

std::span<const std::byte> ProgramResources::Find(LPCWSTR type, LPCWSTR name) const {
    return Load(FindResourceW(FModule.get(), name, type));
}

std::span<const std::byte> ProgramResources::Load(HRSRC info) const {
    HGLOBAL loaded = info ? LoadResource(FModule.get(), info) : nullptr;
    if (!loaded) {
        return {};
    }
    return {static_cast<const std::byte*>(LockResource(loaded)),
            SizeofResource(FModule.get(), info)};
}

std::vector<std::wstring> ProgramResources::Names(LPCWSTR type) const {
    std::vector<std::wstring> names;
    EnumResourceNamesW(FModule.get(), type, AddName, reinterpret_cast<LONG_PTR>(&names));
    return names;
}

std::vector<WORD> ProgramResources::Languages(LPCWSTR type, LPCWSTR name) const {
    std::vector<WORD> languages;
    EnumResourceLanguagesW(FModule.get(), type, name, AddLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

std::wstring ProgramResources::String(UINT id) const {
    wchar_t buffer[512];
    int length = LoadStringW(FModule.get(), id, buffer, static_cast<int>(std::size(buffer)));
    return std::wstring(buffer, static_cast<size_t>(std::max(length, 0)));
}

MappedProgram::MappedProgram(const std::wstring& path)
    : FFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                        nullptr)) {
    if (!FFile) {
        throw LastError("CreateFileW");
    }
    FMapping.reset(CreateFileMappingW(FFile.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!FMapping) {
        throw LastError("CreateFileMappingW");
    }
    FView.reset(MapViewOfFile(FMapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!FView || !ImageNtHeader(FView.get())) {
        throw LastError("mapping the program's headers");
    }
}

const IMAGE_NT_HEADERS& MappedProgram::Headers() const {
    return *ImageNtHeader(FView.get());
}

const char* MappedProgram::AtRva(DWORD rva) const {
    auto* at = ImageRvaToVa(ImageNtHeader(FView.get()), FView.get(), rva, nullptr);
    if (!at) {
        throw std::runtime_error("address outside the program's sections");
    }
    return static_cast<const char*>(at);
}

std::vector<std::string> MappedProgram::ImportedDlls() const {
    std::vector<std::string> dlls;
    ULONG size = 0;
    auto* imports = static_cast<const IMAGE_IMPORT_DESCRIPTOR*>(ImageDirectoryEntryToDataEx(
        FView.get(), FALSE, IMAGE_DIRECTORY_ENTRY_IMPORT, &size, nullptr));
    for (; imports && imports->Name != 0; ++imports) {
        dlls.push_back(Lower(AtRva(imports->Name)));
    }
    auto* delayed = static_cast<const IMAGE_DELAYLOAD_DESCRIPTOR*>(ImageDirectoryEntryToDataEx(
        FView.get(), FALSE, IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT, &size, nullptr));
    for (; delayed && delayed->DllNameRVA != 0; ++delayed) {
        dlls.push_back(Lower(AtRva(delayed->DllNameRVA)));
    }
    return dlls;
}

} // namespace ostrafel::test
