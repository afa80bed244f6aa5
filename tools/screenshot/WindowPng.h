// A picture of a window's client area, saved as PNG.
#pragma once

#include <windows.h>

#include <string>

// Copies what the window shows on screen, its controls included, and writes it
// to path with the Windows Imaging Component, starting COM on the calling thread
// for the while. Throws std::runtime_error on failure.
void SaveClientAreaPng(HWND window, const std::wstring& path);
