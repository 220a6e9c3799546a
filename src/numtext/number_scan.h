// The one grammar of a written number, shared by every reader in numtext:
// the double-valued readers of the dialog's boxes and the exact reader of
// placement files.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace numtext {

// A number as written, split into its parts: the sign, the digits before the
// decimal point (group separators left out), those after it, and the exponent
// after the 'e' (an optional sign and digits). `end` is where it stops.
struct NumberParts {
    bool negative = false;
    std::string intDigits;
    std::string_view fracDigits;
    std::string_view exponent;
    std::size_t end = 0;
};

// How a number is written: its decimal separator, and the group separator
// between thousands (empty: no grouping).
struct NumberSyntax {
    std::string_view decimal;
    std::string_view group;
};

// The longest number at the start of `text`: optional sign, digits (grouped
// only in well-formed groups of three, the first not starting with 0), one
// decimal separator and its digits, and an exponent only when digits follow
// its 'e'. What follows the number is the caller's to judge. nullopt when
// there are no digits or the grouping is malformed.
std::optional<NumberParts> scanNumber(std::string_view text, const NumberSyntax& syntax);

// An exponent far beyond any count of digits: a larger one is read as this,
// and a number with it is out of any range all the same.
inline constexpr long long kExponentLimit = 1'000'000'000;

// The value of a scanned exponent ("-05", "+3", "12"), saturated at
// +-kExponentLimit; 0 for none.
long long exponentValue(std::string_view exponent);

// Without the spaces and tabs at either end.
std::string_view trimBlanks(std::string_view text);

}  // namespace numtext
