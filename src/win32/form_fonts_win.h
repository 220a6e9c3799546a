// The two fonts of Form1 at one display resolution, owned.
#pragma once

#include <windows.h>

#include "form/window_description.h"

namespace win32 {

class FormFonts {
  public:
    FormFonts() = default;
    FormFonts(const form::FormDescription& form, UINT dpi);
    ~FormFonts();
    FormFonts(FormFonts&& other) noexcept;
    FormFonts& operator=(FormFonts&& other) noexcept;
    FormFonts(const FormFonts&) = delete;
    FormFonts& operator=(const FormFonts&) = delete;

    HFONT font(form::FontKind kind) const;

  private:
    void release();

    HFONT windowFont_ = nullptr;
    HFONT normalFont_ = nullptr;
};

}  // namespace win32
