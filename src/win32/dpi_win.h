// Display resolution of a window, and the outer size for a client size at
// that resolution. Uses the per-monitor functions where the system has them
// and the screen's resolution elsewhere.
#pragma once

#include <windows.h>

namespace win32 {

// Messages of Windows 8.1 and 10 that the XP-level headers leave out.
inline constexpr UINT kDpiChangedMessage = 0x02E0;        // WM_DPICHANGED
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;  // WM_GETDPISCALEDSIZE

UINT dpiOf(HWND window);
// The window rectangle, at (0, 0), whose client area is `clientWidth` by
// `clientHeight` pixels.
RECT outerRectFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace win32
