#include "ProgramProcess.h"

#include <gtest/gtest.h>

#include <string>

#include "Exceptions.h"
#include "UiTesting.h"

namespace {

std::wstring ProgramPath() {
    // The build folder as Wine's drive Z: sees it.
    std::wstring path = L"Z:" + Utf8ToWide(OSTRAFEL_PROGRAM_PATH);
    for (wchar_t& character : path)
        if (character == L'/')
            character = L'\\';
    return path;
}

struct FindWindowOf {
    DWORD ProcessId;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM search) {
    auto* find = reinterpret_cast<FindWindowOf*>(search);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == find->ProcessId && IsWindowVisible(window) &&
        WindowText(window) == L"CONVERT OSTRAFEL 1.0") {
        find->Found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

Program::Program(int showCommand) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (showCommand >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        ADD_FAILURE() << "cannot start " << WideToUtf8(commandLine) << ": " << GetLastError();
        return;
    }
    FProcess.reset(started.hProcess);
    FThread.reset(started.hThread);
    FThreadId = started.dwThreadId;
    PumpUntil([&] {
        FindWindowOf find{started.dwProcessId};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&find));
        FWindow = find.Found;
        return FWindow != nullptr;
    });
}

Program::~Program() {
    if (FProcess && WaitForSingleObject(FProcess.get(), 0) == WAIT_TIMEOUT)
        TerminateProcess(FProcess.get(), 1);
}

long Program::CloseAndWait() {
    PostMessageW(FWindow, WM_CLOSE, 0, 0);
    if (!PumpUntil([this] { return WaitForSingleObject(FProcess.get(), 0) == WAIT_OBJECT_0; }))
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(FProcess.get(), &code);
    return static_cast<long>(code);
}
