// The floor under the dialog's start-up: the window compplace.exe shows for
// the sample design, made as the product makes it (its frame style, icons
// and manifest, the window description's controls at their layout and fonts,
// by the product's own control code), with the texts filled and nothing
// else: no host, no form model, no handlers. It leaves when it is closed.
#include <windows.h>

#include <array>
#include <string>

#include "form/window_description.h"
#include "form/window_layout.h"
#include "win32/ansi_text_win.h"
#include "win32/dpi_win.h"
#include "win32/form_controls_win.h"
#include "win32/form_fonts_win.h"
#include "win32/form_view_win.h"
#include "win32/window_class_win.h"

namespace {

using form::ControlId;

constexpr const wchar_t* kFloorClassName = L"CompPlaceBenchFloor";

// What the dialog shows for sim/sample_design.txt, the design scripts/bench
// serves the product: U12 at 2.54 mm, 1.27 mm from the relative origin at
// 0.01 mm, 0.02 mm, turned 90 degrees, in millimetres and relative mode.
struct FilledText {
    ControlId id;
    const char* text;
};
constexpr std::array kFilledTexts = {
    FilledText{ControlId::Text1, "2.530"},
    FilledText{ControlId::Text2, "1.250"},
    FilledText{ControlId::Text3, " 90"},
    FilledText{ControlId::Label5, "RefDes: U12"},
    FilledText{ControlId::Label6, "P-CAD2001 DBX V16000"},
};
constexpr std::array kSelectedOptions = {ControlId::Option2, ControlId::Option4};

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The texts a control shows: the description's caption, or the filled text.
std::string textOf(ControlId id) {
    for (const FilledText& filled : kFilledTexts) {
        if (filled.id == id) {
            return filled.text;
        }
    }
    return std::string(form::describe(id).caption);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    if (!win32::registerDialogClass(instance, windowProc, kFloorClassName)) {
        return 1;
    }
    const UINT screenDpi = win32::dpiOf(nullptr);
    const form::PixelSize client = form::clientSizeAt(static_cast<int>(screenDpi));
    const RECT outer = win32::outerRectFor(client.width, client.height, win32::kFormStyle,
                                           win32::kFormExStyle, screenDpi);
    const std::wstring caption = win32::wideFromAnsi(form::formDescription().caption);
    HWND window =
        CreateWindowExW(win32::kFormExStyle, kFloorClassName, caption.c_str(), win32::kFormStyle,
                        CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                        outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    const UINT dpi = win32::dpiOf(window);
    const win32::FormFonts fonts(form::formDescription(), dpi);
    const auto layout = form::layoutAt(static_cast<int>(dpi));
    for (const ControlId id : form::stackingOrder()) {
        const form::ControlDescription& description = form::describe(id);
        const std::wstring text = win32::wideFromAnsi(textOf(id));
        win32::createControl(
            description, window, instance, layout[static_cast<std::size_t>(id)].rect,
            fonts.font(description.font), {text.c_str(), description.initiallyVisible});
    }
    for (const ControlId option : kSelectedOptions) {
        SendMessageW(GetDlgItem(window, win32::childIdOf(option)), BM_SETCHECK, BST_CHECKED, 0);
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
