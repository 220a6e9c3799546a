// The clipboard's text as the system keeps it (CF_UNICODETEXT, which it
// also makes from a program's single-byte text): for the fill from the
// clipboard and for a paste into a box.
#pragma once

#include "dialog/clipboard.h"

namespace win32 {

class SystemClipboard final : public dialog::Clipboard {
  public:
    dialog::ClipboardText text(std::size_t limit) override;
};

}  // namespace win32
