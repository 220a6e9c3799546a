// Which standard control stands for each control of Form1, with which
// styles, and under which child-window id: kFirstControlId + its ControlId.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "form/window_description.h"
#include "form/window_layout.h"

namespace win32 {

using form::kFirstControlId;

int childIdOf(form::ControlId id);
std::optional<form::ControlId> controlIdOf(int childId);

// What a control shows from the moment it is made.
struct InitialState {
    const wchar_t* text;
    bool visible;
};

// Created at its place, in its font and with its text and visibility at
// once; the view then mirrors the model's checks into it. `parent` must be
// the form's window.
HWND createControl(const form::ControlDescription& control, HWND parent, HINSTANCE instance,
                   const form::PixelRect& place, HFONT font, const InitialState& state);

}  // namespace win32
