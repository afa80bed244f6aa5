// The program itself, started as its own process: where its window opens,
// where the focus is, the start-up show commands, and a clean end.
#include <gtest/gtest.h>

#include <windows.h>

#include "ProgramProcess.h"
#include "UiTesting.h"

namespace {

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
