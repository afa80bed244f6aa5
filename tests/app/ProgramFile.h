// Read-only views of the built program: its resources and its file image.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "KernelObject.h"
#include "LoadedModule.h"

namespace ostrafel::test {

// Where the build put the program (a compile definition of the test).
inline const wchar_t* ProgramPath() {
    return OSTRAFEL_EXE;
}

// The program loaded as a data file: its resources can be read, its code never runs.
class ProgramResources {
  public:
    explicit ProgramResources(const wchar_t* path);

    // The bytes of one resource in one language; empty when there is none.
    std::span<const std::byte> Find(LPCWSTR type, LPCWSTR name, WORD language) const;
    std::span<const std::byte> Find(LPCWSTR type, LPCWSTR name) const;
    // Names of the resources of a type, integer identifiers written as "#<n>".
    std::vector<std::wstring> Names(LPCWSTR type) const;
    std::vector<WORD> Languages(LPCWSTR type, LPCWSTR name) const;
    std::wstring String(UINT id) const;

  private:
    std::span<const std::byte> Load(HRSRC info) const;

    UniqueModule FModule;
};

// The program's file mapped into memory as it lies on disk, for its PE headers.
class MappedProgram {
  public:
    explicit MappedProgram(const wchar_t* path);

    const IMAGE_NT_HEADERS& Headers() const;
    // The DLLs the program imports, directly or delay-loaded, in lower case.
    std::vector<std::string> ImportedDlls() const;

  private:
    struct ViewTraits {
        using Handle = void*;
        static void Close(void* view) { UnmapViewOfFile(view); }
    };

    const char* AtRva(DWORD rva) const;

    UniqueFile FFile;
    UniqueKernelObject FMapping;
    UniqueHandle<ViewTraits> FView;
};

} // namespace ostrafel::test
