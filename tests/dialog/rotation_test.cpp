// The angle box, "&Rotation", and the turn sent to the host.
#include <gtest/gtest.h>

#include "dialog/sim_session.h"

namespace {

using form::ControlId;
using testing_support::Design;
using testing_support::SimSession;

Design at(long long angle, long long flipped = 0) {
    Design d;
    d.angle = angle;
    d.flipped = flipped;
    return d;
}

std::string rotateLine(const SimSession& session) {
    const auto rotations = session.callsTo("TRotateComponent");
    return rotations.empty() ? "" : rotations.front();
}

TEST(Rotation, StepsByQuarterTurnsAndWrapsToZero) {
    SimSession session(at(0));
    session.dialog().Form_Load();
    std::vector<std::string> shown;
    for (int press = 0; press < 5; ++press) {
        session.click(ControlId::Command3);
        shown.push_back(session.text(ControlId::Text3));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{" 90", " 180", " 270", " 0", " 90"}));
}

struct BoxRow {
    const char* name;
    long long startTenths;
    const char* typed;
    bool press;  // then "&Rotation"
    const char* shown;
};

class AngleBox : public ::testing::TestWithParam<BoxRow> {};

TEST_P(AngleBox, KeepsTheAngleWithinATurn) {
    SimSession session(at(GetParam().startTenths));
    session.dialog().Form_Load();
    session.type(ControlId::Text3, GetParam().typed);
    if (GetParam().press) {
        session.click(ControlId::Command3);
    }
    EXPECT_EQ(session.text(ControlId::Text3), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AngleBox,
    ::testing::Values(BoxRow{"Typed360IsZero", 450, "360", false, " 0"},
                      BoxRow{"Typed400IsTheStartUpAngle", 450, "400", false, " 45"},
                      BoxRow{"Typed400IsTheExactStartUpAngle", 455, "400", false, " 45.5"},
                      BoxRow{"Typed360Point5Stays", 450, "360.5", false, "360.5"},
                      BoxRow{"NegativeStays", 450, "-90", false, "-90"},
                      BoxRow{"Press270", 0, "270", true, " 0"},
                      BoxRow{"Press300GivesTheStartUpAngle", 450, "300", true, " 45"},
                      BoxRow{"FractionIsKept", 0, "45.5", true, " 135.5"},
                      BoxRow{"LeadingBlanksAreFine", 0, "  180", true, " 270"},
                      // Half-typed or junk text is left for the user to finish.
                      BoxRow{"EmptyStays", 450, "", false, ""},
                      BoxRow{"LoneMinusStays", 450, "-", false, "-"},
                      BoxRow{"LettersStayOnPress", 450, "abc", true, "abc"},
                      BoxRow{"HugeValueIsRefused", 450, "1e308", false, " 45"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Rotation, CommaLocaleReadsBothItsOwnAndTheDialogsDecimals) {
    SimSession session(at(455), "", testing_support::kCommaLocale);
    session.dialog().Form_Load();
    ASSERT_EQ(session.text(ControlId::Text3), " 45.5");
    session.click(ControlId::Command3);
    EXPECT_EQ(session.text(ControlId::Text3), " 135.5");
    session.type(ControlId::Text3, "10,5");
    session.click(ControlId::Command3);
    EXPECT_EQ(session.text(ControlId::Text3), " 100.5");
}

struct TurnRow {
    const char* name;
    long long startTenths;
    long long flipped;
    const char* box;
    const char* turn;
    const char* newAngle;
    numtext::Locale locale = testing_support::kDotLocale;
};

class MoveRotates : public ::testing::TestWithParam<TurnRow> {};

TEST_P(MoveRotates, FromTheHostsAngleToTheBoxs) {
    const TurnRow& row = GetParam();
    SimSession session(at(row.startTenths, row.flipped), "", row.locale);
    session.dialog().Form_Load();
    session.type(ControlId::Text3, row.box);
    session.click(ControlId::Command1);
    const std::string line = rotateLine(session);
    EXPECT_NE(line.find(std::string(" angle=") + row.turn + " center=-1,-1 "), std::string::npos)
        << line;
    EXPECT_NE(line.find(std::string(" new_angle=") + row.newAngle + " "), std::string::npos)
        << line;
    EXPECT_EQ(session.designFile()["angle"], row.newAngle);
    EXPECT_EQ(session.state().rotationCenter,
              (units::DbPoint{units::DbCoord{-1}, units::DbCoord{-1}}));
}

INSTANTIATE_TEST_SUITE_P(
    Angles, MoveRotates,
    ::testing::Values(TurnRow{"NotFlipped", 900, 0, "180", "4500", "1800"},
                      TurnRow{"Flipped", 900, 1, "180", "2700", "1800"},
                      TurnRow{"FlippedFromZero", 0, 1, "90", "2700", "900"},
                      TurnRow{"NotFlippedFromZero", 0, 0, "90", "4500", "900"},
                      TurnRow{"HalfTenthRoundsToEven", 0, 0, "45.25", "4052", "452"},
                      TurnRow{"LeadingNumberOfJunk", 0, 0, "90abc", "4500", "900"},
                      TurnRow{"EmptyBoxIsZero", 900, 0, "", "2700", "0"},
                      // The box is read as its own handlers read it.
                      TurnRow{"CommaDecimal", 455, 0, "90,5", "4050", "905",
                              testing_support::kCommaLocale},
                      TurnRow{"DotDecimalInACommaLocale", 455, 0, "90.5", "4050", "905",
                              testing_support::kCommaLocale},
                      TurnRow{"CommaIsNoDecimalInADotLocale", 455, 0, "90,5", "4045", "900"},
                      // Shown as " 90" at start-up; left alone, the orientation stays.
                      TurnRow{"UntouchedAngleBeyondATurn", 4500, 0, " 90", "0", "900"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Rotation, AnAngleTooLargeToTurnIsNotSentButTheMoveCompletes) {
    Design design = at(2147483647);  // 3600 + angle leaves 32 bits
    design.flipped = 1;
    SimSession session(design);
    session.dialog().Form_Load();
    session.click(ControlId::Command1);
    EXPECT_EQ(rotateLine(session), "");
    EXPECT_EQ(session.beeper.count, 1);
    EXPECT_TRUE(session.form.isVisible(ControlId::Command4));
    EXPECT_EQ(session.calls().back(), "TCloseDesign");
}

TEST(Rotation, ATurnTheHostRefusesBeepsAndTheMoveStands) {
    SimSession session(at(0), "TRotateComponent@1=5");
    session.dialog().Form_Load();
    session.type(ControlId::Text3, "90");
    session.click(ControlId::Command1);
    EXPECT_EQ(session.beeper.count, 1);
    EXPECT_TRUE(session.form.isVisible(ControlId::Command4));
    EXPECT_FALSE(session.form.isVisible(ControlId::Command1));
    EXPECT_EQ(session.calls().back(), "TCloseDesign");
}

TEST(Rotation, ATurnBeyond32BitsIsNotSent) {
    SimSession session(at(0));
    session.dialog().Form_Load();
    session.type(ControlId::Text3, "-300000000");
    session.click(ControlId::Command1);
    EXPECT_EQ(rotateLine(session), "");
    EXPECT_EQ(session.beeper.count, 1);
}

}  // namespace
