#include "Clipboard.h"

#include <cstring>

#include "Exceptions.h"
#include "Handles.h"

namespace {

// pattern with its first "%s" replaced by detail; a pattern without one comes
// back unchanged.
std::wstring FormatWithDetail(std::wstring_view pattern, std::wstring_view detail) {
    std::wstring text(pattern);
    if (const std::size_t at = text.find(L"%s"); at != std::wstring::npos)
        text.replace(at, 2, detail);
    return text;
}

// The text and its terminating null in a movable block, as the clipboard wants it.
UniqueGlobal CopyToGlobal(std::wstring_view text, const TClipboardTexts& texts) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block)
        throw Exception(texts.OutOfResources);
    void* memory = GlobalLock(block.get());
    if (!memory)
        throw Exception(texts.OutOfResources);
    std::memcpy(memory, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(memory)[text.size()] = L'\0';
    GlobalUnlock(block.get());
    return block;
}

// Keeps the clipboard open for the scope.
class OpenedClipboard {
  public:
    OpenedClipboard(HWND owner, const TClipboardTexts& texts) {
        if (!OpenClipboard(owner)) {
            const DWORD error = GetLastError();
            throw Exception(FormatWithDetail(texts.CannotOpen, SysErrorMessage(error)));
        }
    }
    ~OpenedClipboard() { CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

}  // namespace

void PutClipboardText(HWND owner, std::wstring_view text, const TClipboardTexts& texts) {
    // Made first: when memory runs out, the clipboard is not touched.
    UniqueGlobal block = CopyToGlobal(text, texts);
    OpenedClipboard clipboard(owner, texts);
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, block.get()))
        throw Exception(texts.OutOfResources);
    block.release();  // the clipboard owns it now
}
