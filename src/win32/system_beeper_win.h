// The dialog's beep, as the system's default sound.
#pragma once

#include <windows.h>

#include "dialog/beeper.h"

namespace win32 {

class SystemBeeper final : public dialog::Beeper {
  public:
    void beep() override { MessageBeep(MB_OK); }
};

}  // namespace win32
