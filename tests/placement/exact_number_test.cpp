#include "placement/exact_number.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace placement {
namespace {

using Status = ExactNumber::Status;

struct NumberRow {
    const char* name;
    std::string text;
    bool decimalComma;
    std::size_t shift;
    Status status;
    std::string expected;
};

class ReadExactNumber : public testing::TestWithParam<NumberRow> {};

TEST_P(ReadExactNumber, WritesTheFilesValueAsDecimalText) {
    const NumberRow& row = GetParam();
    const ExactNumber number = readExactNumber(row.text, row.decimalComma, row.shift);
    EXPECT_EQ(number.status, row.status) << '"' << row.text << '"';
    EXPECT_EQ(number.text, row.expected) << '"' << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    PlacementFile, ReadExactNumber,
    testing::ValuesIn(std::vector<NumberRow>{
        {"TrailingZerosDropped", " 95.2500 ", false, 0, Status::Read, "95.25"},
        {"LeadingZerosAndPlusDropped", "+007.50", false, 0, Status::Read, "7.5"},
        {"FractionWithoutWholeDigits", "-.25", false, 0, Status::Read, "-0.25"},
        {"NegativeZeroIsZero", "-0.000", false, 0, Status::Read, "0"},
        {"DecimalComma", "12,5", true, 0, Status::Read, "12.5"},
        {"InchesToMils", "2.875", false, 3, Status::Read, "2875"},
        {"InchesToMilsKeepsAFraction", "-0.0005", false, 3, Status::Read, "-0.5"},
        {"InchesToMilsAddsZeros", "12", false, 3, Status::Read, "12000"},
        {"InchesToMilsLongFraction", "0.1234567", false, 3, Status::Read, "123.4567"},
        {"FifteenWholeDigits", "123456789012345", false, 0, Status::Read, "123456789012345"},
        {"SixteenWholeDigits", "1234567890123456", false, 0, Status::TooLarge, ""},
        {"CommaWhereTheSeparatorIsAComma", "12,5", false, 0, Status::NotANumber, ""},
        {"TwoPoints", "1,2,3", true, 0, Status::NotANumber, ""},
        {"Exponent", "1e5", false, 0, Status::NotANumber, ""},
        {"OnlyAPoint", ".", false, 0, Status::NotANumber, ""},
        {"OnlyASign", "-", false, 0, Status::NotANumber, ""},
        {"Empty", "", false, 0, Status::NotANumber, ""},
        {"BlankInside", "1 000", false, 0, Status::NotANumber, ""},
    }),
    [](const testing::TestParamInfo<NumberRow>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace placement
