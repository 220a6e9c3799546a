// A caption fitted to a title bar that holds `room` characters, one
// character one unit wide.
#include "form/form_caption.h"

#include <gtest/gtest.h>

#include <string>

namespace form {
namespace {

struct FitRow {
    const char* trait;
    const wchar_t* name;
    std::size_t room;
    const wchar_t* shown;
};

class FittedCaption : public ::testing::TestWithParam<FitRow> {};

TEST_P(FittedCaption, DropsTheTitleThenCutsTheNameInItsMiddle) {
    const FitRow& row = GetParam();
    const ShownCaption caption{L"CompPlace - ", L"U12 from ", row.name, L", line 7 (mm, assumed)"};
    const auto fits = [&row](std::wstring_view text) { return text.size() <= row.room; };
    EXPECT_EQ(fittedCaption(caption, fits), row.shown);
}

// "CompPlace - " is 12 characters, "U12 from " 9, ", line 7 (mm, assumed)" 22,
// the ellipsis 1.
INSTANTIATE_TEST_SUITE_P(
    Rows, FittedCaption,
    ::testing::Values(
        FitRow{"WholeWhenItFitsExactly", L"top.pos", 50,
               L"CompPlace - U12 from top.pos, line 7 (mm, assumed)"},
        FitRow{"TitleFirstNameWhole", L"top.pos", 49, L"U12 from top.pos, line 7 (mm, assumed)"},
        FitRow{"BothEndsOfTheName", L"SensorBoard_RevC-top-pos.csv", 42,
               L"U12 from Senso\u2026s.csv, line 7 (mm, assumed)"},
        FitRow{"TheOddCharacterAtTheFront", L"SensorBoard_RevC-top-pos.csv", 41,
               L"U12 from Senso\u2026.csv, line 7 (mm, assumed)"},
        FitRow{"OnlyTheEllipsisLeft", L"SensorBoard_RevC-top-pos.csv", 32,
               L"U12 from \u2026, line 7 (mm, assumed)"},
        FitRow{"DesignatorLineAndUnitNeverCut", L"top.pos", 10,
               L"U12 from \u2026, line 7 (mm, assumed)"},
        FitRow{"NoNameNothingCut", L"", 10, L"CompPlace - U12 from , line 7 (mm, assumed)"}),
    [](const auto& row) { return std::string(row.param.trait); });

}  // namespace
}  // namespace form
