// Switching unit and coordinate mode shows the stored location again.
#include <gtest/gtest.h>

#include "dialog/sim_session.h"

namespace {

using form::ControlId;
using testing_support::Design;
using testing_support::SimSession;

Design milsAbsoluteAt(long long x, long long y) {
    Design d;
    d.x = x;
    d.y = y;
    d.originX = 2540;
    d.originY = 2540;
    return d;
}

struct SwitchRow {
    const char* name;
    std::vector<ControlId> clicks;
    const char* x;
    const char* y;
    int unitFactor;
};

class UnitAndModeSwitch : public ::testing::TestWithParam<SwitchRow> {};

TEST_P(UnitAndModeSwitch, ShowsTheStoredLocation) {
    SimSession session(milsAbsoluteAt(5080, 7620));
    session.dialog().Form_Load();
    for (ControlId option : GetParam().clicks) {
        session.click(option);
    }
    EXPECT_EQ(session.text(ControlId::Text1), GetParam().x);
    EXPECT_EQ(session.text(ControlId::Text2), GetParam().y);
    EXPECT_EQ(units::dbUnitsPer(session.state().locationBoxes.unitFactor()), GetParam().unitFactor);
    EXPECT_EQ(session.state().displayFormat, "###0.0") << "a switch keeps the start-up pattern";
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, UnitAndModeSwitch,
    ::testing::Values(
        SwitchRow{"Mils", {ControlId::Option3}, "2.0", "3.0", 2540},
        SwitchRow{"Mm", {ControlId::Option4}, "0.051", "0.076", 100000},
        SwitchRow{"Relative", {ControlId::Option2}, "1.0", "2.0", 2540},
        SwitchRow{
            "RelativeThenAbsolute", {ControlId::Option2, ControlId::Option1}, "2.0", "3.0", 2540},
        SwitchRow{
            "MmThenRelative", {ControlId::Option4, ControlId::Option2}, "0.025", "0.051", 100000},
        SwitchRow{"MmThenMils", {ControlId::Option4, ControlId::Option3}, "2.0", "3.0", 2540}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(UnitAndMode, OneMilIsOneTenthInMilsAndRoundsToThreeDecimalsInMm) {
    SimSession session(milsAbsoluteAt(2540, 0));
    session.dialog().Form_Load();
    EXPECT_EQ(session.text(ControlId::Text1), "1.0");
    EXPECT_EQ(session.text(ControlId::Text2), "0.0");
    session.click(ControlId::Option4);
    EXPECT_EQ(session.text(ControlId::Text1), "0.025");
    EXPECT_EQ(session.text(ControlId::Text2), "0.000");
}

TEST(UnitAndMode, UnitAndModeGroupsAreIndependent) {
    SimSession session(milsAbsoluteAt(0, 0));
    session.dialog().Form_Load();
    session.click(ControlId::Option4);
    EXPECT_TRUE(session.form.isSelected(ControlId::Option1));
    session.click(ControlId::Option2);
    EXPECT_TRUE(session.form.isSelected(ControlId::Option4));
    EXPECT_FALSE(session.form.isSelected(ControlId::Option1));
    EXPECT_FALSE(session.form.isSelected(ControlId::Option3));
}

// An option clicked, and the X and Y texts it shows.
struct OptionRow {
    ControlId option;
    const char* x;
    const char* y;
};

class TypedTextDiscarded : public ::testing::TestWithParam<OptionRow> {};

TEST_P(TypedTextDiscarded, ByAnyUnitOrModeClick) {
    SimSession session(milsAbsoluteAt(5080, 7620));
    session.dialog().Form_Load();
    session.type(ControlId::Text1, "99");
    session.type(ControlId::Text2, "junk");
    session.click(GetParam().option);
    EXPECT_EQ(session.text(ControlId::Text1), GetParam().x);
    EXPECT_EQ(session.text(ControlId::Text2), GetParam().y);
    EXPECT_EQ(session.calls().size(), 3u) << "a switch talks to nobody";
}

INSTANTIATE_TEST_SUITE_P(Options, TypedTextDiscarded,
                         ::testing::Values(OptionRow{ControlId::Option1, "2.0", "3.0"},
                                           OptionRow{ControlId::Option2, "1.0", "2.0"},
                                           OptionRow{ControlId::Option3, "2.0", "3.0"},
                                           OptionRow{ControlId::Option4, "0.051", "0.076"}));

class SwitchAfterAMove : public ::testing::TestWithParam<OptionRow> {};

// Moved from (1000, 2000) to (5000, 2000); the relative origin is (2540, 0).
TEST_P(SwitchAfterAMove, ShowsWhereTheMovePutTheComponentAndUndoStillPutsItBack) {
    Design design = testing_support::designAt1000And2000At90Degrees();
    design.originX = 2540;
    SimSession session(design);
    session.dialog().Form_Load();
    testing_support::moveTo5000And2000At180(session);
    session.click(GetParam().option);
    EXPECT_EQ(session.text(ControlId::Text1), GetParam().x);
    EXPECT_EQ(session.text(ControlId::Text2), GetParam().y);
    session.click(ControlId::Command4);
    EXPECT_EQ(session.designFile()["location"], "1000 2000");
}

INSTANTIATE_TEST_SUITE_P(Options, SwitchAfterAMove,
                         ::testing::Values(OptionRow{ControlId::Option4, "0.050", "0.020"},
                                           OptionRow{ControlId::Option2, "1.0", "0.8"}));

TEST(UnitAndMode, CommaLocaleShowsItsOwnDecimalSeparator) {
    SimSession session(milsAbsoluteAt(2540, -3810), "", testing_support::kCommaLocale);
    session.dialog().Form_Load();
    EXPECT_EQ(session.text(ControlId::Text1), "1,0");
    EXPECT_EQ(session.text(ControlId::Text2), "-1,5");
}

}  // namespace
