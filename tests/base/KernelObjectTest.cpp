// The kernel objects' owners on the values that the system's calls hand out.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "KernelObject.h"

namespace {

std::wstring OwnPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

UniqueFile OpenForReading(const std::wstring& path) {
    return UniqueFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
}

TEST(KernelObjects, AFileThatCannotBeOpenedIsNoFile) {
    const UniqueFile missing = OpenForReading(OwnPath() + L".missing");
    EXPECT_FALSE(missing);
    UniqueFile own = OpenForReading(OwnPath());
    ASSERT_TRUE(own);
    EXPECT_NE(GetFileSize(own.get(), nullptr), INVALID_FILE_SIZE);
    own.reset();
    EXPECT_EQ(own.get(), INVALID_HANDLE_VALUE);
}

TEST(KernelObjects, AnEventThatCannotBeMadeIsNoObject) {
    // A name in a namespace that does not exist.
    const UniqueKernelObject failed(CreateEventW(nullptr, TRUE, FALSE, L"NoSuchSpace\\Event"));
    EXPECT_FALSE(failed);
    const UniqueKernelObject made(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    EXPECT_TRUE(made);
}

} // namespace
