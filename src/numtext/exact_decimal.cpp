#include "numtext/exact_decimal.h"

#include <cstddef>
#include <optional>

#include "numtext/number_scan.h"

namespace numtext {

ExactDecimal readExactDecimal(std::string_view text, std::string_view decimal, int shift) {
    text = trimBlanks(text);
    const std::optional<NumberParts> parts = scanNumber(text, {.decimal = decimal, .group = {}});
    if (!parts || parts->end != text.size()) {
        return {};
    }
    // All the digits, and where the point goes once the exponent and the
    // shift have moved it.
    std::string digits = parts->intDigits;
    digits += parts->fracDigits;
    long long point =
        static_cast<long long>(parts->intDigits.size()) + exponentValue(parts->exponent) + shift;

    // Leading zeros say nothing; trailing ones after the point neither.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return {ExactDecimal::Status::Read, "0"};
    }
    digits.erase(0, first);
    point -= static_cast<long long>(first);
    const std::size_t last = digits.find_last_not_of('0');
    digits.erase(last + 1);

    if (point > static_cast<long long>(kMaxIntegerDigits)) {
        return {ExactDecimal::Status::TooLarge, {}};
    }
    const long long fraction = static_cast<long long>(digits.size()) - point;
    if (fraction > static_cast<long long>(kMaxFractionDigits)) {
        return {ExactDecimal::Status::TooFine, {}};
    }
    std::string whole;
    std::string after;
    if (point <= 0) {
        whole = "0";
        after = std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (point >= static_cast<long long>(digits.size())) {
        whole = digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        whole = digits.substr(0, static_cast<std::size_t>(point));
        after = digits.substr(static_cast<std::size_t>(point));
    }
    ExactDecimal number{ExactDecimal::Status::Read, parts->negative ? "-" : ""};
    number.text += whole;
    if (!after.empty()) {
        number.text += '.';
        number.text += after;
    }
    return number;
}

}  // namespace numtext
