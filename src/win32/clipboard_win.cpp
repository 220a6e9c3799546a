#include "win32/clipboard_win.h"

#include <windows.h>

namespace win32 {

using dialog::ClipboardProblem;

constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenPauseMs = 10;

dialog::ClipboardText SystemClipboard::text(std::size_t limit) {
    if (IsClipboardFormatAvailable(CF_UNICODETEXT) == FALSE) {
        return {ClipboardProblem::NoText, {}};
    }
    // The program that copied, or one that watches the clipboard, may hold
    // it open for a moment.
    int attempts = kOpenAttempts;
    while (OpenClipboard(nullptr) == FALSE) {
        if (--attempts == 0) {
            return {ClipboardProblem::InUse, {}};
        }
        Sleep(kOpenPauseMs);
    }
    dialog::ClipboardText held{ClipboardProblem::NoText, {}};
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* units = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (units != nullptr) {
        // Up to the first null, within the memory the text lies in, and one
        // unit past the limit at most.
        const std::size_t size = GlobalSize(data) / sizeof(wchar_t);
        std::size_t length = 0;
        while (length < size && length <= limit && units[length] != L'\0') {
            ++length;
        }
        held = {ClipboardProblem::None, std::u16string(units, units + length)};
        GlobalUnlock(data);
    }
    CloseClipboard();
    return held;
}

}  // namespace win32
