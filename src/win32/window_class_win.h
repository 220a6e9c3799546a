// The window class of the dialog's window: the program's icon, the arrow
// pointer, the face colour of buttons behind the controls.
#pragma once

#include <windows.h>

namespace win32 {

// Registers the class `name` with `procedure`, unless it is registered
// already; false when it cannot be.
bool registerDialogClass(HINSTANCE instance, WNDPROC procedure, const wchar_t* name);

}  // namespace win32
