#include "numtext/exact_decimal.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace numtext {
namespace {

using Status = ExactDecimal::Status;

struct NumberRow {
    const char* name;
    std::string text;
    std::string_view decimal;
    int shift;
    Status status;
    std::string expected;
};

class ReadExactDecimal : public testing::TestWithParam<NumberRow> {};

TEST_P(ReadExactDecimal, WritesTheFilesValueAsDecimalText) {
    const NumberRow& row = GetParam();
    const ExactDecimal number = readExactDecimal(row.text, row.decimal, row.shift);
    EXPECT_EQ(number.status, row.status) << '"' << row.text << '"';
    EXPECT_EQ(number.text, row.expected) << '"' << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    ExactDecimal, ReadExactDecimal,
    testing::ValuesIn(std::vector<NumberRow>{
        {"TrailingZerosDropped", " 95.2500 ", ".", 0, Status::Read, "95.25"},
        {"LeadingZerosAndPlusDropped", "+007.50", ".", 0, Status::Read, "7.5"},
        {"FractionWithoutWholeDigits", "-.25", ".", 0, Status::Read, "-0.25"},
        {"NegativeZeroIsZero", "-0.000", ".", 0, Status::Read, "0"},
        {"DecimalComma", "12,5", ",", 0, Status::Read, "12.5"},
        {"InchesToMils", "2.875", ".", 3, Status::Read, "2875"},
        {"InchesToMilsKeepsAFraction", "-0.0005", ".", 3, Status::Read, "-0.5"},
        {"InchesToMilsAddsZeros", "12", ".", 3, Status::Read, "12000"},
        {"InchesToMilsLongFraction", "0.1234567", ".", 3, Status::Read, "123.4567"},
        {"FifteenWholeDigits", "123456789012345", ".", 0, Status::Read, "123456789012345"},
        {"SixteenWholeDigits", "1234567890123456", ".", 0, Status::TooLarge, ""},
        {"CommaWhereTheSeparatorIsAComma", "12,5", ".", 0, Status::NotANumber, ""},
        {"TwoPoints", "1,2,3", ",", 0, Status::NotANumber, ""},
        {"ExponentMovesThePoint", "9.525E-01", ".", 0, Status::Read, "0.9525"},
        {"ExponentAndShift", "-1.5e2", ".", 3, Status::Read, "-150000"},
        {"ShiftLeftForMicrometres", "12.5", ".", -3, Status::Read, "0.0125"},
        {"ExponentBeyondTheDigits", "1e16", ".", 0, Status::TooLarge, ""},
        {"FarTooFine", "1e-40", ".", 0, Status::TooFine, ""},
        {"OnlyAPoint", ".", ".", 0, Status::NotANumber, ""},
        {"OnlyASign", "-", ".", 0, Status::NotANumber, ""},
        {"Empty", "", ".", 0, Status::NotANumber, ""},
        {"BlankInside", "1 000", ".", 0, Status::NotANumber, ""},
    }),
    [](const testing::TestParamInfo<NumberRow>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace numtext
