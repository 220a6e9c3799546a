// Every host call of a whole session failing in turn: no crash, the design
// ends where the handlers say, and "&Move" and "Undo" never show together.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "dbx/connection.h"
#include "dialog/sim_session.h"

namespace {

using form::ControlId;
using testing_support::designAt1000And2000At90Degrees;
using testing_support::moveTo5000And2000At180;
using testing_support::SimSession;

// A session's host calls, in order, as one line.
std::string callLine(const SimSession& session) {
    std::string line;
    for (const std::string& call : session.calls()) {
        line += (line.empty() ? "" : " ") + call;
    }
    return line;
}

// The calls of start-up, of a move that succeeds and of an undo that does.
#define STARTUP "TOpenDesign TGetFirstSelectedItem TGetDesignInfo"
#define MOVE " TModifyComponent TRotateComponent TCloseDesign"
#define UNDO " TOpenDesign TGetFirstSelectedItem TModifyComponent TRotateComponent TCloseDesign"

struct FaultRow {
    const char* failure;
    bool endsAtStartup;
    const char* calls;
    int beeps;
    const char* location;
    const char* angle;
};

class HostFault : public ::testing::TestWithParam<FaultRow> {};

// Start-up; move to (5000, 2000) at 180 degrees; undo if offered; exit if
// still running.
TEST_P(HostFault, LeavesTheDesignWhereTheHandlersSay) {
    const FaultRow& row = GetParam();
    const std::string failure = row.failure;
    SimSession session(designAt1000And2000At90Degrees(), failure.empty() ? "" : failure + "=5");

    session.dialog().Form_Load();
    EXPECT_EQ(session.form.hasEnded(), row.endsAtStartup);
    if (!session.form.hasEnded()) {
        moveTo5000And2000At180(session);
        EXPECT_NE(session.form.isVisible(ControlId::Command1),
                  session.form.isVisible(ControlId::Command4));
        session.click(ControlId::Command4);
        EXPECT_NE(session.form.isVisible(ControlId::Command1),
                  session.form.isVisible(ControlId::Command4));
        session.click(ControlId::Command2);
    }
    EXPECT_TRUE(session.form.hasEnded());
    EXPECT_EQ(callLine(session), row.calls);
    EXPECT_EQ(session.beeper.count, row.beeps);
    EXPECT_EQ(session.designFile()["location"], row.location);
    EXPECT_EQ(session.designFile()["angle"], row.angle);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCall, HostFault,
    ::testing::Values(
        FaultRow{"", false, STARTUP MOVE UNDO, 0, "1000 2000", "900"},  // no fault: undone
        FaultRow{"TOpenDesign@1", true,
                 "TOpenDesign TCloseDesign TGetFirstSelectedItem TCloseDesign", 0, "1000 2000",
                 "900"},
        FaultRow{"TGetFirstSelectedItem@1", true, "TOpenDesign TGetFirstSelectedItem TCloseDesign",
                 0, "1000 2000", "900"},
        FaultRow{"TGetDesignInfo@1", false, STARTUP MOVE UNDO, 0, "1000 2000", "900"},
        // Refused: "Undo" is never offered; "&Exit" closes.
        FaultRow{"TModifyComponent@1", false, STARTUP " TModifyComponent TCloseDesign", 1,
                 "1000 2000", "900"},
        // Moved but not turned: the beep says so; Undo puts the location back.
        FaultRow{"TRotateComponent@1", false, STARTUP MOVE UNDO, 1, "1000 2000", "900"},
        // The design stays open in the host, so the undo's open finds it.
        FaultRow{"TCloseDesign@1", false, STARTUP MOVE UNDO, 0, "1000 2000", "900"},
        // Undo sends nothing over a connection that did not open; "&Exit" closes.
        FaultRow{"TOpenDesign@2", false, STARTUP MOVE " TOpenDesign TCloseDesign TCloseDesign", 1,
                 "5000 2000", "1800"},
        FaultRow{"TGetFirstSelectedItem@2", false, STARTUP MOVE UNDO, 0, "1000 2000", "900"},
        FaultRow{"TModifyComponent@2", false,
                 STARTUP MOVE " TOpenDesign TGetFirstSelectedItem TModifyComponent TCloseDesign"
                              " TCloseDesign",
                 1, "5000 2000", "1800"},
        // Put back but not turned: "Undo" stays on offer; "&Exit" closes again.
        FaultRow{"TRotateComponent@2", false, STARTUP MOVE UNDO " TCloseDesign", 1, "1000 2000",
                 "1800"},
        // The host kept the undone design but never wrote it.
        FaultRow{"TCloseDesign@2", false, STARTUP MOVE UNDO, 0, "5000 2000", "1800"}),
    [](const auto& row) {
        std::string name = row.param.failure[0] ? row.param.failure : "NoFault";
        std::erase(name, '@');
        return name;
    });

// The simulator library with one of its functions hidden, as if the host's
// library lacked it.
class HidingResolver : public dbx::SymbolResolver {
  public:
    explicit HidingResolver(std::string hidden) : hidden_(std::move(hidden)) {}
    void* resolve(const char* name) override {
        return hidden_ == name ? nullptr : library_->resolve(name);
    }

  private:
    std::string hidden_;
    std::unique_ptr<dbx::SymbolResolver> library_ = dbx::makeLibraryResolver(COMPPLACE_SIM_LIBRARY);
};

struct MissingRow {
    const char* missing;  // a function, or "Library" for no library at all
    bool endsAtStartup;
    bool undoOffered;
    int moveBeeps;
    const char* calls;  // of the whole session
    int beeps;
    const char* movedLocation;  // the design file after the move
    const char* movedAngle;
    const char* location;  // and at the end
    const char* angle;
};

class MissingHostFunction : public ::testing::TestWithParam<MissingRow> {};

// The same session as above, with nothing to call instead of a failing call.
TEST_P(MissingHostFunction, IsAnsweredLikeAFailedCall) {
    const MissingRow& row = GetParam();
    const std::string missing = row.missing;
    std::unique_ptr<dbx::SymbolResolver> resolver =
        missing == "Library" ? dbx::makeLibraryResolver("/nonexistent/libdbx32.so")
                             : std::make_unique<HidingResolver>(missing);
    SimSession session(designAt1000And2000At90Degrees(), std::move(resolver));

    session.dialog().Form_Load();
    EXPECT_EQ(session.form.hasEnded(), row.endsAtStartup);
    if (!session.form.hasEnded()) {
        moveTo5000And2000At180(session);
        EXPECT_EQ(session.form.isVisible(ControlId::Command4), row.undoOffered);
        EXPECT_NE(session.form.isVisible(ControlId::Command1), row.undoOffered);
        EXPECT_EQ(session.beeper.count, row.moveBeeps);
        EXPECT_EQ(session.designFile()["location"], row.movedLocation);
        EXPECT_EQ(session.designFile()["angle"], row.movedAngle);
        session.click(ControlId::Command4);
        session.click(ControlId::Command2);
    }
    EXPECT_TRUE(session.form.hasEnded());
    EXPECT_EQ(callLine(session), row.calls);
    EXPECT_EQ(session.beeper.count, row.beeps);
    EXPECT_EQ(session.designFile()["location"], row.location);
    EXPECT_EQ(session.designFile()["angle"], row.angle);
}

INSTANTIATE_TEST_SUITE_P(
    EachFunction, MissingHostFunction,
    ::testing::Values(
        MissingRow{"Library", true, false, 0, "", 0, "", "", "1000 2000", "900"},
        MissingRow{"TOpenDesign", true, false, 0, "TCloseDesign TGetFirstSelectedItem TCloseDesign",
                   0, "", "", "1000 2000", "900"},
        MissingRow{"TGetFirstSelectedItem", true, false, 0, "TOpenDesign TCloseDesign", 0, "", "",
                   "1000 2000", "900"},
        // Zero design: mils, relative to (0, 0); the move is the same.
        MissingRow{"TGetDesignInfo", false, true, 0, "TOpenDesign TGetFirstSelectedItem" MOVE UNDO,
                   0, "5000 2000", "1800", "1000 2000", "900"},
        // Refused: "&Move" stays; "&Exit" writes the design unchanged.
        MissingRow{"TModifyComponent", false, false, 1, STARTUP " TCloseDesign", 1, "1000 2000",
                   "900", "1000 2000", "900"},
        // Moved without turning, then put back, where the missing turn keeps
        // "Undo" on offer until "&Exit"; each missing turn beeps.
        MissingRow{"TRotateComponent", false, true, 1,
                   STARTUP " TModifyComponent TCloseDesign TOpenDesign TGetFirstSelectedItem"
                           " TModifyComponent TCloseDesign TCloseDesign",
                   2, "5000 2000", "900", "1000 2000", "900"},
        // Moved and undone in the host's memory, never written.
        MissingRow{"TCloseDesign", false, true, 0,
                   STARTUP " TModifyComponent TRotateComponent TOpenDesign TGetFirstSelectedItem"
                           " TModifyComponent TRotateComponent",
                   0, "1000 2000", "900", "1000 2000", "900"}),
    [](const auto& row) { return std::string(row.param.missing); });

}  // namespace
