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
    int shift = 0;
};

class SplitLengthUnit : public testing::TestWithParam<SplitRow> {};

TEST_P(SplitLengthUnit, TakesTheUnitNameOffTheEnd) {
    const SplitRow& row = GetParam();
    const LengthText split = splitLengthUnit(row.text);
    EXPECT_EQ(split.number, row.number) << '"' << row.text << '"';
    EXPECT_EQ(split.unit.has_value(), row.unit.has_value()) << '"' << row.text << '"';
    if (split.unit && row.unit) {
        EXPECT_EQ(split.unit->boxUnit, *row.unit) << '"' << row.text << '"';
        EXPECT_EQ(split.unit->shift, row.shift) << '"' << row.text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    LengthText, SplitLengthUnit,
    testing::ValuesIn(std::vector<SplitRow>{
        {"Millimetres", "25.4mm", "25.4", UnitFactor::PerMm},
        {"Mil", "2910mil", "2910", UnitFactor::PerMil},
        {"Mils", "-12.5mils", "-12.5", UnitFactor::PerMil},
        {"Th", "7th", "7", UnitFactor::PerMil},
        {"Thou", "7thou", "7", UnitFactor::PerMil},
        {"Inch", "1.5in", "1.5", UnitFactor::PerMil, 3},
        {"InchMark", "0.75\"", "0.75", UnitFactor::PerMil, 3},
        {"InchWord", "1 Inch", "1", UnitFactor::PerMil, 3},
        {"MillimetresWord", "25.4 millimetres", "25.4", UnitFactor::PerMm},
        {"Centimetres", "2.54cm", "2.54", UnitFactor::PerMm, 1},
        {"MicrometresWithTheMicroSign", "125 \xB5m", "125", UnitFactor::PerMm, -3},
        {"AnyCase", "3.2Mm", "3.2", UnitFactor::PerMm},
        {"UpperCase", "10 MILS", "10", UnitFactor::PerMil},
        {"BlanksBeforeAndAfter", " 2.875 \tmm \t", " 2.875", UnitFactor::PerMm},
        {"OnlyTheUnit", "in", "", UnitFactor::PerMil, 3},
        {"NumberWithoutUnit", "12.5", "12.5", std::nullopt},
        {"NumberWithBlanks", " 12.5 ", " 12.5 ", std::nullopt},
        {"Empty", "", "", std::nullopt},
        {"UnknownUnit", "3ft", "3ft", std::nullopt},
        {"UnitNotAtTheEnd", "5mm2", "5mm2", std::nullopt},
        {"OneLetterOfAUnit", "5m", "5m", std::nullopt},
        {"UnitIsTheWholeRunOfLetters", "thin", "thin", std::nullopt},
    }),
    [](const testing::TestParamInfo<SplitRow>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace numtext
