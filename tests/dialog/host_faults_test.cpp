// Every host call of a whole session failing in turn: no crash, the design
// ends where the handlers say, and "&Move" and "Undo" never show together.
#include <gtest/gtest.h>

#include "dialog/sim_session.h"

namespace {

using dialog::ControlId;
using testing_support::Design;
using testing_support::SimSession;

struct FaultRow {
    const char* failure;
    bool endsAtStartup;
    const char* location;
    const char* angle;
};

class HostFault : public ::testing::TestWithParam<FaultRow> {};

// Start-up; move to (5000, 2000) at 180 degrees; undo if offered; exit if
// still running.
TEST_P(HostFault, LeavesTheDesignWhereTheHandlersSay) {
    Design design;
    design.units = 0;
    design.originMode = 1;
    design.x = 1000;
    design.y = 2000;
    design.angle = 900;
    const std::string failure = GetParam().failure;
    SimSession session(design, failure.empty() ? "" : failure + "=5");

    session.dialog().Form_Load();
    EXPECT_EQ(session.form.hasEnded(), GetParam().endsAtStartup);
    if (!session.form.hasEnded()) {
        session.type(ControlId::Text1, "1.968503937");
        session.type(ControlId::Text3, "180");
        session.click(ControlId::Command1);
        EXPECT_NE(session.form.isVisible(ControlId::Command1),
                  session.form.isVisible(ControlId::Command4));
        session.click(ControlId::Command4);
        EXPECT_NE(session.form.isVisible(ControlId::Command1),
                  session.form.isVisible(ControlId::Command4));
        session.click(ControlId::Command2);
    }
    EXPECT_TRUE(session.form.hasEnded());
    EXPECT_EQ(session.designFile()["location"], GetParam().location);
    EXPECT_EQ(session.designFile()["angle"], GetParam().angle);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCall, HostFault,
    ::testing::Values(FaultRow{"", false, "1000 2000", "900"},  // no fault: undone
                      FaultRow{"TOpenDesign@1", true, "1000 2000", "900"},
                      FaultRow{"TGetFirstSelectedItem@1", true, "1000 2000", "900"},
                      FaultRow{"TGetDesignInfo@1", false, "1000 2000", "900"},
                      FaultRow{"TModifyComponent@1", false, "1000 2000", "900"},
                      FaultRow{"TRotateComponent@1", false, "1000 2000", "900"},
                      FaultRow{"TCloseDesign@1", false, "1000 2000", "900"},
                      FaultRow{"TOpenDesign@2", false, "5000 2000", "1800"},
                      FaultRow{"TGetFirstSelectedItem@2", false, "1000 2000", "900"},
                      FaultRow{"TModifyComponent@2", false, "5000 2000", "1800"},
                      FaultRow{"TRotateComponent@2", false, "1000 2000", "1800"},
                      // The host kept the undone design but never wrote it.
                      FaultRow{"TCloseDesign@2", false, "5000 2000", "1800"}),
    [](const auto& row) {
        std::string name = row.param.failure[0] ? row.param.failure : "NoFault";
        std::erase(name, '@');
        return name;
    });

}  // namespace
