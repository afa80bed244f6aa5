// Start-up time of a Windows program: from CreateProcess until its main window is
// on screen and painted, then the window is closed. The program and its
// references are started in turn, so that all meet the same machine load, and
// the program's median is compared with each reference's. The target applies to
// the first reference; any further ones are shown for comparison. The fastest
// start of each is shown too: where other work loads the machine, the medians
// scatter, and the fastest starts come closest to an unloaded machine.
//
//   startup-launcher RUNS PROGRAM.exe REFERENCE.exe [REFERENCE.exe...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "KernelObject.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr double kTargetRatio = 1.10;

double NowMs() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct WindowSearch {
    DWORD ProcessId;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<WindowSearch*>(search);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == wanted.ProcessId && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
        wanted.Found = window;
        return FALSE;
    }
    return TRUE;
}

// The first visible unowned top-level window of the process, or null.
HWND VisibleMainWindow(DWORD processId) {
    WindowSearch search{processId};
    EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

BOOL CALLBACK FindUnpainted(HWND window, LPARAM unpainted) {
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(unpainted) = true;
        return FALSE;
    }
    return TRUE;
}

// True once neither the window nor any of its visible controls waits to be painted.
bool IsPainted(HWND window) {
    bool unpainted = false;
    FindUnpainted(window, reinterpret_cast<LPARAM>(&unpainted));
    if (!unpainted) {
        EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    }
    return !unpainted;
}

template <class Condition> void WaitUntil(Condition condition, double deadline, const char* what) {
    while (!condition()) {
        if (NowMs() > deadline) {
            throw std::runtime_error(std::string("timed out waiting until ") + what);
        }
        Sleep(1);
    }
}

// Milliseconds from the start of the program until its window is painted.
double TimeOneStart(const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};

    double start = NowMs();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &created)) {
        throw std::runtime_error("cannot start the program, error " +
                                 std::to_string(GetLastError()));
    }
    UniqueKernelObject process(created.hProcess);
    UniqueKernelObject thread(created.hThread);
    double deadline = start + kTimeoutMs;

    WaitForInputIdle(process.get(), kTimeoutMs);
    HWND window = nullptr;
    WaitUntil([&] { return (window = VisibleMainWindow(created.dwProcessId)) != nullptr; },
              deadline, "the window is shown");
    WaitUntil([&] { return IsPainted(window); }, deadline, "the window is painted");
    double elapsed = NowMs() - start;

    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), kTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        throw std::runtime_error("the program did not end when its window was closed");
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    if (exitCode != 0) {
        throw std::runtime_error("the program ended with exit code " + std::to_string(exitCode));
    }
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::wstring FileName(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

double Fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

void PrintTimes(const std::wstring& program, const std::vector<double>& times) {
    std::wprintf(L"%-28ls median %8.1f ms, fastest %8.1f ms  (runs:", FileName(program).c_str(),
                 Median(times), Fastest(times));
    for (double t : times) {
        std::wprintf(L" %.1f", t);
    }
    std::wprintf(L")\n");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = argc >= 4 ? _wtoi(argv[1]) : 0;
    if (runs < 1) {
        std::fwprintf(
            stderr, L"usage: startup-launcher RUNS PROGRAM.exe REFERENCE.exe [REFERENCE.exe...]\n");
        return 2;
    }
    const std::vector<std::wstring> programs(argv + 2, argv + argc);
    std::vector<std::vector<double>> times(programs.size());
    try {
        // One unmeasured start each: the first start also loads the system's DLLs from disk.
        for (const std::wstring& program : programs) {
            TimeOneStart(program);
        }
        for (int run = 0; run < runs; ++run) {
            for (size_t i = 0; i < programs.size(); ++i) {
                times[i].push_back(TimeOneStart(programs[i]));
            }
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "startup-launcher: %s\n", failure.what());
        return 1;
    }
    for (size_t i = 0; i < programs.size(); ++i) {
        PrintTimes(programs[i], times[i]);
    }
    const double program = Median(times[0]);
    for (size_t i = 1; i < programs.size(); ++i) {
        double ratio = program / Median(times[i]);
        std::wprintf(L"start-up ratio %ls / %ls: %.2f", FileName(programs[0]).c_str(),
                     FileName(programs[i]).c_str(), ratio);
        if (i == 1) {
            std::wprintf(L" (target <= %.2f: %ls)", kTargetRatio,
                         ratio <= kTargetRatio ? L"met" : L"NOT met");
        }
        std::wprintf(L"; fastest starts %.2f\n", Fastest(times[0]) / Fastest(times[i]));
    }
    return 0;
}
