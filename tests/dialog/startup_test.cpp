// Start-up: what the dialog shows before the user does anything.
#include <gtest/gtest.h>

#include <cstdint>

#include "dialog/sim_session.h"

namespace {

using form::CheckValue;
using form::ControlId;
using testing_support::Design;
using testing_support::SimSession;

struct StartupRow {
    const char* name;
    Design design;
    const char* x;
    const char* y;
    bool mm;
    bool relative;
};

class StartupShows : public ::testing::TestWithParam<StartupRow> {};

TEST_P(StartupShows, TheLocationInTheDesignsUnitAndMode) {
    const StartupRow& row = GetParam();
    SimSession session(row.design);
    session.dialog().Form_Load();

    EXPECT_FALSE(session.form.hasEnded());
    EXPECT_EQ(session.text(ControlId::Text1), row.x);
    EXPECT_EQ(session.text(ControlId::Text2), row.y);
    EXPECT_EQ(session.form.isSelected(ControlId::Option4), row.mm);
    EXPECT_EQ(session.form.isSelected(ControlId::Option3), !row.mm);
    EXPECT_EQ(session.form.isSelected(ControlId::Option2), row.relative);
    EXPECT_EQ(session.form.isSelected(ControlId::Option1), !row.relative);
    EXPECT_EQ(units::dbUnitsPer(session.state().locationBoxes.unitFactor()),
              row.mm ? 100000 : 2540);
    EXPECT_EQ(session.state().displayFormat, row.mm ? "###0.000" : "###0.0");
    EXPECT_TRUE(session.form.isVisible(ControlId::Command1));
    EXPECT_FALSE(session.form.isVisible(ControlId::Command4));
}

Design at(int units, int originMode, long long x, long long y, long long ox = 0, long long oy = 0) {
    Design d;
    d.units = units;
    d.originMode = originMode;
    d.x = x;
    d.y = y;
    d.originX = ox;
    d.originY = oy;
    return d;
}

INSTANTIATE_TEST_SUITE_P(
    Designs, StartupShows,
    ::testing::Values(
        StartupRow{"MmAbsolute", at(2, 1, 50 * 2540, 254000), "1.270", "2.540", true, false},
        StartupRow{"MilsAbsolute", at(0, 1, 50 * 2540, 2540), "50.0", "1.0", false, false},
        StartupRow{"AnyOtherUnitCodeIsMils", at(7, 1, 2540, 0), "1.0", "0.0", false, false},
        StartupRow{"MilsRelative", at(0, 0, 5080, 7620, 2540, 2540), "1.0", "2.0", false, true},
        StartupRow{"MmRelative", at(2, 0, 0, 0, 1000, 2000), "-0.010", "-0.020", true, true},
        StartupRow{"OriginMakesNegativeValues", at(0, 0, 0, 2540, 2540, 0), "-1.0", "1.0", false,
                   true},
        // The true difference, not a wrapped 32-bit one.
        StartupRow{"RelativeBeyond32Bits",
                   at(0, 0, 2147483647, -2147483648LL, -2147483648LL, 2147483647), "1690932.0",
                   "-1690932.0", false, true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Startup, FillsCaptionsAndFlags) {
    Design design;
    design.flipped = 1;
    design.fixed = 0;
    SimSession session(design);
    session.dialog().Form_Load();
    EXPECT_EQ(session.text(ControlId::Label5), "RefDes: U12");
    EXPECT_EQ(session.text(ControlId::Label6), "P-CAD2001 DBX V16000");
    EXPECT_EQ(session.form.checkValue(ControlId::Check1), CheckValue::Checked);
    EXPECT_EQ(session.form.checkValue(ControlId::Check2), CheckValue::Unchecked);
    EXPECT_EQ(session.calls(),
              (std::vector<std::string>{"TOpenDesign", "TGetFirstSelectedItem", "TGetDesignInfo"}));
}

TEST(Startup, AnyNonZeroHostFlagShowsChecked) {
    Design design;
    design.fixed = 65536;  // zero in its low 16 bits
    design.flipped = -1;
    SimSession session(design);
    session.dialog().Form_Load();
    EXPECT_EQ(session.form.checkValue(ControlId::Check2), CheckValue::Checked);
    EXPECT_EQ(session.form.checkValue(ControlId::Check1), CheckValue::Checked);
}

struct AngleRow {
    long long tenths;
    const char* shown;
    std::int32_t undoTenths;
};

class StartupAngle : public ::testing::TestWithParam<AngleRow> {};

TEST_P(StartupAngle, ShowsDegreesAndKeepsTheExactAngleForUndo) {
    Design design;
    design.angle = GetParam().tenths;
    SimSession session(design);
    session.dialog().Form_Load();
    EXPECT_EQ(session.text(ControlId::Text3), GetParam().shown);
    EXPECT_EQ(session.state().undoAngle.value, GetParam().undoTenths);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, StartupAngle,
    ::testing::Values(AngleRow{2700, " 270", 2700}, AngleRow{0, " 0", 0},
                      AngleRow{3600, " 0", 0},  // reset by the box
                      AngleRow{455, " 45.5", 455}, AngleRow{445, " 44.5", 445},
                      AngleRow{-150, "-15", -150}, AngleRow{3605, " 360.5", 3605},
                      // From 361 degrees on: the same orientation within one turn.
                      AngleRow{3610, " 1", 10}, AngleRow{4500, " 90", 900},
                      AngleRow{-2147483648LL, "-214748364.8", INT32_MIN}));

struct EndRow {
    const char* name;
    int itemType;
    const char* failures;
    std::vector<std::string> calls;
};

class StartupEnds : public ::testing::TestWithParam<EndRow> {};

TEST_P(StartupEnds, WithoutAWindowWhenNoComponentIsSelected) {
    Design design;
    design.itemType = GetParam().itemType;
    SimSession session(design, GetParam().failures);
    session.dialog().Form_Load();
    EXPECT_TRUE(session.form.hasEnded());
    EXPECT_EQ(session.calls(), GetParam().calls);
    EXPECT_EQ(session.text(ControlId::Label6), "P-CAD2001 DBX V16000");
}

INSTANTIATE_TEST_SUITE_P(
    Selections, StartupEnds,
    ::testing::Values(
        EndRow{"NothingSelected", 0, "", {"TOpenDesign", "TGetFirstSelectedItem", "TCloseDesign"}},
        EndRow{"AViaSelected", 3, "", {"TOpenDesign", "TGetFirstSelectedItem", "TCloseDesign"}},
        // A failed open is closed at once; the read then fails and ends it.
        EndRow{"OpenFails",
               9,
               "TOpenDesign@1=3",
               {"TOpenDesign", "TCloseDesign", "TGetFirstSelectedItem", "TCloseDesign"}},
        EndRow{"SelectionReadFails",
               9,
               "TGetFirstSelectedItem@1=2",
               {"TOpenDesign", "TGetFirstSelectedItem", "TCloseDesign"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Startup, AFailedDesignReadLeavesMilsAndRelativeMode) {
    Design design;
    design.units = 2;
    design.originMode = 1;
    design.x = 2540;
    SimSession session(design, "TGetDesignInfo@1=4");
    session.dialog().Form_Load();
    EXPECT_TRUE(session.form.isSelected(ControlId::Option3));
    EXPECT_TRUE(session.form.isSelected(ControlId::Option2));
    EXPECT_EQ(session.text(ControlId::Text1), "1.0");
}

}  // namespace
