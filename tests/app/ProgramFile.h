// Read-only views of the built program: its resources and its file image.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "KernelObject.h"
#include "LoadedModule.h"

namespace ostrafel::test {

// The program to read: the one the build made (a compile definition of the test), or
// the copy that the environment variable OSTRAFEL_TESTED_PROGRAM names, such as the
// signed program of a release package.
std::wstring ProgramPath();

// The program loaded as a data file: its resources can be read, its code never runs.
class ProgramResources {
  public:
    explicit ProgramResources(const std::wstring& path);

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
    explicit MappedProgram(const std::wstring& path);

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
