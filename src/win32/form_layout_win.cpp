#include "win32/form_layout_win.h"

#include <cmath>

namespace win32 {
namespace {

constexpr int kTwipsPerInch = 1440;

}  // namespace

int twipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

SIZE clientSizeOf(const dialog::FormDescription& form, UINT dpi) {
    return SIZE{twipsToPixels(form.clientWidthTwips, dpi),
                twipsToPixels(form.clientHeightTwips, dpi)};
}

PixelRect pixelRectOf(dialog::ControlId id, UINT dpi) {
    const dialog::ControlDescription& control = dialog::describe(id);
    // A frame's inside starts at its own top-left corner.
    int left = control.place.left;
    int top = control.place.top;
    for (auto container = control.container; container;
         container = dialog::describe(*container).container) {
        left += dialog::describe(*container).place.left;
        top += dialog::describe(*container).place.top;
    }
    // Edges are converted, not sizes, so that neighbours stay flush.
    const int x = twipsToPixels(left, dpi);
    const int y = twipsToPixels(top, dpi);
    return PixelRect{x, y, twipsToPixels(left + control.place.width, dpi) - x,
                     twipsToPixels(top + control.place.height, dpi) - y};
}

int fontHeightOf(const dialog::FontDescription& font, UINT dpi) {
    const int tenthsOfPoint = static_cast<int>(std::lround(font.points * 10.0));
    return -MulDiv(tenthsOfPoint, static_cast<int>(dpi), 720);
}

}  // namespace win32
