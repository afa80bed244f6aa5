// Eight threads started and ended together, and nothing else: what Windows HTTP
// Services and COM do with their worker threads. The test command runs it where
// 32-bit programs start through qemu-i386; a 32-bit Wine that cannot run it there
// cannot run the test programs that rely on those services either.
#include <windows.h>

#include <array>
#include <cstdio>

namespace {

DWORD WINAPI WaitForTheStart(LPVOID start) {
    WaitForSingleObject(static_cast<HANDLE>(start), INFINITE);
    return 0;
}

} // namespace

int main() {
    constexpr DWORD kThreads = 8;
    const HANDLE start = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::array<HANDLE, kThreads> threads{};
    for (HANDLE& thread : threads) {
        thread = CreateThread(nullptr, 0, WaitForTheStart, start, 0, nullptr);
        if (!thread)
            return 1;
    }
    SetEvent(start);
    const DWORD ended = WaitForMultipleObjects(kThreads, threads.data(), TRUE, 60000);
    for (HANDLE thread : threads)
        CloseHandle(thread);
    CloseHandle(start);
    std::puts(ended == WAIT_OBJECT_0 ? "eight threads started and ended" : "the threads hang");
    return ended == WAIT_OBJECT_0 ? 0 : 1;
}
