// The clipboard's text behind one seam: the window system hands it over, and
// the dialog reads it as it reads a placement file's bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dialog {

// How the messages and the caption name the clipboard, where a file's name
// would stand.
inline constexpr std::string_view kClipboardName = "the clipboard";

enum class ClipboardProblem { None, NoText, InUse };

struct ClipboardText {
    ClipboardProblem problem = ClipboardProblem::None;
    // UTF-16, as the system keeps it, up to its first null.
    std::u16string text;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // The text the clipboard holds. A text of more than `limit` units is cut
    // after `limit` + 1, so that the caller can tell it is too long.
    virtual ClipboardText text(std::size_t limit) = 0;
};

}  // namespace dialog
