// The system's texts for error codes: the one wrapper of FormatMessageW.
#pragma once

#include <windows.h>

#include <string>

// The text for code, without the trailing line break and spaces; module is a
// library whose own message table is searched first (WinHTTP's errors), null
// for the system's table alone. Empty when there is no text for the code.
std::wstring SysErrorMessage(DWORD code, HMODULE module = nullptr);
