#include "win32/ansi_text_win.h"

#include <windows.h>

#include <climits>

namespace win32 {
namespace {

// The Win32 conversions take int lengths; a longer text is cut to fit.
int clampedLength(std::size_t length) {
    return length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

std::wstring wideIn(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int inLength = clampedLength(text.size());
    const int outLength = MultiByteToWideChar(codePage, 0, text.data(), inLength, nullptr, 0);
    if (outLength <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(outLength), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), inLength, wide.data(), outLength);
    return wide;
}

std::string wideOut(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int inLength = clampedLength(wide.size());
    const int outLength =
        WideCharToMultiByte(codePage, 0, wide.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (outLength <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(outLength), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), inLength, text.data(), outLength, nullptr,
                        nullptr);
    return text;
}

}  // namespace

std::wstring wideFromAnsi(std::string_view ansi) {
    return wideIn(CP_ACP, ansi);
}

std::string ansiFromWide(std::wstring_view wide) {
    return wideOut(CP_ACP, wide);
}

std::wstring wideFromUtf8(std::string_view utf8) {
    return wideIn(CP_UTF8, utf8);
}

std::string utf8FromWide(std::wstring_view wide) {
    return wideOut(CP_UTF8, wide);
}

}  // namespace win32
