// Numbers read exactly, as decimal text: a placement file's coordinates go
// into the boxes digit for digit, never through a double.
#pragma once

#include <string>
#include <string_view>

namespace numtext {

struct ExactDecimal {
    enum class Status { Read, NotANumber, TooLarge, TooFine };
    Status status = Status::NotANumber;
    // The value as decimal text: "-" only when it is not zero, no leading
    // zeros but one before the point, no trailing zeros after it, no point
    // without a fraction: "-12.7", "0.05", "2875".
    std::string text;
};

// Largest number of digits before the point that a value may have: far
// beyond any board, and within what a double holds.
inline constexpr std::size_t kMaxIntegerDigits = 15;
// Largest number of digits after the point: far below a database unit.
inline constexpr std::size_t kMaxFractionDigits = 30;

// Reads the whole of `text` (blanks around allowed) as one number written
// with `decimal` as its point and no grouping: an optional sign, digits with
// at most one point, an optional exponent ("9.525E-01"). `shift` moves the
// point that many places to the right, or to the left when negative (3 for
// inches to mils, 1 for centimetres to millimetres), exactly.
ExactDecimal readExactDecimal(std::string_view text, std::string_view decimal, int shift = 0);

}  // namespace numtext
