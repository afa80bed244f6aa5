// The program's file: a GUI executable for Vista and later that stands alone.
#include "ProgramFile.h"

#include <gtest/gtest.h>

namespace ostrafel::test {
namespace {

TEST(ProgramExecutable, IsAGuiProgramForVistaAndLater) {
    MappedProgram program(ProgramPath());
    const IMAGE_OPTIONAL_HEADER& optional = program.Headers().OptionalHeader;
    EXPECT_EQ(optional.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_EQ(optional.MajorSubsystemVersion, 6);
    EXPECT_EQ(optional.MinorSubsystemVersion, 0);
    EXPECT_EQ(optional.MajorOperatingSystemVersion, 6);
    EXPECT_EQ(optional.MinorOperatingSystemVersion, 0);
}

TEST(ProgramExecutable, ImportsOnlyDllsOfTheSystem) {
    wchar_t system[MAX_PATH];
    UINT length = GetSystemDirectoryW(system, MAX_PATH);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, static_cast<UINT>(MAX_PATH));

    auto dlls = MappedProgram(ProgramPath()).ImportedDlls();
    EXPECT_FALSE(dlls.empty());
    for (const std::string& dll : dlls) {
        // The compiler's runtime DLLs (libgcc_s, libstdc++, libwinpthread) are linked in.
        EXPECT_NE(dll.rfind("lib", 0), 0u) << dll;
        std::wstring path = std::wstring(system) + L"\\" + std::wstring(dll.begin(), dll.end());
        EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES)
            << dll << " is not in the system folder";
    }
}

// The HTTP library and what it brings along load when the news is fetched, not
// before the window opens; and a system without it must not stop the program
// from starting, as an import (delayed or not) would.
TEST(ProgramExecutable, DoesNotImportTheHttpLibrary) {
    for (const std::string& dll : MappedProgram(ProgramPath()).ImportedDlls())
        EXPECT_NE(dll, "winhttp.dll");
}

} // namespace
} // namespace ostrafel::test
