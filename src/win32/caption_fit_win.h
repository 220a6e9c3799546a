// The window's caption as its title bar can show it whole: measured in the
// system's caption font at the window's resolution against the room the
// title bar leaves for text, a file name in it cut in its middle
// (form/form_caption.h).
#pragma once

#include <windows.h>

#include <string>

#include "form/form_caption.h"

namespace win32 {

std::wstring captionThatFits(HWND window, UINT dpi, const form::FormCaption& caption);

}  // namespace win32
