#include "win32/dpi_win.h"

namespace win32 {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// Looked up at run time: older systems lack them, and a static import would
// keep the program from starting there.
template <typename Fn>
Fn user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    // Through the generic function type, which any function pointer may be
    // cast to and back from.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

UINT screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;  // 100 %
}

}  // namespace

UINT dpiOf(HWND window) {
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    return screenDpi();
}

RECT outerRectFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi = user32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (adjustForDpi == nullptr || !adjustForDpi(&rect, style, FALSE, exStyle, dpi)) {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return rect;
}

}  // namespace win32
