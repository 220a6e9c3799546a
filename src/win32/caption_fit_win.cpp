#include "win32/caption_fit_win.h"

#include <algorithm>

#include "win32/ansi_text_win.h"
#include "win32/dpi_win.h"
#include "win32/system_function_win.h"

namespace win32 {
namespace {

using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// Vista's NONCLIENTMETRICSW: XP's, which the XP-level headers declare, and
// the padded border's width.
struct NonClientMetrics {
    NONCLIENTMETRICSW xp;
    int paddedBorderWidth;
};

// Vista's TITLEBARINFOEX, which WM_GETTITLEBARINFOEX fills: XP's
// TITLEBARINFO, then a rectangle for each part of the title bar.
struct TitleBarParts {
    TITLEBARINFO info;
    RECT rects[CCHILDREN_TITLEBAR + 1];
};
constexpr UINT kGetTitleBarInfoExMessage = 0x033F;  // WM_GETTITLEBARINFOEX
// The title bar's parts that are buttons: minimise, maximise, help, close.
constexpr int kFirstButton = 2;
constexpr int kLastButton = 5;

// The caption font and button width at `dpi`. Windows before 10 gives them
// at the screen's resolution only: scaled from there.
NONCLIENTMETRICSW nonClientMetricsAt(UINT dpi) {
    static const auto forDpi =
        systemFunction<SystemParametersInfoForDpiFn>(L"user32.dll", "SystemParametersInfoForDpi");
    NonClientMetrics metrics{};
    metrics.xp.cbSize = sizeof metrics;
    if (forDpi != nullptr &&
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi) != FALSE) {
        return metrics.xp;
    }
    metrics.xp.cbSize = sizeof metrics.xp;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics.xp, &metrics.xp, 0);
    const int screen = static_cast<int>(dpiOf(nullptr));
    const int scale = static_cast<int>(dpi);
    metrics.xp.lfCaptionFont.lfHeight = MulDiv(metrics.xp.lfCaptionFont.lfHeight, scale, screen);
    metrics.xp.iCaptionWidth = MulDiv(metrics.xp.iCaptionWidth, scale, screen);
    return metrics.xp;
}

// The title bar from its left end, past the window menu's icon, to the
// first visible button. The system tells where its buttons are on Vista and
// later; elsewhere each is the caption's button width.
int roomBesideButtons(HWND window, int buttonWidth) {
    TitleBarParts bar{};
    bar.info.cbSize = sizeof bar;
    SendMessageW(window, kGetTitleBarInfoExMessage, 0, reinterpret_cast<LPARAM>(&bar));
    if (IsRectEmpty(&bar.info.rcTitleBar) != FALSE) {
        bar = TitleBarParts{};
        bar.info.cbSize = sizeof bar.info;
        if (GetTitleBarInfo(window, &bar.info) == FALSE) {
            return 0;
        }
    }
    int buttonsLeft = bar.info.rcTitleBar.right;
    int unplaced = 0;
    for (int part = kFirstButton; part <= kLastButton; ++part) {
        if ((bar.info.rgstate[part] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) != 0) {
            continue;
        }
        if (IsRectEmpty(&bar.rects[part]) != FALSE) {
            ++unplaced;
        } else {
            buttonsLeft = std::min(buttonsLeft, static_cast<int>(bar.rects[part].left));
        }
    }
    return buttonsLeft - unplaced * buttonWidth - bar.info.rcTitleBar.left;
}

// Measures texts in one font, for as long as it lives.
class TextMeasure {
  public:
    explicit TextMeasure(const LOGFONTW& font)
        : font_(CreateFontIndirectW(&font)), dc_(CreateCompatibleDC(nullptr)) {
        if (font_ != nullptr && dc_ != nullptr) {
            previous_ = SelectObject(dc_, font_);
        }
    }
    ~TextMeasure() {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
        if (font_ != nullptr) {
            DeleteObject(font_);
        }
    }
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    bool works() const { return previous_ != nullptr; }
    int averageCharWidth() const {
        TEXTMETRICW metrics{};
        return GetTextMetricsW(dc_, &metrics) != FALSE ? metrics.tmAveCharWidth : 0;
    }
    // 0 for a text that cannot be measured.
    int width(std::wstring_view text) const {
        SIZE size{};
        return GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size) !=
                       FALSE
                   ? size.cx
                   : 0;
    }

  private:
    HFONT font_;
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace

std::wstring captionThatFits(HWND window, UINT dpi, const form::FormCaption& caption) {
    const form::ShownCaption shown{wideFromAnsi(caption.title), wideFromAnsi(caption.before),
                                   wideFromAnsi(caption.name), wideFromAnsi(caption.after)};
    if (shown.name.empty()) {
        return shown.text();  // nothing may be cut: not measured
    }
    const NONCLIENTMETRICSW metrics = nonClientMetricsAt(dpi);
    const TextMeasure measure(metrics.lfCaptionFont);
    if (!measure.works()) {
        return shown.text();
    }
    // An average character's room at each end, where the system draws the
    // text inset from the icon and the buttons.
    const int room =
        roomBesideButtons(window, metrics.iCaptionWidth) - 2 * measure.averageCharWidth();
    return form::fittedCaption(
        shown, [&measure, room](std::wstring_view text) { return measure.width(text) <= room; });
}

}  // namespace win32
