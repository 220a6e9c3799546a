// Display resolution of a window, and the outer size for a client size at
// that resolution. Uses the per-monitor functions where the system has them
// and the screen's resolution elsewhere.
#pragma once

#include <windows.h>

namespace win32 {

UINT dpiOf(HWND window);
// The window rectangle, at (0, 0), whose client area is `clientWidth` by
// `clientHeight` pixels.
RECT outerRectFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace win32
