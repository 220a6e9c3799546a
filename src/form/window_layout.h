// Form1 on a display of a given resolution. The description measures in
// twips within each container; the window places every control directly on
// its client area, so containers' offsets add up. Also the facts of the
// description the window system needs: which option buttons open a radio
// group, the order to stack the controls in and the order Tab visits them.
#pragma once

#include <array>
#include <vector>

#include "form/window_description.h"

namespace form {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDefaultDpi = 96;  // 100 %

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct ControlLayout {
    PixelRect rect;  // in the window's client area
    int fontHeight;  // as CreateFont takes it: negative, without internal leading
};

// Rounded to the nearest pixel, halves away from zero.
int twipsToPixels(int twips, int dpi);
PixelSize clientSizeAt(int dpi);
PixelRect pixelRectOf(ControlId id, int dpi);
int fontHeightOf(const FontDescription& font, int dpi);
// Every control, indexed by ControlId.
std::array<ControlLayout, kControlCount> layoutAt(int dpi);

// An option button opens a new radio group unless the control before it in
// tab order is an option button of the same container.
bool startsRadioGroup(ControlId id);

// The order to create the controls in, which is also their stacking order
// from the top: every control that takes the focus in tab order, then the
// labels, then the frames, each outer frame below the frames it holds.
// Labels lie beneath the other controls as labels drawn on the form itself
// would (Label4 reaches under the "&Move"/"Undo" button). Neither labels nor
// frames take the focus, so Tab still follows the ControlId order.
std::array<ControlId, kControlCount> stackingOrder();

// The controls that can take the focus, in tab order.
std::vector<ControlId> tabOrder();

}  // namespace form
