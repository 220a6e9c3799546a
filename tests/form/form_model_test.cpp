// The window-system rules the handlers rely on.
#include "form/form_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/manual_clock.h"

namespace form {
namespace {

const testing_support::ManualClock kClock;

TEST(FormModel, StartsWithTheWindowsInitialStates) {
    FormModel form{kClock};
    EXPECT_TRUE(form.isVisible(ControlId::Command1));
    EXPECT_FALSE(form.isVisible(ControlId::Command4));
    EXPECT_TRUE(form.isSelected(ControlId::Option1));
    EXPECT_TRUE(form.isSelected(ControlId::Option3));
    EXPECT_FALSE(form.isSelected(ControlId::Option2));
    EXPECT_FALSE(form.isSelected(ControlId::Option4));
    EXPECT_EQ(form.checkValue(ControlId::Check1), CheckValue::Unchecked);
    EXPECT_EQ(form.text(ControlId::Command1), "&Move");
    EXPECT_EQ(form.text(ControlId::Text1), "");
}

TEST(FormModel, SettingATextRunsItsChangeHandlerNestedInsideTheSetter) {
    FormModel form{kClock};
    std::vector<std::string> seen;
    form.onChange(ControlId::Text3, [&] {
        seen.push_back(form.text(ControlId::Text3));
        if (form.text(ControlId::Text3) == "400") {
            form.setText(ControlId::Text3, " 0");
            seen.push_back("after nested set");
        }
    });
    form.setText(ControlId::Text3, "400");
    EXPECT_EQ(seen, (std::vector<std::string>{"400", " 0", "after nested set"}));
    form.setText(ControlId::Text3, " 0");  // unchanged text: no change event
    EXPECT_EQ(seen.size(), 3u);
}

TEST(FormModel, SelectingAnOptionClearsOnlyItsPartnerAndRunsItsClickAtOnce) {
    FormModel form{kClock};
    int clicks = 0;
    form.onClick(ControlId::Option4, [&] {
        EXPECT_FALSE(form.isSelected(ControlId::Option3)) << "partner cleared before the click";
        ++clicks;
    });
    form.select(ControlId::Option4);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(form.isSelected(ControlId::Option1)) << "the mode group is untouched";
    form.userClicks(ControlId::Option4);  // clicking the selected option clicks again
    EXPECT_EQ(clicks, 2);
}

TEST(FormModel, HiddenButtonsAndAnEndedProgramRunNoHandler) {
    FormModel form{kClock};
    int undo = 0;
    int move = 0;
    form.onClick(ControlId::Command4, [&] { ++undo; });
    form.onClick(ControlId::Command1, [&] { ++move; });
    form.userClicks(ControlId::Command4);
    EXPECT_EQ(undo, 0);
    form.endProgram();
    form.userClicks(ControlId::Command1);
    EXPECT_EQ(move, 0);
    EXPECT_TRUE(form.hasEnded());
}

TEST(FormModel, UserClickTogglesACheckBox) {
    FormModel form{kClock};
    form.userClicks(ControlId::Check2);
    EXPECT_EQ(form.checkValue(ControlId::Check2), CheckValue::Checked);
    form.userClicks(ControlId::Check2);
    EXPECT_EQ(form.checkValue(ControlId::Check2), CheckValue::Unchecked);
}

// "&Move" shows "Undo" under the pointer; the handler takes 100 ms, and the
// clock wraps around meanwhile.
TEST(FormModel, AButtonTheProgramShowsTakesNoClickUntilTheDoubleClickTimeAfterItsHandler) {
    testing_support::ManualClock clock;
    clock.now = 0xFFFFFFFFu - 50;
    FormModel form{clock};
    int undo = 0;
    form.onClick(ControlId::Command1, [&] {
        form.setVisible(ControlId::Command4, true);
        form.setVisible(ControlId::Command1, false);
        EXPECT_FALSE(form.isEnabled(ControlId::Command4));
        clock.now += 100;
    });
    form.onClick(ControlId::Command4, [&] { ++undo; });
    form.userClicks(ControlId::Command1);

    clock.now += 499;
    EXPECT_EQ(form.msUntilEnabled(ControlId::Command4), 1u);
    form.userClicks(ControlId::Command4);
    EXPECT_EQ(undo, 0);
    clock.now += 1;
    EXPECT_TRUE(form.isEnabled(ControlId::Command4));
    form.userClicks(ControlId::Command4);
    EXPECT_EQ(undo, 1);
}

TEST(FormModel, WhileAHandlerRunsNoUserActionIsTakenButTheProgramsChangesRunTheirHandlers) {
    FormModel form{kClock};
    int exits = 0;
    int closes = 0;
    int angleChanges = 0;
    form.onClick(ControlId::Command2, [&] { ++exits; });
    form.onCloseRequest([&] { ++closes; });
    form.onChange(ControlId::Text3, [&] { ++angleChanges; });
    form.onClick(ControlId::Command1, [&] {
        // What the window delivers while the host's library runs its messages.
        EXPECT_TRUE(form.isBusy());
        form.userClicks(ControlId::Command2);
        form.userClicks(ControlId::Check1);
        form.userClicks(ControlId::Option2);
        form.userEditsText(ControlId::Text1, "9");
        form.userRequestsClose();
        form.setText(ControlId::Text3, " 90");
    });
    form.userClicks(ControlId::Command1);

    EXPECT_EQ(exits + closes, 0);
    EXPECT_EQ(form.checkValue(ControlId::Check1), CheckValue::Unchecked);
    EXPECT_FALSE(form.isSelected(ControlId::Option2));
    EXPECT_EQ(form.text(ControlId::Text1), "");
    EXPECT_EQ(angleChanges, 1);
    EXPECT_FALSE(form.isBusy());
    form.userClicks(ControlId::Command2);
    EXPECT_EQ(exits, 1);
}

// Files given: taken while "Place from file..." is offered and no handler
// runs, never after the offer is withdrawn.
TEST(FormModel, FilesAreTakenOnlyWhileOfferedAndNoHandlerRuns) {
    FormModel form{kClock};
    std::vector<std::string> given;
    form.onFilesGiven([&](const std::vector<GivenFile>& files) {
        given.push_back(files.at(0).path);
        form.userGivesFiles({{"nested.pos", "nested.pos"}});
    });
    form.onClick(ControlId::Command1, [&] { form.userGivesFiles({{"busy.pos", "busy.pos"}}); });
    form.userClicks(ControlId::Command1);
    form.userGivesFiles({{"top.pos", "top.pos"}});
    form.setPlaceFromFileOffered(false);
    form.userGivesFiles({{"after.pos", "after.pos"}});
    EXPECT_EQ(given, (std::vector<std::string>{"top.pos"}));
    EXPECT_FALSE(form.offersPlaceFromFile());
}

TEST(FormModel, CaptionAndMessagesAreKeptForTheWindowToShow) {
    FormModel form{kClock};
    EXPECT_EQ(form.caption(), "CompPlace");
    form.setFormCaption("CompPlace - U12");
    form.tellUser("first");
    form.tellUser("second");
    EXPECT_EQ(form.caption(), "CompPlace - U12");
    EXPECT_EQ(form.messagesToUser(), (std::vector<std::string>{"first", "second"}));
}

TEST(WindowDescription, MoveAndUndoShareOneRectangle) {
    const Twips move = describe(ControlId::Command1).place;
    const Twips undo = describe(ControlId::Command4).place;
    EXPECT_EQ(move.left, undo.left);
    EXPECT_EQ(move.top, undo.top);
    EXPECT_EQ(move.width, undo.width);
    EXPECT_EQ(move.height, undo.height);
}

}  // namespace
}  // namespace form
