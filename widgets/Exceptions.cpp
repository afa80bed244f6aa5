#include "Exceptions.h"

Exception::Exception(std::wstring message)
    : FMessage(std::move(message)), FWhat(WideToUtf8(FMessage)) {}

void RaiseLastOSError(std::wstring_view context) {
    const DWORD code = GetLastError();
    throw Exception(std::wstring(context) + L": " + SysErrorMessage(code));
}
