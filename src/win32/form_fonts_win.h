// The two fonts of Form1 at one display resolution, owned.
#pragma once

#include <windows.h>

#include "dialog/window_description.h"

namespace win32 {

class FormFonts {
  public:
    FormFonts() = default;
    FormFonts(const dialog::FormDescription& form, UINT dpi);
    ~FormFonts();
    FormFonts(FormFonts&& other) noexcept;
    FormFonts& operator=(FormFonts&& other) noexcept;
    FormFonts(const FormFonts&) = delete;
    FormFonts& operator=(const FormFonts&) = delete;

    HFONT font(dialog::FontKind kind) const;

  private:
    void release();

    HFONT windowFont_ = nullptr;
    HFONT normalFont_ = nullptr;
};

}  // namespace win32
