#include "numtext/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace numtext {
namespace {

const Locale kDot{".", ","};
const Locale kComma{",", "."};
const Locale kSpaceGroup{",", " "};
const Locale kSameSeparators{".", "."};

constexpr double kInf = std::numeric_limits<double>::infinity();

template <typename Row>
std::string rowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// Strict text-to-number

struct StrictRow {
    const char* name;
    std::string text;
    Locale locale;
    std::optional<double> expected;
};

class ParseStrict : public testing::TestWithParam<StrictRow> {};

TEST_P(ParseStrict, ReadsTheWholeTextOrNothing) {
    const StrictRow& row = GetParam();
    EXPECT_EQ(parseStrict(row.text, row.locale), row.expected) << '"' << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, ParseStrict,
    testing::ValuesIn(std::vector<StrictRow>{
        {"Integer", "42", kDot, 42.0},
        {"LeadingPlus", "+7", kDot, 7.0},
        {"NegativeFraction", "-12.5", kDot, -12.5},
        {"SurroundingSpacesAndTabs", " \t1.5\t ", kDot, 1.5},
        {"FractionWithoutIntegerDigits", ".5", kDot, 0.5},
        {"SeparatorWithoutFraction", "5.", kDot, 5.0},
        {"Exponent", "1e5", kDot, 100000.0},
        {"UpperCaseNegativeExponent", "2.5E-3", kDot, 0.0025},
        {"ExponentWithPlus", "1e+2", kDot, 100.0},
        {"GroupedThousands", "1,234.5", kDot, 1234.5},
        {"SeveralGroups", "-1,234,567.25", kDot, -1234567.25},
        {"UngroupedLongInteger", "1234567", kDot, 1234567.0},
        {"LongMantissaRoundsCorrectly", "123456789012345678901234567890", kDot,
         123456789012345678901234567890.0},
        {"UnderflowGivesZero", "1e-400", kDot, 0.0},
        {"ZeroWithHugeExponent", "0e99999999999999999999", kDot, 0.0},
        {"Empty", "", kDot, std::nullopt},
        {"OnlyBlanks", " \t ", kDot, std::nullopt},
        {"OnlySign", "-", kDot, std::nullopt},
        {"OnlySeparator", ".", kDot, std::nullopt},
        {"DoubleMinus", "--1", kDot, std::nullopt},
        {"PlusMinus", "+-1", kDot, std::nullopt},
        {"BlankAfterSign", "- 1", kDot, std::nullopt},
        {"BlankInside", "1 2", kDot, std::nullopt},
        {"Infinity", "inf", kDot, std::nullopt},
        {"NotANumber", "nan", kDot, std::nullopt},
        {"Hexadecimal", "0x10", kDot, std::nullopt},
        {"TrailingLetters", "90abc", kDot, std::nullopt},
        {"ExponentWithoutDigits", "1e", kDot, std::nullopt},
        {"ExponentWithOnlySign", "1e+", kDot, std::nullopt},
        {"FractionalExponent", "1e5.5", kDot, std::nullopt},
        {"OverflowingExponent", "1e400", kDot, std::nullopt},
        {"HugeNegativeOverflow", "-1e99999999999999999999", kDot, std::nullopt},
        {"TwoDecimalSeparators", "1.2.3", kDot, std::nullopt},
        {"GroupOfTwo", "1,23", kDot, std::nullopt},
        {"GroupOfFour", "1,2345", kDot, std::nullopt},
        {"FirstGroupOfFour", "1234,567", kDot, std::nullopt},
        {"LeadingGroupSeparator", ",123", kDot, std::nullopt},
        {"TrailingGroupSeparator", "1,", kDot, std::nullopt},
        {"DoubledGroupSeparator", "1,,234", kDot, std::nullopt},
        {"GroupingAfterDecimalSeparator", "1.234,567", kDot, std::nullopt},
        {"CommaDecimalInDotLocale", "1,5", kDot, std::nullopt},
        // A first group starting with 0 is a decimal typed from habit.
        {"GroupAfterLeadingZero", "0,125", kDot, std::nullopt},
        {"GroupAfterLeadingZeros", "01,000", kDot, std::nullopt},
        {"NegativeGroupAfterZero", "-0,500", kDot, std::nullopt},
        {"ThousandStillGroups", "1,000", kDot, 1000.0},
        {"Comma_GroupAfterLeadingZero", "0.123", kComma, std::nullopt},
        {"Comma_ThousandStillGroups", "1.000", kComma, 1000.0},
        {"Comma_DecimalComma", "1,5", kComma, 1.5},
        {"Comma_GroupedThousands", "1.234,5", kComma, 1234.5},
        {"Comma_OnlyGroups", "12.345.678", kComma, 12345678.0},
        {"Comma_FractionOnly", ",5", kComma, 0.5},
        {"Comma_NegativeWithExponent", "-2,5e2", kComma, -250.0},
        {"Comma_DotIsAGroupNotADecimal", "1.5", kComma, std::nullopt},
        {"Comma_DotLocaleText", "1,234.5", kComma, std::nullopt},
        {"Comma_LeadingDot", ".5", kComma, std::nullopt},
        {"Comma_BlankInside", "1 2", kComma, std::nullopt},
        {"SpaceGroup_Grouped", " 1 234,5 ", kSpaceGroup, 1234.5},
        {"SpaceGroup_BadGroup", "1 2", kSpaceGroup, std::nullopt},
        {"SameSeparators_DecimalWins", "1.5", kSameSeparators, 1.5},
        {"SameSeparators_NoGrouping", "1.234.5", kSameSeparators, std::nullopt},
    }),
    rowName<StrictRow>);

// Leading-number parse

struct LeadingRow {
    const char* name;
    std::string text;
    double expected;
};

class ParseLeading : public testing::TestWithParam<LeadingRow> {};

TEST_P(ParseLeading, ReadsTheLongestLeadingNumber) {
    const LeadingRow& row = GetParam();
    EXPECT_EQ(parseLeading(row.text), row.expected) << '"' << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(NumberText, ParseLeading,
                         testing::ValuesIn(std::vector<LeadingRow>{
                             {"NumberFollowedByLetters", "90abc", 90.0},
                             {"Empty", "", 0.0},
                             {"BlanksSignFractionExponent", " -12.5e1x", -125.0},
                             {"ExponentWithoutDigitsIsIgnored", "1e", 1.0},
                             {"ExponentWithOnlySignIsIgnored", "1e+x", 1.0},
                             {"LonePoint", ".", 0.0},
                             {"LoneMinus", "-", 0.0},
                             {"TabsSkipped", "\t 7", 7.0},
                             {"LeadingPlus", "+3", 3.0},
                             {"SecondPointEnds", "1.2.3", 1.2},
                             {"CommaEnds", "1,5", 1.0},
                             {"FractionOnly", "-.5", -0.5},
                             {"PointWithoutFraction", "5.", 5.0},
                             {"NegativeExponent", "1e-2", 0.01},
                             {"UpperCaseExponent", "1E3", 1000.0},
                             {"BlankEnds", "12 34", 12.0},
                             {"BlankAfterSign", "- 5", 0.0},
                             {"Letters", "abc", 0.0},
                             {"Hexadecimal", "0x10", 0.0},
                             {"InfinityWord", "inf", 0.0},
                             {"FifteenDigitText", "123400", 123400.0},
                             {"OverflowGivesInfinity", "1e400", kInf},
                             {"NegativeOverflowGivesMinusInfinity", "-1e400z", -kInf},
                             {"UnderflowGivesZero", "1e-400", 0.0},
                         }),
                         rowName<LeadingRow>);

// Rounding to 15 significant digits

struct RoundRow {
    const char* name;
    double value;
    double expected;
};

class RoundTo15Digits : public testing::TestWithParam<RoundRow> {};

TEST_P(RoundTo15Digits, RemovesBinaryNoise) {
    EXPECT_EQ(roundTo15Digits(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, RoundTo15Digits,
    testing::ValuesIn(std::vector<RoundRow>{
        {"MillimetreProduct", 1.234 * 100000.0, 123400.0},
        {"NegativeMillimetreProduct", -1.234 * 100000.0, -123400.0},
        {"SumOfTenths", 0.1 + 0.2, 0.3},
        {"Third", 1.0 / 3.0, 0.333333333333333},
        {"SixteenthDigitRoundsUp", 1234567890123456789.0, 1234567890123460000.0},
        {"ShortValueUnchanged", 2.5, 2.5},
        {"Zero", 0.0, 0.0},
        {"Infinity", kInf, kInf},
        {"MinusInfinity", -kInf, -kInf},
        // Their 15-digit texts read as infinities too.
        {"LargestDoubleRoundsBeyondRange", std::numeric_limits<double>::max(), kInf},
        {"NegativeLargestDoubleRoundsBeyondRange", -std::numeric_limits<double>::max(), -kInf},
        {"JustBelowTheLargestStays", 1.79769313486231e308, 1.79769313486231e308},
    }),
    rowName<RoundRow>);

TEST(RoundTo15DigitsNaN, StaysNotANumber) {
    EXPECT_TRUE(std::isnan(roundTo15Digits(std::numeric_limits<double>::quiet_NaN())));
}

// Signed number text

struct SignedRow {
    const char* name;
    double value;
    std::string expected;
};

class SignedNumberText : public testing::TestWithParam<SignedRow> {};

TEST_P(SignedNumberText, WritesABlankInPlaceOfAPlus) {
    EXPECT_EQ(signedNumberText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(NumberText, SignedNumberText,
                         testing::ValuesIn(std::vector<SignedRow>{
                             {"Ninety", 90.0, " 90"},
                             {"Zero", 0.0, " 0"},
                             {"NegativeZero", -0.0, " 0"},
                             {"MinusNinety", -90.0, "-90"},
                             {"Fraction", 135.5, " 135.5"},
                             {"HalfDegree", 45.5, " 45.5"},
                             {"MinusFifteen", -15.0, "-15"},
                             {"TenthsQuotient", 455 / 10.0, " 45.5"},
                             {"BinaryNoiseRemoved", 0.1 + 0.2, " 0.3"},
                             {"FifteenDigitsStayFixed", 123456789012345.0, " 123456789012345"},
                             {"FromOneE15Exponent", 1e15, " 1E+15"},
                             {"SixteenDigitsRoundedInExponentForm", 1234567890123456.0,
                              " 1.23456789012346E+15"},
                             {"SmallStaysFixed", 0.0001, " 0.0001"},
                             {"TinyInExponentForm", 0.00001, " 1E-05"},
                             {"NegativeTinyInExponentForm", -2.5e-7, "-2.5E-07"},
                             {"Third", 1.0 / 3.0, " 0.333333333333333"},
                         }),
                         rowName<SignedRow>);

// Plain number text

struct PlainRow {
    const char* name;
    double value;
    Locale locale;
    std::string expected;
};

class PlainNumberText : public testing::TestWithParam<PlainRow> {};

TEST_P(PlainNumberText, UsesTheLocaleSeparatorAndNoBlank) {
    const PlainRow& row = GetParam();
    EXPECT_EQ(plainNumberText(row.value, row.locale), row.expected);
}

INSTANTIATE_TEST_SUITE_P(NumberText, PlainNumberText,
                         testing::ValuesIn(std::vector<PlainRow>{
                             {"Dot_Fraction", 0.0254, kDot, "0.0254"},
                             {"Dot_MinusOne", -1.0, kDot, "-1"},
                             {"Dot_NoGrouping", 1234567.5, kDot, "1234567.5"},
                             {"Dot_Zero", 0.0, kDot, "0"},
                             {"Dot_NegativeZero", -0.0, kDot, "0"},
                             {"Dot_BinaryNoiseRemoved", 1.234 * 100000.0, kDot, "123400"},
                             {"Dot_Exponent", 1e15, kDot, "1E+15"},
                             {"Comma_Fraction", 0.0254, kComma, "0,0254"},
                             {"Comma_NegativeFraction", -21474.83648, kComma, "-21474,83648"},
                             {"Comma_NoGrouping", 1234567.5, kComma, "1234567,5"},
                             {"Comma_ExponentMantissa", 1.5e-7, kComma, "1,5E-07"},
                         }),
                         rowName<PlainRow>);

// What the texts write, the parsers read back as the 15-digit value.

struct RoundTripRow {
    const char* name;
    double value;
};

class NumberTextRoundTrip : public testing::TestWithParam<RoundTripRow> {};

TEST_P(NumberTextRoundTrip, TextsReadBackAsTheFifteenDigitValue) {
    const double value = GetParam().value;
    const double rounded = roundTo15Digits(value);
    EXPECT_EQ(parseStrict(signedNumberText(value), kDot), rounded);
    EXPECT_EQ(parseLeading(signedNumberText(value)), rounded);
    EXPECT_EQ(parseStrict(plainNumberText(value, kDot), kDot), rounded);
    EXPECT_EQ(parseStrict(plainNumberText(value, kComma), kComma), rounded);
}

INSTANTIATE_TEST_SUITE_P(NumberText, NumberTextRoundTrip,
                         testing::ValuesIn(std::vector<RoundTripRow>{
                             {"Angle", 135.5},
                             {"Negative", -0.0254},
                             {"Noise", 1.234 * 100000.0},
                             {"Huge", 1234567890123456789.0},
                             {"Tiny", -2.5e-7},
                             {"Third", 1.0 / 3.0},
                         }),
                         rowName<RoundTripRow>);

// Rounding to a 32-bit integer

struct IntRow {
    const char* name;
    double value;
    std::optional<std::int32_t> expected;
};

class RoundToInt32 : public testing::TestWithParam<IntRow> {};

TEST_P(RoundToInt32, RoundsHalvesToEvenWithinRange) {
    EXPECT_EQ(roundToInt32(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(NumberText, RoundToInt32,
                         testing::ValuesIn(std::vector<IntRow>{
                             {"TwoAndAHalfDown", 2.5, 2},
                             {"ThreeAndAHalfUp", 3.5, 4},
                             {"MinusTwoAndAHalf", -2.5, -2},
                             {"FourAndAHalf", 4.5, 4},
                             {"FiveAndAHalf", 5.5, 6},
                             {"HalfToZero", 0.5, 0},
                             {"MinusOneAndAHalf", -1.5, -2},
                             {"BelowHalf", 2.4999999, 2},
                             {"AboveHalf", 2.5000001, 3},
                             {"NegativeBelowHalf", -0.4, 0},
                             {"TenthsOfADegree", 452.5, 452},
                             {"Zero", 0.0, 0},
                             {"Maximum", 2147483647.0, 2147483647},
                             {"JustAboveMaximum", 2147483647.4, 2147483647},
                             {"MaximumHalfRoundsOut", 2147483647.5, std::nullopt},
                             {"AboveMaximum", 2147483648.0, std::nullopt},
                             {"Minimum", -2147483648.0, std::numeric_limits<std::int32_t>::min()},
                             {"MinimumHalfRoundsToEvenMinimum", -2147483648.5,
                              std::numeric_limits<std::int32_t>::min()},
                             {"BelowMinimum", -2147483648.6, std::nullopt},
                             {"FarBelowMinimum", -2147483649.0, std::nullopt},
                             {"Huge", 1e300, std::nullopt},
                             {"Infinity", kInf, std::nullopt},
                             {"MinusInfinity", -kInf, std::nullopt},
                             {"NotANumber", std::numeric_limits<double>::quiet_NaN(), std::nullopt},
                         }),
                         rowName<IntRow>);

// Display patterns

struct PatternRow {
    const char* name;
    double value;
    std::string pattern;
    Locale locale;
    std::string expected;
};

class FormatWithPattern : public testing::TestWithParam<PatternRow> {};

TEST_P(FormatWithPattern, ShowsExactlyThePatternsDecimals) {
    const PatternRow& row = GetParam();
    EXPECT_EQ(formatWithPattern(row.value, row.pattern, row.locale), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, FormatWithPattern,
    testing::ValuesIn(std::vector<PatternRow>{
        {"OneMil", 2540 / 2540.0, "###0.0", kDot, "1.0"},
        {"HundredMilsInMillimetres", 254000 / 100000.0, "###0.000", kDot, "2.540"},
        {"FiftyMilsInMillimetres", 50 * 2540 / 100000.0, "###0.000", kDot, "1.270"},
        {"ZeroMils", 0.0, "###0.0", kDot, "0.0"},
        {"ZeroMillimetres", 0.0, "###0.000", kDot, "0.000"},
        {"NegativeZero", -0.0, "###0.000", kDot, "0.000"},
        {"MinusOne", -1.0, "###0.0", kDot, "-1.0"},
        {"OneMilInMillimetres", 2540 / 100000.0, "###0.000", kDot, "0.025"},
        {"HalfRoundsAwayFromZero", 1.25, "###0.0", kDot, "1.3"},
        {"NegativeHalfRoundsAwayFromZero", -1.25, "###0.0", kDot, "-1.3"},
        {"DecimalHalfBelowInBinary", 1.0005, "###0.000", kDot, "1.001"},
        {"DecimalHalfAtThirdDecimal", 0.0255, "###0.000", kDot, "0.026"},
        {"TwoDecimalPattern", 2.675, "###0.00", kDot, "2.68"},
        {"BelowHalf", 0.04, "###0.0", kDot, "0.0"},
        {"NegativeRoundingToZeroHasNoMinus", -0.04, "###0.0", kDot, "0.0"},
        {"NegativeHalfKeepsMinus", -0.05, "###0.0", kDot, "-0.1"},
        {"CarryIntoNewDigit", 99.96, "###0.0", kDot, "100.0"},
        {"CarryIntoIntegerPart", 0.9996, "###0.000", kDot, "1.000"},
        {"NoiseBeforeRounding", 1.234 * 100000.0, "###0.0", kDot, "123400.0"},
        {"NoThousandsSeparator", 1234567.5, "###0.0", kDot, "1234567.5"},
        {"MaximumCoordinateInMils", 2147483647 / 2540.0, "###0.0", kDot, "845466.0"},
        {"MinimumCoordinateInMillimetres", -2147483648 / 100000.0, "###0.000", kDot, "-21474.836"},
        {"TenBillion", 1e10, "###0.000", kDot, "10000000000.000"},
        {"NegativeCarryNearTenBillion", -9999999999.9995, "###0.000", kDot, "-10000000000.000"},
        {"BeyondFifteenDigits", 1e20, "###0.0", kDot, "100000000000000000000.0"},
        {"TinyIsZero", 1e-300, "###0.000", kDot, "0.000"},
        {"NoDecimalsRoundsHalfAway", 2.5, "###0", kDot, "3"},
        {"NoDecimalsNegative", -2.5, "###0", kDot, "-3"},
        {"NoDecimalsBelowHalf", 0.4, "###0", kDot, "0"},
        {"TwoIntegerZeros", 1.5, "00.0", kDot, "01.5"},
        {"Infinity", kInf, "###0.0", kDot, "inf"},
        {"NegativeNotANumberHasNoSign", -std::numeric_limits<double>::quiet_NaN(), "###0.0", kDot,
         "nan"},
        {"Comma_HundredMils", 254000 / 100000.0, "###0.000", kComma, "2,540"},
        {"Comma_MinusOne", -1.0, "###0.0", kComma, "-1,0"},
        {"Comma_NoThousandsSeparator", 1234567.5, "###0.0", kComma, "1234567,5"},
        {"Comma_NoDecimals", 12.0, "###0", kComma, "12"},
    }),
    rowName<PatternRow>);

}  // namespace
}  // namespace numtext
