// Failures that the program raises for the failure report to show.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

#include "SystemError.h"
#include "TextConversion.h"

// A failure with a message for the user.
class Exception : public std::exception {
  public:
    explicit Exception(std::wstring message);
    const std::wstring& Message() const { return FMessage; }
    // The message in UTF-8.
    const char* what() const noexcept override { return FWhat.c_str(); }

  private:
    std::wstring FMessage;
    std::string FWhat;
};

// The silent failure: it ends the handler and the report shows nothing.
class EAbort : public Exception {
  public:
    EAbort() : Exception(L"Operation aborted") {}
};

// Raises Exception("<context>: <system text of GetLastError()>").
[[noreturn]] void RaiseLastOSError(std::wstring_view context);
