// The window system's clock, as the rules about a person's clicks need it.
// Injected, so that the rules are tested without waiting.
#pragma once

#include <cstdint>

namespace form {

class InputClock {
  public:
    virtual ~InputClock() = default;
    // Milliseconds from some fixed moment; the count wraps around, so only
    // differences of two readings mean anything.
    virtual std::uint32_t nowMs() const = 0;
    // The longest time between the two clicks of a double click.
    virtual std::uint32_t doubleClickMs() const = 0;
};

}  // namespace form
