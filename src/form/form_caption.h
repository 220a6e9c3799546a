// Form1's caption, and how it fits the window's title bar. A file's row in
// the boxes shows as "CompPlace - U12 from top.pos, line 7 (mm)"; where the
// title bar is too narrow for that, the program's name goes first (the
// window's icon says which program it is), then the file name is cut in its
// middle, so that the designator, the line and the unit always show.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace form {

template <typename Text>
struct CaptionParts {
    // The program's name and " - ", the first part to go; a caption that
    // names no file is this part alone.
    Text title;
    Text before;
    // The file name, cut in its middle when even the caption without the
    // title is too wide.
    Text name;
    Text after;

    Text text() const { return title + before + name + after; }
    bool operator==(const CaptionParts&) const = default;
};

// In the model's single-byte text.
using FormCaption = CaptionParts<std::string>;
// As the window shows it: the window takes its caption in UTF-16.
using ShownCaption = CaptionParts<std::wstring>;

// What stands for the cut-out middle of a name. The window takes UTF-16,
// so the character shows whatever the ANSI code page.
inline constexpr std::wstring_view kEllipsis = L"\u2026";

// Whether a caption text fits the title bar.
using CaptionFits = std::function<bool(std::wstring_view caption)>;

// The whole caption when it fits or names no file; else without the title;
// else with the name's first and last characters, as many as fit, around
// kEllipsis, down to kEllipsis alone. `before` and `after` are never cut,
// even when they alone do not fit.
std::wstring fittedCaption(const ShownCaption& caption, const CaptionFits& fits);

}  // namespace form
