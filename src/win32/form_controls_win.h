// Which standard control stands for each control of Form1, with which
// styles, and under which child-window id: 1000 + its ControlId (Frame1 is
// 1000, Label6 1021). Test drivers find the controls by these ids.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "dialog/window_description.h"
#include "win32/form_layout_win.h"

namespace win32 {

inline constexpr int kFirstControlId = 1000;

int childIdOf(dialog::ControlId id);
std::optional<dialog::ControlId> controlIdOf(int childId);

// What a control shows from the moment it is made.
struct InitialState {
    const wchar_t* text;
    bool visible;
};

// Created at its place, in its font and with its text and visibility at
// once; the view then mirrors the model's checks into it. `parent` must be
// the form's window.
HWND createControl(const dialog::ControlDescription& control, HWND parent, HINSTANCE instance,
                   const PixelRect& place, HFONT font, const InitialState& state);

// The order to create the controls in, which is also their stacking order
// from the top: every control that takes the focus in tab order, then the
// labels, then the frames, each outer frame below the frames it holds.
// Labels lie beneath the other controls as labels drawn on the form itself
// would (Label4 reaches under the "&Move"/"Undo" button). Neither labels nor
// frames take the focus, so Tab still follows the ControlId order.
std::array<dialog::ControlId, dialog::kControlCount> creationOrder();

}  // namespace win32
