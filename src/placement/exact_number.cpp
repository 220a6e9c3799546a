#include "placement/exact_number.h"

#include <cstddef>

#include "placement/words.h"

namespace placement {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

ExactNumber readExactNumber(std::string_view text, bool decimalComma, std::size_t shift) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string whole;
    std::string fraction;
    bool point = false;
    for (const char c : text) {
        if (isDigit(c)) {
            (point ? fraction : whole).push_back(c);
        } else if (!point && (c == '.' || (decimalComma && c == ','))) {
            point = true;
        } else {
            return {};
        }
    }
    if (whole.empty() && fraction.empty()) {
        return {};
    }
    // The point moved: digits of the fraction go to the whole part, zeros
    // make up what it lacks.
    for (std::size_t i = 0; i < shift; ++i) {
        whole.push_back(i < fraction.size() ? fraction[i] : '0');
    }
    fraction.erase(0, shift);

    const std::size_t firstDigit = whole.find_first_not_of('0');
    whole.erase(0, firstDigit == std::string::npos ? whole.size() : firstDigit);
    const std::size_t lastDigit = fraction.find_last_not_of('0');
    fraction.erase(lastDigit == std::string::npos ? 0 : lastDigit + 1);
    if (whole.size() > kMaxIntegerDigits) {
        return {ExactNumber::Status::TooLarge, {}};
    }

    ExactNumber number{ExactNumber::Status::Read, {}};
    if (negative && !(whole.empty() && fraction.empty())) {
        number.text.push_back('-');
    }
    number.text += whole.empty() ? "0" : whole;
    if (!fraction.empty()) {
        number.text += '.';
        number.text += fraction;
    }
    return number;
}

}  // namespace placement
