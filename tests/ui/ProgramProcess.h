// The program itself, started as a process of its own from a test, with its
// main window found.
#pragma once

#include <windows.h>

#include "KernelObject.h"

class Program {
  public:
    // -1: started without a show command.
    explicit Program(int showCommand = -1);
    // Ends the program if it is still running.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND Window() const { return FWindow; }
    DWORD ThreadId() const { return FThreadId; }

    // Closes the window as its close button does; the exit code, or -1 if it does not end.
    long CloseAndWait();

  private:
    UniqueKernelObject FProcess;
    UniqueKernelObject FThread;
    DWORD FThreadId = 0;
    HWND FWindow = nullptr;
};
