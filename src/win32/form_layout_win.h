// Where Form1 and its controls go on a display of a given resolution. The
// description measures in twips within each container; the window places
// every control directly on its client area, so containers' offsets add up.
#pragma once

#include <windows.h>

#include "dialog/window_description.h"

namespace win32 {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

int twipsToPixels(int twips, UINT dpi);
SIZE clientSizeOf(const dialog::FormDescription& form, UINT dpi);
// In the window's client area.
PixelRect pixelRectOf(dialog::ControlId id, UINT dpi);
// The character height CreateFont takes (negative: without internal leading).
int fontHeightOf(const dialog::FontDescription& font, UINT dpi);

}  // namespace win32
