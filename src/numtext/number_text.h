// Every conversion between numbers and the texts the dialog shows or reads.
// The user's locale is passed in; nothing here depends on the process locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numtext {

// The user's regional number format.
struct Locale {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};

// Whole text must be one number in the user's format: optional blanks around,
// optional sign, digits (grouped only in well-formed groups of three, the
// first not starting with 0), the locale's decimal separator, optional
// exponent. "+1", ".5" and "5." are
// numbers; a value too large for a double is not, one too small gives 0.
// Empty or anything else: nullopt. Never throws.
std::optional<double> parseStrict(std::string_view text, const Locale& locale);

// The longest leading number after blanks: sign, digits, one "." as decimal
// point, optional exponent (only when digits follow it); the rest is ignored;
// no number gives 0. A number too large for a double gives an infinity,
// which roundToInt32 then refuses.
double parseLeading(std::string_view text);

// Rounds to 15 significant digits (the shortest text of at most 15 digits,
// read back). Non-finite values are returned as they are; the very largest
// doubles, whose 15 digits lie beyond the range, give an infinity.
double roundTo15Digits(double value);

// Up to 15 significant digits, "." as decimal point, no trailing zeros, and
// one leading blank in place of the sign when the number is not negative:
// 90 -> " 90", 45.5 -> " 45.5", -15 -> "-15", 0 and -0 -> " 0". Magnitudes
// from 1E+15 and below 0.0001 take the exponent form: " 1E+15", "-2.5E-07".
// parseLeading reads every text written here, and so does parseStrict when
// the locale's decimal separator is "." (the exponent letter may be e or E).
std::string signedNumberText(double value);

// Up to 15 significant digits, the locale's decimal separator, no leading
// blank, the same exponent form: 0.0254 -> "0.0254", -1 -> "-1".
std::string plainNumberText(double value, const Locale& locale);

// To the nearest integer, a value exactly halfway going to the even
// neighbour; nullopt when the result is outside the signed 32-bit range or
// the value is not finite. Relies on the default floating-point rounding
// mode (to nearest), which the program never changes.
std::optional<std::int32_t> roundToInt32(double value);

// A display pattern such as "###0.000" or "###0.0": at least one integer
// digit, exactly as many decimals as the pattern shows zeros after its ".",
// rounded to those decimals, no thousands separator, the locale's decimal
// separator. The rounding works on the value's 15 significant decimal digits
// and takes a half away from zero (1.25 -> "1.3", 1.0005 -> "1.001"). A value
// that rounds to zero shows no minus sign. "0" before the "." sets the least
// number of integer digits (at least one). Non-finite values give "inf",
// "-inf" or "nan".
std::string formatWithPattern(double value, std::string_view pattern, const Locale& locale);

}  // namespace numtext
