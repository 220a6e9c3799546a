// Which standard control stands for each control of Form1, with which
// styles, and under which child-window id: 1000 + its ControlId (Frame1 is
// 1000, Label6 1021). Test drivers find the controls by these ids.
#pragma once

#include <windows.h>

#include <optional>

#include "dialog/window_description.h"
#include "win32/form_layout_win.h"

namespace win32 {

inline constexpr int kFirstControlId = 1000;

int childIdOf(dialog::ControlId id);
std::optional<dialog::ControlId> controlIdOf(int childId);

// Created hidden or visible as the description says, at its place and in its
// font, without a text; the view then mirrors the model into it. `parent`
// must be the form's window.
HWND createControl(const dialog::ControlDescription& control, HWND parent, HINSTANCE instance,
                   const PixelRect& place, HFONT font);

}  // namespace win32
