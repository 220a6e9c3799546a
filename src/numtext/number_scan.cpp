#include "numtext/number_scan.h"

#include <algorithm>

#include "numtext/ascii.h"

namespace numtext {
namespace {

std::size_t digitRun(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && isAsciiDigit(text[end])) {
        ++end;
    }
    return end - pos;
}

bool startsWithAt(std::string_view text, std::size_t pos, std::string_view what) {
    return !what.empty() && pos <= text.size() && text.substr(pos).starts_with(what);
}

// The exponent after 'e'/'E' at pos: optional sign and at least one digit.
// Returns its length from the 'e' on, 0 when there is none.
std::size_t exponentLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || (text[pos] != 'e' && text[pos] != 'E')) {
        return 0;
    }
    std::size_t digitsAt = pos + 1;
    if (digitsAt < text.size() && (text[digitsAt] == '+' || text[digitsAt] == '-')) {
        ++digitsAt;
    }
    const std::size_t digits = digitRun(text, digitsAt);
    return digits == 0 ? 0 : digitsAt + digits - pos;
}

}  // namespace

std::optional<NumberParts> scanNumber(std::string_view text, const NumberSyntax& syntax) {
    NumberParts parts;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        parts.negative = text[pos] == '-';
        ++pos;
    }
    std::size_t run = digitRun(text, pos);
    parts.intDigits.append(text.substr(pos, run));
    pos += run;
    if (startsWithAt(text, pos, syntax.group)) {
        // Grouping: a first group of 1 to 3 digits, then groups of exactly 3.
        // A first group that starts with 0 is no grouped number: "0.123" in
        // a "," locale is a decimal typed from habit, not 123.
        if (run == 0 || run > 3 || text[pos - run] == '0') {
            return std::nullopt;
        }
        while (startsWithAt(text, pos, syntax.group)) {
            pos += syntax.group.size();
            run = digitRun(text, pos);
            if (run != 3) {
                return std::nullopt;
            }
            parts.intDigits.append(text.substr(pos, run));
            pos += run;
        }
    }
    if (startsWithAt(text, pos, syntax.decimal)) {
        pos += syntax.decimal.size();
        run = digitRun(text, pos);
        parts.fracDigits = text.substr(pos, run);
        pos += run;
    }
    if (parts.intDigits.empty() && parts.fracDigits.empty()) {
        return std::nullopt;
    }
    if (const std::size_t length = exponentLength(text, pos); length != 0) {
        parts.exponent = text.substr(pos + 1, length - 1);
        pos += length;
    }
    parts.end = pos;
    return parts;
}

long long exponentValue(std::string_view exponent) {
    long long value = 0;
    bool negative = false;
    for (const char c : exponent) {
        if (c == '-') {
            negative = true;
        } else if (isAsciiDigit(c)) {
            value = std::min(kExponentLimit, value * 10 + (c - '0'));
        }
    }
    return negative ? -value : value;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace numtext
