#include "win32/dpi_win.h"

#include "form/window_layout.h"
#include "win32/system_function_win.h"

namespace win32 {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

UINT screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return static_cast<UINT>(dpi > 0 ? dpi : form::kDefaultDpi);
}

}  // namespace

UINT dpiOf(HWND window) {
    static const auto getDpiForWindow =
        systemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    return screenDpi();
}

RECT outerRectFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi =
        systemFunction<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (adjustForDpi == nullptr || !adjustForDpi(&rect, style, FALSE, exStyle, dpi)) {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return rect;
}

}  // namespace win32
