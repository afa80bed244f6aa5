// The program itself, started as its own process: where its window opens,
// where the focus is, the start-up show commands, and a clean end.
#include <gtest/gtest.h>

#include <windows.h>

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

class Program {
  public:
    // -1: started without a show command.
    explicit Program(int showCommand) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (showCommand >= 0) {
            startup.dwFlags = STARTF_USESHOWWINDOW;
            startup.wShowWindow = static_cast<WORD>(showCommand);
        }
        std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &FInfo)) {
            ADD_FAILURE() << "cannot start " << WideToUtf8(commandLine) << ": " << GetLastError();
            return;
        }
        PumpUntil([this] {
            FindWindowOf find{FInfo.dwProcessId};
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&find));
            FWindow = find.Found;
            return FWindow != nullptr;
        });
    }
    ~Program() {
        if (!FInfo.hProcess)
            return;
        if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(FInfo.hProcess, 1);
        CloseHandle(FInfo.hThread);
        CloseHandle(FInfo.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND Window() const { return FWindow; }
    DWORD ThreadId() const { return FInfo.dwThreadId; }

    // Closes the window as its close button does; the exit code, or -1 if it does not end.
    long CloseAndWait() {
        PostMessageW(FWindow, WM_CLOSE, 0, 0);
        if (!PumpUntil([this] { return WaitForSingleObject(FInfo.hProcess, 0) == WAIT_OBJECT_0; }))
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(FInfo.hProcess, &code);
        return static_cast<long>(code);
    }

  private:
    PROCESS_INFORMATION FInfo{};
    HWND FWindow = nullptr;
};

TEST(Startup, OpensAtTheOriginWithTheFocusInTheEntryBoxAndClosesCleanly) {
    Program program(-1);
    HWND window = program.Window();
    ASSERT_NE(window, nullptr);
    ExpectAtOriginWithLayoutClientSize(window);
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_FALSE(IsIconic(window));

    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    EXPECT_TRUE(PumpUntil([&] {
        return GetGUIThreadInfo(program.ThreadId(), &thread) && thread.hwndFocus != nullptr;
    }));
    EXPECT_EQ(ClassName(thread.hwndFocus), L"Edit");
    const RECT focused = BoundsInParent(thread.hwndFocus);
    EXPECT_EQ(focused.left, 75);
    EXPECT_EQ(focused.top, 113);

    EXPECT_EQ(program.CloseAndWait(), 0);
}

TEST(Startup, ShowCommands) {
    struct Case {
        int Command;
        bool Maximised;
        bool Minimised;
    };
    for (const Case& c : {Case{SW_SHOWMAXIMIZED, true, false}, Case{SW_SHOWMINNOACTIVE, false, true},
                          Case{SW_SHOWMINIMIZED, false, false}, Case{SW_SHOWNORMAL, false, false}}) {
        SCOPED_TRACE(c.Command);
        Program program(c.Command);
        HWND window = program.Window();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(IsZoomed(window) != FALSE, c.Maximised);
        EXPECT_EQ(IsIconic(window) != FALSE, c.Minimised);
        if (c.Minimised) {
            EXPECT_NE(GetForegroundWindow(), window);
        }
        EXPECT_EQ(program.CloseAndWait(), 0);
    }
}

}  // namespace
