// Runs the program with a test certificate authority trusted and reports what its
// news box shows, read from the running window as a screen reader would.
//
//   news-box-run CA.der PROGRAM.exe TEXT-FILE
//
// Waits until the news box holds text, writes it to TEXT-FILE as UTF-16LE (written
// under another name first and renamed, so that a reader never sees half of it),
// then waits until the program ends: the caller looks at the window meanwhile and
// closes it. Exit status 0 when the box was filled; 1 otherwise, after ending the
// program.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "KernelObject.h"
#include "TrustedAuthority.h"

namespace {

using ostrafel::testing_support::TrustedAuthority;

const wchar_t kCaption[] = L"CONVERT OSTRAFEL 1.0";
const wchar_t kDesignText[] = L"MemoWidget"; // the box's text before the window is shown
constexpr DWORD kPatience = 60000;           // for the window, then for the news

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read the authority's certificate");
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The program's main window, once it is there; the session runs no other copy.
HWND MainWindow(DWORD processId) {
    HWND window = FindWindowW(nullptr, kCaption);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return window && owner == processId ? window : nullptr;
}

// The news box is the window's only multi-line edit box.
BOOL CALLBACK MatchNewsBox(HWND control, LPARAM data) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    if (_wcsicmp(className, L"EDIT") == 0 && (GetWindowLongW(control, GWL_STYLE) & ES_MULTILINE)) {
        *reinterpret_cast<HWND*>(data) = control;
        return FALSE;
    }
    return TRUE;
}

template <class Condition>
bool WaitFor(Condition condition) {
    const ULONGLONG end = GetTickCount64() + kPatience;
    while (!condition()) {
        if (GetTickCount64() > end)
            return false;
        Sleep(100);
    }
    return true;
}

// The text of a control of another process: WM_GETTEXT, which GetWindowText
// does not send across processes.
std::wstring ControlText(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, text.size(),
                             reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                             &copied))
        return {};
    text.resize(copied);
    return text;
}

void WriteUtf16(const std::filesystem::path& path, const std::wstring& text) {
    std::filesystem::path partial = path;
    partial += L".part";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(text.data()),
                   static_cast<std::streamsize>(text.size() * sizeof(wchar_t)));
        if (!file)
            throw std::runtime_error("cannot write the news text");
    }
    std::filesystem::rename(partial, path);
}

int Fail(const char* message, HANDLE process) {
    std::fprintf(stderr, "news-box-run: %s\n", message);
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kPatience);
    return 1;
}

int Run(const wchar_t* authority, const wchar_t* program, const wchar_t* output) {
    const TrustedAuthority trusted(ReadFile(authority));

    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        throw std::runtime_error("cannot start the program");
    const UniqueKernelObject process(started.hProcess);
    const UniqueKernelObject thread(started.hThread);

    // The window's controls may come after the window itself.
    HWND window = nullptr;
    HWND newsBox = nullptr;
    if (!WaitFor([&] {
            window = MainWindow(started.dwProcessId);
            if (window)
                EnumChildWindows(window, MatchNewsBox, reinterpret_cast<LPARAM>(&newsBox));
            return newsBox != nullptr;
        }))
        return Fail(window ? "the window has no news box" : "the window did not open",
                    process.get());

    std::wstring text;
    if (!WaitFor([&] {
            text = ControlText(newsBox);
            return !text.empty() && text != kDesignText;
        }))
        return Fail("the news box stayed empty", process.get());
    WriteUtf16(output, text);

    // The caller looks at the window and closes it.
    if (WaitForSingleObject(process.get(), 10 * kPatience) != WAIT_OBJECT_0)
        return Fail("the program did not end", process.get());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: news-box-run CA.der PROGRAM.exe TEXT-FILE\n");
        return 2;
    }
    try {
        return Run(argv[1], argv[2], argv[3]);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "news-box-run: %s\n", failure.what());
        return 1;
    }
}
