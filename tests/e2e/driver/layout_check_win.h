// The real window measured against its description at one resolution.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// twips * dpi / 1440 to the nearest pixel, for twips that are not negative:
// worked out here rather than taken from the program's layout, which the
// checks are about.
int pixels(int twips, int dpi);

// Every mismatch found: the window's style and client area, each control's
// rectangle on the client area (within a pixel of its twips scaled to
// `dpi`) and its font (height, weight and character set). Empty when all
// fit. `control` finds a control of the window by its id; `threadId` is the
// thread that owns the window.
std::vector<std::string> layoutMismatches(HWND window, DWORD threadId, int dpi,
                                          const std::function<HWND(int)>& control);

}  // namespace e2e
