#include "numtext/length_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace numtext {
namespace {

using units::UnitFactor;

struct SplitRow {
    const char* name;
    std::string_view text;
    std::string_view number;
    std::optional<UnitFactor> unit;
};

class SplitLengthUnit : public testing::TestWithParam<SplitRow> {};

TEST_P(SplitLengthUnit, TakesTheUnitNameOffTheEnd) {
    const SplitRow& row = GetParam();
    const LengthText split = splitLengthUnit(row.text);
    EXPECT_EQ(split.number, row.number) << '"' << row.text << '"';
    EXPECT_EQ(split.unit, row.unit) << '"' << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    LengthText, SplitLengthUnit,
    testing::ValuesIn(std::vector<SplitRow>{
        {"Millimetres", "25.4mm", "25.4", UnitFactor::PerMm},
        {"Mil", "2910mil", "2910", UnitFactor::PerMil},
        {"Mils", "-12.5mils", "-12.5", UnitFactor::PerMil},
        {"Th", "7th", "7", UnitFactor::PerMil},
        {"Thou", "7thou", "7", UnitFactor::PerMil},
        {"Inch", "1.5in", "1.5", UnitFactor::PerInch},
        {"InchMark", "0.75\"", "0.75", UnitFactor::PerInch},
        {"AnyCase", "3.2Mm", "3.2", UnitFactor::PerMm},
        {"UpperCase", "10 MILS", "10", UnitFactor::PerMil},
        {"BlanksBeforeAndAfter", " 2.875 \tmm \t", " 2.875", UnitFactor::PerMm},
        {"OnlyTheUnit", "in", "", UnitFactor::PerInch},
        {"NumberWithoutUnit", "12.5", "12.5", std::nullopt},
        {"NumberWithBlanks", " 12.5 ", " 12.5 ", std::nullopt},
        {"Empty", "", "", std::nullopt},
        {"UnknownUnit", "3cm", "3cm", std::nullopt},
        {"UnitNotAtTheEnd", "5mm2", "5mm2", std::nullopt},
        {"OneLetterOfAUnit", "5m", "5m", std::nullopt},
        {"LettersBeforeTheUnitStayInTheNumber", "thin", "th", UnitFactor::PerInch},
    }),
    [](const testing::TestParamInfo<SplitRow>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace numtext
