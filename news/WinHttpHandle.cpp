#include "WinHttpHandle.h"

#include "HttpTypes.h"
#include "SystemError.h"

namespace ostrafel {

void ThrowWinHttpError(std::string_view call, DWORD error) {
    const std::wstring text = SysErrorMessage(error, GetModuleHandleW(L"winhttp.dll"));
    std::string message(call);
    message += " failed (" + std::to_string(error) + ")";
    if (!text.empty())
        message += ": " + Narrow(text);
    throw HttpError(message);
}

} // namespace ostrafel
