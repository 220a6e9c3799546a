#include "win32/form_fonts_win.h"

#include <string>
#include <utility>

#include "form/window_layout.h"
#include "win32/ansi_text_win.h"

namespace win32 {
namespace {

HFONT createFont(const form::FontDescription& font, UINT dpi) {
    const std::wstring face = wideFromAnsi(font.face);
    return CreateFontW(form::fontHeightOf(font, static_cast<int>(dpi)), 0, 0, 0, font.weight, FALSE,
                       FALSE, FALSE, static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       face.c_str());
}

}  // namespace

FormFonts::FormFonts(const form::FormDescription& form, UINT dpi)
    : windowFont_(createFont(form.windowFont, dpi)),
      normalFont_(createFont(form.normalFont, dpi)) {}

FormFonts::~FormFonts() {
    release();
}

FormFonts::FormFonts(FormFonts&& other) noexcept
    : windowFont_(std::exchange(other.windowFont_, nullptr)),
      normalFont_(std::exchange(other.normalFont_, nullptr)) {}

FormFonts& FormFonts::operator=(FormFonts&& other) noexcept {
    if (this != &other) {
        release();
        windowFont_ = std::exchange(other.windowFont_, nullptr);
        normalFont_ = std::exchange(other.normalFont_, nullptr);
    }
    return *this;
}

HFONT FormFonts::font(form::FontKind kind) const {
    return kind == form::FontKind::WindowFont ? windowFont_ : normalFont_;
}

void FormFonts::release() {
    for (HFONT font : {windowFont_, normalFont_}) {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
    windowFont_ = nullptr;
    normalFont_ = nullptr;
}

}  // namespace win32
