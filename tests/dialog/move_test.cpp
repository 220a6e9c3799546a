// "&Move": exact to the database unit, and never a wrong location.
#include <gtest/gtest.h>

#include "dialog/sim_session.h"

namespace {

using form::ControlId;
using testing_support::Design;
using testing_support::SimSession;

Design design(int units, int originMode, long long x = 254000, long long y = 127000) {
    Design d;
    d.units = units;
    d.originMode = originMode;
    d.x = x;
    d.y = y;
    d.originX = 1000;
    d.originY = 2000;
    return d;
}

bool has(const std::string& line, const std::string& field) {
    return line.find(" " + field + " ") != std::string::npos;
}

struct MoveRow {
    const char* name;
    Design design;
    const char* x;
    const char* y;
    const char* location;  // as the host receives it
};

class MoveWrites : public ::testing::TestWithParam<MoveRow> {};

TEST_P(MoveWrites, TheTypedLocationInWholeDatabaseUnits) {
    const MoveRow& row = GetParam();
    SimSession session(row.design);
    session.dialog().Form_Load();
    session.type(ControlId::Text1, row.x);
    session.type(ControlId::Text2, row.y);
    session.click(ControlId::Command1);

    const auto modifies = session.callsTo("TModifyComponent");
    ASSERT_EQ(modifies.size(), 1u);
    EXPECT_TRUE(has(modifies[0], std::string("location=") + row.location)) << modifies[0];
    EXPECT_EQ(session.beeper.count, 0);
    EXPECT_TRUE(session.form.isVisible(ControlId::Command4));
    EXPECT_FALSE(session.form.isVisible(ControlId::Command1));
    EXPECT_EQ(session.calls().back(), "TCloseDesign");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MoveWrites,
    ::testing::Values(
        MoveRow{"Mils", design(0, 1), "100.0", "50.0", "254000,127000"},
        MoveRow{"MmWithoutFloatingNoise", design(2, 1), "1.234", "0.001", "123400,100"},
        MoveRow{"JustBelowTheRangeLimit", design(2, 1), "1999.99999", "0", "199999999,0"},
        MoveRow{"LargeNegativePasses", design(0, 1), "-500000", "-845454.5",
                "-1270000000,-2147454430"},
        MoveRow{"RelativeAddsTheOrigin", design(2, 0), "0.05", "0.06", "6000,8000"},
        MoveRow{"HalvesRoundToEven", design(2, 1), "0.000025", "0.000035", "2,4"},
        MoveRow{"BlanksSignAndExponent", design(2, 1), " 1.5e1 ", "+2", "1500000,200000"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Move, CommaLocaleKeepsTheFraction) {
    SimSession session(design(2, 1), "", testing_support::kCommaLocale);
    session.dialog().Form_Load();
    session.type(ControlId::Text1, "1,234");
    session.type(ControlId::Text2, "1.000,5");
    session.click(ControlId::Command1);
    EXPECT_TRUE(has(session.callsTo("TModifyComponent").at(0), "location=123400,100050000"));
}

TEST(Move, FlagsGoIntoTheRecord) {
    SimSession session(design(0, 1));
    session.dialog().Form_Load();
    session.click(ControlId::Check1);
    session.click(ControlId::Check2);
    session.click(ControlId::Command1);
    EXPECT_TRUE(has(session.callsTo("TModifyComponent").at(0), "flipped=1 fixed=1"));
    EXPECT_EQ(session.designFile()["fixed"], "1");
    EXPECT_EQ(session.designFile()["flipped"], "1");
}

TEST(Move, UntouchedCoordinatesStayExactWhenOnlyTheAngleChanges) {
    SimSession session(design(0, 0, 45001, -33333));  // shown rounded, relative to the origin
    session.dialog().Form_Load();
    ASSERT_EQ(session.text(ControlId::Text1), "17.3");
    session.type(ControlId::Text3, "90");
    session.click(ControlId::Command1);
    EXPECT_TRUE(has(session.callsTo("TModifyComponent").at(0), "location=45001,-33333"));
}

TEST(Move, WhatTheHostWroteIntoTheRecordSurvivesIntoTheNextCall) {
    SimSession session(design(0, 1));
    session.dialog().Form_Load();
    session.click(ControlId::Command1);
    // The simulator counts accepted calls into a field the program never sets.
    EXPECT_TRUE(has(session.callsTo("TModifyComponent").at(0), "mark=0"));
    EXPECT_TRUE(has(session.callsTo("TRotateComponent").at(0), "mark=1"));
}

struct RangeRow {
    const char* name;
    Design design;
    const char* x;
    const char* y;
    const char* restoredX;
    const char* restoredY;
};

class RangeError : public ::testing::TestWithParam<RangeRow> {};

TEST_P(RangeError, BeepsAndWritesTheComponentBackWhereItWas) {
    const RangeRow& row = GetParam();
    SimSession session(row.design);
    session.dialog().Form_Load();
    session.click(ControlId::Check2);
    session.type(ControlId::Text1, row.x);
    session.type(ControlId::Text2, row.y);
    session.click(ControlId::Command1);

    EXPECT_EQ(session.beeper.count, 1);
    EXPECT_EQ(session.text(ControlId::Text1), row.restoredX);
    EXPECT_EQ(session.text(ControlId::Text2), row.restoredY);
    const auto modifies = session.callsTo("TModifyComponent");
    ASSERT_EQ(modifies.size(), 1u);
    EXPECT_TRUE(has(modifies[0], "location=254000,127000 flipped=0 fixed=1")) << modifies[0];
    EXPECT_TRUE(session.form.isVisible(ControlId::Command4)) << "the command carries on";
}

INSTANTIATE_TEST_SUITE_P(
    Limits, RangeError,
    ::testing::Values(RangeRow{"XAtTheLimit", design(2, 1), "2000", "1", "2.540", "1.270"},
                      RangeRow{"YAboveTheLimit", design(0, 1), "1", "1e9", "100.0", "50.0"},
                      // The restore shows the saved location relative to the origin.
                      RangeRow{"Relative", design(0, 0), "100000", "0", "99.6", "49.2"}),
    [](const auto& row) { return std::string(row.param.name); });

struct RejectRow {
    const char* name;
    const char* x;
    const char* y;
};

class MoveRejects : public ::testing::TestWithParam<RejectRow> {};

TEST_P(MoveRejects, WithABeepAndNoHostCall) {
    SimSession session(design(0, 1));
    session.dialog().Form_Load();
    session.type(ControlId::Text1, GetParam().x);
    session.type(ControlId::Text2, GetParam().y);
    session.click(ControlId::Command1);

    EXPECT_EQ(session.beeper.count, 1);
    EXPECT_EQ(session.calls().size(), 3u) << "only start-up's calls";
    EXPECT_EQ(session.text(ControlId::Text1), "100.0");
    EXPECT_EQ(session.text(ControlId::Text2), "50.0");
    EXPECT_TRUE(session.form.isVisible(ControlId::Command1));
    EXPECT_FALSE(session.form.isVisible(ControlId::Command4));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MoveRejects,
    ::testing::Values(RejectRow{"EmptyX", "", "1"}, RejectRow{"LettersY", "1", "abc"},
                      RejectRow{"LoneMinus", "-", "1"}, RejectRow{"TrailingJunk", "12ft", "1"},
                      RejectRow{"BelowInt32", "-845500", "0"}, RejectRow{"Infinite", "1e400", "0"},
                      // A decimal typed from habit, not a grouped 125 or 1000.
                      RejectRow{"GroupAfterLeadingZero", "0,125", "1"},
                      RejectRow{"GroupAfterLeadingZeros", "1", "01,000"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Move, AFailedModifyRestoresAndLetsTheUserTryAgain) {
    SimSession session(design(0, 1), "TModifyComponent@1=7");
    session.dialog().Form_Load();
    session.type(ControlId::Text1, "10");
    session.click(ControlId::Command1);

    EXPECT_EQ(session.beeper.count, 1);
    EXPECT_EQ(session.text(ControlId::Text1), "100.0");
    EXPECT_TRUE(session.form.isVisible(ControlId::Command1));
    EXPECT_FALSE(session.form.isVisible(ControlId::Command4));
    EXPECT_EQ(session.calls().back(), "TModifyComponent") << "no rotation, no close";

    session.type(ControlId::Text1, "10");
    session.click(ControlId::Command1);
    EXPECT_EQ(session.state().undoX.value, 254000) << "saved from the selection again";
    EXPECT_TRUE(has(session.callsTo("TModifyComponent").at(1), "location=25400,127000"));
    EXPECT_TRUE(session.form.isVisible(ControlId::Command4));
}

TEST(Move, ARestoreAfterAUnitSwitchKeepsTheStartUpPattern) {
    SimSession session(design(0, 1));
    session.dialog().Form_Load();
    session.click(ControlId::Option4);
    session.type(ControlId::Text1, "");
    session.click(ControlId::Command1);
    EXPECT_EQ(session.text(ControlId::Text1), "2.5");  // millimetres, one decimal
}

}  // namespace
