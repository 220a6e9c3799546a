#include "win32/form_controls_win.h"

#include <cstdint>
#include <cwchar>

namespace win32 {
namespace {

using form::ControlDescription;
using form::ControlKind;

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

// Every control but the second option of a frame starts a group, so the
// arrow keys move only between the two options of one frame. Buttons are
// never default buttons and check boxes and option buttons are not automatic:
// Enter does nothing, and the model decides every check, which the view then
// mirrors. Option buttons get their tab stop from the mirror (the selected
// one of each frame takes it). Labels show their texts as they are, with no
// "&" taken as an accelerator prefix: they carry host data.
ControlClass controlClassOf(const ControlDescription& control) {
    switch (control.kind) {
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX | WS_GROUP, 0};
        case ControlKind::TextBox:
            return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE};
        case ControlKind::Label:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX | WS_GROUP, 0};
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_CHECKBOX | WS_TABSTOP | WS_GROUP, 0};
        case ControlKind::CommandButton:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0};
        case ControlKind::OptionButton:
            return {L"BUTTON",
                    static_cast<DWORD>(BS_RADIOBUTTON) |
                        (form::startsRadioGroup(control.id) ? static_cast<DWORD>(WS_GROUP) : 0U),
                    0};
    }
    return {L"STATIC", 0, 0};
}

}  // namespace

int childIdOf(form::ControlId id) {
    return kFirstControlId + static_cast<int>(id);
}

std::optional<form::ControlId> controlIdOf(int childId) {
    const int index = childId - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(form::kControlCount)) {
        return std::nullopt;
    }
    return static_cast<form::ControlId>(index);
}

HWND createControl(const ControlDescription& control, HWND parent, HINSTANCE instance,
                   const form::PixelRect& place, HFONT font, const InitialState& state) {
    const ControlClass cls = controlClassOf(control);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | cls.style;
    if (state.visible) {
        style |= WS_VISIBLE;
    }
    const auto menuId = reinterpret_cast<HMENU>(static_cast<std::intptr_t>(childIdOf(control.id)));
    HWND window = CreateWindowExW(cls.exStyle, cls.className, state.text, style, place.x, place.y,
                                  place.width, place.height, parent, menuId, instance, nullptr);
    if (window != nullptr) {
        // Nothing is shown yet: no redraw.
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    if (window != nullptr && control.kind == ControlKind::TextBox) {
        // No length limit beyond the control's own maximum.
        SendMessageW(window, EM_SETLIMITTEXT, 0, 0);
        // The caret starts at the end of the text, as after any text the
        // program writes.
        const auto end = static_cast<WPARAM>(std::wcslen(state.text));
        SendMessageW(window, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    return window;
}

}  // namespace win32
