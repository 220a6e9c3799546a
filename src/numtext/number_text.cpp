#include "numtext/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <limits>
#include <system_error>

#include "numtext/ascii.h"
#include "numtext/number_scan.h"

namespace numtext {
namespace {

// Decimal power of the first non-zero digit plus the exponent, saturated; only
// its sign matters: it tells an overflow from an underflow.
long long magnitude(const NumberParts& parts) {
    const long long exp = exponentValue(parts.exponent);
    const std::string_view intDigits = parts.intDigits;
    const auto firstInt = intDigits.find_first_not_of('0');
    if (firstInt != std::string_view::npos) {
        return static_cast<long long>(intDigits.size() - firstInt) - 1 + exp;
    }
    const auto firstFrac = parts.fracDigits.find_first_not_of('0');
    if (firstFrac == std::string_view::npos) {
        return -kExponentLimit;  // all zeros: no overflow possible
    }
    return -static_cast<long long>(firstFrac) - 1 + exp;
}

// The value of a scanned number. Beyond the range of a double it gives an
// infinity, below it a zero, each with the number's sign.
double convertParts(const NumberParts& parts) {
    std::string text;
    text.reserve(parts.intDigits.size() + parts.fracDigits.size() + parts.exponent.size() + 4);
    if (parts.negative) {
        text += '-';
    }
    text += parts.intDigits.empty() ? std::string_view("0") : std::string_view(parts.intDigits);
    if (!parts.fracDigits.empty()) {
        text += '.';
        text += parts.fracDigits;
    }
    if (!parts.exponent.empty()) {
        text += 'e';
        text += parts.exponent;
    }
    double value = 0.0;
    const char* const end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        const bool overflow = magnitude(parts) >= 0;
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
        return parts.negative ? -value : value;
    }
    if (ec != std::errc{} || ptr != end) {
        // The scanner let through only digits, a point and an exponent; this
        // cannot happen.
        return 0.0;
    }
    return value;
}

// A number printed with a C format. The program never changes the C locale,
// so the decimal point is always ".". (Fixed precision goes through printf
// rather than std::to_chars: the latter's tables would double the exe.)
std::string printed(const char* format, double value) {
    std::array<char, 64> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), format, value);
    return std::string(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

// Up to 15 significant digits in the "C" form, exponent written as "E+15".
std::string fifteenDigitText(double value) {
    if (value == 0.0) {
        return "0";  // also for -0
    }
    std::string text = printed("%.15g", value);
    const auto e = text.find('e');
    if (e != std::string::npos) {
        text[e] = 'E';
        // Two exponent digits at least, as everywhere: some C runtimes write three.
        while (text.size() - (e + 2) > 2 && text[e + 2] == '0') {
            text.erase(e + 2, 1);
        }
    }
    return text;
}

}  // namespace

std::optional<double> parseStrict(std::string_view text, const Locale& locale) {
    text = trimBlanks(text);
    // A group separator equal to the decimal one could never be told apart.
    const NumberSyntax syntax{
        .decimal = locale.decimalSeparator,
        .group = locale.groupSeparator == locale.decimalSeparator
                     ? std::string_view{}
                     : std::string_view(locale.groupSeparator),
    };
    const std::optional<NumberParts> parts = scanNumber(text, syntax);
    if (!parts || parts->end != text.size()) {
        return std::nullopt;
    }
    const double value = convertParts(*parts);
    if (std::isinf(value)) {
        return std::nullopt;
    }
    return value;
}

double parseLeading(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    // "." whatever the locale, and no grouping: a "," ends the number.
    const std::optional<NumberParts> parts = scanNumber(text, {.decimal = ".", .group = {}});
    return parts ? convertParts(*parts) : 0.0;
}

double roundTo15Digits(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    // Read back as every 15-digit text is read, so that the few values whose
    // 15 digits lie beyond the largest double give an infinity, as their
    // text does, rather than staying as they were.
    return parseLeading(fifteenDigitText(value));
}

std::string signedNumberText(double value) {
    std::string text = fifteenDigitText(value);
    if (text.front() != '-') {
        text.insert(text.begin(), ' ');
    }
    return text;
}

std::string plainNumberText(double value, const Locale& locale) {
    std::string text = fifteenDigitText(value);
    const auto point = text.find('.');
    if (point != std::string::npos) {
        text.replace(point, 1, locale.decimalSeparator);
    }
    return text;
}

std::optional<std::int32_t> roundToInt32(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // The program keeps the default rounding mode: to nearest, halves to even.
    const double rounded = std::nearbyint(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

std::string formatWithPattern(double value, std::string_view pattern, const Locale& locale) {
    if (std::isnan(value)) {
        return "nan";  // whatever its sign bit says
    }
    if (!std::isfinite(value)) {
        return fifteenDigitText(value);
    }
    const auto point = pattern.find('.');
    const std::string_view intPattern = pattern.substr(0, point);
    const std::string_view fracPattern =
        point == std::string_view::npos ? std::string_view{} : pattern.substr(point + 1);
    const auto decimals =
        static_cast<std::size_t>(std::count(fracPattern.begin(), fracPattern.end(), '0'));
    const auto minIntDigits = std::max<std::size_t>(
        1, static_cast<std::size_t>(std::count(intPattern.begin(), intPattern.end(), '0')));

    // The 15 significant digits as "d.ddddddddddddddde+x"; the rounding to the
    // shown decimals works on these decimal digits, not on the binary value.
    const std::string scientific = printed("%.14e", std::fabs(value));
    const std::string_view sci(scientific);
    const auto ePos = sci.find('e');
    std::string digits;
    digits += sci[0];
    digits.append(sci.substr(2, ePos - 2));
    int exp10 = 0;
    const std::string_view expText = sci.substr(ePos + 1);
    std::from_chars(expText.data() + (expText.front() == '+' ? 1 : 0),
                    expText.data() + expText.size(), exp10);

    // All digits with the decimal point after intCount of them.
    const int pointAt = exp10 + 1;
    std::size_t intCount = 0;
    if (pointAt <= 0) {
        digits.insert(0, static_cast<std::size_t>(-pointAt), '0');
    } else {
        intCount = static_cast<std::size_t>(pointAt);
    }
    if (digits.size() < intCount + decimals + 1) {
        digits.append(intCount + decimals + 1 - digits.size(), '0');
    }
    const bool roundUp = digits[intCount + decimals] >= '5';  // half away from zero
    std::string kept = digits.substr(0, intCount + decimals);
    if (roundUp) {
        auto it = kept.rbegin();
        for (; it != kept.rend() && *it == '9'; ++it) {
            *it = '0';
        }
        if (it == kept.rend()) {
            kept.insert(kept.begin(), '1');
            ++intCount;
        } else {
            ++*it;
        }
    }

    std::string intPart = kept.substr(0, intCount);
    const std::string fracPart = kept.substr(intCount);
    const auto firstNonZero = intPart.find_first_not_of('0');
    intPart.erase(0, firstNonZero == std::string::npos ? intPart.size() : firstNonZero);
    if (intPart.size() < minIntDigits) {
        intPart.insert(0, minIntDigits - intPart.size(), '0');
    }

    std::string text;
    const bool showsNonZero = kept.find_first_not_of('0') != std::string::npos;
    if (value < 0 && showsNonZero) {
        text += '-';
    }
    text += intPart;
    if (decimals > 0) {
        text += locale.decimalSeparator;
        text += fracPart;
    }
    return text;
}

}  // namespace numtext
