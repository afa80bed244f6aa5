#include "Clipboard.h"

#include <cstring>

#include "Exceptions.h"
#include "Handles.h"
#include "ResourceText.h"
#include "resource.h"

namespace {

std::wstring OutOfResourcesText() {
    return LoadResourceText(IDS_OUT_OF_RESOURCES, L"Out of system resources");
}

// The text and its terminating null in a movable block, as the clipboard wants it.
UniqueGlobal CopyToGlobal(std::wstring_view text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block)
        throw Exception(OutOfResourcesText());
    void* memory = GlobalLock(block.get());
    if (!memory)
        throw Exception(OutOfResourcesText());
    std::memcpy(memory, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(memory)[text.size()] = L'\0';
    GlobalUnlock(block.get());
    return block;
}

// Keeps the clipboard open for the scope.
class OpenedClipboard {
  public:
    explicit OpenedClipboard(HWND owner) {
        if (!OpenClipboard(owner)) {
            const DWORD error = GetLastError();
            throw Exception(FormatWithDetail(
                LoadResourceText(IDS_CANNOT_OPEN_CLIPBOARD, L"Cannot open clipboard: %s"),
                SysErrorMessage(error)));
        }
    }
    ~OpenedClipboard() { CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

}  // namespace

void PutClipboardText(HWND owner, std::wstring_view text) {
    // Made first: when memory runs out, the clipboard is not touched.
    UniqueGlobal block = CopyToGlobal(text);
    OpenedClipboard clipboard(owner);
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, block.get()))
        throw Exception(OutOfResourcesText());
    block.release();  // the clipboard owns it now
}
