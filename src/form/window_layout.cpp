#include "form/window_layout.h"

#include <cmath>
#include <cstdint>

namespace form {
namespace {

// a * b / c to the nearest whole number, halves away from zero, as the
// window system scales; c > 0.
int scaled(int a, int b, int c) {
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t half = c / 2;
    const std::int64_t rounded = product >= 0 ? (product + half) / c : -((-product + half) / c);
    return static_cast<int>(rounded);
}

bool takesFocus(ControlKind kind) {
    return kind != ControlKind::Label && kind != ControlKind::Frame;
}

}  // namespace

int twipsToPixels(int twips, int dpi) {
    return scaled(twips, dpi, kTwipsPerInch);
}

PixelSize clientSizeAt(int dpi) {
    const FormDescription& form = formDescription();
    return {twipsToPixels(form.clientWidthTwips, dpi), twipsToPixels(form.clientHeightTwips, dpi)};
}

PixelRect pixelRectOf(ControlId id, int dpi) {
    const ControlDescription& control = describe(id);
    // A frame's inside starts at its own top-left corner.
    int left = control.place.left;
    int top = control.place.top;
    for (auto container = control.container; container;
         container = describe(*container).container) {
        left += describe(*container).place.left;
        top += describe(*container).place.top;
    }
    // Edges are converted, not sizes, so that neighbours stay flush.
    const int x = twipsToPixels(left, dpi);
    const int y = twipsToPixels(top, dpi);
    return {x, y, twipsToPixels(left + control.place.width, dpi) - x,
            twipsToPixels(top + control.place.height, dpi) - y};
}

int fontHeightOf(const FontDescription& font, int dpi) {
    // Points are 1/72 inch; the size is given to a tenth of a point.
    const int tenthsOfPoint = static_cast<int>(std::lround(font.points * 10.0));
    return -scaled(tenthsOfPoint, dpi, 720);
}

std::array<ControlLayout, kControlCount> layoutAt(int dpi) {
    const FormDescription& form = formDescription();
    std::array<ControlLayout, kControlCount> layout{};
    for (const ControlDescription& control : controlDescriptions()) {
        const FontDescription& font =
            control.font == FontKind::WindowFont ? form.windowFont : form.normalFont;
        layout[static_cast<std::size_t>(control.id)] = {pixelRectOf(control.id, dpi),
                                                        fontHeightOf(font, dpi)};
    }
    return layout;
}

bool startsRadioGroup(ControlId id) {
    const auto index = static_cast<std::size_t>(id);
    const ControlDescription& control = describe(id);
    if (control.kind != ControlKind::OptionButton || index == 0) {
        return true;
    }
    const ControlDescription& previous = controlDescriptions()[index - 1];
    return previous.kind != ControlKind::OptionButton || previous.container != control.container;
}

std::array<ControlId, kControlCount> stackingOrder() {
    std::array<ControlId, kControlCount> order{};
    std::size_t next = 0;
    const auto& all = controlDescriptions();
    for (const ControlDescription& control : all) {
        if (takesFocus(control.kind)) {
            order[next++] = control.id;
        }
    }
    // Later ones above earlier ones: the first label, and the outermost
    // frame, end lowest.
    for (const ControlKind kind : {ControlKind::Label, ControlKind::Frame}) {
        for (auto it = all.rbegin(); it != all.rend(); ++it) {
            if (it->kind == kind) {
                order[next++] = it->id;
            }
        }
    }
    return order;
}

std::vector<ControlId> tabOrder() {
    std::vector<ControlId> order;
    for (const ControlDescription& control : controlDescriptions()) {
        if (takesFocus(control.kind)) {
            order.push_back(control.id);
        }
    }
    return order;
}

}  // namespace form
