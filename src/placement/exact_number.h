// Numbers as placement files write them, read exactly as decimal text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace placement {

struct ExactNumber {
    enum class Status { Read, NotANumber, TooLarge };
    Status status = Status::NotANumber;
    // The value as decimal text: "-" only when it is not zero, no leading
    // zeros but one before the point, no trailing zeros after it, no point
    // without a fraction: "-12.7", "0.05", "2875".
    std::string text;
};

// Largest number of digits before the point that a value may have: far
// beyond any board, and within what a double holds.
inline constexpr std::size_t kMaxIntegerDigits = 15;

// Reads `text` as blanks, an optional sign, digits with at most one decimal
// point and blanks, at least one digit. The point is "." or, when
// `decimalComma`, also ",". `shift` moves the point that many places to the
// right (3 for inches to mils), exactly.
ExactNumber readExactNumber(std::string_view text, bool decimalComma, std::size_t shift = 0);

}  // namespace placement
