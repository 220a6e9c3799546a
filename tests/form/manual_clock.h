// The window system's clock, set by the test.
#pragma once

#include <cstdint>

#include "form/input_clock.h"

namespace testing_support {

class ManualClock : public form::InputClock {
  public:
    std::uint32_t nowMs() const override { return now; }
    std::uint32_t doubleClickMs() const override { return doubleClick; }

    std::uint32_t now = 0;
    std::uint32_t doubleClick = 500;
};

}  // namespace testing_support
