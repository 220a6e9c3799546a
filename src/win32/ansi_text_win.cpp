#include "win32/ansi_text_win.h"

#include <windows.h>

#include <climits>

namespace win32 {
namespace {

// The Win32 conversions take int lengths; a longer text is cut to fit.
int clampedLength(std::size_t length) {
    return length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

}  // namespace

std::wstring wideFromAnsi(std::string_view ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int inLength = clampedLength(ansi.size());
    const int outLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), inLength, nullptr, 0);
    if (outLength <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(outLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), inLength, wide.data(), outLength);
    return wide;
}

std::string ansiFromWide(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int inLength = clampedLength(wide.size());
    const int outLength =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (outLength <= 0) {
        return {};
    }
    std::string ansi(static_cast<std::size_t>(outLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), inLength, ansi.data(), outLength, nullptr, nullptr);
    return ansi;
}

}  // namespace win32
