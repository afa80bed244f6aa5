// A picture of a window's client area, saved as PNG.
#pragma once

#include <windows.h>

#include <string>

// Copies what the window shows on screen, its controls included, and writes it
// to path with the Windows Imaging Component. COM must be initialised on the
// calling thread. Throws std::runtime_error on failure.
void SaveClientAreaPng(HWND window, const std::wstring& path);
