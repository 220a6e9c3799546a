// The system's clock and double-click time, as the dialog's rules about a
// person's clicks need them.
#pragma once

#include <windows.h>

#include "form/input_clock.h"

namespace win32 {

class SystemInputClock final : public form::InputClock {
  public:
    std::uint32_t nowMs() const override { return GetTickCount(); }
    std::uint32_t doubleClickMs() const override { return GetDoubleClickTime(); }
};

}  // namespace win32
