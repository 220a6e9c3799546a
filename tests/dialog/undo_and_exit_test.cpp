// "Undo" puts the component back; "&Exit" and the close box end the program.
#include <gtest/gtest.h>

#include "dialog/sim_session.h"

namespace {

using form::ControlId;
using testing_support::Design;
using testing_support::designAt1000And2000At90Degrees;
using testing_support::SimSession;

// A log line up to the key given: the fields the test is about.
std::string upTo(const std::string& line, const char* key) {
    return line.substr(0, line.find(key));
}

void startAndMoveTo5000And2000At180(SimSession& session) {
    session.dialog().Form_Load();
    testing_support::moveTo5000And2000At180(session);
}

TEST(Undo, PutsTheComponentBackAndEnds) {
    SimSession session(designAt1000And2000At90Degrees());
    startAndMoveTo5000And2000At180(session);
    ASSERT_EQ(session.designFile()["location"], "5000 2000");
    ASSERT_EQ(session.designFile()["angle"], "1800");

    session.click(ControlId::Command4);

    EXPECT_EQ(session.text(ControlId::Text3), "90") << "no leading blank";
    const auto modifies = session.callsTo("TModifyComponent");
    ASSERT_EQ(modifies.size(), 2u);
    // mark=2: the record the host returned from the move.
    EXPECT_EQ(modifies[1],
              "TModifyComponent id=17 location=1000,2000 flipped=0 fixed=0 angle=1800 mark=2 "
              "status=0");
    EXPECT_EQ(session.designFile()["location"], "1000 2000");
    EXPECT_EQ(session.designFile()["angle"], "900");
    EXPECT_TRUE(session.form.hasEnded());
    EXPECT_EQ(session.calls(),
              (std::vector<std::string>{"TOpenDesign", "TGetFirstSelectedItem", "TGetDesignInfo",
                                        "TModifyComponent", "TRotateComponent", "TCloseDesign",
                                        "TOpenDesign", "TGetFirstSelectedItem", "TModifyComponent",
                                        "TRotateComponent", "TCloseDesign"}));
}

TEST(Undo, KeepsTheMostNegativeCoordinate) {
    Design design = designAt1000And2000At90Degrees();
    design.x = -2147483648LL;
    SimSession session(design);
    session.dialog().Form_Load();
    session.type(ControlId::Text1, "0");
    session.click(ControlId::Command1);
    session.click(ControlId::Command4);
    EXPECT_EQ(session.state().targetLocation.x.value, -2147483647 - 1);
    EXPECT_EQ(session.designFile()["location"], "-2147483648 2000");
}

TEST(Undo, PutsTheFlagsBackAndTurnsWithTheRestoredOne) {
    SimSession session(designAt1000And2000At90Degrees());
    session.dialog().Form_Load();
    session.click(ControlId::Check1);
    session.click(ControlId::Check2);
    session.type(ControlId::Text3, "180");
    session.click(ControlId::Command1);
    ASSERT_EQ(upTo(session.callsTo("TRotateComponent").at(0), " center="),
              "TRotateComponent angle=2700");
    ASSERT_EQ(session.designFile()["flipped"], "1");

    session.click(ControlId::Command4);

    EXPECT_EQ(upTo(session.callsTo("TModifyComponent").at(1), " angle="),
              "TModifyComponent id=17 location=1000,2000 flipped=0 fixed=0");
    EXPECT_EQ(upTo(session.callsTo("TRotateComponent").at(1), " center="),
              "TRotateComponent angle=2700");
    EXPECT_EQ(session.designFile()["angle"], "900");
    EXPECT_EQ(session.designFile()["flipped"], "0");
    EXPECT_EQ(session.designFile()["fixed"], "0");
}

TEST(Undo, TurnsBackToTheExactStartUpAngleInBothLocales) {
    for (const numtext::Locale& locale :
         {testing_support::kDotLocale, testing_support::kCommaLocale}) {
        SCOPED_TRACE(locale.decimalSeparator);
        Design design = designAt1000And2000At90Degrees();
        design.angle = 455;
        SimSession session(design, "", locale);
        session.dialog().Form_Load();
        session.type(ControlId::Text3, "135" + locale.decimalSeparator + "5");
        session.click(ControlId::Command1);
        ASSERT_EQ(session.designFile()["angle"], "1355");

        session.click(ControlId::Command4);
        EXPECT_EQ(session.text(ControlId::Text3), "45.5");
        EXPECT_EQ(upTo(session.callsTo("TRotateComponent").at(1), " center="),
                  "TRotateComponent angle=2700");
        EXPECT_EQ(session.designFile()["angle"], "455");
    }
}

struct UndoFaultRow {
    const char* name;
    const char* failures;
    std::vector<std::string> undoCalls;
    // What the design holds after the failed undo, and the X box in mils:
    // the angle stays the moved one, 180 degrees, and the component unfixed.
    const char* location;
    const char* x;
    bool flipped;
};

class UndoFails : public ::testing::TestWithParam<UndoFaultRow> {};

TEST_P(UndoFails, KeepsUndoOnOfferAndShowsWhatTheDesignHolds) {
    SimSession session(designAt1000And2000At90Degrees(), GetParam().failures);
    session.dialog().Form_Load();
    session.click(ControlId::Check1);
    testing_support::moveTo5000And2000At180(session);
    // Boxes changed after the move, which nothing reads any more.
    session.type(ControlId::Text1, "7");
    session.type(ControlId::Text3, "45");
    session.click(ControlId::Check1);
    session.click(ControlId::Check2);
    const std::size_t before = session.calls().size();

    session.click(ControlId::Command4);

    const auto calls = session.calls();
    EXPECT_EQ(std::vector<std::string>(calls.begin() + static_cast<long>(before), calls.end()),
              GetParam().undoCalls);
    EXPECT_EQ(session.beeper.count, 1);
    EXPECT_FALSE(session.form.hasEnded());
    EXPECT_TRUE(session.form.isVisible(ControlId::Command4));
    EXPECT_EQ(session.designFile()["location"], GetParam().location);
    EXPECT_EQ(session.designFile()["angle"], "1800");
    EXPECT_EQ(session.text(ControlId::Text1), GetParam().x);
    EXPECT_EQ(session.text(ControlId::Text3), " 180");
    EXPECT_EQ(session.form.checkValue(ControlId::Check1) == form::CheckValue::Checked,
              GetParam().flipped);
    EXPECT_EQ(session.form.checkValue(ControlId::Check2), form::CheckValue::Unchecked);

    // The host recovers: the user tries again and it works.
    session.click(ControlId::Command4);
    EXPECT_TRUE(session.form.hasEnded());
    EXPECT_EQ(session.designFile()["location"], "1000 2000");
    EXPECT_EQ(session.designFile()["angle"], "900");
    EXPECT_EQ(session.designFile()["flipped"], "0");
}

// 5000 units are 2.0 mils shown, 1000 units 0.4.
INSTANTIATE_TEST_SUITE_P(Faults, UndoFails,
                         ::testing::Values(UndoFaultRow{"ReconnectFails",
                                                        "TOpenDesign@2=3",
                                                        {"TOpenDesign", "TCloseDesign"},
                                                        "5000 2000",
                                                        "2.0",
                                                        true},
                                           UndoFaultRow{"ModifyFails",
                                                        "TModifyComponent@2=6",
                                                        {"TOpenDesign", "TGetFirstSelectedItem",
                                                         "TModifyComponent", "TCloseDesign"},
                                                        "5000 2000",
                                                        "2.0",
                                                        true},
                                           // The location and flags are back, the angle is not.
                                           UndoFaultRow{"TurnFails",
                                                        "TRotateComponent@2=7",
                                                        {"TOpenDesign", "TGetFirstSelectedItem",
                                                         "TModifyComponent", "TRotateComponent",
                                                         "TCloseDesign"},
                                                        "1000 2000",
                                                        "0.4",
                                                        false}),
                         [](const auto& row) { return std::string(row.param.name); });

struct ExitRow {
    const char* name;
    bool moveFirst;
    bool closeBox;
    int closes;
    const char* failures = "";
};

class Exit : public ::testing::TestWithParam<ExitRow> {};

TEST_P(Exit, ClosesTheConnectionAndEnds) {
    SimSession session(designAt1000And2000At90Degrees(), GetParam().failures);
    if (GetParam().moveFirst) {
        startAndMoveTo5000And2000At180(session);
    } else {
        session.dialog().Form_Load();
    }
    if (GetParam().closeBox) {
        session.form.userRequestsClose();
    } else {
        session.click(ControlId::Command2);
    }
    EXPECT_TRUE(session.form.hasEnded());
    const auto closes = session.callsTo("TCloseDesign");
    EXPECT_EQ(static_cast<int>(closes.size()), GetParam().closes);
    session.form.userRequestsClose();  // nothing runs after the end
    EXPECT_EQ(session.callsTo("TCloseDesign").size(), closes.size());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Exit,
    ::testing::Values(ExitRow{"BeforeAMove", false, false, 1},
                      ExitRow{"AfterAMoveClosesAgain", true, false, 2},
                      ExitRow{"CloseBoxActsAsExit", false, true, 1},
                      ExitRow{"CloseBoxAfterAMove", true, true, 2},
                      // The close's status is not tested: the program ends all the same.
                      ExitRow{"ExitWhoseCloseFails", false, false, 1, "TCloseDesign@1=5"},
                      ExitRow{"CloseBoxWhoseCloseFails", false, true, 1, "TCloseDesign@*=5"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
