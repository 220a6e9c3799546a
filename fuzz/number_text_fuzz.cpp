// Every number-text conversion on arbitrary input, in a "." and a "," locale.
// Not only "no crash": each text the program writes must read back as the
// value it was made from, and the parsers must agree with each other.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "numtext/number_text.h"

namespace {

using numtext::Locale;

const Locale kDot{".", ","};
const Locale kComma{",", "."};
const Locale kDotUngrouped{".", ""};

struct Pattern {
    const char* text;
    int decimals;
};
constexpr Pattern kPatterns[] = {{"###0.000", 3}, {"###0.0", 1}};

// A broken property is a finding: libFuzzer saves the input on the abort.
void check(bool holds, const char* property, std::string_view text, double value) {
    if (holds) {
        return;
    }
    std::fprintf(stderr, "property broken: %s\n  text  \"%.*s\"\n  value %.17g\n", property,
                 static_cast<int>(text.size()), text.data(), value);
    std::abort();
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "-"? digits "." digits, as the display patterns write: at least one
// integer digit, no leading zero before another digit, exactly `decimals`.
bool hasPatternShape(std::string_view text, std::string_view separator, int decimals) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    std::size_t digits = 0;
    while (digits < text.size() && isDigit(text[digits])) {
        ++digits;
    }
    if (digits == 0 || (digits > 1 && text[0] == '0')) {
        return false;
    }
    text.remove_prefix(digits);
    if (!text.starts_with(separator)) {
        return false;
    }
    text.remove_prefix(separator.size());
    if (text.size() != static_cast<std::size_t>(decimals)) {
        return false;
    }
    for (char c : text) {
        if (!isDigit(c)) {
            return false;
        }
    }
    return true;
}

// Significant digits of a mantissa such as "-0.00123" or "1.5" (before any
// exponent), and whether a fraction ends in a zero.
int significantDigits(std::string_view mantissa) {
    int count = 0;
    bool started = false;
    for (char c : mantissa) {
        if (isDigit(c) && (started || c != '0')) {
            started = true;
            ++count;
        }
    }
    return count;
}

void checkSignedText(double value, double rounded) {
    const std::string text = numtext::signedNumberText(value);
    check(!text.empty() && (text[0] == ' ' || text[0] == '-'), "signed text starts with blank or -",
          text, value);
    check((text[0] == '-') == (rounded < 0), "signed text has a minus exactly when negative", text,
          value);
    const std::string_view mantissa = std::string_view(text).substr(0, text.find('E'));
    check(significantDigits(mantissa) <= 15, "signed text has at most 15 digits", text, value);
    check(mantissa.find('.') == std::string_view::npos || !mantissa.ends_with('0'),
          "signed text has no trailing zeros", text, value);
    check(numtext::parseLeading(text) == rounded, "signed text reads back (leading)", text, value);
    if (std::isfinite(rounded)) {
        check(numtext::parseStrict(text, kDot) == rounded, "signed text reads back (strict)", text,
              value);
    } else {
        check(!numtext::parseStrict(text, kDot), "an overflowing text is refused", text, value);
    }
}

void checkPlainText(double value, double rounded) {
    const std::string dot = numtext::plainNumberText(value, kDot);
    std::string expectedComma = numtext::signedNumberText(value);
    if (expectedComma[0] == ' ') {
        expectedComma.erase(0, 1);
    }
    check(dot == expectedComma, "plain text is the signed text without the blank", dot, value);
    const std::string comma = numtext::plainNumberText(value, kComma);
    if (const auto point = expectedComma.find('.'); point != std::string::npos) {
        expectedComma[point] = ',';
    }
    check(comma == expectedComma, "plain text uses the locale's separator", comma, value);
    check(numtext::parseLeading(dot) == rounded, "plain text reads back (leading)", dot, value);
    if (std::isfinite(rounded)) {
        check(numtext::parseStrict(dot, kDot) == rounded, "plain text reads back (strict .)", dot,
              value);
        check(numtext::parseStrict(comma, kComma) == rounded, "plain text reads back (strict ,)",
              comma, value);
    }
}

void checkRoundToInt32(double value) {
    const std::optional<std::int32_t> whole = numtext::roundToInt32(value);
    // Halves go to the even neighbour, so -2147483648.5 still fits and
    // 2147483647.5 does not.
    const bool fits = value >= -2147483648.5 && value < 2147483647.5;
    check(whole.has_value() == fits, "roundToInt32 refuses exactly what does not fit", "", value);
    if (whole) {
        const double distance = std::fabs(static_cast<double>(*whole) - value);
        check(distance <= 0.5, "roundToInt32 is within a half", "", value);
        check(distance < 0.5 || *whole % 2 == 0, "roundToInt32 takes halves to even", "", value);
    }
}

void checkPatterns(double value, double rounded) {
    for (const Pattern& pattern : kPatterns) {
        const std::string dot = numtext::formatWithPattern(value, pattern.text, kDot);
        const std::string comma = numtext::formatWithPattern(value, pattern.text, kComma);
        if (!std::isfinite(value)) {
            check(dot == (std::isnan(value) ? "nan"
                          : value > 0       ? "inf"
                                            : "-inf"),
                  "a pattern writes a non-finite value as a word", dot, value);
            continue;
        }
        check(hasPatternShape(dot, ".", pattern.decimals), "pattern shape (.)", dot, value);
        check(hasPatternShape(comma, ",", pattern.decimals), "pattern shape (,)", comma, value);
        std::string swapped = dot;
        swapped[dot.find('.')] = ',';
        check(comma == swapped, "the locales differ only in the separator", comma, value);
        check(!dot.starts_with('-') || dot.find_first_of("123456789") != std::string::npos,
              "a value shown as zero has no minus", dot, value);
        if (!std::isfinite(rounded)) {
            continue;
        }
        const std::optional<double> back = numtext::parseStrict(dot, kDot);
        check(back.has_value(), "a pattern text reads back strictly", dot, value);
        check(numtext::parseStrict(comma, kComma) == back, "both locales read back alike", comma,
              value);
        // Half a unit of the last shown decimal, plus the binary error of
        // the two values compared.
        const double halfStep = 0.5 * std::pow(10.0, -pattern.decimals);
        const double tolerance = halfStep * (1 + 1e-9) + 4.5e-16 * std::fabs(rounded);
        check(std::fabs(*back - rounded) <= tolerance, "a pattern rounds to its decimals", dot,
              value);
    }
}

// Every conversion of one value.
void checkValue(double value) {
    const double rounded = numtext::roundTo15Digits(value);
    if (std::isnan(value)) {
        check(std::isnan(rounded), "NaN stays NaN", "", value);
    } else if (std::isinf(value)) {
        check(rounded == value, "an infinity stays as it is", "", value);
    } else if (std::isfinite(rounded)) {
        // Half a unit of the 15th digit, the binary error of the result, and
        // for subnormals the spacing of the smallest doubles.
        const double tolerance = 5e-15 * std::fabs(value) + 1.2e-16 * std::fabs(rounded) + 5e-324;
        check(std::fabs(rounded - value) <= tolerance,
              "roundTo15Digits stays within the 15th digit", "", value);
        check(numtext::roundTo15Digits(rounded) == rounded, "roundTo15Digits is idempotent", "",
              value);
    } else {
        check(std::fabs(value) > 1.797693134862315e308, "only the very largest round beyond range",
              "", value);
    }
    if (std::isfinite(value)) {
        checkSignedText(value, rounded);
        checkPlainText(value, rounded);
    }
    checkRoundToInt32(value);
    checkPatterns(value, rounded);
}

std::string swapSeparators(std::string_view text) {
    std::string swapped(text);
    for (char& c : swapped) {
        c = c == '.' ? ',' : c == ',' ? '.' : c;
    }
    return swapped;
}

void checkText(std::string_view text) {
    const std::optional<double> dot = numtext::parseStrict(text, kDot);
    const std::optional<double> comma = numtext::parseStrict(text, kComma);
    for (const std::optional<double>& value : {dot, comma}) {
        if (value) {
            check(std::isfinite(*value), "what parseStrict accepts is finite", text, *value);
            checkValue(*value);
        }
    }
    // The "," locale is the "." locale with the two separators swapped.
    check(numtext::parseStrict(swapSeparators(text), kComma) == dot,
          "the locales read swapped separators alike", text, dot.value_or(0));
    // Group separators only group: without them the text means the same.
    if (dot && text.find(',') != std::string_view::npos) {
        std::string ungrouped(text);
        std::erase(ungrouped, ',');
        check(numtext::parseStrict(ungrouped, kDotUngrouped) == dot, "grouping changes nothing",
              text, *dot);
    }
    // A whole number without grouping is also its own longest leading number.
    const double leading = numtext::parseLeading(text);
    check(!std::isnan(leading), "parseLeading never gives NaN", text, leading);
    if (const auto whole = numtext::parseStrict(text, kDotUngrouped)) {
        check(leading == *whole, "strict and leading parses agree", text, leading);
    }
    check(numtext::parseLeading(std::string(text) + "#") == leading,
          "parseLeading ignores what follows the number", text, leading);
    checkValue(leading);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkText(text);
    // The same bytes as doubles, and as database units shown in mils and mm.
    for (std::size_t at = 0; at + 8 <= size && at < 32; at += 8) {
        double value = 0;
        std::memcpy(&value, data + at, sizeof value);
        checkValue(value);
    }
    if (size >= 4) {
        std::int32_t db = 0;
        std::memcpy(&db, data, sizeof db);
        checkValue(static_cast<double>(db) / 2540.0);
        checkValue(static_cast<double>(db) / 100000.0);
    }
    return 0;
}
